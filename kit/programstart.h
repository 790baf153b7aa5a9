#ifndef PROGRAMSTART_H
#define PROGRAMSTART_H

#include "core/lessonlink.h"

#include <QStringList>

// What a program's arguments set it up for: the options or the lesson link (Qt's own arguments already taken
// out), read as a link's settings are, the parts not used first those the command line itself could not read.
LessonReading lessonFromArguments(ProgramNumber program, const QStringList &arguments);

// A program's main(): with --help, the help on standard output and the end, no window and no display needed;
// otherwise the main window, set up as the arguments say, until the program ends.
int runProgram(ProgramNumber program, int argc, char *argv[]);

#endif
