#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include "pseudorandom.h"
#include "scriptedboxes.h"
#include "scriptedrandom.h"
#include "seams.h"
#include "soundcue.h"

#include <QStringList>

class QWidget;

// Scripted boxes, a fixed clock, a seeded generator and a cue player whose plays are
// recorded; ending the program is counted instead of done.
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

// What a Taluno test binary sets up before its first test: the fonts and translations of the programs.
void setUpTalunoTest();

// Top-level windows that are visible now.
int visibleTopLevels();

// Saves the window's picture beside the test binary as "<name>.png", or "<name>@2x.png" and so on
// on a scaled screen; returns the path, or nothing when it could not be written.
QString saveScreenshot(QWidget *window, const QString &name);

// The captions of the window's labels and buttons that do not fit inside them.
QStringList captionsCutOff(const QWidget *window);

#endif
