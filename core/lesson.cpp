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
    return changePercentNote(changePercent) ? CopyLabel::changePercent + ('\t' + std::to_string(changePercent)) + "%\n" : std::string();
}

// The coins that are enough: the column heads, then a row per share: the share in %, the coins enough by the run
// and by the law, each followed by `unit`.
CellTable coinsTable(const LessonRun &run, const char *unit)
{
    const std::vector<double> counts(run.lowests.begin(), run.lowests.end());
    const std::vector<double> exact = lowestBalanceLaw(run.guests, run.changePercent);
    CellTable table{CopyLabel::coinsEnough, {{"", "実験", "理論"}}};
    for (const int percent : coinShares) {
        table.rows.push_back({std::to_string(percent) + " %", std::to_string(coinsEnough(counts, percent)) + unit,
                              std::to_string(coinsEnough(exact, percent)) + unit});
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
    std::string text = CopyLabel::guests + ('\t' + std::to_string(run.guests)) + '\n' + CopyLabel::experiments + '\t'
        + std::to_string(run.experiments) + '\n' + changePercentLine(run.changePercent) + CopyLabel::mean + '\t' + run.meanText
        + "\n\n" + CopyLabel::lowest + '\t' + CopyLabel::count + "\t相対度数\t足りた割合 (%)";
    if (withLaw)
        text += "\t理論度数";
    text += '\n';
    const std::vector<double> law = withLaw ? lowestBalanceLaw(run.guests, run.changePercent) : std::vector<double>{};
    for (std::size_t k = 0; k < run.lowests.size(); ++k) {
        const int lowest = static_cast<int>(k) - run.guests;
        // A lowest of 1 needs no coin, as 0 does: its row has no share of its own.
        text += std::to_string(lowest) + '\t' + std::to_string(run.lowests[k]) + '\t'
            + roundedDecimal(run.lowests[k], run.experiments, 3) + '\t' + (lowest <= 0 ? runPercent(run, -lowest) : std::string());
        if (withLaw)
            text += '\t' + roundedDecimal(law[k] * run.experiments, 1);
        text += '\n';
    }
    if (withCoins) {
        // The heading in the column heads' blank first cell.
        const CellTable coins = coinsTable(run, "");
        text += '\n' + coins.heading;
        for (const std::vector<std::string> &row : coins.rows)
            text += tabbed(row) + '\n';
    }
    if (shareCoins) {
        const auto [inRun, inLaw] = sharePercents(run, *shareCoins);
        text += '\n' + std::string(CopyLabel::coinsPrepared) + "\t足りた実験 (%)\t理論 (%)\n" + std::to_string(*shareCoins) + '\t' + inRun + '\t' + inLaw + '\n';
    }
    return text;
}

CellTable coinsPanel(const LessonRun &run)
{
    return coinsTable(run, "枚");
}

std::string tossTable(const std::vector<bool> &heads, int changePercent)
{
    std::string text = changePercentLine(changePercent) + CopyLabel::toss + '\t' + CopyLabel::face + '\t' + CopyLabel::balance + '\n';
    int balance = 0;
    int lowest = static_cast<int>(heads.size()); // above any balance reached
    for (std::size_t toss = 0; toss < heads.size(); ++toss) {
        balance += heads[toss] ? 1 : -1;
        lowest = std::min(lowest, balance);
        text += std::to_string(toss + 1) + '\t' + (heads[toss] ? headsText : tailsText) + '\t'
            + std::to_string(balance) + '\n';
    }
    return heads.empty() ? text : text + CopyLabel::walkLowest + '\t' + std::to_string(lowest) + '\n';
}

CellTable sharePanel(const LessonRun &run, int coins)
{
    const auto [inRun, inLaw] = sharePercents(run, coins);
    CellTable panel{std::to_string(coins) + "枚用意したら", {{"足りた実験：" + inRun + "%"}, {"（理論 " + inLaw + "%）"}}};
    if (const auto note = changePercentNote(run.changePercent))
        panel.rows.push_back({"（" + *note + "）"});
    return panel;
}
