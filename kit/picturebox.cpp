#include "kit/picturebox.h"

#include "kit/graphfont.h"
#include "kit/qtconvert.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any screen, yet far from overflowing an int.
constexpr double farOff = 1e6;

// The device pixel of a coordinate in device pixels. The same rule as pixelIndex in web/src/surface.js,
// with the same tolerance: keep the two in step.
int pixelIndex(double device)
{
    if (!(device > -farOff)) // NaN too
        return static_cast<int>(-farOff);
    if (device > farOff)
        return static_cast<int>(farOff);
    // A unit that lands exactly on a pixel edge must not fall back a pixel by a rounding error.
    return static_cast<int>(std::floor(device + 1e-9));
}

Qt::PenCapStyle qtCap(LineCap cap)
{
    switch (cap) {
    case LineCap::Flat: return Qt::FlatCap;
    case LineCap::Square: return Qt::SquareCap;
    }
    return Qt::SquareCap;
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
    , m_background(palette().color(QPalette::Button))
{
    // A sunken panel is two pixels wide on each side, the layout's surface border; the pages draw
    // the same border (web/src/surface.js): keep the two in step.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    static_assert(pixelsFromTwips(surfaceBorder) == 2);
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

QPoint PictureBox::devicePixel(double x, double y) const
{
    // Multiplied before dividing: whole units that meet a pixel edge then land on it exactly.
    const double dx = m_scaleWidth > 0 ? x * m_canvas.width() / m_scaleWidth : x * m_ratio;
    const double dy = m_scaleHeight > 0 ? y * m_canvas.height() / m_scaleHeight : y * m_ratio;
    return {pixelIndex(dx), pixelIndex(dy)};
}

// As strokeWidth in web/src/surface.js.
int PictureBox::strokeWidth() const
{
    return std::max(1, qRound(m_ratio * m_viewScale));
}

void PictureBox::setViewScale(double scale)
{
    m_viewScale = scale;
    m_canvas = QImage(); // drawn again at the next paint or stroke
}

void PictureBox::fill(const QRect &deviceRect, const QColor &colour)
{
    const QRect rect = deviceRect.intersected(m_canvas.rect());
    if (rect.isEmpty())
        return;
    const QRgb rgb = colour.rgb();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(m_canvas.scanLine(y)) + rect.left(), rect.width(), rgb);
    update();
}

void PictureBox::ensureCanvas()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size() * ratio;
    if (m_canvas.size() == size && m_ratio == ratio)
        return;
    m_canvas = QImage(size, QImage::Format_RGB32);
    m_canvas.fill(m_background);
    m_canvas.setDevicePixelRatio(ratio);
    m_ratio = ratio;
    m_textPosition = {0, 0};
    for (const std::function<void()> &stroke : m_strokes)
        stroke();
    update();
}

void PictureBox::draw(std::function<void()> stroke)
{
    ensureCanvas();
    stroke();
    m_strokes.push_back(std::move(stroke));
}

void PictureBox::clear()
{
    m_strokes.clear();
    ensureCanvas();
    m_canvas.fill(m_background);
    m_textPosition = {0, 0};
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, Rgb colour, int pixels)
{
    draw([=, this] { drawLine(x1, y1, x2, y2, colour, pixels); });
}

void PictureBox::box(double x1, double y1, double x2, double y2, Rgb colour)
{
    draw([=, this] { drawBox(x1, y1, x2, y2, colour); });
}

void PictureBox::setTextPosition(double x, double y)
{
    draw([=, this] { m_textPosition = {x, y}; });
}

void PictureBox::printLine(std::string_view text)
{
    draw([this, line = qtText(text)] { print(line, font()); });
}

void PictureBox::printAxisRow(std::string_view row, double firstTick, double tickStep)
{
    draw([=, this, text = qtText(row)] {
        const double pixelsPerUnit = m_scaleWidth > 0 ? contentsRect().width() / m_scaleWidth : 1.0;
        const QFont numbers = graphFont(m_numberFont.value_or(font()), text, pixelsPerUnit, firstTick, tickStep);
        // Numbers larger than the surface's text stand on its bottom edge rather than run off it.
        const double unitsPerPixel = m_scaleHeight > 0 ? m_scaleHeight / contentsRect().height() : 1.0;
        m_textPosition.setY(std::min(m_textPosition.y(), (contentsRect().height() - QFontInfo(numbers).pixelSize()) * unitsPerPixel));
        print(text, numbers);
    });
}

void PictureBox::printNumber(std::string_view number)
{
    draw([this, line = qtText(number)] { print(line, m_numberFont.value_or(font())); });
}

void PictureBox::setNumberFont(const QFont &font)
{
    m_numberFont = font;
}

void PictureBox::drawLine(double x1, double y1, double x2, double y2, Rgb rgb, int pixels)
{
    const QColor colour = qtColour(rgb);
    const QPoint a = devicePixel(x1, y1);
    const QPoint b = devicePixel(x2, y2);
    const int width = strokeWidth() * pixels;
    if (a.x() == b.x() || a.y() == b.y()) {
        fill(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                   QPoint(std::max(a.x(), b.x()) + width - 1, std::max(a.y(), b.y()) + width - 1)),
             colour);
    } else if (!m_canvas.isNull()) {
        QPainter painter(&m_canvas);
        painter.setPen(QPen(colour, width / m_ratio, Qt::SolidLine, qtCap(surfaceLineCap)));
        // Centred where a line of one pixel would run.
        const QPointF centre(strokeWidth() / 2.0, strokeWidth() / 2.0);
        painter.drawLine((QPointF(a) + centre) / m_ratio, (QPointF(b) + centre) / m_ratio);
        update();
    }
    m_textPosition = {x2, y2};
}

void PictureBox::drawBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    const QPoint a = devicePixel(std::min(x1, x2), std::min(y1, y2));
    const QPoint b = devicePixel(std::max(x1, x2), std::max(y1, y2));
    const int width = strokeWidth();
    fill(QRect(a, QPoint(b.x() + width - 1, b.y() + width - 1)), qtColour(colour));
    m_textPosition = {x2, y2};
}

void PictureBox::print(const QString &text, const QFont &font)
{
    if (!text.isEmpty() && !m_canvas.isNull()) {
        const QPointF topLeft = QPointF(devicePixel(m_textPosition.x(), m_textPosition.y())) / m_ratio;
        QPainter painter(&m_canvas);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent()), text);
        update();
    }
    // Lines one em apart, as the layouts were made for: the substitute fonts' taller ascent and
    // descent would push the last lines of a full surface off its edge.
    const double em = QFontInfo(font).pixelSize();
    const int innerHeight = contentsRect().height();
    const double unitsPerPixel = m_scaleHeight > 0 && innerHeight > 0 ? m_scaleHeight / innerHeight : 1.0;
    m_textPosition = {0, m_textPosition.y() + em * unitsPerPixel};
}

QImage PictureBox::image()
{
    ensureCanvas();
    return m_canvas;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    ensureCanvas();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_canvas);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ensureCanvas();
}

void PictureBox::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_canvas = QImage();
        update();
    }
}
