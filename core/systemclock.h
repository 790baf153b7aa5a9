#ifndef SYSTEMCLOCK_H
#define SYSTEMCLOCK_H

#include "core/clock.h"

#include <chrono>

// Read once per experiment, so local midnight is worked out only when the day changes.
class SystemClock : public Clock
{
public:
    double secondsSinceMidnight() override;

private:
    std::chrono::system_clock::time_point m_midnight{};
};

#endif
