#ifndef RANDOMSOURCE_H
#define RANDOMSOURCE_H

#include <cstddef>

// Where the tosses come from; tests script it.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Mixes the value into the state: the same value twice does not restart a sequence.
    virtual void reseed(float value) = 0;
    // Uniform in [0, 1).
    virtual float next() = 0;
    // `count` values, as many calls of next() would give them; one call per experiment, not per toss.
    virtual void fill(float *values, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            values[i] = next();
    }
};

#endif
