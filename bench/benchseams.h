#ifndef BENCHSEAMS_H
#define BENCHSEAMS_H

#include "core/layout.h"
#include "kit/qtconvert.h"
#include "testseams.h"

#include <QWidget>

// The widget of a row of the window's layout, by the name the layout gives it.
template <typename Widget>
Widget *controlOf(const QWidget &window, const WindowLayout &layout, int row)
{
    return window.findChild<Widget *>(qtText(layout.controls.at(static_cast<std::size_t>(row)).name));
}

#endif
