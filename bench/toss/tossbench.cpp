// A full Taluno1 run on the window's own timers. After 自動開始 the first toss falls at 500 ms and
// each later one 750 ms after the one before, so the 100th is due at 74.75 s. Takes about 75 s.

#include "bench/benchfigures.h"
#include "bench/benchseams.h"
#include "kit/mainwindow.h"
#include "kit/talunoapplication.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>

#include <cmath>
#include <optional>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TalunoApplication app(argc, argv);
    TestSeams bench;
    MainWindow window(ProgramNumber::Taluno1, bench.seams);
    window.show();

    using namespace TossControls;
    const WindowLayout &layout = tossWindowLayout();
    auto *const start = controlOf<QAbstractButton>(window, layout, startButton);
    auto *const lastResult = controlOf<QLabel>(window, layout, resultCell(tossCount));
    auto *const tossTimer = window.findChild<QTimer *>(qtText(layout.timers.at(TossTimers::toss).name));
    if (!start || !lastResult || !tossTimer) {
        std::fprintf(stderr, "the window lacks its start button, last cell or toss timer\n");
        return 1;
    }

    // Connected after the window's own handler: each time is taken once the toss has been made.
    std::optional<Stopwatch> sinceStart;
    std::vector<double> tossTimes;
    QObject::connect(tossTimer, &QTimer::timeout, &app, [&] {
        tossTimes.push_back(sinceStart->milliseconds());
        if (!lastResult->text().isEmpty())
            QCoreApplication::exit(0);
    });
    QTimer::singleShot(500, &window, [&] {
        sinceStart.emplace();
        start->click();
    });
    QTimer::singleShot(90'000, &app, [] { QCoreApplication::exit(1); });
    std::puts("Taluno1: a full run of 100 tosses on the real timers (about 75 s)...");
    std::fflush(stdout);
    if (app.exec() != 0 || tossTimes.size() != std::size_t(tossCount)) {
        std::printf("the run did not end with the 100th toss within 90 s (%zu tosses)\n", tossTimes.size());
        return 1;
    }

    double latest = 0;
    for (std::size_t k = 0; k < tossTimes.size(); ++k)
        latest = std::max(latest, tossTimes[k] - (500.0 + 750.0 * double(k)));
    const double deviation = (tossTimes.back() - 74'750.0) / 74'750.0 * 100.0;
    std::printf("  100th toss after %.3f s (nominal 74.750 s): %+.3f %%, target within 1 %%: %s\n",
                tossTimes.back() / 1000.0, deviation, verdict(std::abs(deviation) <= 1.0));
    std::printf("  latest toss against its nominal time: %+.1f ms\n", latest);
}
