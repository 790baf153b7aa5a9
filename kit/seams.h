#ifndef SEAMS_H
#define SEAMS_H

#include <functional>

class Clock;
class ModalBoxes;
class QSettings;
class RandomSource;
class SoundCue;

// Everything a window reaches outside itself. The programs get the real ones from
// TalunoApplication; tests put in scripted doubles.
struct Seams
{
    ModalBoxes &boxes;
    SoundCue &cue;
    RandomSource &random;
    Clock &clock;
    // What the programs remember between starts: the size each is shown at.
    QSettings &settings;
    // Ends the program at once: no further handler runs.
    std::function<void()> endProgram;
};

#endif
