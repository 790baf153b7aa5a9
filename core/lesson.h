#ifndef LESSON_H
#define LESSON_H

#include "core/batchengine.h"
#include "core/catalogue.h"

#include <optional>
#include <string>
#include <vector>

// What the lesson asks of a run: how likely each shortage is, how many coins are enough, and the
// results as a table to paste into a spreadsheet.

// The exact law of the lowest balance of a walk of `guests` tosses (the start not counted), `changePercent`
// in a hundred of them a guest who needs change: element k is the probability that the lowest balance is
// k - guests, for k = 0 .. guests + 1.
std::vector<double> lowestBalanceLaw(int guests, int changePercent = fairChangePercent);

// How many of `experiments` runs each bin of the tally should count by the exact law (bin 1 first).
std::vector<double> expectedCounts(int guests, int experiments, int lowestBin, int changePercent = fairChangePercent);

// The shares of the experiments for which the panel says how many coins are enough.
inline constexpr int coinShares[] = {50, 90, 95, 99};

// The fewest coins that are enough in at least `percent` % of the cases, for weights of the lowest
// balances laid out as the law's (a run's counts or the probabilities).
int coinsEnough(const std::vector<double> &weights, int percent);

// The coins for the law's mean lowest balance, rounded up (none where the mean is above 0).
int meanCoins(const std::vector<double> &law);

// The weight, laid out as the law's (a run's counts or the probabilities), of the lowest balances for
// which `coins` coins were enough: -coins or above.
double enoughWeight(const std::vector<double> &weights, int coins);

struct LessonRun
{
    int guests = 0;
    int experiments = 0;
    std::string meanText;     // as the window shows it
    std::vector<int> lowests; // as BatchResult::lowests
    int changePercent = fairChangePercent;
};

// The run as tab-separated text: the settings (the share of guests who need change where it is not one
// half) and mean, then a row per lowest balance the law allows,
// -guests first, with its count, relative frequency and the share of the experiments for which that
// many coins were enough, and with `withLaw` the expected count; with `withCoins` the coins that are
// enough, from the run and from the law; with `shareCoins` the share for that many coins.
std::string resultTable(const LessonRun &run, bool withLaw, bool withCoins, std::optional<int> shareCoins = {});

// A table the lesson shows beside a run, copies and captions: a heading, then rows of cells.
struct CellTable
{
    std::string heading;
    std::vector<std::vector<std::string>> rows;
    bool operator==(const CellTable &) const = default;
};

// The panel of coins that are enough: the column heads (the first blank), then a row per share with the run's
// answer and the law's, in coins ("7枚").
CellTable coinsPanel(const LessonRun &run);

// The share of the experiments for which `coins` coins were enough, from the run and from the law, in
// lines that read as one: the heading "8枚用意したら", then "足りた実験：63.4%", "（理論 63.2%）", and where it is
// not one half, "（お釣りの要る人：60%）", a cell a row.
CellTable sharePanel(const LessonRun &run, int coins);

// Taluno1's tosses made so far as tab-separated text: the share of guests who need change where it is not one
// half, then toss number, face and the balance after it, and last the lowest balance on a line of its own
// ("最低の釣り銭枚数\t-9"), which the class's results are pooled from.
std::string tossTable(const std::vector<bool> &heads, int changePercent = fairChangePercent);

#endif
