#ifndef CONTROLS_H
#define CONTROLS_H

#include <QColor>
#include <QString>

class QFont;
class QLabel;
class QPushButton;
class QRect;
class QWidget;

// A label as the layouts give them: a single-line border and centred text; an invalid
// colour keeps the platform's.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                 const QFont &font, const QColor &background = {}, const QColor &text = {});

// Enter and Return press it as well as Space.
QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                       const QFont &font);

// The label's text colour; its background and its black border stay.
void setTextColour(QLabel *label, const QColor &colour);

#endif
