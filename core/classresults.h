#ifndef CLASSRESULTS_H
#define CLASSRESULTS_H

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The class's results pooled: as many experiments of `guests` tosses as were read.
struct PooledResults
{
    int guests = 0;
    int experiments = 0;
    std::vector<int> lowests; // how often each lowest balance came, from -guests (index 0) up to 1 (size guests + 2)
    // The share of guests who need change that the copies were made at; none where only lowest balances were given.
    std::optional<int> changePercent;

    bool operator==(const PooledResults &) const = default;
};

// Why pasted results could not be pooled; refusalText (core/texts.h) words each for the teacher.
enum class RefusalKind {
    None,                // nothing refused: the box asked afresh; the reader never gives it
    TooMuchPasted,       // more than pastedCharactersMost characters, not read
    NothingToPool,       // no result in the text
    Unreadable,          // `quoted` is the line
    NumberUnclear,       // words beside more than one number; `quoted` is the line
    LowestOutOfRange,    // `found` is no lowest balance of `expected` guests: below -expected or above 1
    MixedGuests,         // `found` guests, where line `expectedLine` had `expected`
    MixedShares,         // `found` % needing change, where line `expectedLine` had `expected` %
    TableUnreadable,     // the table from line `line` is cut off, or its head or rows are missing
    CountsMismatch,      // the counts of the table from line `line` add up to `found`, its 実験回数 says `expected`
    TooManyExperiments,  // more experiments in all than `expected`
};

// A refusal: its kind, the line to show (1 first; 0: none) and the values its wording quotes.
struct PoolFailure
{
    RefusalKind kind = RefusalKind::None;
    long long line = 0;
    std::string quoted{}; // the line as quoted: controls and direction marks as blanks, trimmed, cut at 20 characters
    long long found = 0;
    long long expected = 0;
    long long expectedLine = 0;

    bool operator==(const PoolFailure &) const = default;
};

// Reads pasted results: lists of lowest balances of 100-toss walks, Taluno1's copied tosses, or tables
// copied from Taluno2 and Taluno3, in any mix of the same guest count and share of guests who need change
// (a copy without its share line was made at one half). On failure, what could not be read and where;
// nothing is pooled.
std::variant<PooledResults, PoolFailure> poolClassResults(std::string_view text);

#endif
