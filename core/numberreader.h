#ifndef NUMBERREADER_H
#define NUMBERREADER_H

#include <optional>
#include <string>
#include <string_view>

// The code point of the UTF-8 sequence at utf8[at], moving `at` past it; U+FFFD for a byte that starts no
// valid sequence, moving past that byte alone.
char32_t nextCodePoint(std::string_view utf8, std::size_t &at);
void appendUtf8(std::string &out, char32_t c);
// The value of a hexadecimal digit, either case; -1 for any other character.
int hexDigit(char c);

// Folds full-width ASCII forms (U+FF01..U+FF5E) and the ideographic blank (U+3000)
// of UTF-8 text to their half-width twins, so that "１００" typed through an IME reads as 100.
std::string foldFullWidth(std::string_view utf8);

// The whole number that folded text is: an optional sign (+, or a minus of an IME, a spreadsheet or the
// accounting marks ▲ △), then 1 to 9 digits and nothing else.
std::optional<int> readWholeNumber(std::string_view folded);

// The number at the start of the text: blanks skipped, then sign, digits, one period and
// an exponent; reading stops at the first other character. std::nullopt where the text starts
// with no number; too large a number reads as +/-infinity, too small a one as 0. Never NaN.
std::optional<double> readLeadingNumber(std::string_view text);

// The whole number a prompt answer stands for, if it starts with a number that lies within
// [lowest, highest] before it is rounded down; std::nullopt when it is refused.
std::optional<int> acceptSetting(std::string_view text, int lowest, int highest);

#endif
