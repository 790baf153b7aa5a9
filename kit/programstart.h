#ifndef PROGRAMSTART_H
#define PROGRAMSTART_H

#include "core/lessonlink.h"

#include <QSettings>
#include <QStringList>

#include <string>

// What a program's arguments set it up for: the options or the lesson link (Qt's own arguments already taken
// out), read as a link's settings are, the parts not used first those the command line itself could not read.
// The lines saying why are in the language in use.
LessonReading lessonFromArguments(ProgramNumber program, const QStringList &arguments);

// The language a program starts in: the one its arguments name (--lang, or a link's lang=); else the one last chosen
// from its menu, remembered under languageSetting; else the first of the system's languages that has a catalogue.
inline const QString languageSetting = QStringLiteral("language");
std::string startLanguage(ProgramNumber program, const QStringList &arguments, const QSettings &settings);

// A program's main(): with --help, the help on standard output and the end, no window and no display needed;
// otherwise the main window, set up as the arguments say, until the program ends.
int runProgram(ProgramNumber program, int argc, char *argv[]);

#endif
