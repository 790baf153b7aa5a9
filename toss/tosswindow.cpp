#include "toss/tosswindow.h"

#include "kit/helpwindow.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

TossWindow::TossWindow(const Seams &seams, QWidget *parent)
    : ProgramWindow(tossWindowLayout(), seams, parent)
    , m_walk(*this, seams.random, seams.clock)
{
    setFlow(m_walk);
    addExtrasMenu(this);
}

void TossWindow::openHelp()
{
    if (!m_help) {
        m_help = new HelpWindow(ProgramNumber::Taluno1, seams());
        const QRect mainFrame = frameGeometry();
        const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QPoint topLeft(mainFrame.right() + 1, mainFrame.top());
        if (topLeft.x() + m_help->width() > screen.right())
            topLeft.setX(std::max(screen.left(), screen.right() - m_help->width()));
        m_help->move(topLeft);
        // However the help window is closed, this is the window to work in again.
        connect(m_help, &QObject::destroyed, this, [this] { activateWindow(); });
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
