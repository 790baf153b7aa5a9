// The batch engine at Taluno2's largest run, on the generator and the clock the program uses,
// against drawing the same random values and nothing else (the floor) and against keeping every
// balance and sorting them by pairwise exchange.
//   bench_engine [rounds]

#include "bench/benchfigures.h"
#include "core/batchengine.h"
#include "core/batchrules.h"
#include "core/pseudorandom.h"
#include "core/systemclock.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr int guests = 1000;
constexpr int experiments = 10000;

// The engine's draws, an experiment at a time, summed in four lanes so that adding is not what is timed.
double drawOnly(RandomSource &random)
{
    std::vector<float> draws(guests);
    float sums[4] = {};
    for (int e = 0; e < experiments; ++e) {
        random.fill(draws.data(), draws.size());
        for (std::size_t j = 0; j < draws.size(); ++j)
            sums[j % 4] += draws[j];
    }
    return double(sums[0]) + sums[1] + sums[2] + sums[3];
}

// The sum of the lowest balances, so that the sorting is not optimised away.
long exchangeSortRun(int experimentCount, RandomSource &random, Clock &clock)
{
    std::vector<short> balances(guests); // 16-bit, as the straightforward program keeps them
    long sum = 0;
    for (int e = 0; e < experimentCount; ++e) {
        random.reseed(static_cast<float>(clock.secondsSinceMidnight()));
        int coinBalance = 0;
        for (short &balance : balances)
            balance = static_cast<short>(coinBalance += random.next() < 0.5f ? 1 : -1);
        for (std::size_t j = 0; j + 1 < balances.size(); ++j) {
            for (std::size_t k = j + 1; k < balances.size(); ++k) {
                if (balances[j] > balances[k])
                    std::swap(balances[j], balances[k]);
            }
        }
        sum += balances[0];
    }
    return sum;
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int lowestBin = batchRules(ProgramNumber::Taluno2).lowestBin;
    PseudoRandom random;
    SystemClock clock;
    volatile double sink = 0;
    std::vector<double> engine, floor, sort;
    const auto time = [](std::vector<double> &times, auto &&work) {
        const Stopwatch watch;
        work();
        times.push_back(watch.milliseconds());
    };
    for (int round = 0; round <= rounds; ++round) {
        time(engine, [&] { sink = sink + runBatch(guests, experiments, lowestBin, random, clock).mean; });
        time(floor, [&] { sink = sink + drawOnly(random); });
        // Sorting costs guests²/2 compares an experiment: a hundredth of the run is timed and scaled up.
        time(sort, [&] { sink = sink + double(exchangeSortRun(experiments / 100, random, clock)); });
        sort.back() *= 100;
    }
    for (auto *times : {&engine, &floor, &sort})
        times->erase(times->begin()); // the warm-up

    std::printf("batch engine, %d guests x %d experiments, %d rounds after a warm-up\n", guests, experiments, rounds);
    printTimes("engine (runBatch)", engine);
    printTimes("floor (draws only)", floor);
    printTimes("exchange sort (scaled up)", sort);
    const double overFloor = median(engine) / median(floor), sortOver = median(sort) / median(engine);
    std::printf("  engine / floor %.2f, target <= 1.30: %s\n", overFloor, verdict(overFloor <= 1.3));
    std::printf("  exchange sort / engine %.0f, target >= 100: %s\n", sortOver, verdict(sortOver >= 100));
}
