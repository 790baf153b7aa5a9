// Times the batch engine at the largest settings against the bare cost of drawing the
// random values and against sorting every experiment's balances by exchange.
#include "batchengine.h"
#include "pseudorandom.h"
#include "references.h"
#include "systemclock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

// Best of `rounds`, in milliseconds: the least disturbed run.
double bestMs(int rounds, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main()
{
    const int guests = 1000, experiments = 10000, lowestBin = -57;
    PseudoRandom random;
    SystemClock clock;
    volatile double sink = 0;

    const double engine = bestMs(7, [&] { sink = sink + runBatch(guests, experiments, lowestBin, random, clock).mean; });
    const double floor = bestMs(7, [&] { sink = sink + drawOnly(guests, experiments, random); });

    // Sorting costs guests²/2 compares per experiment: time a slice and scale it up.
    const int sortedExperiments = 100;
    const double sortSlice = bestMs(3, [&] { sink = sink + double(exchangeSortRun(guests, sortedExperiments, random, clock)); });
    const double sort = sortSlice * experiments / sortedExperiments;

    std::printf("batch engine, %d guests x %d experiments\n", guests, experiments);
    std::printf("  engine (direct minimum)      %10.1f ms\n", engine);
    std::printf("  floor (draws only)           %10.1f ms\n", floor);
    std::printf("  exchange sort (from %d runs) %10.1f ms\n", sortedExperiments, sort);
    std::printf("  engine / floor               %10.2f   (target <= 1.30)\n", engine / floor);
    std::printf("  exchange sort / engine       %10.0f   (target >= 100)\n", sort / engine);
    return engine / floor <= 1.3 && sort / engine >= 100 ? 0 : 1;
}
