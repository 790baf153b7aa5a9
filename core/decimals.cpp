#include "core/decimals.h"

#include <cmath>

std::string roundedDecimal(std::int64_t numerator, std::int64_t denominator, int decimals)
{
    std::int64_t scale = 1;
    for (int d = 0; d < decimals; ++d)
        scale *= 10;
    // floor(numerator * scale / denominator + 1/2), in whole numbers throughout.
    const std::int64_t units = denominator > 0 ? (2 * numerator * scale + denominator) / (2 * denominator) : 0;
    std::string text = std::to_string(units / scale);
    if (decimals > 0) {
        const std::string fraction = std::to_string(units % scale);
        text += '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return text;
}

std::string roundedDecimal(long double value, int decimals)
{
    constexpr std::int64_t billion = 1'000'000'000;
    return roundedDecimal(std::llround(value * billion), billion, decimals);
}
