#ifndef PICTUREBOX_H
#define PICTUREBOX_H

#include "core/surface.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QPointF>

#include <functional>
#include <optional>
#include <vector>

// A sunken surface that keeps what is drawn on it in an image at the screen's resolution, so
// that the drawing survives being covered and uncovered, and keeps the strokes themselves, so that
// it is drawn again, as crisp, when the window is shown larger or moves to a screen of another scale.
// A point in user units falls on the device pixel whose area holds it; a line is one layout
// pixel wide, or as many as asked, and covers the pixels of both its ends; a box is closed, its
// edges one pixel wide, so that a box of no height is still a line on the pixels of its corners.
// Everything is cut at the surface's edge. The twin of DrawingSurface in web/src/surface.js: keep
// the two in step.
class PictureBox : public QFrame, public Surface
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // How many user units span the inner area across and down; unset, a unit is one layout pixel.
    void setScale(double width, double height);
    // A layout pixel is `scale` pixels: lines and boxes widen with a window shown larger.
    void setViewScale(double scale);
    // Also clears.
    void setBackground(const QColor &colour);
    QColor background() const { return m_background; }

    void clear() override;
    void line(double x1, double y1, double x2, double y2, Rgb colour, int pixels) override;
    void box(double x1, double y1, double x2, double y2, Rgb colour) override;
    void setTextPosition(double x, double y) override;
    // The text goes down by one em of the surface's font per line.
    void printLine(std::string_view text) override;
    // The row in the numbers' font with its blanks widened or narrowed to put each number under its tick.
    void printAxisRow(std::string_view row, double firstTick, double tickStep) override;
    void printNumber(std::string_view number) override;
    // The numbers' font, larger than the surface's own at a projector's sizes; unset, the surface's.
    void setNumberFont(const QFont &font);

    QPointF textPosition() const { return m_textPosition; }
    // The inner area as drawn, at the device pixel ratio.
    QImage image();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // A new font: the text drawn again in it.
    void changeEvent(QEvent *event) override;

private:
    // Draws a stroke and keeps it, to draw again on a new canvas.
    void draw(std::function<void()> stroke);
    void drawLine(double x1, double y1, double x2, double y2, Rgb colour, int pixels);
    void drawBox(double x1, double y1, double x2, double y2, Rgb colour);
    QPoint devicePixel(double x, double y) const;
    int strokeWidth() const;
    void fill(const QRect &deviceRect, const QColor &colour);
    void print(const QString &text, const QFont &font);
    void ensureCanvas();

    QImage m_canvas; // device pixels
    qreal m_ratio = 1.0;
    double m_viewScale = 1.0;
    std::vector<std::function<void()>> m_strokes; // since the last clear
    QColor m_background;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
    QPointF m_textPosition;
    std::optional<QFont> m_numberFont;
};

#endif
