#ifndef SCRIPTEDRANDOM_H
#define SCRIPTEDRANDOM_H

#include "clock.h"
#include "randomsource.h"

#include <vector>

// Gives the scripted values in turn, over and over, and counts reseeds.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<float> values = {0.25f}) : m_values(std::move(values)) {}

    void reseed(float value) override
    {
        m_reseeds.push_back(value);
    }
    float next() override
    {
        const float value = m_values[m_next % m_values.size()];
        ++m_next;
        return value;
    }

    void setValues(std::vector<float> values)
    {
        m_values = std::move(values);
        m_next = 0;
    }
    const std::vector<float> &reseeds() const { return m_reseeds; }
    std::size_t drawn() const { return m_next; }

private:
    std::vector<float> m_values;
    std::vector<float> m_reseeds;
    std::size_t m_next = 0;
};

// A clock that stands still unless a test moves it.
class FixedClock : public Clock
{
public:
    explicit FixedClock(double seconds = 36000.5) : m_seconds(seconds) {}
    double secondsSinceMidnight() override { return m_seconds; }
    void set(double seconds) { m_seconds = seconds; }

private:
    double m_seconds;
};

#endif
