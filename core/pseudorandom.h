#ifndef PSEUDORANDOM_H
#define PSEUDORANDOM_H

#include "core/randomsource.h"

#include <cstdint>

// SplitMix64: fast, statistically sound for a classroom, and cheap to reseed.
class PseudoRandom final : public RandomSource
{
public:
    explicit PseudoRandom(std::uint64_t seed = 0x5441'4C55'4E4F'0001ULL) : m_state(seed) {}

    void reseed(float value) override;
    float next() override
    {
        return static_cast<float>(step() >> 40) * 0x1p-24f;
    }
    void fill(float *values, std::size_t count) override
    {
        for (std::size_t i = 0; i < count; ++i)
            values[i] = next();
    }

private:
    std::uint64_t step()
    {
        std::uint64_t z = (m_state += 0x9E37'79B9'7F4A'7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

#endif
