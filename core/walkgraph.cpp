#include "core/walkgraph.h"

#include "core/catalogue.h"
#include "core/layout.h"
#include "core/surface.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr Rgb black{0, 0, 0};
constexpr Rgb grey{192, 192, 192};
constexpr Rgb blue{0, 0, 255};
constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 160, 0};
constexpr int coinsLinePixels = 2;
constexpr int tosses = 100;
// The plot's edges in units: the numbers of the vertical axis stand left of it, those of the
// horizontal axis under it.
constexpr double plotLeft = 11;
constexpr double plotTop = 6;
constexpr double plotBottom = 86;

// How wide a number's text stands in units: its digits and sign about 0.6 em of the graph's font each.
double textWidth(const std::string &text)
{
    const Control &graph = tossWindowLayout().controls[TossControls::walkGraph];
    const double em = fontPixels(graph.points) * walkGraphWidth / (pixelsFromTwips(graph.width) - 4);
    return 0.6 * em * static_cast<double>(text.size());
}

// The balances after each toss, the start (0) first.
std::vector<int> balances(const std::vector<bool> &heads)
{
    std::vector<int> walk{0};
    for (const bool head : heads)
        walk.push_back(walk.back() + (head ? 1 : -1));
    return walk;
}

// A minus sign the back row can see.
std::string signedNumber(int value)
{
    return (value < 0 ? "−" : "") + std::to_string(std::abs(value));
}

} // namespace

double walkX(int toss)
{
    return plotLeft + toss;
}

double walkY(int balance, int bottom, int top)
{
    return plotTop + (top - balance) * (plotBottom - plotTop) / (top - bottom);
}

std::pair<int, int> walkRange(const std::vector<bool> &heads, std::optional<int> coins)
{
    const std::vector<int> walk = balances(heads);
    const auto [lowest, highest] = std::minmax_element(walk.begin(), walk.end());
    const int bottom = std::min(*lowest, -coins.value_or(0));
    return {std::min(-10, static_cast<int>(std::floor(bottom / 10.0)) * 10),
            std::max(10, static_cast<int>(std::ceil(*highest / 10.0)) * 10)};
}

void drawWalk(Surface &surface, const std::vector<bool> &heads, std::optional<int> coins)
{
    const std::vector<int> walk = balances(heads);
    const std::pair<int, int> range = walkRange(heads, coins);
    const auto y = [range](int balance) { return walkY(balance, range.first, range.second); };
    const auto [bottom, top] = range;

    for (int toss = 20; toss <= tosses; toss += 20)
        surface.line(walkX(toss), plotTop, walkX(toss), plotBottom, grey);
    // The numbers right-aligned left of the axis, level with their lines, and centred under the ticks.
    for (int balance = bottom; balance <= top; balance += 10) {
        surface.line(walkX(0), y(balance), walkX(tosses), y(balance), balance == 0 ? black : grey);
        const std::string number = std::to_string(balance);
        surface.setTextPosition(plotLeft - 0.5 - textWidth(number), y(balance) - 2);
        surface.printLine(number);
    }
    surface.line(walkX(0), plotTop, walkX(0), plotBottom, black);
    for (int toss = 0; toss <= tosses; toss += 20) {
        const std::string number = std::to_string(toss);
        surface.setTextPosition(walkX(toss) - textWidth(number) / 2, plotBottom + 1);
        surface.printLine(number);
    }

    if (coins)
        surface.line(walkX(0), y(-*coins), walkX(tosses), y(-*coins), green, coinsLinePixels);
    if (heads.empty())
        return;
    for (std::size_t toss = 1; toss < walk.size(); ++toss) {
        surface.line(walkX(static_cast<int>(toss) - 1), y(walk[toss - 1]), walkX(static_cast<int>(toss)), y(walk[toss]),
                     blue, walkLinePixels);
    }
    const auto lowest = std::min_element(walk.begin() + 1, walk.end());
    const int at = static_cast<int>(lowest - walk.begin());
    surface.line(walkX(0), y(*lowest), walkX(tosses), y(*lowest), red);
    surface.box(walkX(at) - 1, y(*lowest) - 1.5, walkX(at) + 1, y(*lowest) + 1.5, red);
}

namespace {

// What the label under the walk says, as a line and the line under it (empty where there is none).
std::pair<std::string, std::string> lowestSoFarLines(const std::vector<bool> &heads, std::optional<int> coins)
{
    const std::vector<int> walk = balances(heads);
    if (coins) {
        const std::string prepared = std::to_string(*coins);
        const auto ranOut = std::find_if(walk.begin(), walk.end(), [&coins](int balance) { return balance < -*coins; });
        if (ranOut != walk.end())
            return {text(Text::walkNotEnough, {{"coins", prepared}}), text(Text::walkRanOutAt, {{"guest", std::to_string(ranOut - walk.begin())}})};
        return {text(Text::walkEnough, {{"coins", prepared}}),
                text(Text::walkEnoughLowest, {{"lowest", heads.empty() ? "—" : signedNumber(*std::min_element(walk.begin() + 1, walk.end()))}})};
    }
    if (heads.empty())
        return {text(Text::walkLowestSoFar, {{"lowest", "—"}}), {}};
    const int lowest = *std::min_element(walk.begin() + 1, walk.end());
    return {text(Text::walkLowestSoFar, {{"lowest", signedNumber(lowest)}}),
            lowest < 0 ? text(Text::walkCoinsNeeded, {{"coins", std::to_string(-lowest)}}) : text(Text::walkNoCoinsNeeded)};
}

} // namespace

std::string lowestSoFarText(const std::vector<bool> &heads, std::optional<int> coins)
{
    const auto [line, under] = lowestSoFarLines(heads, coins);
    return under.empty() ? line : line + '\n' + under;
}

std::string describeWalk(const std::vector<bool> &heads, std::optional<int> coins)
{
    if (heads.empty())
        return text(Text::walkNotYet);
    const std::vector<int> walk = balances(heads);
    const auto [line, under] = lowestSoFarLines(heads, coins);
    return text(Text::walkDescription, {{"tosses", std::to_string(heads.size())}, {"balance", std::to_string(walk.back())}, {"line", line}, {"under", under}});
}
