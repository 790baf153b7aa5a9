#include "kit/layoutcontrols.h"

#include "kit/borderedlabel.h"
#include "kit/coinimage.h"
#include "kit/commandbutton.h"
#include "kit/picturebox.h"
#include "kit/qtconvert.h"
#include "kit/straightline.h"

#include <QTimer>

namespace {

QWidget *makeWidget(const Control &control, QWidget *parent)
{
    switch (control.kind) {
    case ControlKind::Button: {
        auto *button = new CommandButton(qtText(control.caption), parent);
        button->setAutoDefault(false);
        if (control.background)
            setPaletteColour(button, QPalette::Button, *control.background);
        return button;
    }
    case ControlKind::Label: {
        auto *label = new BorderedLabel(parent);
        if (control.background) {
            setPaletteColour(label, QPalette::Window, *control.background);
            label->setAutoFillBackground(true);
        }
        if (control.foreground)
            setPaletteColour(label, QPalette::WindowText, *control.foreground);
        return label;
    }
    case ControlKind::Line:
        return new StraightLine(control.left, control.top, control.left + control.width, control.top + control.height, parent);
    case ControlKind::Surface: {
        auto *surface = new PictureBox(parent);
        surface->setScale(control.unitsAcross, control.unitsDown);
        if (control.background)
            surface->setBackground(qtColour(*control.background));
        // What it shows is only painted: a screen reader learns it from the name and the description.
        surface->setAccessibleName(qtText(control.caption));
        return surface;
    }
    case ControlKind::Coin: {
        auto *coin = new CoinImage(qtText(control.caption), parent);
        coin->setAccessibleName(qtText(control.caption));
        return coin;
    }
    }
    unknownChoice("makeControlWidget", "control kind " + std::to_string(static_cast<int>(control.kind)));
}

} // namespace

QWidget *makeControlWidget(const Control &control, QWidget *parent)
{
    QWidget *widget = makeWidget(control, parent);
    widget->setObjectName(qtText(control.name));
    if (!control.description.empty())
        widget->setAccessibleDescription(qtText(control.description));
    if (!control.enabled)
        widget->setEnabled(false);
    if (!control.visible)
        widget->setVisible(false);
    return widget;
}

QRect scaledControlRect(const Control &control, double scale)
{
    const QPoint topLeft(pixelsFromTwips(control.left, scale), pixelsFromTwips(control.top, scale));
    const QPoint end(pixelsFromTwips(control.left + control.width, scale), pixelsFromTwips(control.top + control.height, scale));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

QTimer *makeTimer(const Timer &timer, QObject *parent)
{
    auto *made = new QTimer(parent);
    made->setObjectName(qtText(timer.name));
    made->setInterval(timer.periodMs);
    // A coarse timer may run late by a twentieth of its period, which adds up over a run.
    made->setTimerType(Qt::PreciseTimer);
    return made;
}

void setFocusOrder(const std::vector<QWidget *> &controls, const std::vector<int> &order)
{
    QWidget *previous = nullptr;
    for (const int row : order) {
        QWidget *widget = controls.at(static_cast<std::size_t>(row));
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus();
        previous = widget;
    }
}

void setPaletteColour(QWidget *widget, QPalette::ColorRole role, Rgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, qtColour(colour));
    widget->setPalette(palette);
}
