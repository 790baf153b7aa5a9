#include "kit/coinpicture.h"

#include "core/layout.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// A nickel-brass coin with `mark` in its middle, `markSize` of its width high.
QPixmap markedCoin(const QString &mark, double markSize, bool bold, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF outer(0.5, 0.5, size - 1.0, size - 1.0);

    // Nickel-brass, lit from the upper left.
    QRadialGradient metal(outer.center() - QPointF(size * 0.18, size * 0.18), size * 0.75);
    metal.setColorAt(0.0, QColor(255, 244, 190));
    metal.setColorAt(0.55, QColor(222, 186, 92));
    metal.setColorAt(1.0, QColor(160, 118, 40));
    painter.setPen(QPen(QColor(110, 78, 20), size / 32.0));
    painter.setBrush(metal);
    painter.drawEllipse(outer);

    const qreal rimInset = size * 0.09;
    painter.setPen(QPen(QColor(140, 100, 30, 200), size / 40.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(outer.adjusted(rimInset, rimInset, -rimInset, -rimInset));

    QFont font(QString::fromUtf8(fontFamily));
    font.setBold(bold);
    font.setPixelSize(qMax(1, qRound(size * markSize)));
    painter.setFont(font);
    painter.setPen(QColor(70, 42, 0));
    painter.drawText(outer, Qt::AlignCenter, mark);
    return pixmap;
}

} // namespace

QPixmap coinPicture(const QString &mark, int size, qreal devicePixelRatio)
{
    // Regular weight: at 32 pixels the many strokes of a bold 裏 run together.
    return markedCoin(mark, 0.58, false, size, devicePixelRatio);
}

QPixmap yenCoinPicture(int size)
{
    return markedCoin(QStringLiteral("500"), 0.34, true, size, 1.0);
}

QIcon coinIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(yenCoinPicture(size));
    return icon;
}
