#ifndef LESSONLINK_H
#define LESSONLINK_H

#include "core/program.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A lesson as a link: the set-up a teacher hands out to the class, carried after the '#' of a page's address,
// so that it works from a file and never reaches a server:
//   https://school.example/taluno/taluno3.html#guests=35&experiments=1000&share=60&show=law,coins&prepare=5&lang=en
// The desktop programs take the same settings as options (--guests 35 …) or the whole link as their argument.

// A set-up: the settings the prompts offer, the share and the coins taken at once, and the toggles that are on.
struct Lesson
{
    std::optional<int> guests;        // お客人数, offered by its prompt
    std::optional<int> experiments;   // 実験回数, offered by its prompt
    std::optional<int> changePercent; // お釣りの要る人の割合; none: one half
    std::optional<int> prepare;       // c枚用意したら？'s c
    std::vector<Extra> shown;         // the toggled extras that are on, in the menu's order
    std::optional<std::string> language; // the texts' language, one that has a catalogue ("en")

    bool operator==(const Lesson &) const = default;
};

// A link read: the lesson, and a line for each part of it that was not used, saying why.
struct LessonReading
{
    Lesson lesson;
    std::vector<std::string> unused;
};

// Reads the settings of a link (what follows its '#'; a text with neither '#' nor "://" is taken as the settings alone) for
// that program. Each value is checked as its prompt checks a typed answer; what is out of range, unknown, not the
// program's or given twice is left out with a line saying so. Reads any length in one pass.
LessonReading readLesson(ProgramNumber program, std::string_view link);

// A toggled extra's name in a link's show= ("law", "coins", "line"); empty for an extra that is no toggle.
std::string_view lessonExtraName(Extra extra);

// The settings after the '#': "guests=35&experiments=1000&share=60&show=law,coins&prepare=5", only what is set.
std::string lessonSettings(const Lesson &lesson);
// The link to hand out: the site's folder (as siteFolder() gives it), the program's page and the settings, with the
// language in use where the lesson names none: the class sees what the teacher sees.
std::string lessonLink(std::string_view site, ProgramNumber program, const Lesson &lesson);

// The folder of the site that a teacher gives, as the links begin: an http or https address, without its
// page, query or fragment, ending in '/'. None for anything else (another scheme, blanks, control characters, or an
// address too long for its links to fit a QR code).
std::optional<std::string> siteFolder(std::string_view address);

// What a program is told on its command line (the arguments after its name): the settings of a link, from the
// options --guests N, --experiments N, --share N, --show law,coins,line and --prepare N (also --name=value), or a
// lesson link. What it does not know is told as not used, as a link's would be.
struct CommandLine
{
    std::string settings; // as readLesson() reads them
    std::vector<std::string> unused;
    bool help = false; // --help or -h: the help is printed and the program ends
};
CommandLine readCommandLine(const std::vector<std::string> &arguments);
// What --help prints, in the language in use.
std::string commandLineHelp(ProgramNumber program);

// The box that tells a lesson's unused parts before the window asks anything: its text (empty where every part
// was used) and its title.
std::string unusedNotice(const std::vector<std::string> &unused);

// この設定を配る: a box with the link of the set-up in use, its QR code and a button that copies the link.
// The QR code's side, as a share of the screen's height (in a page, of the browser window's): the class scans it
// from the back row, off the projector.
inline constexpr double lessonCodeShare = 0.4;
// Where the page is not served from a web address (opened from a file, or on the desktop), the links begin with
// the site's address that the teacher gives once; it is remembered, and the box says whose it is.
std::string siteGivenNote(std::string_view site);

#endif
