#ifndef CLOCK_H
#define CLOCK_H

// The time of day; tests fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local time of day in seconds since midnight, with its fraction.
    virtual double secondsSinceMidnight() = 0;
};

#endif
