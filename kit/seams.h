#ifndef SEAMS_H
#define SEAMS_H

#include <functional>

class Clock;
class ModalBoxes;
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
    // Ends the program at once: no further handler runs.
    std::function<void()> endProgram;
};

#endif
