#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QString>

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

void installFonts()
{
    QFont::insertSubstitutions(msPGothicFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(msPGothic(9));
}
