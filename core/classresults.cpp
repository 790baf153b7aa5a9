#include "core/classresults.h"

#include "core/copiedtable.h"
#include "core/layout.h"
#include "core/lesson.h"
#include "core/numberreader.h"
#include "core/pastedline.h"
#include "core/texts.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// A list holds the lowest balances of Taluno1's walks; a copy of one without its toss rows is of a whole walk.
using TossControls::tossCount;
constexpr int tableGuestsLeast = 10;
constexpr int tableGuestsMost = 1000;
constexpr long long experimentsMost = 10'000'000;

// The share of guests who need change on a copy's line of its own ("お釣りの要る人の割合\t60%"), 1 to 99 %.
std::optional<int> statedPercent(const std::vector<std::string> &cells)
{
    if (cells.size() != 2 || !cells[1].ends_with('%'))
        return std::nullopt;
    const std::optional<int> percent = readWholeNumber(std::string_view(cells[1]).substr(0, cells[1].size() - 1));
    return percent && *percent >= 1 && *percent <= 99 ? percent : std::nullopt;
}

// Reads the text a line at a time into the pool.
class Pool
{
public:
    // Reads the line numbered `number`; false, with the refusal set, where the text cannot be pooled.
    bool read(std::string_view line, long long number);
    // After the last line.
    bool finish();

    std::variant<PooledResults, PoolFailure> result() &&;

private:
    enum class Stage {
        Any,      // between results, or in a table (m_table)
        CoinRows, // under 何枚用意すればよいか: rows whose first cell ends in %
        ShareRow, // the row under 用意した枚数
    };

    bool readAny(const std::vector<std::string> &cells, std::string_view line, long long number);
    bool readShare(const std::vector<std::string> &cells, std::string_view line, long long number);
    bool readList(std::string_view line, long long number);
    bool isTossRow(const std::vector<std::string> &cells) const;
    bool endTable();
    // A result of `guests` tosses read on line `number`, before it is pooled.
    bool sameGuests(int guests, long long number);
    // A copy made at `percent` % needing change, stated on line `number`.
    bool sameShare(int percent, long long number);
    bool addLowest(int guests, int lowest, long long number);
    bool addExperiments(long long count, long long number);

    bool fail(PoolFailure refusal);
    // True where nothing is refused.
    bool passes(std::optional<PoolFailure> refusal);

    Stage m_stage = Stage::Any;
    std::optional<CopiedTable> m_table; // while its lines are read
    int m_tosses = 0; // Taluno1's toss rows just read
    int m_guests = 0;
    long long m_guestsLine = 0; // of the first result; 0 before it
    std::optional<int> m_percent;
    long long m_percentLine = 0;
    bool m_percentStated = false; // the line before held a share, for the toss rows under it
    long long m_experiments = 0;
    std::vector<int> m_lowests;
    std::optional<PoolFailure> m_failure;
};

bool Pool::read(std::string_view line, long long number)
{
    const std::vector<std::string> cells = cellsOf(line);
    if (m_table && m_table->holds(cells)) {
        const bool shareLine = !cells.empty() && isTextInAnyLanguage(cells[0], Text::copyChangePercent);
        return shareLine ? readShare(cells, line, number) : passes(m_table->read(cells, line, number));
    }
    if (m_table && !endTable())
        return false;
    switch (m_stage) {
    case Stage::Any:
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
    if (cells.size() == 3 && isTextInAnyLanguage(label, Text::copyToss) && isTextInAnyLanguage(cells[1], Text::copyFace) && isTextInAnyLanguage(cells[2], Text::copyBalance)) {
        m_tosses = 0;
        return percentStated || sameShare(fairChangePercent, number);
    }
    if (isTossRow(cells)) {
        ++m_tosses;
        return true;
    }
    const int tosses = std::exchange(m_tosses, 0);
    const std::optional<int> value = labelledNumber(cells);
    if (isTextInAnyLanguage(label, Text::copyWalkLowest)) {
        if (!value)
            return fail(unreadableLine(line, number));
        return addLowest(tosses > 0 ? tosses : tossCount, *value, number);
    }
    if (isTextInAnyLanguage(label, Text::copyGuests)) {
        if (!value || *value < tableGuestsLeast || *value > tableGuestsMost)
            return fail(unreadableLine(line, number));
        if (!sameGuests(*value, number))
            return false;
        m_table.emplace(*value, number);
        return true;
    }
    if (isTextInAnyLanguage(label, Text::copyChangePercent))
        return readShare(cells, line, number);
    if (isTextInAnyLanguage(label, Text::copyCoinsEnough)) {
        m_stage = Stage::CoinRows;
        return true;
    }
    if (isTextInAnyLanguage(label, Text::copyCoinsPrepared)) {
        m_stage = Stage::ShareRow;
        return true;
    }
    return readList(line, number);
}

// A share line: a table's own, or that of the copy of Taluno1's tosses under it.
bool Pool::readShare(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    const std::optional<int> percent = statedPercent(cells);
    if (!percent)
        return fail(unreadableLine(line, number));
    if (m_table) {
        m_table->stateShare(*percent, number);
        return true;
    }
    m_percentStated = true;
    return sameShare(*percent, number);
}

// A toss row numbered on from the rows above it: k, 表 or 裏, the balance.
bool Pool::isTossRow(const std::vector<std::string> &cells) const
{
    return cells.size() == 3 && (isTextInAnyLanguage(cells[1], Text::headsText) || isTextInAnyLanguage(cells[1], Text::tailsText)) && readWholeNumber(cells[2])
        && readWholeNumber(cells[0]) == m_tosses + 1 && m_tosses < tossCount;
}

bool Pool::endTable()
{
    const CopiedTable table = std::move(*m_table);
    m_table.reset();
    if (!passes(table.end()) || !sameShare(table.percent(), table.percentLine()) || !addExperiments(table.experiments(), table.line()))
        return false;
    for (std::size_t k = 0; k < m_lowests.size(); ++k)
        m_lowests[k] += static_cast<int>(table.counts()[k]);
    return true;
}

bool Pool::readList(std::string_view line, long long number)
{
    const std::variant<std::vector<int>, RefusalKind> lowests = listLowests(line);
    if (const RefusalKind *kind = std::get_if<RefusalKind>(&lowests))
        return fail({.kind = *kind, .line = number, .quoted = quotedLine(line)});
    for (const int lowest : std::get<std::vector<int>>(lowests)) {
        if (!addLowest(tossCount, lowest, number))
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
    return fail({.kind = RefusalKind::MixedGuests, .line = number, .found = guests, .expected = m_guests, .expectedLine = m_guestsLine});
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
    return fail({.kind = RefusalKind::MixedShares, .line = number, .found = percent, .expected = *m_percent, .expectedLine = m_percentLine});
}

bool Pool::addLowest(int guests, int lowest, long long number)
{
    if (!sameGuests(guests, number))
        return false;
    if (lowest < -guests || lowest > 1)
        return fail({.kind = RefusalKind::LowestOutOfRange, .line = number, .found = lowest, .expected = guests});
    if (!addExperiments(1, number))
        return false;
    ++m_lowests[static_cast<std::size_t>(lowest + guests)];
    return true;
}

bool Pool::addExperiments(long long count, long long number)
{
    if (count > experimentsMost - m_experiments)
        return fail({.kind = RefusalKind::TooManyExperiments, .line = number, .expected = experimentsMost});
    m_experiments += count;
    return true;
}

bool Pool::finish()
{
    if (m_table && !endTable())
        return false;
    return m_experiments > 0 || fail({.kind = RefusalKind::NothingToPool});
}

std::variant<PooledResults, PoolFailure> Pool::result() &&
{
    if (m_failure)
        return std::move(*m_failure);
    return PooledResults{m_guests, static_cast<int>(m_experiments), std::move(m_lowests), m_percent};
}

bool Pool::fail(PoolFailure refusal)
{
    m_failure = std::move(refusal);
    return false;
}

bool Pool::passes(std::optional<PoolFailure> refusal)
{
    return !refusal || fail(std::move(*refusal));
}

} // namespace

std::variant<PooledResults, PoolFailure> poolClassResults(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // Characters, not bytes: every byte but those that continue a UTF-8 sequence.
    if (std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }) > pastedCharactersMost)
        return PoolFailure{.kind = RefusalKind::TooMuchPasted};
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
