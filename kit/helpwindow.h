#ifndef HELPWINDOW_H
#define HELPWINDOW_H

#include "kit/programwindow.h"

// The help window: the problem, the idea of the experiment and how to operate the program,
// printed afresh on every activation. It deletes itself when it closes.
class HelpWindow : public ProgramWindow
{
    Q_OBJECT

public:
    HelpWindow(ProgramNumber program, const Seams &seams, QWidget *parent = nullptr);
    // The share of guests who need change that the main window uses, said from the next activation on.
    void setChangePercent(int percent) { m_flow.setChangePercent(percent); }

signals:
    // 閉じる closed the window; the frame's close control does not emit it.
    void closeClicked();

protected:
    void closeHelp() override;
    void scaleChanged() override;

private:
    HelpFlow m_flow;
};

#endif
