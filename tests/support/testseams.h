#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include "core/pseudorandom.h"
#include "kit/modalboxes.h"
#include "kit/seams.h"
#include "kit/soundcue.h"
#include "scriptedrandom.h"

#include <QObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QStringList>

// Answers the modal boxes from a script ("yes" and "no" for a Yes/No box) and records what was
// asked. When the script runs out, input boxes answer Cancel and Yes/No boxes Yes, so that a
// prompt can never loop forever.
struct ScriptedBoxes : ModalBoxes
{
    QString inputBox(QWidget *, const QString &prompt, const QString &title, const QString &, bool, int) override
    {
        asked << title + QStringLiteral(": ") + prompt;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    bool askYesNo(QWidget *, const QString &text, const QString &title) override
    {
        asked << title + QStringLiteral(": ") + text;
        return answers.isEmpty() || answers.takeFirst() == QLatin1String("yes");
    }
    QString saveFileName(QWidget *, const QString &title, const QString &) override { asked << title; return savePath; }
    void tell(QWidget *, const QString &text, const QString &title) override { asked << title + QStringLiteral(": ") + text; }
    QStringList answers, asked; // asked: "title: text"
    QString savePath;
};

// Scripted boxes, a clock that stands still, a seeded generator (or the scripted draws given) and a
// cue player whose plays are recorded; ending the program is counted instead of done.
struct TestSeams
{
    explicit TestSeams(std::vector<float> draws = {}) : scripted(std::move(draws))
    {
        QObject::connect(&cue, &SoundCue::played, [this](const QString &file) { cues << file; });
    }
    ScriptedBoxes boxes;
    SoundCue cue;
    PseudoRandom random{12345};
    ScriptedRandom scripted;
    FixedClock clock;
    // Nothing remembered from earlier tests, nothing written to the home folder.
    QTemporaryDir settingsFolder;
    QSettings settings{settingsFolder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    QStringList cues;
    int ends = 0;
    Seams seams{boxes, cue, scripted.values.empty() ? static_cast<RandomSource &>(random) : scripted, clock,
                settings, [this] { ++ends; }};
};

#endif
