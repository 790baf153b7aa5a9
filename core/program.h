#ifndef PROGRAM_H
#define PROGRAM_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a program is, decided once: the table below. Every choice by program, kind or extra is a
// `switch` without `default`, so that the compiler lists what a new program must answer.
//
// A new program: a row of programTable() in core/program.cpp, its main window's layout in core/layout.cpp (and its
// help text in core/texts.cpp, its texts in every catalogue of core/catalogues/), its flow in makeMainFlow() (core/mainflow.cpp), and its line in programs.txt for the
// build (the README's part for developers lists the rest); the compiler lists every switch that must answer for it.
// The faces, the tests, the benchmarks and the site's build (web/build.mjs) read the table.

enum class ProgramNumber {
    Taluno1 = 1, // one experiment, toss by toss
    Taluno2 = 2, // many experiments, as a frequency table
    Taluno3 = 3, // many experiments, as a frequency graph
};

// What a main window shows of its runs.
enum class ProgramKind {
    Walk,  // one walk, toss by toss
    Table, // the lowest balances of many walks as a frequency table
    Graph, // the same as a bar graph
};

// Where HELP shows the help window.
enum class HelpPlace {
    Beside,  // beside the main window, which stays as it is
    InPlace, // instead of the main window, which comes back afresh on 閉じる
};

// The extras of a main window's context menu, each off until asked for.
enum class Extra {
    CopyResults, // the results as a table for a spreadsheet
    SavePicture, // the window, or its picture control, as a PNG at twice the resolution
    ExactLaw,    // the exact law beside the run (a toggle)
    CoinsPanel,  // the panel of how many coins are enough (a toggle)
    CoinsShare,  // asks for a number of coins c and shows in how many experiments c were enough
    WalkLine,    // the walk as a line with its lowest point so far (a toggle)
    ChangePercent, // asks for the share of guests who need change, one half until then
    PoolResults, // asks for the class's results and shows them pooled as one run
    ShareLesson, // shows the link of the set-up in use and its QR code, for the class to open
};

struct ExtraRow
{
    Extra extra;
    std::string caption;
    std::string keys; // the shortcut, as "Ctrl+C" or "T"
    bool toggle;      // shown or not, rather than done once
};

struct ProgramRow
{
    ProgramNumber number;
    std::string title;   // "Talunoの実験１"
    std::string summary; // what it shows, for the list of programs: "度数分布表"
    ProgramKind kind;
    HelpPlace help;
    std::vector<ExtraRow> extras; // the main window's context menu, in its order
};

// Every program, in the order of their numbers.
const std::vector<ProgramRow> &programTable();
const ProgramRow &programRow(ProgramNumber program);
// The program of that number, if there is one.
std::optional<ProgramNumber> programNumbered(int number);

// The name of an extra across the boundary to the pages ("copyResults"); the extra of a program's
// menu by that name, if it has one.
std::string_view extraName(Extra extra);
std::optional<Extra> extraNamed(ProgramNumber program, std::string_view name);

// The windows of a program, numbered for the pages, which learn the numbers by name from the program table.
enum class WindowRole {
    Main = 0, // the main window
    Help = 1, // its HELP
};
inline constexpr WindowRole allWindows[] = {WindowRole::Main, WindowRole::Help};
std::string_view windowName(WindowRole window); // "main", "help"

// The two sound cues, played from WAV files beside the program.
enum class Cue {
    Pinpon,    // HELP and 初期化
    EndPinpon, // 終了
};
inline constexpr Cue allCues[] = {Cue::Pinpon, Cue::EndPinpon};
// The cue's name across the boundary to the pages ("pinpon"), and its file ("pinpon.wav").
std::string_view cueName(Cue cue);
std::string cueFile(Cue cue);
std::optional<Cue> cueNamed(std::string_view name);

// Where a switch over all programs or kinds falls through: a value no row has. Never quietly.
[[noreturn]] void unknownProgram(const char *where);
// Where a place meets a value it does not answer for: `what` names it ("extra walkLine", "window 7"). Never quietly.
[[noreturn]] void unknownChoice(const char *where, std::string_view what);
// The same for an extra: one that no row has, or one that is not the place's to answer.
[[noreturn]] void unknownExtra(const char *where, Extra extra);

#endif
