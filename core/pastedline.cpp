#include "core/pastedline.h"

#include "core/numberreader.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr std::size_t quotedLength = 20;

// A time (10:31, 10:31:05, 10時31分) or a date (2026/12/08, 12/8, 2026-12-08, 2026年12月8日, 12月8日) in folded
// text, as a chat or a form writes them before a pupil's result.
bool isTimeOrDate(std::string token)
{
    for (const auto &[from, to] : {std::pair{"年", "/"}, {"月", "/"}, {"時", ":"}})
        for (std::size_t at; (at = token.find(from)) != std::string::npos;)
            token.replace(at, std::string_view(from).size(), to);
    for (const std::string_view last : {"日", "分", "秒"}) {
        if (token.ends_with(last))
            token.resize(token.size() - last.size());
    }
    // Runs of digits, parted all by ":", all by "/", or by "-" after a year.
    const char separator = token.find(':') != std::string::npos ? ':' : token.find('/') != std::string::npos ? '/' : '-';
    std::vector<std::size_t> runs{0};
    for (const char c : token) {
        if (c == separator)
            runs.push_back(0);
        else if (c >= '0' && c <= '9' && runs.back() < 4)
            ++runs.back();
        else
            return false;
    }
    const bool parts = runs.size() >= 2 && runs.size() <= 3 && std::find(runs.begin(), runs.end(), 0u) == runs.end();
    return parts && (separator != '-' || (runs.size() == 3 && runs[0] == 4));
}

// The length of the separator of list entries that folded text starts with, 0 for none.
std::size_t separatorLength(std::string_view text)
{
    if (text.starts_with("、"))
        return std::string_view("、").size();
    return std::string_view(" \t,;").find(text.front()) != std::string_view::npos ? 1 : 0;
}

// Characters that order the text around them right to left or back: quoted in a refusal, they would
// turn the rest of it round.
bool isDirectionMark(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::vector<std::string> cellsOf(std::string_view line)
{
    std::vector<std::string> cells;
    for (std::size_t start = 0; start <= line.size();) {
        const std::size_t tab = std::min(line.find('\t', start), line.size());
        const std::string cell = foldFullWidth(line.substr(start, tab - start));
        const std::size_t first = cell.find_first_not_of(' ');
        cells.push_back(first == std::string::npos ? std::string()
                                                   : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
        start = tab + 1;
    }
    while (!cells.empty() && cells.back().empty())
        cells.pop_back();
    return cells;
}

std::optional<int> labelledNumber(const std::vector<std::string> &cells)
{
    if (cells.size() != 2)
        return std::nullopt;
    return readWholeNumber(cells[1]);
}

std::string quotedLine(std::string_view line)
{
    std::vector<char32_t> chars;
    for (std::size_t i = 0; i < line.size();) {
        const char32_t c = nextCodePoint(line, i);
        chars.push_back(c < 0x20 || (c >= 0x7F && c < 0xA0) || isDirectionMark(c) ? U' ' : c);
    }
    const auto blank = [](char32_t c) { return c == U' ' || c == U'\u3000'; };
    const auto first = std::find_if_not(chars.begin(), chars.end(), blank);
    const auto last = std::find_if_not(chars.rbegin(), std::make_reverse_iterator(first), blank).base();
    std::string out;
    for (auto c = first; c != last; ++c) {
        if (static_cast<std::size_t>(c - first) == quotedLength) {
            out += "…";
            break;
        }
        appendUtf8(out, *c);
    }
    return out;
}

PoolFailure unreadableLine(std::string_view line, long long number)
{
    return {.kind = RefusalKind::Unreadable, .line = number, .quoted = quotedLine(line)};
}

std::variant<std::vector<int>, RefusalKind> listLowests(std::string_view line)
{
    const std::string folded = foldFullWidth(line);
    std::vector<int> lowests;
    bool words = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= folded.size();) {
        const std::size_t separator = i < folded.size() ? separatorLength(std::string_view(folded).substr(i)) : 1;
        if (separator == 0) {
            ++i;
            continue;
        }
        std::string token = folded.substr(start, i - start);
        while (!token.empty() && std::string_view("[]()").find(token.front()) != std::string_view::npos)
            token.erase(0, 1);
        while (!token.empty() && std::string_view("[]()").find(token.back()) != std::string_view::npos)
            token.pop_back();
        if (const std::optional<int> lowest = readWholeNumber(token))
            lowests.push_back(*lowest);
        else if (isTimeOrDate(token) || token.find_first_of("0123456789") == std::string::npos)
            words = words || !token.empty();
        else
            return RefusalKind::Unreadable;
        i += separator;
        start = i;
    }
    if (words && lowests.size() != 1)
        return lowests.empty() ? RefusalKind::Unreadable : RefusalKind::NumberUnclear;
    return lowests;
}
