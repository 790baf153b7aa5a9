#ifndef TALUNOAPPLICATION_H
#define TALUNOAPPLICATION_H

#include "core/pseudorandom.h"
#include "core/systemclock.h"
#include "kit/qtmodalboxes.h"
#include "kit/seams.h"
#include "kit/soundcue.h"

#include <QApplication>
#include <QSettings>

// Where the programs remember what the user chose: one file for the suite.
class TalunoSettings : public QSettings
{
public:
    TalunoSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Taluno"), QStringLiteral("Taluno"))
    {
    }
};

// A Taluno program: standard buttons in the language in use, the fonts, the coin icon, a quiet
// terminal, and the real seams.
class TalunoApplication : public QApplication
{
public:
    TalunoApplication(int &argc, char **argv);

    // What every Taluno process needs, tests included.
    static void setUp();
    // Qt's own texts (the standard buttons) in the language in use; Qt's English where that is English.
    static void translateQt();

    Seams &seams() { return m_seams; }

private:
    QtModalBoxes m_boxes;
    SoundCue m_cue;
    PseudoRandom m_random;
    SystemClock m_clock;
    TalunoSettings m_settings;
    Seams m_seams;
};

#endif
