#include "kit/coinimage.h"

#include <QPainter>

#include <algorithm>

CoinImage::CoinImage(const QString &mark, QWidget *parent)
    : QWidget(parent)
    , m_mark(mark)
{
}

void CoinImage::paintEvent(QPaintEvent *)
{
    // The spin shows a picture a hundred times a second: it is painted anew only for a new scale.
    const qreal ratio = devicePixelRatioF();
    const int side = std::min(width(), height());
    if (m_picture.isNull() || m_picture.devicePixelRatio() != ratio || m_picture.deviceIndependentSize().width() != side)
        m_picture = coinPicture(m_mark, side, ratio);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
