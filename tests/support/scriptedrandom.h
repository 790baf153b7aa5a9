#ifndef SCRIPTEDRANDOM_H
#define SCRIPTEDRANDOM_H

#include "core/clock.h"
#include "core/randomsource.h"

#include <vector>

// Gives the scripted values in turn, over and over, and counts reseeds and draws.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<float> values = {0.25f}) : values(std::move(values)) {}

    void reseed(float value) override { reseeds.push_back(value); }
    float next() override { return values[drawn++ % values.size()]; }

    std::vector<float> values;
    std::vector<float> reseeds;
    std::size_t drawn = 0;
};

// A clock that stands still unless a test moves it.
class FixedClock : public Clock
{
public:
    double secondsSinceMidnight() override { return seconds; }
    double seconds = 36000.5;
};

#endif
