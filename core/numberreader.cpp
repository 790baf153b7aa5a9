#include "core/numberreader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Decimal exponent of the leading significant digit, saturating, for telling overflow from underflow.
long long magnitudeOf(std::string_view intDigits, std::string_view fracDigits, std::string_view expText)
{
    long long magnitude;
    const auto firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        magnitude = static_cast<long long>(intDigits.size() - firstInt);
    } else {
        const auto firstFrac = fracDigits.find_first_not_of('0');
        if (firstFrac == std::string_view::npos)
            return std::numeric_limits<long long>::min();
        magnitude = -static_cast<long long>(firstFrac);
    }
    long long exponent = 0;
    bool negative = false;
    for (char c : expText) {
        if (c == '-') negative = true;
        else if (isDigit(c) && exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
    }
    return magnitude + (negative ? -exponent : exponent);
}

} // namespace

std::string foldFullWidth(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 == 0xE3 && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x80
            && static_cast<unsigned char>(utf8[i + 2]) == 0x80) {
            out += ' ';
            i += 2;
            continue;
        }
        if (b0 == 0xEF && i + 2 < utf8.size()) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            const unsigned code = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80 && code >= 0xFF01 && code <= 0xFF5E) {
                out += static_cast<char>(code - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        out += utf8[i];
    }
    return out;
}

std::optional<double> readLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const std::size_t intStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;
    const std::size_t mantissaEnd = i;

    // An exponent counts only with at least one digit: "5e" and "5e+" read as 5.
    std::string_view expText;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > expDigits) {
            expText = text.substr(i + 1, j - i - 1);
            i = j;
        }
    }
    const std::size_t end = expText.empty() ? mantissaEnd : i;

    // from_chars takes neither a sign nor a bare ".5"; give it "0.5".
    std::string number;
    if (intDigits.empty())
        number += '0';
    number.append(text.substr(intStart, end - intStart));

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        value = magnitudeOf(intDigits, fracDigits, expText) > 0 ? std::numeric_limits<double>::infinity()
                                                                  : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::optional<int> acceptSetting(std::string_view text, int lowest, int highest)
{
    const std::optional<double> value = readLeadingNumber(foldFullWidth(text));
    // Written so that NaN, were it ever to come, is refused too.
    if (!value || !(*value >= lowest && *value <= highest))
        return std::nullopt;
    return static_cast<int>(std::floor(*value));
}
