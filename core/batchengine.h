#ifndef BATCHENGINE_H
#define BATCHENGINE_H

#include <vector>

class Clock;
class RandomSource;

// Bins of a run whose lowest single-value bin is `lowestBin`: bin 1 takes the lowest
// balances below it, one bin each for lowestBin..3, and the last bin those above 3.
constexpr int highestSingleValue = 3;
constexpr int binCountFor(int lowestBin) { return highestSingleValue - lowestBin + 3; }
// The bin (1-based) that counts a lowest balance.
constexpr int binOf(int lowestBalance, int lowestBin)
{
    if (lowestBalance < lowestBin)
        return 1;
    if (lowestBalance > highestSingleValue)
        return binCountFor(lowestBin);
    return lowestBalance - lowestBin + 2;
}

// How many guests in a hundred need change; a draw of the random source at or above the threshold is one
// of them, so that at one half the tosses are those of a fair coin.
inline constexpr int fairChangePercent = 50;
constexpr float changeThreshold(int changePercent) { return static_cast<float>(100 - changePercent) / 100.0f; }

struct BatchResult
{
    std::vector<int> counts;  // bin 1 first
    std::vector<int> lowests; // how often each lowest balance came, from -guests (index 0) up to 1
    float mean = 0.0f;        // mean lowest balance
};

// `experiments` walks of `guests` tosses, each reseeded from the time of day; tallies each walk's lowest
// balance (the start not counted). Settings must lie in the prompts' ranges.
BatchResult runBatch(int guests, int experiments, int lowestBin, RandomSource &random, Clock &clock,
                     int changePercent = fairChangePercent);

// The bins and the mean of how often each lowest balance came, laid out as BatchResult::lowests: a run's,
// or results read rather than run.
BatchResult tallyLowests(const std::vector<int> &lowests, int lowestBin);

#endif
