#include "kit/graphfont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

QFont graphFont(const QFont &font, const QString &row, double pixelsPerUnit, double firstTick, double tickStep)
{
    // Each number's middle moves with the word spacing at a rate of its own; the spacing that
    // brings all the middles nearest their ticks (least squares) is the one to use.
    QFont widened = font;
    widened.setWordSpacing(font.wordSpacing() + 1);
    const QFontMetricsF plain(font);
    const QFontMetricsF wide(widened);
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
