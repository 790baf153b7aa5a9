#ifndef STRAIGHTLINE_H
#define STRAIGHTLINE_H

#include <QWidget>

// A one-pixel straight line between two points of its parent, in twips.
class StraightLine : public QWidget
{
    Q_OBJECT

public:
    StraightLine(int x1, int y1, int x2, int y2, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
};

#endif
