#ifndef PASTEDLINE_H
#define PASTEDLINE_H

#include "core/classresults.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A line's tab-separated cells, folded and trimmed of blanks, without the empty cells a spreadsheet
// leaves at the end; none for a blank line.
std::vector<std::string> cellsOf(std::string_view line);

// The number on a line of a label and its value, in its second and last cell.
std::optional<int> labelledNumber(const std::vector<std::string> &cells);

// The line as a refusal quotes it: control characters and direction marks as blanks, trimmed, at most 20
// characters and then "…"; bytes that are no UTF-8 come out as U+FFFD.
std::string quotedLine(std::string_view line);
PoolFailure unreadableLine(std::string_view line, long long number);

// The lowest balances on a line of a list: whole numbers, each a result; or, as a chat or a form copies them,
// words (a name), times and dates, which are passed over, with one whole number, the result. Any other digits,
// or more or fewer numbers beside words: Unreadable or NumberUnclear.
std::variant<std::vector<int>, RefusalKind> listLowests(std::string_view line);

#endif
