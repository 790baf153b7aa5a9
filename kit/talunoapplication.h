#ifndef TALUNOAPPLICATION_H
#define TALUNOAPPLICATION_H

#include "core/pseudorandom.h"
#include "core/systemclock.h"
#include "kit/qtmodalboxes.h"
#include "kit/seams.h"
#include "kit/soundcue.h"

#include <QApplication>
#include <QSettings>

// A Taluno program: Japanese standard buttons, the fonts, the coin icon, a quiet
// terminal, and the real seams.
class TalunoApplication : public QApplication
{
public:
    TalunoApplication(int &argc, char **argv);

    // What every Taluno process needs, tests included.
    static void setUp();

    Seams &seams() { return m_seams; }

private:
    QtModalBoxes m_boxes;
    SoundCue m_cue;
    PseudoRandom m_random;
    SystemClock m_clock;
    QSettings m_settings{QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Taluno"), QStringLiteral("Taluno")};
    Seams m_seams;
};

#endif
