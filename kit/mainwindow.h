#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "kit/programwindow.h"

#include <memory>

class ExtrasMenu;
class QMenu;

// The main window of any program: its layout and flow as the program table gives them, and the
// context menu of its extras.
class MainWindow : public ProgramWindow
{
    Q_OBJECT

public:
    MainWindow(ProgramNumber program, const Seams &seams, QWidget *parent = nullptr);

    // Sets the window up as the lesson says, before it is shown: its flow, and the toggles on checked in the menu.
    void openLesson(const LessonReading &reading);
    // A submenu of the context menu, after the extras.
    void addSubmenu(QMenu *menu);

signals:
    // A language chosen from the context menu.
    void languageChosen(const QString &language);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    std::unique_ptr<ProgramFlow> m_flow;
    ExtrasMenu *m_extras;
};

#endif
