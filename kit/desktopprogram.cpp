#include "kit/desktopprogram.h"

#include "kit/helpwindow.h"
#include "kit/mainwindow.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

DesktopProgram::DesktopProgram(ProgramNumber program, const Seams &seams, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_seams(seams)
{
}

void DesktopProgram::showMain()
{
    m_main = new MainWindow(m_program, m_seams);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &ProgramWindow::helpRequested, this, &DesktopProgram::showHelp);
    m_main->show();
    m_main->activateWindow();
}

MainWindow *DesktopProgram::mainWindow() const
{
    return m_main;
}

void DesktopProgram::showHelp()
{
    switch (programRow(m_program).help) {
    case HelpPlace::Beside:
        showHelpBeside();
        return;
    case HelpPlace::InPlace:
        if (m_main)
            m_main->close();
        m_help = new HelpWindow(m_program, m_seams);
        connect(m_help, &HelpWindow::closeClicked, this, &DesktopProgram::showMain);
        m_help->show();
        m_help->activateWindow();
        return;
    }
}

void DesktopProgram::showHelpBeside()
{
    if (!m_help) {
        m_help = new HelpWindow(m_program, m_seams);
        // To the right of the main window, or as far right as the screen allows.
        const QRect mainFrame = m_main->frameGeometry();
        const QRect screen = (m_main->screen() ? m_main->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QPoint topLeft(mainFrame.right() + 1, mainFrame.top());
        if (topLeft.x() + m_help->width() > screen.right())
            topLeft.setX(std::max(screen.left(), screen.right() - m_help->width()));
        m_help->move(topLeft);
        // However the help window is closed, the main window is the one to work in again.
        connect(m_help, &QObject::destroyed, m_main, [main = m_main.data()] { main->activateWindow(); });
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
