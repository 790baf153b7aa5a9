#include "frequencygraph.h"

#include "surface.h"

#include <QColor>
#include <QString>

namespace {

constexpr int binCount = 120;
constexpr int axisY = 280; // count 0

struct PlacedText
{
    double x;
    double y;
    const char16_t *text;
};

// Each grid label stands 3 units above its line.
constexpr PlacedText texts[] = {
    {5, 7, u"（縦軸は実験回数）"},
    {105, 7, u"（横軸は不足枚数）"},
    {5, 27, u"250"},
    {5, 77, u"200"},
    {5, 127, u"150"},
    {5, 177, u"100"},
    {5, 227, u"50"},
};

// The blanks place each number near its tick in the surface's proportional font.
constexpr char16_t axisNumbers[] =
    u"        -110    -100     -90      -80      -70      -60     -50      -40      -30      -20      -10       0";

} // namespace

void drawFrequencyGraph(Surface &surface, const std::vector<int> &counts)
{
    const QColor black(0, 0, 0);
    const QColor lightBlue(0, 0, 255);

    surface.line(3, axisY, 127, axisY, black);
    for (int x = 10; x <= 120; x += 10)
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
        surface.printLine(QString::fromUtf16(placed.text));
    }

    for (int bin = 1; bin <= binCount; ++bin) {
        const double count = bin <= static_cast<int>(counts.size()) ? counts[static_cast<std::size_t>(bin - 1)] : 0;
        surface.box(bin + 4, axisY, bin + 5, axisY - count, lightBlue);
    }

    // The row goes one line below the axis, wherever the last bar left the text position.
    surface.setTextPosition(0, axisY);
    surface.printLine(QString());
    surface.printLine(QString::fromUtf16(axisNumbers));
}
