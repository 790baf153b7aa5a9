#include "kit/programstart.h"

#include "kit/desktopprogram.h"
#include "kit/talunoapplication.h"

#include <cstdio>
#include <string>
#include <vector>

LessonReading lessonFromArguments(ProgramNumber program, const QStringList &arguments)
{
    std::vector<std::string> given;
    for (const QString &argument : arguments)
        given.push_back(argument.toStdString());
    const CommandLine line = readCommandLine(given);
    LessonReading reading = readLesson(program, line.settings);
    reading.unused.insert(reading.unused.begin(), line.unused.begin(), line.unused.end());
    return reading;
}

int runProgram(ProgramNumber program, int argc, char *argv[])
{
    // Before Qt looks for a display: the help is read in a terminal, on a machine with none as well.
    if (readCommandLine(std::vector<std::string>(argv + 1, argv + argc)).help) {
        const std::string help = commandLineHelp(program);
        std::fwrite(help.data(), 1, help.size(), stdout);
        return 0;
    }
    TalunoApplication app(argc, argv);
    DesktopProgram desktop(program, app.seams());
    desktop.openLesson(lessonFromArguments(program, QCoreApplication::arguments().mid(1)));
    desktop.showMain();
    return app.exec();
}
