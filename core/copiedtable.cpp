#include "core/copiedtable.h"

#include "core/batchengine.h"
#include "core/lesson.h"
#include "core/numberreader.h"
#include "core/pastedline.h"

#include <algorithm>

namespace {

constexpr long long sumMost = 1'000'000'000'000'000; // a table's sum stops growing here

} // namespace

CopiedTable::CopiedTable(int guests, long long line)
    : m_line(line)
    , m_guests(guests)
    , m_percent(fairChangePercent)
    , m_percentLine(line)
    , m_counts(static_cast<std::size_t>(guests) + 2)
{
}

bool CopiedTable::holds(const std::vector<std::string> &cells) const
{
    return !m_rowsNext || (!cells.empty() && readWholeNumber(cells[0]));
}

std::optional<PoolFailure> CopiedTable::read(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    if (m_rowsNext)
        return readRow(cells, line, number);
    if (cells.empty() || isTextInAnyLanguage(cells[0], Text::copyMean))
        return std::nullopt;
    if (isTextInAnyLanguage(cells[0], Text::copyExperiments)) {
        const std::optional<int> experiments = labelledNumber(cells);
        if (!experiments || *experiments < 1)
            return unreadableLine(line, number);
        m_experiments = experiments;
        return std::nullopt;
    }
    if (cells.size() >= 2 && isTextInAnyLanguage(cells[0], Text::copyLowest) && isTextInAnyLanguage(cells[1], Text::copyCount) && m_experiments) {
        m_rowsNext = true;
        return std::nullopt;
    }
    return PoolFailure{.kind = RefusalKind::TableUnreadable, .line = m_line};
}

std::optional<PoolFailure> CopiedTable::readRow(const std::vector<std::string> &cells, std::string_view line, long long number)
{
    const int lowest = *readWholeNumber(cells[0]);
    const std::optional<int> count = cells.size() >= 2 ? readWholeNumber(cells[1]) : std::nullopt;
    if (!count || *count < 0)
        return unreadableLine(line, number);
    if (lowest < -m_guests || lowest > 1)
        return PoolFailure{.kind = RefusalKind::LowestOutOfRange, .line = number, .found = lowest, .expected = m_guests};
    const long long added = std::min<long long>(*count, sumMost - m_sum);
    m_sum += added;
    m_counts[static_cast<std::size_t>(lowest + m_guests)] += added;
    m_hasRows = true;
    return std::nullopt;
}

void CopiedTable::stateShare(int percent, long long number)
{
    m_percent = percent;
    m_percentLine = number;
}

std::optional<PoolFailure> CopiedTable::end() const
{
    if (!m_hasRows)
        return PoolFailure{.kind = RefusalKind::TableUnreadable, .line = m_line};
    if (m_sum != *m_experiments)
        return PoolFailure{.kind = RefusalKind::CountsMismatch, .line = m_line, .found = m_sum, .expected = *m_experiments};
    return std::nullopt;
}
