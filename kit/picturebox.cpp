#include "picturebox.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
    , m_background(palette().color(QPalette::Button))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void PictureBox::setScale(double width, double height)
{
    m_scaleWidth = width;
    m_scaleHeight = height;
}

void PictureBox::setBackground(const QColor &colour)
{
    m_background = colour;
    clear();
}

QPointF PictureBox::toPixels(double x, double y) const
{
    const QSize inner = contentsRect().size();
    const double sx = m_scaleWidth > 0 ? inner.width() / m_scaleWidth : 1.0;
    const double sy = m_scaleHeight > 0 ? inner.height() / m_scaleHeight : 1.0;
    return {x * sx, y * sy};
}

void PictureBox::ensurePixmap()
{
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = contentsRect().size() * ratio;
    if (m_pixmap.size() == wanted && m_pixmap.devicePixelRatio() == ratio)
        return;
    m_pixmap = QPixmap(wanted);
    m_pixmap.setDevicePixelRatio(ratio);
    m_pixmap.fill(m_background);
}

void PictureBox::clear()
{
    ensurePixmap();
    m_pixmap.fill(m_background);
    m_textPosition = {0, 0};
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, const QColor &colour)
{
    ensurePixmap();
    QPainter painter(&m_pixmap);
    painter.setPen(QPen(colour, 0)); // one device pixel at any scale
    painter.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    m_textPosition = {x2, y2};
    update();
}

void PictureBox::box(double x1, double y1, double x2, double y2, const QColor &colour)
{
    ensurePixmap();
    QPainter painter(&m_pixmap);
    const QPointF a = toPixels(x1, y1);
    const QPointF b = toPixels(x2, y2);
    // Whole device pixels, so that neighbouring boxes meet without a seam or a blend.
    const qreal ratio = m_pixmap.devicePixelRatio();
    const auto snap = [ratio](qreal v) { return std::round(v * ratio) / ratio; };
    const QRectF rect(QPointF(snap(std::min(a.x(), b.x())), snap(std::min(a.y(), b.y()))),
                      QPointF(snap(std::max(a.x(), b.x())), snap(std::max(a.y(), b.y()))));
    painter.fillRect(rect, colour);
    m_textPosition = {x2, y2};
    update();
}

void PictureBox::setTextPosition(double x, double y)
{
    m_textPosition = {x, y};
}

void PictureBox::printLine(const QString &text)
{
    ensurePixmap();
    const QFontMetricsF metrics(font());
    const QPointF topLeft = toPixels(m_textPosition.x(), m_textPosition.y());
    if (!text.isEmpty()) {
        QPainter painter(&m_pixmap);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
        update();
    }
    const double unitsPerPixel = m_scaleHeight > 0 ? m_scaleHeight / contentsRect().height() : 1.0;
    m_textPosition = {0, m_textPosition.y() + metrics.height() * unitsPerPixel};
}

QImage PictureBox::image() const
{
    return m_pixmap.toImage();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), m_pixmap);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ensurePixmap();
}
