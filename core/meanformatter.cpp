#include "core/meanformatter.h"

#include <charconv>
#include <cmath>
#include <string_view>

std::string formatMean(float mean)
{
    if (!std::isfinite(mean))
        return {};
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(mean),
                                         std::chars_format::fixed);
    if (ec != std::errc())
        return {};
    const std::string_view shortest(buffer, static_cast<std::size_t>(end - buffer));

    // Tenths as a whole number, rounded half away from zero on the decimal digits.
    const auto point = shortest.find('.');
    const std::string_view whole = shortest.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : shortest.substr(point + 1);
    long long tenths = 0;
    for (char c : whole)
        tenths = tenths * 10 + (c - '0');
    tenths = tenths * 10 + (fraction.size() > 0 ? fraction[0] - '0' : 0);
    if (fraction.size() > 1 && fraction[1] >= '5')
        ++tenths;

    std::string text;
    if (mean < 0 && tenths != 0)
        text += '-';
    if (tenths >= 10)
        text += std::to_string(tenths / 10);
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}
