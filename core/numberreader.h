#ifndef NUMBERREADER_H
#define NUMBERREADER_H

#include <optional>
#include <string>
#include <string_view>

// Folds full-width ASCII forms (U+FF01..U+FF5E) and the ideographic blank (U+3000)
// of UTF-8 text to their half-width twins, so that "１００" typed through an IME reads as 100.
std::string foldFullWidth(std::string_view utf8);

// The number at the start of the text: blanks skipped, then sign, digits, one period and
// an exponent; reading stops at the first other character. std::nullopt where the text starts
// with no number; too large a number reads as +/-infinity, too small a one as 0. Never NaN.
std::optional<double> readLeadingNumber(std::string_view text);

// The whole number a prompt answer stands for, if it starts with a number that lies within
// [lowest, highest] before it is rounded down; std::nullopt when it is refused.
std::optional<int> acceptSetting(std::string_view text, int lowest, int highest);

#endif
