#ifndef VIEWSIZEMENU_H
#define VIEWSIZEMENU_H

#include "core/viewscale.h"

#include <QMenu>

#include <functional>

// 表示の大きさ: the submenu, titled with the size the window is shown at, and its shortcuts on a
// window. Each choice is handed on; what it does to the windows is the program's to decide.
class ViewSizeMenu : public QMenu
{
    Q_OBJECT

public:
    ViewSizeMenu(QWidget &window, int percent, std::function<void(ViewSizeChoice)> choose);

    void showPercent(int percent);
};

#endif
