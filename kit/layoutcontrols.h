#ifndef LAYOUTCONTROLS_H
#define LAYOUTCONTROLS_H

#include "core/layout.h"

#include <QPalette>
#include <QRect>

#include <vector>

class QTimer;
class QWidget;

// The widget for a row of a window's layout, as its kind makes it: a button, a bordered label, a line, a
// drawing surface or a coin, with the row's name, colours, description and state. The window connects
// what it answers and places it.
QWidget *makeControlWidget(const Control &control, QWidget *parent);

// Where the control stands in its window shown at `scale`, each edge on the pixel its twips round to.
QRect scaledControlRect(const Control &control, double scale);

// A timer of the layout's, stopped.
QTimer *makeTimer(const Timer &timer, QObject *parent);

// Tab goes through the controls of those rows in that order, from the first, which takes the focus.
void setFocusOrder(const std::vector<QWidget *> &controls, const std::vector<int> &order);

// One colour of a widget's palette.
void setPaletteColour(QWidget *widget, QPalette::ColorRole role, Rgb colour);

#endif
