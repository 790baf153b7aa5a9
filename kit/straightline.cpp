#include "kit/straightline.h"

#include "core/layout.h"

#include <QPainter>

#include <algorithm>

StraightLine::StraightLine(int x1, int y1, int x2, int y2, QWidget *parent)
    : QWidget(parent)
{
    const QPoint a(pixelsFromTwips(x1), pixelsFromTwips(y1));
    const QPoint b(pixelsFromTwips(x2), pixelsFromTwips(y2));
    const QRect bounds(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                       QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    setGeometry(bounds);
    m_from = a - bounds.topLeft();
    m_to = b - bounds.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StraightLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1)); // one layout pixel: it scales with the screen
    painter.drawLine(m_from, m_to);
}
