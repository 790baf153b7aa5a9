#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <algorithm>
#include <cmath>

namespace {
const QString msPGothicFamily = QStringLiteral("ＭＳ Ｐゴシック");
}

QFont msPGothic(double points, bool bold)
{
    QFont font(msPGothicFamily);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont narrowedToFit(QFont font, const QString &text, double room)
{
    font.setStretch(QFont::AnyStretch);
    const double needed = QFontMetricsF(font).horizontalAdvance(text);
    if (needed > room)
        font.setStretch(std::max(50, static_cast<int>(100 * room / needed)));
    return font;
}

void installFonts()
{
    QFont::insertSubstitutions(msPGothicFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(msPGothic(9));
}
