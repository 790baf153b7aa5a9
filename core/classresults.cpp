#include "core/classresults.h"

#include "core/lesson.h"
#include "core/numberreader.h"
#include "core/texts.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int listGuests = 100;     // a list holds the lowest balances of 100-toss walks
constexpr int walkTossesMost = 100; // Taluno1's walk; a copy without its toss rows is one of 100
constexpr int tableGuestsLeast = 10;
constexpr int tableGuestsMost = 1000;
constexpr long long experimentsMost = 10'000'000;
constexpr std::size_t digitsMost = 9; // any number read fits an int
constexpr long long tableSumMost = 1'000'000'000'000'000; // a table's sum stops growing here
constexpr std::size_t excerptLength = 20;

// The minus signs as foldFullWidth leaves them: ASCII, then those of Japanese keyboards, IMEs and
// spreadsheets, and the accounting marks ▲ and △.
constexpr std::string_view minusSigns[] = {"-", "−", "ー", "ｰ", "‐", "‑", "‒", "–", "—", "―", "﹣", "▲", "△"};

// The whole number that folded text is: an optional sign, then 1 to 9 digits and nothing else.
std::optional<int> wholeNumber(std::string_view text)
{
    bool negative = false;
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    } else {
        for (const std::string_view sign : minusSigns) {
            if (text.starts_with(sign)) {
                negative = true;
                text.remove_prefix(sign.size());
                break;
            }
        }
    }
    if (text.empty() || text.size() > digitsMost)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// The number on a line of a label and its value, in its second and last cell.
std::optional<int> labelledNumber(const std::vector<std::string> &cells)
{
    if (cells.size() != 2)
        return std::nullopt;
    return wholeNumber(cells[1]);
}

// The share of guests who need change on a copy's line of its own ("お釣りの要る人の割合\t60%"), 1 to 99 %.
std::optional<int> statedPercent(const std::vector<std::string> &cells)
{
    if (cells.size() != 2 || !cells[1].ends_with('%'))
        return std::nullopt;
    const std::optional<int> percent = wholeNumber(std::string_view(cells[1]).substr(0, cells[1].size() - 1));
    return percent && *percent >= 1 && *percent <= 99 ? percent : std::nullopt;
}

// A line's tab-separated cells, folded and trimmed of blanks, without the empty cells a spreadsheet
// leaves at the end; none for a blank line.
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

// The code point of the UTF-8 sequence at text[i], moving i past it; U+FFFD for a byte that starts
// no valid sequence, moving past that byte alone.
char32_t nextCodePoint(std::string_view text, std::size_t &i)
{
    const auto byteAt = [text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byteAt(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    constexpr char32_t leastOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x7Fu >> length);
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        valid = (byteAt(i + k) & 0xC0) == 0x80;
        code = code << 6 | (byteAt(i + k) & 0x3Fu);
    }
    if (!valid || code < leastOfLength[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        ++i;
        return U'\uFFFD';
    }
    i += length;
    return code;
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

// Characters that order the text around them right to left or back: quoted in a message, they would
// turn the rest of it round.
bool isDirectionMark(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The line as a message quotes it: control characters and direction marks as blanks, trimmed, at most 20
// characters and then "…"; bytes that are no UTF-8 come out as U+FFFD.
std::string excerpt(std::string_view line)
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
        if (static_cast<std::size_t>(c - first) == excerptLength) {
            out += "…";
            break;
        }
        appendUtf8(out, *c);
    }
    return out;
}

// A number as the messages write it, with the minus sign U+2212.
std::string signedText(long long value)
{
    return value < 0 ? "−" + std::to_string(-value) : std::to_string(value);
}

// Reads the text a line at a time into the pool.
class Pool
{
public:
    // Reads the line numbered `number`; false, with the message set, where the text cannot be pooled.
    bool read(std::string_view line, long long number);
    // After the last line.
    bool finish();

    std::variant<PooledResults, PoolFailure> result() &&;

private:
    enum class Stage {
        Any,       // between results
        TableHead, // after お客人数, up to the frequency rows' heading
        TableRows, // the frequency rows
        CoinRows,  // under 何枚用意すればよいか: rows whose first cell ends in %
        ShareRow,  // the row under 用意した枚数
    };

    bool readAny(const std::vector<std::string> &cells, std::string_view line, long long number);
    bool readTableHead(const std::vector<std::string> &cells, std::string_view line, long long number);
    bool readTableRow(const std::vector<std::string> &cells, std::string_view line, long long number);
    bool readList(std::string_view line, long long number);
    bool isTossRow(const std::vector<std::string> &cells) const;
    bool endTable();
    // A result of `guests` tosses read on line `number`, before it is pooled.
    bool sameGuests(int guests, long long number);
    // A copy made at `percent` % needing change, stated on line `number`.
    bool sameShare(int percent, long long number);
    bool addLowest(int guests, int lowest, long long number);
    bool addExperiments(long long count, long long number);

    // Fails with the message, showing the line numbered `number` (0: none).
    bool fail(std::string message, long long number);
    bool unreadable(std::string_view line, long long number);
    bool outOfRange(long long number, int lowest, int guests);
    bool tableUnreadable();

    Stage m_stage = Stage::Any;
    int m_tosses = 0; // Taluno1's toss rows just read
    int m_guests = 0;
    long long m_guestsLine = 0; // of the first result; 0 before it
    std::optional<int> m_percent;
    long long m_percentLine = 0;
    bool m_percentStated = false; // the line before held a share, for the toss rows under it
    long long m_experiments = 0;
    std::vector<int> m_lowests;
    struct Table
    {
        long long line = 0; // of お客人数
        int guests = 0;
        std::optional<int> experiments;
        int percent = fairChangePercent;
        long long percentLine = 0; // of its share, where it states one; else of お客人数
        std::vector<long long> counts; // laid out as m_lowests
        long long sum = 0;
        bool hasRows = false;
    } m_table;
    std::optional<PoolFailure> m_failure;
};

bool Pool::read(std::string_view line, long long number)
{
    const std::vector<std::string> cells = cellsOf(line);
    switch (m_stage) {
    case Stage::Any:
        break;
    case Stage::TableHead:
        return readTableHead(cells, line, number);
    case Stage::TableRows:
        if (!cells.empty() && wholeNumber(cells[0]))
            return readTableRow(cells, line, number);
        if (!endTable())
            return false;
        break;
    case Stage::CoinRows:
        if (!cells.empty() && cells[0].ends_with('%'))
            return true;
        m_stage = Stage::Any;
        break;
    case Stage::ShareRow:
        m_stage = Stage::Any;
        if (!cells.empty())
            return true;
        break;
    }
    return readAny(cells, line, number);
}

bool Pool::readAny(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    // Blank lines do not part Taluno1's toss rows from the lowest under them.
    if (cells.empty())
        return true;
    const std::string &label = cells[0];
    const bool percentStated = std::exchange(m_percentStated, false);
    if (cells.size() == 3 && label == CopyLabel::toss && cells[1] == CopyLabel::face && cells[2] == CopyLabel::balance) {
        m_tosses = 0;
        return percentStated || sameShare(fairChangePercent, number);
    }
    if (isTossRow(cells)) {
        ++m_tosses;
        return true;
    }
    const int tosses = std::exchange(m_tosses, 0);
    const std::optional<int> value = labelledNumber(cells);
    if (label == CopyLabel::walkLowest) {
        if (!value)
            return unreadable(line, number);
        return addLowest(tosses > 0 ? tosses : walkTossesMost, *value, number);
    }
    if (label == CopyLabel::guests) {
        if (!value || *value < tableGuestsLeast || *value > tableGuestsMost)
            return unreadable(line, number);
        if (!sameGuests(*value, number))
            return false;
        m_table = Table{number, *value, {}, fairChangePercent, number, std::vector<long long>(static_cast<std::size_t>(*value) + 2), 0, false};
        m_stage = Stage::TableHead;
        return true;
    }
    if (label == CopyLabel::changePercent) {
        const std::optional<int> percent = statedPercent(cells);
        if (!percent)
            return unreadable(line, number);
        m_percentStated = true;
        return sameShare(*percent, number);
    }
    if (label == CopyLabel::coinsEnough) {
        m_stage = Stage::CoinRows;
        return true;
    }
    if (label == CopyLabel::coinsPrepared) {
        m_stage = Stage::ShareRow;
        return true;
    }
    return readList(line, number);
}

// A toss row numbered on from the rows above it: k, 表 or 裏, the balance.
bool Pool::isTossRow(const std::vector<std::string> &cells) const
{
    return cells.size() == 3 && (cells[1] == headsText || cells[1] == tailsText) && wholeNumber(cells[2])
        && wholeNumber(cells[0]) == m_tosses + 1 && m_tosses < walkTossesMost;
}

bool Pool::readTableHead(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    if (cells.empty() || cells[0] == CopyLabel::mean)
        return true;
    if (cells[0] == CopyLabel::changePercent) {
        const std::optional<int> percent = statedPercent(cells);
        if (!percent)
            return unreadable(line, number);
        m_table.percent = *percent;
        m_table.percentLine = number;
        return true;
    }
    if (cells[0] == CopyLabel::experiments) {
        const std::optional<int> experiments = labelledNumber(cells);
        if (!experiments || *experiments < 1)
            return unreadable(line, number);
        m_table.experiments = experiments;
        return true;
    }
    if (cells.size() >= 2 && cells[0] == CopyLabel::lowest && cells[1] == CopyLabel::count && m_table.experiments) {
        m_stage = Stage::TableRows;
        return true;
    }
    return tableUnreadable();
}

bool Pool::readTableRow(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    const int lowest = *wholeNumber(cells[0]);
    const std::optional<int> count = cells.size() >= 2 ? wholeNumber(cells[1]) : std::nullopt;
    if (!count || *count < 0)
        return unreadable(line, number);
    if (lowest < -m_table.guests || lowest > 1)
        return outOfRange(number, lowest, m_table.guests);
    const long long added = std::min<long long>(*count, tableSumMost - m_table.sum);
    m_table.sum += added;
    m_table.counts[static_cast<std::size_t>(lowest + m_table.guests)] += added;
    m_table.hasRows = true;
    return true;
}

bool Pool::endTable()
{
    m_stage = Stage::Any;
    if (!m_table.hasRows)
        return tableUnreadable();
    if (m_table.sum != *m_table.experiments) {
        return fail(std::to_string(m_table.line) + "行目からの表の度数の合計（" + std::to_string(m_table.sum)
                    + "）が実験回数（" + std::to_string(*m_table.experiments) + "）と合いません。", m_table.line);
    }
    if (!sameShare(m_table.percent, m_table.percentLine) || !addExperiments(m_table.sum, m_table.line))
        return false;
    for (std::size_t k = 0; k < m_lowests.size(); ++k)
        m_lowests[k] += static_cast<int>(m_table.counts[k]);
    return true;
}

bool Pool::readList(std::string_view line, long long number)
{
    // Whole numbers, each a result; or, as a chat or a form copies them, words (a name), times and dates, which
    // are passed over, with one whole number, the result. Any other digits, or more or fewer numbers beside
    // words, cannot be read.
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
        if (const std::optional<int> lowest = wholeNumber(token))
            lowests.push_back(*lowest);
        else if (isTimeOrDate(token) || token.find_first_of("0123456789") == std::string::npos)
            words = words || !token.empty();
        else
            return unreadable(line, number);
        i += separator;
        start = i;
    }
    if (words && lowests.size() != 1) {
        return lowests.empty() ? unreadable(line, number)
                               : fail(std::to_string(number) + "行目は、どの数が結果か分かりません：「" + excerpt(line) + "」", number);
    }
    for (const int lowest : lowests) {
        if (!addLowest(listGuests, lowest, number))
            return false;
    }
    return true;
}

bool Pool::sameGuests(int guests, long long number)
{
    if (m_guestsLine == 0) {
        m_guests = guests;
        m_guestsLine = number;
        m_lowests.assign(static_cast<std::size_t>(guests) + 2, 0);
        return true;
    }
    if (guests == m_guests)
        return true;
    return fail("お客人数の違う結果はまとめられません：" + std::to_string(m_guests) + "人（" + std::to_string(m_guestsLine)
                + "行目）と" + std::to_string(guests) + "人（" + std::to_string(number) + "行目）。", number);
}

bool Pool::sameShare(int percent, long long number)
{
    if (!m_percent) {
        m_percent = percent;
        m_percentLine = number;
        return true;
    }
    if (percent == *m_percent)
        return true;
    return fail("お釣りの要る人の割合の違う結果はまとめられません：" + std::to_string(*m_percent) + "%（" + std::to_string(m_percentLine)
                + "行目）と" + std::to_string(percent) + "%（" + std::to_string(number) + "行目）。", number);
}

bool Pool::addLowest(int guests, int lowest, long long number)
{
    if (!sameGuests(guests, number))
        return false;
    if (lowest < -guests || lowest > 1)
        return outOfRange(number, lowest, guests);
    if (!addExperiments(1, number))
        return false;
    ++m_lowests[static_cast<std::size_t>(lowest + guests)];
    return true;
}

bool Pool::addExperiments(long long count, long long number)
{
    if (count > experimentsMost - m_experiments)
        return fail("実験回数の合計が多すぎます（" + std::to_string(experimentsMost) + "回まで）。", number);
    m_experiments += count;
    return true;
}

bool Pool::finish()
{
    switch (m_stage) {
    case Stage::TableHead: return tableUnreadable();
    case Stage::TableRows: return endTable();
    default: break;
    }
    return m_experiments > 0 || fail("まとめる結果がありません。", 0);
}

std::variant<PooledResults, PoolFailure> Pool::result() &&
{
    if (m_failure)
        return std::move(*m_failure);
    return PooledResults{m_guests, static_cast<int>(m_experiments), std::move(m_lowests), m_percent};
}

bool Pool::fail(std::string message, long long number)
{
    m_failure = PoolFailure{std::move(message), number};
    return false;
}

bool Pool::unreadable(std::string_view line, long long number)
{
    return fail(std::to_string(number) + "行目が読めません：「" + excerpt(line) + "」", number);
}

bool Pool::outOfRange(long long number, int lowest, int guests)
{
    return fail(std::to_string(number) + "行目の" + signedText(lowest) + "は、お客人数" + std::to_string(guests)
                + "人の不足枚数になりません（−" + std::to_string(guests) + "以上1以下）。", number);
}

bool Pool::tableUnreadable()
{
    return fail(std::to_string(m_table.line) + "行目からの表が読めません。", m_table.line);
}

} // namespace

std::variant<PooledResults, PoolFailure> poolClassResults(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // Characters, not bytes: every byte but those that continue a UTF-8 sequence.
    if (std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }) > pastedCharactersMost)
        return PoolFailure{tooMuchPastedText, 0};
    Pool pool;
    long long number = 0;
    bool read = true;
    for (std::size_t start = 0; read && start <= text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        read = pool.read(text.substr(start, end - start), ++number);
        start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
    }
    if (read)
        pool.finish();
    return std::move(pool).result();
}
