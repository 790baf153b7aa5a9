#ifndef DESKTOPPROGRAM_H
#define DESKTOPPROGRAM_H

#include "core/program.h"
#include "kit/seams.h"

#include <QObject>
#include <QPointer>

class HelpWindow;
class MainWindow;

// A program on the desktop: its main window, and on HELP its help window, beside the main window
// or in its place as the program table says. In its place, 閉じる builds the main window afresh,
// and closing either window by its frame leaves no window: the program ends. The twin of Page in
// web/src/page.js: keep the two in step.
class DesktopProgram : public QObject
{
    Q_OBJECT

public:
    DesktopProgram(ProgramNumber program, const Seams &seams, QObject *parent = nullptr);

    // Builds the main window from its layout and shows it.
    void showMain();
    MainWindow *mainWindow() const;

private:
    void showHelp();
    void showHelpBeside();

    ProgramNumber m_program;
    Seams m_seams;
    QPointer<MainWindow> m_main;
    QPointer<HelpWindow> m_help;
};

#endif
