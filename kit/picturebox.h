#ifndef PICTUREBOX_H
#define PICTUREBOX_H

#include "surface.h"

#include <QFrame>
#include <QPixmap>
#include <QPointF>

// A sunken surface that keeps what is drawn on it in a pixmap, so that the drawing
// survives being covered and uncovered.
class PictureBox : public QFrame, public Surface
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // How many user units span the inner area across and down.
    void setScale(double width, double height);
    void setBackground(const QColor &colour);

    void clear() override;
    void line(double x1, double y1, double x2, double y2, const QColor &colour) override;
    void box(double x1, double y1, double x2, double y2, const QColor &colour) override;
    void setTextPosition(double x, double y) override;
    void printLine(const QString &text) override;

    QPointF textPosition() const { return m_textPosition; }
    // The inner area as drawn, at the device pixel ratio.
    QImage image() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointF toPixels(double x, double y) const;
    void ensurePixmap();

    QPixmap m_pixmap;
    QColor m_background;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
    QPointF m_textPosition;
};

#endif
