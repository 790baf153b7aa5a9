// The largest run of Taluno2 (1000 guests x 10000 experiments) or Taluno3 (1000 x 1000) clicked on
// 実験開始 in the real window, beside runBatch alone. Each round both paths start the generator from
// one seed and read the same still clock, so they toss the same coins; the means they give are
// compared. The paths take turns at going first, and a warm-up round is not counted.
//   bench_taluno2 [rounds]      bench_graph [rounds]

#include "bench/benchfigures.h"
#include "bench/benchseams.h"
#include "core/batchengine.h"
#include "core/batchrules.h"
#include "core/meanformatter.h"
#include "kit/mainwindow.h"
#include "kit/talunoapplication.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <cstdlib>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

constexpr ProgramNumber program = static_cast<ProgramNumber>(TALUNO_PROGRAM);
constexpr std::uint64_t seed = 0x5441'4C55'4E4F'0002ULL;

// Painting can leave the upper halves of the AVX registers dirty, and the engine's SSE code then
// runs a quarter slower or worse until something clears them. In the click, Qt's event handling
// has cleared them before the engine runs; right after a repaint nothing has. So both timed paths
// start from a clean state.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void zeroUpperHalves() { _mm256_zeroupper(); }
void settleVectorState() { if (__builtin_cpu_supports("avx")) zeroUpperHalves(); }
#else
void settleVectorState() {}
#endif

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TalunoApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const BatchRules &rules = batchRules(program);
    const int guests = rules.guests.highest, experiments = rules.experiments.highest;
    const QStringList settings{QString::number(guests), QString::number(experiments)};

    TestSeams bench;
    MainWindow window(program, bench.seams);
    const WindowLayout &layout = batchWindowLayout(program);
    auto *const reset = controlOf<QAbstractButton>(window, layout, BatchControls::resetButton);
    auto *const start = controlOf<QAbstractButton>(window, layout, BatchControls::startButton);
    auto *const mean = controlOf<QLabel>(window, layout, BatchControls::meanValue);
    bench.boxes.answers = settings; // asked for when the window is first activated
    window.show();
    window.activateWindow();
    if (!QTest::qWaitFor([&] { return bench.boxes.answers.isEmpty(); })) {
        std::fprintf(stderr, "the window did not take its settings\n");
        return 1;
    }

    std::vector<double> engineTimes, clickTimes, paintedTimes, addedTimes;
    for (int round = 0; round <= rounds; ++round) {
        BatchResult engine;
        const auto runEngine = [&] {
            bench.random = PseudoRandom(seed);
            settleVectorState();
            const Stopwatch watch;
            engine = runBatch(guests, experiments, rules.lowestBin, bench.random, bench.clock);
            engineTimes.push_back(watch.milliseconds());
        };
        const auto runWindow = [&] {
            bench.boxes.answers = settings;
            QTest::mouseClick(reset, Qt::LeftButton); // 初期化 asks for the settings again
            bench.random = PseudoRandom(seed);
            settleVectorState();
            const Stopwatch watch;
            QTest::mouseClick(start, Qt::LeftButton);
            clickTimes.push_back(watch.milliseconds());
            window.repaint();
            paintedTimes.push_back(watch.milliseconds());
        };
        round % 2 ? (runEngine(), runWindow()) : (runWindow(), runEngine());
        if (start->isEnabled() || mean->text() != qtText(formatMean(engine.mean))) {
            std::fprintf(stderr, "the click did not do the engine's work: mean %s, engine's %s\n",
                         qPrintable(mean->text()), formatMean(engine.mean).c_str());
            return 1;
        }
        addedTimes.push_back(clickTimes.back() - engineTimes.back());
    }
    for (auto *times : {&engineTimes, &clickTimes, &paintedTimes, &addedTimes})
        times->erase(times->begin()); // the warm-up

    std::printf("Taluno%d, %d guests x %d experiments, %d rounds after a warm-up\n", int(program), guests,
                experiments, rounds);
    printTimes("engine alone (runBatch)", engineTimes);
    printTimes("click to results", clickTimes);
    printTimes("click to results painted", paintedTimes);
    printTimes("click minus engine, per round", addedTimes);
    switch (programRow(program).kind) {
    case ProgramKind::Table:
        std::printf("  the window adds under 20 ms: %s\n", verdict(median(addedTimes) < 20));
        break;
    case ProgramKind::Graph:
        std::printf("  click to graph painted under 50 ms: %s\n", verdict(median(paintedTimes) < 50));
        break;
    case ProgramKind::Walk:
        unknownProgram("batchbench");
    }
}
