#ifndef KEYBOARD_H
#define KEYBOARD_H

#include <QStringList>
#include <Qt>

class QWidget;

// What a screen reader reads of a control.
QString accessibleName(QWidget *widget);
QString accessibleDescription(QWidget *widget);

// A key as the keyboard gives it: to the window that has the focus, and through it to its focused control.
bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Tabs on until the focus is on the button of that caption; false if it never comes round.
bool tabTo(const QString &caption);

// What a screen reader announces as the focus goes round the window, `steps` presses of Tab.
QStringList focusRound(Qt::KeyboardModifiers modifiers, int steps);

#endif
