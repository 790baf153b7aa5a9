#include "core/batchengine.h"

#include "core/clock.h"
#include "core/randomsource.h"

#include <algorithm>
#include <cstdint>

BatchResult runBatch(int guests, int experiments, int lowestBin, RandomSource &random, Clock &clock, int changePercent)
{
    const float threshold = changeThreshold(changePercent);
    std::vector<int> lowests(static_cast<std::size_t>(std::max(guests, 0)) + 2, 0);
    std::vector<float> draws(static_cast<std::size_t>(std::max(guests, 0)));
    for (int e = 0; e < experiments; ++e) {
        random.reseed(static_cast<float>(clock.secondsSinceMidnight()));
        random.fill(draws.data(), draws.size());
        int coinBalance = 0;
        int lowest = guests; // above any reachable balance
        for (float r : draws) {
            // Branch-free: a toss is as likely one way as the other, so a branch would miss half the time.
            coinBalance += 1 - 2 * static_cast<int>(r >= threshold);
            lowest = std::min(lowest, coinBalance);
        }
        ++lowests[static_cast<std::size_t>(lowest + guests)];
    }
    return tallyLowests(lowests, lowestBin);
}

BatchResult tallyLowests(const std::vector<int> &lowests, int lowestBin)
{
    BatchResult result;
    result.counts.assign(static_cast<std::size_t>(binCountFor(lowestBin)), 0);
    result.lowests = lowests;
    const int guests = static_cast<int>(lowests.size()) - 2;
    std::int64_t sum = 0, experiments = 0;
    for (int k = 0; k < static_cast<int>(lowests.size()); ++k) {
        const int count = lowests[static_cast<std::size_t>(k)];
        result.counts[static_cast<std::size_t>(binOf(k - guests, lowestBin) - 1)] += count;
        sum += static_cast<std::int64_t>(k - guests) * count;
        experiments += count;
    }
    result.mean = experiments > 0 ? static_cast<float>(static_cast<double>(sum) / static_cast<double>(experiments)) : 0.0f;
    return result;
}
