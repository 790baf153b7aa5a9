#include "frequencygraph.h"

#include "surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
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
constexpr int firstTick = 10;
constexpr int tickStep = 10;

} // namespace

void drawFrequencyGraph(Surface &surface, const std::vector<int> &counts)
{
    const QColor black(0, 0, 0);
    const QColor lightBlue(0, 0, 255);

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

QFont graphFont(const QFont &font, double pixelsPerUnit)
{
    // Each number's middle moves with the word spacing at a rate of its own; the spacing that
    // brings all the middles nearest their ticks (least squares) is the one to use.
    QFont widened = font;
    widened.setWordSpacing(font.wordSpacing() + 1);
    const QFontMetricsF plain(font);
    const QFontMetricsF wide(widened);
    const QString row = QString::fromUtf16(axisNumbers);
    const auto middle = [&row](const QFontMetricsF &metrics, qsizetype start, qsizetype end) {
        return metrics.horizontalAdvance(row.left(end)) - metrics.horizontalAdvance(row.mid(start, end - start)) / 2;
    };
    double tick = firstTick * pixelsPerUnit;
    double weighted = 0;
    double squares = 0;
    for (qsizetype end = 0; end < row.size(); tick += tickStep * pixelsPerUnit) {
        qsizetype start = end;
        while (start < row.size() && row[start] == QLatin1Char(' '))
            ++start;
        end = start;
        while (end < row.size() && row[end] != QLatin1Char(' '))
            ++end;
        const double at = middle(plain, start, end);
        const double rate = middle(wide, start, end) - at;
        weighted += rate * (tick - at);
        squares += rate * rate;
    }
    QFont adjusted = font;
    if (squares > 0)
        adjusted.setWordSpacing(font.wordSpacing() + weighted / squares);
    return adjusted;
}
