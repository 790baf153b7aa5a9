#include "kit/straightline.h"

#include "core/layout.h"

#include <QPainter>

#include <algorithm>

StraightLine::StraightLine(int x1, int y1, int x2, int y2, QWidget *parent)
    : QWidget(parent)
    , m_x1(x1)
    , m_y1(y1)
    , m_x2(x2)
    , m_y2(y2)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place(1.0, {});
}

void StraightLine::place(double scale, QPoint origin)
{
    m_width = std::max(1, qRound(scale));
    const QPoint a = origin + QPoint(pixelsFromTwips(m_x1, scale), pixelsFromTwips(m_y1, scale));
    const QPoint b = origin + QPoint(pixelsFromTwips(m_x2, scale), pixelsFromTwips(m_y2, scale));
    // The pixels of both ends, and the line's width right of and below them.
    const QRect bounds(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                       QPoint(std::max(a.x(), b.x()) + m_width - 1, std::max(a.y(), b.y()) + m_width - 1));
    setGeometry(bounds);
    m_from = a - bounds.topLeft();
    m_to = b - bounds.topLeft();
    update();
}

void StraightLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::WindowText);
    if (m_from.x() == m_to.x() || m_from.y() == m_to.y()) {
        painter.fillRect(rect(), colour);
        return;
    }
    painter.setPen(QPen(colour, m_width)); // in layout pixels: it scales with the screen
    const QPointF centre(m_width / 2.0, m_width / 2.0);
    painter.drawLine(QPointF(m_from) + centre, QPointF(m_to) + centre);
}
