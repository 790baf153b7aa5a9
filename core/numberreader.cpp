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

char32_t nextCodePoint(std::string_view utf8, std::size_t &at)
{
    const auto byteAt = [utf8](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char lead = byteAt(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    constexpr char32_t leastOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x7Fu >> length);
    bool valid = length > 0 && at + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        valid = (byteAt(at + k) & 0xC0) == 0x80;
        code = code << 6 | (byteAt(at + k) & 0x3Fu);
    }
    if (!valid || code < leastOfLength[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        ++at;
        return U'\uFFFD';
    }
    at += length;
    return code;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    constexpr unsigned leads[] = {0, 0xC0, 0xE0, 0xF0};
    const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += static_cast<char>(leads[continuations] | (c >> (6 * continuations)));
    for (int k = continuations - 1; k >= 0; --k)
        out += static_cast<char>(0x80u | ((c >> (6 * k)) & 0x3Fu));
}

std::string foldFullWidth(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) { // ASCII, most of what is pasted, without decoding
            out += utf8[at++];
            continue;
        }
        const std::size_t start = at;
        const char32_t c = nextCodePoint(utf8, at);
        if (c == U'\u3000')
            out += ' ';
        else if (c >= 0xFF01 && c <= 0xFF5E)
            out += static_cast<char>(c - 0xFF01 + 0x21);
        else
            out += utf8.substr(start, at - start); // as it came, bytes of no UTF-8 too
    }
    return out;
}

std::optional<int> readWholeNumber(std::string_view folded)
{
    // ASCII first, then those of Japanese keyboards, IMEs and spreadsheets, and the accounting marks.
    constexpr std::string_view minusSigns[] = {"-", "−", "ー", "ｰ", "‐", "‑", "‒", "–", "—", "―", "﹣", "▲", "△"};
    constexpr std::size_t digitsMost = 9; // any number read fits an int
    bool negative = false;
    if (folded.starts_with('+')) {
        folded.remove_prefix(1);
    } else {
        for (const std::string_view sign : minusSigns) {
            if (folded.starts_with(sign)) {
                negative = true;
                folded.remove_prefix(sign.size());
                break;
            }
        }
    }
    if (folded.empty() || folded.size() > digitsMost)
        return std::nullopt;
    int value = 0;
    for (const char c : folded) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
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
