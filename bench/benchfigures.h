#ifndef BENCHFIGURES_H
#define BENCHFIGURES_H

// What the benchmarks share: a stopwatch, the median, and one line of figures per measurement.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

struct Stopwatch
{
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    double milliseconds() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    }
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline void printTimes(const char *what, const std::vector<double> &times)
{
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    std::printf("  %-30s median %8.2f ms   min %8.2f ms   max %8.2f ms\n", what, median(times), *fastest, *slowest);
}

inline const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

#endif
