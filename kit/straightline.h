#ifndef STRAIGHTLINE_H
#define STRAIGHTLINE_H

#include <QWidget>

// A straight line between two points of its parent, given in twips: one pixel wide at the layout's
// own size, and as wide as the window is scaled (rounded) when it is shown larger.
class StraightLine : public QWidget
{
    Q_OBJECT

public:
    StraightLine(int x1, int y1, int x2, int y2, QWidget *parent);

    // Places the line for the window at `scale`, its layout starting at `origin`.
    void place(double scale, QPoint origin);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_x1, m_y1, m_x2, m_y2; // twips
    QPoint m_from;
    QPoint m_to;
    int m_width = 1;
};

#endif
