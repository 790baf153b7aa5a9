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

struct BatchResult
{
    std::vector<int> counts;  // bin 1 first
    std::vector<int> lowests; // how often each lowest balance came, from -guests (index 0) up to 1
    float mean = 0.0f;        // mean lowest balance
};

// `experiments` walks of `guests` fair tosses, each reseeded from the time of day; tallies
// each walk's lowest balance (the start not counted). Settings must lie in the prompts' ranges.
BatchResult runBatch(int guests, int experiments, int lowestBin, RandomSource &random, Clock &clock);

#endif
