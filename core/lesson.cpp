#include "core/lesson.h"

#include "core/batchengine.h"
#include "core/decimals.h"
#include "core/texts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The copied text's line for the share of guests who need change: none at one half.
std::string changePercentLine(int changePercent)
{
    return changePercentNote(changePercent) ? text(Text::copyChangePercent) + ('\t' + std::to_string(changePercent)) + "%\n" : std::string();
}

// The coins that are enough: the column heads, then a row per share: the share in %, the coins enough by the run
// and by the law, each followed by `unit`.
CellTable coinsTable(const LessonRun &run, bool withUnit)
{
    const std::vector<double> counts(run.lowests.begin(), run.lowests.end());
    const std::vector<double> exact = lowestBalanceLaw(run.guests, run.changePercent);
    CellTable table{text(Text::copyCoinsEnough), {{"", text(Text::coinsRunColumn), text(Text::coinsLawColumn)}}};
    for (const int percent : coinShares) {
        const auto coins = [withUnit](int count) {
            return withUnit ? text(Text::coinsUnit, {{"coins", std::to_string(count)}}) : std::to_string(count);
        };
        table.rows.push_back({std::to_string(percent) + " %", coins(coinsEnough(counts, percent)), coins(coinsEnough(exact, percent))});
    }
    return table;
}

// Cells joined by tabs.
std::string tabbed(const std::vector<std::string> &cells)
{
    std::string line;
    for (const std::string &cell : cells)
        line += (&cell == &cells.front() ? "" : "\t") + cell;
    return line;
}

} // namespace

std::vector<double> lowestBalanceLaw(int guests, int changePercent)
{
    // The lowest balance of n guests is the first guest's coin plus the lower of 0 and the lowest balance of
    // the n - 1 guests after them, whose walk is as likely as any walk of n - 1 guests:
    // L(n) = X + min(0, L(n - 1)), with L(0) = 0. O(n^2), in doubles, as are all the lesson's weights: long doubles
    // are slow in a page.
    const double change = changePercent / 100.0;
    std::vector<double> law{1.0, 0.0}; // no guests: a lowest of 0 (index 0), never 1
    std::vector<double> folded;        // min(0, L(n - 1)), from -(n - 1) (index 0) to 0
    for (int n = 1; n <= guests; ++n) {
        folded.assign(law.begin(), law.end() - 1);
        folded.back() += law.back();
        law.assign(folded.size() + 2, 0.0);
        for (std::size_t k = 0; k < folded.size(); ++k) {
            law[k] += change * folded[k];             // one coin given as change
            law[k + 2] += (1.0 - change) * folded[k]; // one coin paid in
        }
    }
    return law;
}

std::vector<double> expectedCounts(int guests, int experiments, int lowestBin, int changePercent)
{
    const std::vector<double> law = lowestBalanceLaw(guests, changePercent);
    std::vector<double> expected(static_cast<std::size_t>(binCountFor(lowestBin)), 0.0);
    for (std::size_t k = 0; k < law.size(); ++k)
        expected[static_cast<std::size_t>(binOf(static_cast<int>(k) - guests, lowestBin) - 1)] += law[k] * experiments;
    return expected;
}

int coinsEnough(const std::vector<double> &weights, int percent)
{
    const int guests = static_cast<int>(weights.size()) - 2;
    double total = 0.0;
    for (const double weight : weights)
        total += weight;
    // c coins are enough where the lowest balance is -c or above.
    double covered = weights.back();
    for (int coins = 0; coins <= guests; ++coins) {
        covered += weights[static_cast<std::size_t>(guests - coins)];
        if (covered * 100 >= total * percent * (1.0 - 1e-12))
            return coins;
    }
    return guests;
}

int meanCoins(const std::vector<double> &law)
{
    const int guests = static_cast<int>(law.size()) - 2;
    double mean = 0.0;
    for (std::size_t k = 0; k < law.size(); ++k)
        mean += law[k] * (static_cast<int>(k) - guests);
    return std::max(0, static_cast<int>(std::ceil(-mean - 1e-12)));
}

double enoughWeight(const std::vector<double> &weights, int coins)
{
    const int guests = static_cast<int>(weights.size()) - 2;
    double enough = 0.0;
    for (int k = std::max(0, guests - coins); k < static_cast<int>(weights.size()); ++k)
        enough += weights[static_cast<std::size_t>(k)];
    return enough;
}

namespace {

// The share of the run's experiments for which `coins` coins were enough, in percent to one decimal.
std::string runPercent(const LessonRun &run, int coins)
{
    const std::vector<double> counts(run.lowests.begin(), run.lowests.end());
    return roundedDecimal(100 * std::llround(enoughWeight(counts, coins)), run.experiments, 1);
}

// The same share of the run's experiments and of the law's.
std::pair<std::string, std::string> sharePercents(const LessonRun &run, int coins)
{
    return {runPercent(run, coins), roundedDecimal(100 * enoughWeight(lowestBalanceLaw(run.guests, run.changePercent), coins), 1)};
}

} // namespace

std::string resultTable(const LessonRun &run, bool withLaw, bool withCoins, std::optional<int> shareCoins)
{
    std::string copied = text(Text::copyGuests) + ('\t' + std::to_string(run.guests)) + '\n' + text(Text::copyExperiments) + '\t'
        + std::to_string(run.experiments) + '\n' + changePercentLine(run.changePercent) + text(Text::copyMean) + '\t' + run.meanText
        + "\n\n" + text(Text::copyLowest) + '\t' + text(Text::copyCount) + "\t" + text(Text::copyRelative) + "\t" + text(Text::copyEnoughShare);
    if (withLaw)
        copied += "\t" + text(Text::copyLawCount);
    copied += '\n';
    const std::vector<double> law = withLaw ? lowestBalanceLaw(run.guests, run.changePercent) : std::vector<double>{};
    for (std::size_t k = 0; k < run.lowests.size(); ++k) {
        const int lowest = static_cast<int>(k) - run.guests;
        // A lowest of 1 needs no coin, as 0 does: its row has no share of its own.
        copied += std::to_string(lowest) + '\t' + std::to_string(run.lowests[k]) + '\t'
            + roundedDecimal(run.lowests[k], run.experiments, 3) + '\t' + (lowest <= 0 ? runPercent(run, -lowest) : std::string());
        if (withLaw)
            copied += '\t' + roundedDecimal(law[k] * run.experiments, 1);
        copied += '\n';
    }
    if (withCoins) {
        // The heading in the column heads' blank first cell.
        const CellTable coins = coinsTable(run, false);
        copied += '\n' + coins.heading;
        for (const std::vector<std::string> &row : coins.rows)
            copied += tabbed(row) + '\n';
    }
    if (shareCoins) {
        const auto [inRun, inLaw] = sharePercents(run, *shareCoins);
        copied += '\n' + text(Text::copyCoinsPrepared) + "\t" + text(Text::copyEnoughRun) + "\t" + text(Text::copyEnoughLaw) + "\n" + std::to_string(*shareCoins) + '\t' + inRun + '\t' + inLaw + '\n';
    }
    return copied;
}

CellTable coinsPanel(const LessonRun &run)
{
    return coinsTable(run, true);
}

std::string tossTable(const std::vector<bool> &heads, int changePercent)
{
    std::string copied = changePercentLine(changePercent) + text(Text::copyToss) + '\t' + text(Text::copyFace) + '\t' + text(Text::copyBalance) + '\n';
    int balance = 0;
    int lowest = static_cast<int>(heads.size()); // above any balance reached
    for (std::size_t toss = 0; toss < heads.size(); ++toss) {
        balance += heads[toss] ? 1 : -1;
        lowest = std::min(lowest, balance);
        copied += std::to_string(toss + 1) + '\t' + (heads[toss] ? text(Text::headsText) : text(Text::tailsText)) + '\t'
            + std::to_string(balance) + '\n';
    }
    return heads.empty() ? copied : copied + text(Text::copyWalkLowest) + '\t' + std::to_string(lowest) + '\n';
}

CellTable sharePanel(const LessonRun &run, int coins)
{
    const auto [inRun, inLaw] = sharePercents(run, coins);
    CellTable panel{text(Text::shareHeading, {{"coins", std::to_string(coins)}}),
                    {{text(Text::shareInRun, {{"percent", inRun}})}, {text(Text::shareInLaw, {{"percent", inLaw}})}}};
    if (const auto note = changePercentNote(run.changePercent))
        panel.rows.push_back({text(Text::shareNote, {{"note", *note}})});
    return panel;
}
