#include "kit/borderedlabel.h"

#include <QPainter>

BorderedLabel::BorderedLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setContentsMargins(1, 1, 1, 1);
}

void BorderedLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
