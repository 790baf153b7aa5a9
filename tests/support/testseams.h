#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include "pseudorandom.h"
#include "scriptedboxes.h"
#include "scriptedrandom.h"
#include "seams.h"
#include "soundcue.h"

#include <QStringList>

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

#endif
