#ifndef BATCHWINDOW_H
#define BATCHWINDOW_H

#include "core/batchflow.h"
#include "kit/programwindow.h"

// The main window of Taluno2 and Taluno3: the settings, the mean and the tally of a run, as a
// frequency table or a frequency graph. It deletes itself when it closes.
class BatchWindow : public ProgramWindow
{
    Q_OBJECT

public:
    BatchWindow(ProgramNumber program, const Seams &seams, QWidget *parent = nullptr);

private:
    BatchFlow m_flow;
};

#endif
