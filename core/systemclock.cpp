#include "core/systemclock.h"

#include <ctime>

double SystemClock::secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    double seconds = duration<double>(now - m_midnight).count();
    if (seconds < 0.0 || seconds >= 86400.0) {
        const std::time_t t = system_clock::to_time_t(now);
        // std::localtime shares one buffer for the whole program; the clock is read on the
        // user-interface thread only, and the result is copied at once.
        const std::tm local = *std::localtime(&t);
        m_midnight = system_clock::from_time_t(t)
                     - hours(local.tm_hour) - minutes(local.tm_min) - std::chrono::seconds(local.tm_sec);
        seconds = duration<double>(now - m_midnight).count();
    }
    return seconds;
}
