#include "core/frequencygraph.h"

#include "core/batchengine.h"
#include "core/catalogue.h"
#include "core/surface.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int binCount = 120;
constexpr int axisY = 280; // count 0

struct PlacedText
{
    double x;
    double y;
    Text text;
};

constexpr PlacedText texts[] = {
    {5, 7, Text::graphVerticalAxis},
    {105, 7, Text::graphHorizontalAxis},
};
// The solid grid lines, a fifth of the top apart; each label stands 3 units above its line.
constexpr int gridStep = 50;
constexpr int gridTop = axisY - 5 * gridStep;

// The units a count rises on the axis of `top`.
double unitsPerCount(int top)
{
    return static_cast<double>(axisY - gridTop) / top;
}

// The shortage that bin `bin` (0-based) of `bins` counts, as a pupil would say it.
std::string shortageOfBin(std::size_t bin, std::size_t bins, int lowestBin)
{
    if (bin == 0)
        return text(Text::binAtMost, {{"value", std::to_string(lowestBin - 1)}});
    if (bin + 1 == bins)
        return text(Text::binAtLeast, {{"value", std::to_string(highestSingleValue + 1)}});
    return std::to_string(lowestBin + static_cast<int>(bin) - 1);
}

} // namespace

int pooledGraphTop(const std::vector<int> &counts)
{
    const int most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    for (const int top : {5, 10, 25, 50, 100, 250, 500, 1000, 2500}) {
        if (most * unitsPerCount(top) <= axisY - 10) // the top edge of the vertical axis
            return top;
    }
    return 5000;
}

void drawFrequencyGraph(Surface &surface, const std::vector<int> &counts, int top)
{
    constexpr Rgb black{0, 0, 0};
    constexpr Rgb lightBlue{0, 0, 255};

    surface.line(3, axisY, 127, axisY, black);
    for (int x = firstTick; x <= 120; x += tickStep)
        surface.line(x, axisY - 2, x, axisY + 5, black);
    surface.line(3, axisY, 3, 10, black);
    for (int y = axisY; y >= 20; y -= 10)
        surface.line(2, y, 4, y, black);
    for (int y = 270; y >= 30; y -= 10) {
        for (int x = 11; x <= 127; x += 2)
            surface.line(x, y, x + 1, y, black);
    }
    for (int y = 230; y >= 30; y -= 50)
        surface.line(11, y, 127, y, black);

    for (const PlacedText &placed : texts) {
        surface.setTextPosition(placed.x, placed.y);
        surface.printLine(text(placed.text));
    }
    for (int line = 5; line >= 1; --line) {
        surface.setTextPosition(5, axisY - line * gridStep - 3);
        surface.printNumber(std::to_string(top / 5 * line));
    }

    for (int bin = 1; bin <= binCount; ++bin) {
        const double count = bin <= static_cast<int>(counts.size()) ? counts[static_cast<std::size_t>(bin - 1)] : 0;
        surface.box(bin + 4, axisY, bin + 5, axisY - count * unitsPerCount(top), lightBlue);
    }

    // The row goes one line below the axis, wherever the last bar left the text position.
    surface.setTextPosition(0, axisY);
    surface.printLine({});
    surface.printAxisRow(axisNumberRow, firstTick, tickStep);
}

void drawExpectedMarks(Surface &surface, const std::vector<double> &expected, int top)
{
    // Wider than a bar and four pixels high, centred on the expected count: seen from the back row.
    constexpr double halfHeight = 1.5;
    constexpr double overhang = 0.25;
    for (int bin = 1; bin <= static_cast<int>(expected.size()) && bin <= binCount; ++bin) {
        const double count = static_cast<double>(expected[static_cast<std::size_t>(bin - 1)]);
        const double height = count * unitsPerCount(top);
        if (count >= 0.5 && height <= axisY) {
            surface.box(bin + 4 - overhang, axisY - height - halfHeight, bin + 5 + overhang, axisY - height + halfHeight,
                        lawColour);
        }
    }
}

std::string describeGraph(const std::vector<int> &counts, int lowestBin)
{
    const int total = std::accumulate(counts.begin(), counts.end(), 0);
    std::string description = text(Text::graphDescription, {{"total", std::to_string(total)}});
    if (total == 0)
        return description;
    const int most = *std::max_element(counts.begin(), counts.end());
    std::string modes;
    int modeCount = 0;
    std::size_t first = counts.size();
    std::size_t last = 0;
    for (std::size_t bin = 0; bin < counts.size(); ++bin) {
        if (counts[bin] == 0)
            continue;
        first = std::min(first, bin);
        last = bin;
        if (counts[bin] == most) {
            modes += (modeCount++ ? text(Text::graphModeJoiner) : std::string()) + shortageOfBin(bin, counts.size(), lowestBin);
        }
    }
    description += text(modeCount == 1 ? Text::graphModeOne : Text::graphModeMany, {{"modes", modes}, {"count", std::to_string(most)}});
    if (first == last)
        description += text(Text::graphAllAt, {{"value", shortageOfBin(first, counts.size(), lowestBin)}});
    else
        description += text(Text::graphRange, {{"first", shortageOfBin(first, counts.size(), lowestBin)}, {"last", shortageOfBin(last, counts.size(), lowestBin)}});
    return description;
}
