#include "core/lesson.h"

#include "core/batchengine.h"
#include "core/decimals.h"
#include "core/texts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Probability that a walk of n fair tosses ends at k.
long double endsAt(int n, int k)
{
    if ((n + k) % 2 != 0 || k > n || k < -n)
        return 0.0L;
    const int heads = (n + k) / 2;
    return std::exp(std::lgamma(n + 1.0L) - std::lgamma(heads + 1.0L) - std::lgamma(n - heads + 1.0L)
                    - n * std::log(2.0L));
}

// A row per share: the share in %, the coins enough by the run and by the law.
std::vector<std::string> coinRows(const LessonRun &run, const char *unit)
{
    const std::vector<long double> counts(run.lowests.begin(), run.lowests.end());
    const std::vector<long double> exact = lowestBalanceLaw(run.guests);
    std::vector<std::string> rows;
    for (const int percent : coinShares) {
        rows.push_back(std::to_string(percent) + " %\t" + std::to_string(coinsEnough(counts, percent)) + unit + '\t'
                       + std::to_string(coinsEnough(exact, percent)) + unit);
    }
    return rows;
}

} // namespace

std::vector<long double> lowestBalanceLaw(int guests)
{
    // By reflection, P(lowest <= -j) = P(end <= -j) + P(end < -j) for j >= 1, so that
    // P(lowest = -j) = P(end = -j) + P(end = -j - 1). The walk stays above 0 throughout with
    // probability C(2m, m) / 4^m / 2 (m = guests div 2): its lowest is then 1. Zero takes the rest.
    const auto n = static_cast<std::size_t>(guests);
    std::vector<long double> law(n + 2, 0.0L);
    long double rest = 1.0L;
    for (int j = 1; j <= guests; ++j) {
        law[n - static_cast<std::size_t>(j)] = endsAt(guests, -j) + endsAt(guests, -j - 1);
        rest -= law[n - static_cast<std::size_t>(j)];
    }
    const int m = guests / 2;
    law[n + 1] = guests > 0 ? 0.5L * endsAt(2 * m, 0) : 0.0L;
    law[n] = rest - law[n + 1];
    return law;
}

std::vector<long double> expectedCounts(int guests, int experiments, int lowestBin)
{
    const std::vector<long double> law = lowestBalanceLaw(guests);
    std::vector<long double> expected(static_cast<std::size_t>(binCountFor(lowestBin)), 0.0L);
    for (std::size_t k = 0; k < law.size(); ++k)
        expected[static_cast<std::size_t>(binOf(static_cast<int>(k) - guests, lowestBin) - 1)] += law[k] * experiments;
    return expected;
}

int coinsEnough(const std::vector<long double> &weights, int percent)
{
    const int guests = static_cast<int>(weights.size()) - 2;
    long double total = 0.0L;
    for (const long double weight : weights)
        total += weight;
    // c coins are enough where the lowest balance is -c or above.
    long double covered = weights.back();
    for (int coins = 0; coins <= guests; ++coins) {
        covered += weights[static_cast<std::size_t>(guests - coins)];
        if (covered * 100 >= total * percent * (1.0L - 1e-12L))
            return coins;
    }
    return guests;
}

long double enoughWeight(const std::vector<long double> &weights, int coins)
{
    const int guests = static_cast<int>(weights.size()) - 2;
    long double enough = 0.0L;
    for (int k = std::max(0, guests - coins); k < static_cast<int>(weights.size()); ++k)
        enough += weights[static_cast<std::size_t>(k)];
    return enough;
}

namespace {

// The share of the run's experiments for which `coins` coins were enough, in percent to one decimal.
std::string runPercent(const LessonRun &run, int coins)
{
    const std::vector<long double> counts(run.lowests.begin(), run.lowests.end());
    return roundedDecimal(100 * std::llround(enoughWeight(counts, coins)), run.experiments, 1);
}

// The same share of the run's experiments and of the law's.
std::pair<std::string, std::string> sharePercents(const LessonRun &run, int coins)
{
    return {runPercent(run, coins), roundedDecimal(100 * enoughWeight(lowestBalanceLaw(run.guests), coins), 1)};
}

} // namespace

std::string resultTable(const LessonRun &run, bool withLaw, bool withCoins, std::optional<int> shareCoins)
{
    std::string text = "お客人数\t" + std::to_string(run.guests) + "\n実験回数\t" + std::to_string(run.experiments)
        + "\n不足枚数の平均\t" + run.meanText + "\n\n不足枚数\t度数\t相対度数\t足りた割合 (%)";
    if (withLaw)
        text += "\t理論度数";
    text += '\n';
    const std::vector<long double> law = withLaw ? lowestBalanceLaw(run.guests) : std::vector<long double>{};
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
        text += "\n何枚用意すればよいか\t実験\t理論\n";
        for (const std::string &row : coinRows(run, ""))
            text += row + '\n';
    }
    if (shareCoins) {
        const auto [inRun, inLaw] = sharePercents(run, *shareCoins);
        text += "\n用意した枚数\t足りた実験 (%)\t理論 (%)\n" + std::to_string(*shareCoins) + '\t' + inRun + '\t' + inLaw + '\n';
    }
    return text;
}

std::vector<std::string> coinsPanel(const LessonRun &run)
{
    std::vector<std::string> lines{"何枚用意すればよいか", "\t実験\t理論"};
    for (std::string &row : coinRows(run, "枚"))
        lines.push_back(std::move(row));
    return lines;
}

std::string tossTable(const std::vector<bool> &heads)
{
    std::string text = "回数\t表/裏\t釣り銭枚数\n";
    int balance = 0;
    for (std::size_t toss = 0; toss < heads.size(); ++toss) {
        balance += heads[toss] ? 1 : -1;
        text += std::to_string(toss + 1) + '\t' + (heads[toss] ? headsText : tailsText) + '\t'
            + std::to_string(balance) + '\n';
    }
    return text;
}

std::vector<std::string> sharePanel(const LessonRun &run, int coins)
{
    const auto [inRun, inLaw] = sharePercents(run, coins);
    return {std::to_string(coins) + "枚用意したら", "足りた実験：" + inRun + "%", "（理論 " + inLaw + "%）"};
}
