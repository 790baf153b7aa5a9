#ifndef TOSSWINDOW_H
#define TOSSWINDOW_H

#include "core/tosswalk.h"
#include "kit/programwindow.h"

#include <QPointer>

class HelpWindow;

// Taluno1's main window: the buttons, the 100-toss result table in six bands and the coin,
// driven by its three timers. HELP opens the help window beside it.
class TossWindow : public ProgramWindow
{
    Q_OBJECT

public:
    explicit TossWindow(const Seams &seams, QWidget *parent = nullptr);

protected:
    // Opens the help window beside this one, or brings the open one to the front.
    void openHelp() override;

private:
    TossWalk m_walk;
    QPointer<HelpWindow> m_help;
};

#endif
