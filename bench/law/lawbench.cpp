// The exact law of the lowest balance at the most guests the prompts take, where the coin is not fair:
// what 理論値, 何枚用意すればよいか and c枚用意したら？ each work out afresh. Goal: under 50 ms.
//   bench_law [rounds]

#include "bench/benchfigures.h"
#include "core/lesson.h"

#include <cstdlib>

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    constexpr double goalMs = 50;
    std::printf("The law of the lowest balance, %d rounds each\n", rounds);
    bool met = true;
    for (const int percent : {50, 60}) {
        std::vector<double> times;
        double total = 0;
        for (int round = 0; round < rounds; ++round) {
            const Stopwatch watch;
            const std::vector<double> law = lowestBalanceLaw(1000, percent);
            times.push_back(watch.milliseconds());
            total += law[0];
        }
        char what[64];
        std::snprintf(what, sizeof what, "1000 guests, %d %% need change", percent);
        printTimes(what, times);
        met = met && median(times) < goalMs;
        if (total < 0) // keeps the work from being optimised away
            return 1;
    }
    std::printf("goal: under %.0f ms: %s\n", goalMs, verdict(met));
    return met ? 0 : 1;
}
