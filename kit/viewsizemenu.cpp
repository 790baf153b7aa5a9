#include "kit/viewsizemenu.h"

#include "kit/qtconvert.h"

ViewSizeMenu::ViewSizeMenu(QWidget &window, int percent, std::function<void(ViewSizeChoice)> choose)
    : QMenu(&window)
{
    for (const ViewSizeRow &row : viewSizeRows) {
        QAction *action = addAction(qtText(text(row.caption)));
        QList<QKeySequence> keys{QKeySequence(qtText(row.keys))};
        // The keys other programs zoom with: Ctrl+= and Ctrl+; where + needs Shift, the keypad's.
        switch (row.choice) {
        case ViewSizeChoice::Larger: keys << QKeySequence::ZoomIn << QKeySequence(Qt::CTRL | Qt::Key_Equal) << QKeySequence(Qt::CTRL | Qt::Key_Semicolon); break;
        case ViewSizeChoice::Smaller: keys << QKeySequence::ZoomOut; break;
        case ViewSizeChoice::Original:
        case ViewSizeChoice::FitScreen:
        case ViewSizeChoice::FullScreen: break;
        }
        QList<QKeySequence> distinct;
        for (const QKeySequence &key : keys) {
            if (!key.isEmpty() && !distinct.contains(key))
                distinct << key;
        }
        action->setShortcuts(distinct);
        window.addAction(action);
        connect(action, &QAction::triggered, this, [choose, choice = row.choice] { choose(choice); });
    }
    showPercent(percent);
}

void ViewSizeMenu::showPercent(int percent)
{
    setTitle(qtText(text(Text::viewSizeMenuPercent, {{"percent", std::to_string(percent)}})));
}
