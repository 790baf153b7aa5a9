#ifndef TOSSWINDOW_H
#define TOSSWINDOW_H

#include "core/tosswalk.h"
#include "kit/programwindow.h"

// Taluno1's main window: the buttons, the 100-toss result table in six bands and the coin,
// driven by its three timers. HELP opens the help window beside it.
class TossWindow : public ProgramWindow
{
    Q_OBJECT

public:
    explicit TossWindow(const Seams &seams, QWidget *parent = nullptr);

private:
    TossWalk m_walk;
};

#endif
