#ifndef BENCHSEAMS_H
#define BENCHSEAMS_H

#include "core/clock.h"
#include "core/layout.h"
#include "core/pseudorandom.h"
#include "kit/modalboxes.h"
#include "kit/qtconvert.h"
#include "kit/seams.h"
#include "kit/soundcue.h"

#include <QStringList>
#include <QWidget>

// No real dialog: input boxes take the answers in turn, then Cancel; Yes/No boxes Yes, so no prompt loops.
struct ScriptedBoxes : ModalBoxes
{
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    bool askYesNo(const QString &, const QString &) override { return true; }
    QStringList answers;
};

// Every experiment is reseeded with the same value: two runs from one seed toss the same coins.
struct StillClock : Clock
{
    double secondsSinceMidnight() override { return 36000.5; }
};

// No cue file lies beside a benchmark, so the cues pass in silence; ending the program does nothing.
struct BenchSeams
{
    ScriptedBoxes boxes;
    SoundCue cue;
    PseudoRandom random;
    StillClock clock;
    Seams seams{boxes, cue, random, clock, [] {}};
};

// The widget of a row of the window's layout, by the name the layout gives it.
template <typename Widget>
Widget *controlOf(const QWidget &window, const WindowLayout &layout, int row)
{
    return window.findChild<Widget *>(qtText(layout.controls.at(static_cast<std::size_t>(row)).name));
}

#endif
