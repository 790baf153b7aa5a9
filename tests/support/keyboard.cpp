#include "keyboard.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWindow>

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString accessibleDescription(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

bool press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWindow *window = QGuiApplication::focusWindow();
    if (!window)
        return false;
    QTest::keyClick(window, key, modifiers);
    return true;
}

bool tabTo(const QString &caption)
{
    for (int i = 0; i < 8; ++i) {
        if (QApplication::focusWidget() && accessibleName(QApplication::focusWidget()) == caption)
            return true;
        if (!press(Qt::Key_Tab))
            return false;
    }
    return false;
}

QStringList focusRound(Qt::KeyboardModifiers modifiers, int steps)
{
    QStringList announced;
    for (int i = 0; i < steps; ++i) {
        if (!press(Qt::Key_Tab, modifiers) || !QApplication::focusWidget())
            return announced << QStringLiteral("(no focus)");
        announced << accessibleName(QApplication::focusWidget());
    }
    return announced;
}
