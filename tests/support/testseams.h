#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include "core/pseudorandom.h"
#include "kit/modalboxes.h"
#include "kit/seams.h"
#include "kit/soundcue.h"
#include "scriptedrandom.h"

#include <QStringList>

class QWidget;

// Answers the modal boxes from a script ("yes" and "no" for a Yes/No box) and records what was
// asked. When the script runs out, input boxes answer Cancel and Yes/No boxes Yes, so that a
// prompt can never loop forever.
class ScriptedBoxes : public ModalBoxes
{
public:
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool askYesNo(const QString &text, const QString &title) override;

    QStringList answers;
    QStringList asked; // "title: text"
};

// Scripted boxes, a fixed clock, a seeded generator and a cue player whose plays are recorded;
// ending the program is counted instead of done.
class TestSeams
{
public:
    TestSeams();

    ScriptedBoxes boxes;
    SoundCue cue;
    PseudoRandom random{12345};
    FixedClock clock;
    QStringList cues;
    int ends = 0;
    Seams seams;
};

// The fonts and translations of the programs, for a test binary's first test.
void setUpTalunoTest();

// The visible top-level windows.
QList<QWidget *> visibleWindows();

// The control of `window` that shows `caption`, or has it as its object name.
QWidget *findControl(const QWidget *window, const QString &captionOrName);

#endif
