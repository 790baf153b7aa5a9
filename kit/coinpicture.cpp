#include "coinpicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

QPixmap coinPicture(CoinFace face, int size, qreal devicePixelRatio)
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

    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setBold(true);
    QString mark;
    switch (face) {
    case CoinFace::Yen500:
        mark = QStringLiteral("500");
        font.setPixelSize(qMax(1, qRound(size * 0.34)));
        break;
    case CoinFace::Heads:
        // Regular weight: at 32 pixels the many strokes of a bold 裏 run together.
        mark = QStringLiteral("表");
        font.setBold(false);
        font.setPixelSize(qMax(1, qRound(size * 0.58)));
        break;
    case CoinFace::Tails:
        mark = QStringLiteral("裏");
        font.setBold(false);
        font.setPixelSize(qMax(1, qRound(size * 0.58)));
        break;
    }
    painter.setFont(font);
    painter.setPen(QColor(70, 42, 0));
    painter.drawText(outer, Qt::AlignCenter, mark);
    return pixmap;
}

QIcon coinIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(coinPicture(CoinFace::Yen500, size));
    return icon;
}
