#include "toss/tosswindow.h"

TossWindow::TossWindow(const Seams &seams, QWidget *parent)
    : ProgramWindow(tossWindowLayout(), seams, parent)
    , m_walk(*this, seams.random, seams.clock)
{
    setFlow(m_walk);
}
