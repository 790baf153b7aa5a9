#include "kit/inplacehelp.h"

#include "kit/batchwindow.h"
#include "kit/helpwindow.h"

InPlaceHelp::InPlaceHelp(ProgramNumber program, const Seams &seams, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_seams(seams)
{
}

void InPlaceHelp::showMain()
{
    m_main = new BatchWindow(m_program, m_seams);
    connect(m_main, &ProgramWindow::helpRequested, this, &InPlaceHelp::showHelp);
    m_main->show();
    m_main->activateWindow();
}

void InPlaceHelp::showHelp()
{
    if (m_main)
        m_main->close();
    auto *help = new HelpWindow(m_program, m_seams);
    connect(help, &HelpWindow::closeClicked, this, &InPlaceHelp::showMain);
    help->show();
    help->activateWindow();
}
