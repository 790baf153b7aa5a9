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
};

// Why pasted results could not be pooled: what the teacher is told, and the line to show them (1 first; 0: none).
struct PoolFailure
{
    std::string message;
    long long line = 0;
};

// Reads pasted results: lists of lowest balances of 100-toss walks, Taluno1's copied tosses, or tables
// copied from Taluno2 and Taluno3, in any mix of the same guest count and share of guests who need change
// (a copy without its share line was made at one half). On failure, the message that says what could not be
// read and where; nothing is pooled.
std::variant<PooledResults, PoolFailure> poolClassResults(std::string_view text);

#endif
