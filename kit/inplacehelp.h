#ifndef INPLACEHELP_H
#define INPLACEHELP_H

#include "core/program.h"
#include "kit/seams.h"

#include <QObject>
#include <QPointer>

class BatchWindow;
class HelpWindow;

// Taluno2 and Taluno3 show their main window or their help window, never both: HELP discards
// the main window for the help window, whose 閉じる builds the main window afresh. Closing
// either by its frame leaves no window, and the program ends.
class InPlaceHelp : public QObject
{
    Q_OBJECT

public:
    InPlaceHelp(ProgramNumber program, const Seams &seams, QObject *parent = nullptr);

    // Builds the main window from its layout and shows it.
    void showMain();
    void showHelp();

private:
    ProgramNumber m_program;
    Seams m_seams;
    QPointer<BatchWindow> m_main;
};

#endif
