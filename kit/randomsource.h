#ifndef RANDOMSOURCE_H
#define RANDOMSOURCE_H

// Where the tosses come from; tests script it.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Mixes the value into the state: the same value twice does not restart a sequence.
    virtual void reseed(float value) = 0;
    // Uniform in [0, 1).
    virtual float next() = 0;
};

#endif
