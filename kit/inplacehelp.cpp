#include "inplacehelp.h"

#include "form.h"
#include "form2.h"

#include <QEventLoopLocker>

InPlaceHelp::InPlaceHelp(int program, MainFactory makeMain, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_makeMain(std::move(makeMain))
{
}

Form *InPlaceHelp::mainWindow() const
{
    return m_main;
}

Form2 *InPlaceHelp::helpWindow() const
{
    return m_help;
}

void InPlaceHelp::showMain()
{
    m_main = m_makeMain();
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &Form::helpRequested, this, &InPlaceHelp::showHelp);
    m_main->show();
    m_main->activateWindow();
}

void InPlaceHelp::showHelp()
{
    // Between closing one window and showing the other no window is open; the program must not end there.
    const QEventLoopLocker keepRunning;
    if (m_main) {
        m_main->close();
        m_main = nullptr;
    }
    m_help = new Form2(m_program);
    connect(m_help, &Form2::closeClicked, this, &InPlaceHelp::showMain);
    m_help->show();
    m_help->activateWindow();
}
