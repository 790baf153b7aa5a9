#include "kit/batchwindow.h"

BatchWindow::BatchWindow(ProgramNumber program, const Seams &seams, QWidget *parent)
    : ProgramWindow(batchWindowLayout(program), seams, parent)
    , m_flow(*this, batchRules(program), seams.random, seams.clock)
{
    setFlow(m_flow);
    setAttribute(Qt::WA_DeleteOnClose);
}
