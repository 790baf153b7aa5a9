#include "kit/fonts.h"

#include "core/layout.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <algorithm>

QFont msPGothic(double points, bool bold, double scale)
{
    QFont font(QString::fromUtf8(fontFamily));
    font.setPixelSize(fontPixels(points, scale));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont narrowedToFit(QFont font, const QString &text, double room)
{
    font.setStretch(QFont::AnyStretch);
    const QFontMetricsF metrics(font);
    double needed = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        needed = std::max(needed, metrics.horizontalAdvance(line));
    if (needed > room)
        font.setStretch(std::max(50, static_cast<int>(100 * room / needed)));
    return font;
}

void installFonts()
{
    QFont::insertSubstitutions(QString::fromUtf8(fontFamily),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(msPGothic(defaultPoints));
}
