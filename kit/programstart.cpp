#include "kit/programstart.h"

#include "core/catalogue.h"
#include "kit/desktopprogram.h"
#include "kit/talunoapplication.h"

#include <QLocale>

#include <algorithm>
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

std::string startLanguage(ProgramNumber program, const QStringList &arguments, const QSettings &settings)
{
    if (const std::optional<std::string> named = lessonFromArguments(program, arguments).lesson.language)
        return *named;
    const std::string chosen = settings.value(languageSetting).toString().toStdString();
    if (std::ranges::find(catalogueLanguages(), chosen) != catalogueLanguages().end())
        return chosen;
    std::vector<std::string> system;
    for (const QString &language : QLocale::system().uiLanguages())
        system.push_back(language.toStdString());
    return chooseLanguage(system);
}

int runProgram(ProgramNumber program, int argc, char *argv[])
{
    // Before Qt looks for a display: the help is read in a terminal, on a machine with none as well.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(QString::fromLocal8Bit(argv[i]));
    if (readCommandLine(std::vector<std::string>(argv + 1, argv + argc)).help) {
        useLanguage(startLanguage(program, arguments, TalunoSettings()));
        const std::string help = commandLineHelp(program);
        std::fwrite(help.data(), 1, help.size(), stdout);
        return 0;
    }
    TalunoApplication app(argc, argv);
    arguments = QCoreApplication::arguments().mid(1);
    // The lines saying what of the lesson is not used, in the language it starts in.
    const std::string language = startLanguage(program, arguments, app.seams().settings);
    useLanguage(language);
    DesktopProgram desktop(program, app.seams());
    desktop.openLesson(lessonFromArguments(program, arguments));
    desktop.startIn(language);
    return app.exec();
}
