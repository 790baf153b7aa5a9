#include "references.h"

#include "clock.h"
#include "randomsource.h"

#include <utility>
#include <vector>

double drawOnly(int guests, int experiments, RandomSource &random)
{
    // Drawn as the engine draws them, an experiment at a time; four sums so that adding is not the bottleneck.
    std::vector<float> draws(static_cast<std::size_t>(guests));
    float sums[4] = {};
    for (int e = 0; e < experiments; ++e) {
        random.fill(draws.data(), draws.size());
        for (std::size_t j = 0; j < draws.size(); ++j)
            sums[j % 4] += draws[j];
    }
    return double(sums[0]) + sums[1] + sums[2] + sums[3];
}

long exchangeSortRun(int guests, int experiments, RandomSource &random, Clock &clock)
{
    std::vector<short> tosses(static_cast<std::size_t>(guests));
    std::vector<short> balances(static_cast<std::size_t>(guests));
    long sum = 0;
    for (int e = 0; e < experiments; ++e) {
        short coinBalance = 0;
        std::fill(tosses.begin(), tosses.end(), 0);
        std::fill(balances.begin(), balances.end(), 0);
        random.reseed(static_cast<float>(clock.secondsSinceMidnight()));
        for (int j = 0; j < guests; ++j) {
            tosses[std::size_t(j)] = random.next() < 0.5f ? 1 : -1;
            coinBalance = short(coinBalance + tosses[std::size_t(j)]);
            balances[std::size_t(j)] = coinBalance;
        }
        for (int j = 0; j < guests - 1; ++j) {
            for (int k = j + 1; k < guests; ++k) {
                if (balances[std::size_t(j)] > balances[std::size_t(k)])
                    std::swap(balances[std::size_t(j)], balances[std::size_t(k)]);
            }
        }
        sum += balances[0];
    }
    return sum;
}
