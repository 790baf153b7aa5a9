#ifndef COPIEDTABLE_H
#define COPIEDTABLE_H

#include "core/classresults.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table copied from Taluno2 or Taluno3, read a line at a time from under its お客人数 line to its last
// frequency row.
class CopiedTable
{
public:
    // The table whose お客人数 line, numbered `line`, gives `guests`.
    CopiedTable(int guests, long long line);

    // Whether the line with these cells is the table's: any line of its head, then its frequency rows.
    bool holds(const std::vector<std::string> &cells) const;
    // Reads a line the table holds, but for a share line (stateShare); the refusal where it cannot.
    std::optional<PoolFailure> read(const std::vector<std::string> &cells, std::string_view line, long long number);
    void stateShare(int percent, long long number);
    // After its last line: the refusal where it has no rows or its counts do not add up to its 実験回数.
    std::optional<PoolFailure> end() const;

    long long line() const { return m_line; }
    int percent() const { return m_percent; }
    // The line of its share: its share line, else its お客人数 line (one half).
    long long percentLine() const { return m_percentLine; }
    // How often each lowest balance came, laid out as PooledResults::lowests; they add up to its 実験回数.
    const std::vector<long long> &counts() const { return m_counts; }
    long long experiments() const { return m_sum; }

private:
    std::optional<PoolFailure> readRow(const std::vector<std::string> &cells, std::string_view line, long long number);

    long long m_line;
    int m_guests;
    std::optional<int> m_experiments;
    int m_percent;
    long long m_percentLine;
    bool m_rowsNext = false; // the frequency rows' heading is read
    std::vector<long long> m_counts;
    long long m_sum = 0;
    bool m_hasRows = false;
};

#endif
