#include "kit/mainwindow.h"

#include "core/mainflow.h"
#include "kit/extrasmenu.h"

#include <QContextMenuEvent>

MainWindow::MainWindow(ProgramNumber program, const Seams &seams, QWidget *parent)
    : ProgramWindow(mainWindowLayout(program), seams, parent)
    , m_flow(makeMainFlow(program, *this, seams.random, seams.clock))
{
    setFlow(*m_flow);
    const std::optional<int> picture = layout().pictureControl;
    m_extras = new ExtrasMenu(*this, program, *m_flow, [this](const std::function<void()> &event) { forward(event); }, seams,
                              picture ? control(*picture) : nullptr);
    connect(m_extras, &ExtrasMenu::languageChosen, this, &MainWindow::languageChosen);
}

void MainWindow::openLesson(const LessonReading &reading)
{
    m_flow->openLesson(reading);
    m_extras->showChecked(m_flow->lesson().shown);
}

void MainWindow::addSubmenu(QMenu *menu)
{
    m_extras->addSeparator();
    m_extras->addMenu(menu);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_extras->exec(event->globalPos());
}
