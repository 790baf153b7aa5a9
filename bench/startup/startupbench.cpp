// From process start to the first painted main window of each program, offscreen, and the peak
// resident memory by then. The bench starts itself as the program, built as the program's main()
// builds it but on scripted boxes; the child reports and leaves once its window has painted.
//   bench_startup [runs]

#include "bench/benchfigures.h"
#include "bench/benchseams.h"
#include "kit/desktopprogram.h"
#include "kit/talunoapplication.h"

#include <QEvent>
#include <QProcess>
#include <QTimer>

#include <cstdlib>
#include <string>
#include <sys/resource.h>

namespace {

// Once a window has been painted, prints "painted" and the peak memory in KiB, and ends the process.
struct FirstPaint : QObject
{
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            QTimer::singleShot(0, [] { // once the paint is done
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("painted %ld\n", usage.ru_maxrss);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }
};

int runProgram(ProgramNumber program, int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    TestSeams bench;
    bench.boxes.answers = {QStringLiteral("100"), QStringLiteral("1000")}; // the batch programs ask at once
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    DesktopProgram desktop(program, bench.seams);
    desktop.showMain();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--program") {
        const std::optional<ProgramNumber> program = programNumbered(std::atoi(argv[2]));
        return program ? runProgram(*program, argc, argv) : 2;
    }
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    std::printf("start-up to first paint, offscreen, %d runs each after one that warms the file cache\n", runs);
    for (const ProgramRow &row : programTable()) {
        const int program = static_cast<int>(row.number);
        std::vector<double> times;
        long peakKb = 0;
        for (int run = 0; run <= runs; ++run) {
            QProcess child;
            const Stopwatch watch;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--program"), QString::number(program)});
            const QList<QByteArray> said = child.waitForReadyRead(10'000) ? child.readAll().split(' ') : QList<QByteArray>();
            const double ms = watch.milliseconds();
            if (!child.waitForFinished(10'000) || said.size() != 2 || said[0] != "painted") {
                std::printf("  Taluno%d did not paint\n", program);
                return 1;
            }
            if (run > 0) {
                times.push_back(ms);
                peakKb = std::max(peakKb, said[1].trimmed().toLong());
            }
        }
        printTimes(("Taluno" + std::to_string(program)).c_str(), times);
        std::printf("  %-30s peak %.1f MB; under 300 ms and 80 MB: %s\n", "", peakKb / 1024.0,
                    verdict(median(times) < 300 && peakKb < 80 * 1024));
    }
}
