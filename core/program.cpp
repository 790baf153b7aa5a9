#include "core/program.h"

#include "core/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Every main window copies its results, saves its picture and lets the share of guests who need change be
// chosen and handed out as a link; a walk draws itself as a line, with c coins on it; a batch shows the exact law, the coins that are
// enough, and the class's results pooled.
std::vector<ExtraRow> extrasOf(ProgramKind kind)
{
    std::vector<ExtraRow> rows{{Extra::CopyResults, text(Text::extraCopyResults), "Ctrl+C", false},
                               {Extra::SavePicture, text(Text::extraSavePicture), "Ctrl+S", false}};
    const ExtraRow coinsShare{Extra::CoinsShare, text(Text::extraCoinsShare), "C", false};
    switch (kind) {
    case ProgramKind::Walk:
        rows.push_back({Extra::WalkLine, text(Text::extraWalkLine), "L", true});
        rows.push_back(coinsShare);
        break;
    case ProgramKind::Table:
    case ProgramKind::Graph:
        rows.push_back({Extra::ExactLaw, text(Text::extraExactLaw), "T", true});
        rows.push_back({Extra::CoinsPanel, text(Text::extraCoinsPanel), "K", true});
        rows.push_back(coinsShare);
        rows.push_back({Extra::PoolResults, text(Text::extraPoolResults), "M", false});
        break;
    }
    rows.push_back({Extra::ChangePercent, text(Text::extraChangePercent), "P", false});
    rows.push_back({Extra::ShareLesson, text(Text::extraShareLesson), "Q", false});
    return rows;
}

ProgramRow row(ProgramNumber number, std::string title, std::string summary, ProgramKind kind, HelpPlace help)
{
    return {number, std::move(title), std::move(summary), kind, help, extrasOf(kind)};
}

} // namespace

const std::vector<ProgramRow> &programTable()
{
    return madeInLanguage([] {
        return std::vector<ProgramRow>{
        row(ProgramNumber::Taluno1, text(Text::taluno1Title), text(Text::taluno1Summary), ProgramKind::Walk, HelpPlace::Beside),
        row(ProgramNumber::Taluno2, text(Text::taluno2Title), text(Text::taluno2Summary), ProgramKind::Table, HelpPlace::InPlace),
        row(ProgramNumber::Taluno3, text(Text::taluno3Title), text(Text::taluno3Summary), ProgramKind::Graph, HelpPlace::InPlace),
        };
    });
}

const ProgramRow &programRow(ProgramNumber program)
{
    for (const ProgramRow &row : programTable()) {
        if (row.number == program)
            return row;
    }
    unknownProgram("programRow");
}

std::optional<ProgramNumber> programNumbered(int number)
{
    for (const ProgramRow &row : programTable()) {
        if (static_cast<int>(row.number) == number)
            return row.number;
    }
    return std::nullopt;
}

std::string_view extraName(Extra extra)
{
    switch (extra) {
    case Extra::CopyResults: return "copyResults";
    case Extra::SavePicture: return "savePicture";
    case Extra::ExactLaw: return "exactLaw";
    case Extra::CoinsPanel: return "coinsPanel";
    case Extra::CoinsShare: return "coinsShare";
    case Extra::WalkLine: return "walkLine";
    case Extra::ChangePercent: return "changePercent";
    case Extra::PoolResults: return "poolResults";
    case Extra::ShareLesson: return "shareLesson";
    }
    unknownProgram("extraName");
}

std::optional<Extra> extraNamed(ProgramNumber program, std::string_view name)
{
    for (const ExtraRow &row : programRow(program).extras) {
        if (extraName(row.extra) == name)
            return row.extra;
    }
    return std::nullopt;
}

std::string_view windowName(WindowRole window)
{
    switch (window) {
    case WindowRole::Main: return "main";
    case WindowRole::Help: return "help";
    }
    unknownChoice("windowName", "window " + std::to_string(static_cast<int>(window)));
}

std::string_view cueName(Cue cue)
{
    switch (cue) {
    case Cue::Pinpon: return "pinpon";
    case Cue::EndPinpon: return "endPinpon";
    }
    unknownProgram("cueName");
}

std::string cueFile(Cue cue)
{
    std::string file;
    for (const char c : cueName(cue))
        file += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return file + ".wav";
}

std::optional<Cue> cueNamed(std::string_view name)
{
    for (const Cue cue : allCues) {
        if (cueName(cue) == name)
            return cue;
    }
    return std::nullopt;
}

void unknownProgram(const char *where)
{
    unknownChoice(where, "a program or kind that the program table does not have");
}

void unknownChoice(const char *where, std::string_view what)
{
    std::fprintf(stderr, "Taluno: %s met %.*s, which it does not answer for\n", where, static_cast<int>(what.size()), what.data());
    std::abort();
}

void unknownExtra(const char *where, Extra extra)
{
    // Not extraName(), which traps for a value no row has.
    for (const ProgramRow &row : programTable()) {
        for (const ExtraRow &known : row.extras) {
            if (known.extra == extra)
                unknownChoice(where, "the extra " + std::string(extraName(extra)));
        }
    }
    unknownChoice(where, "extra " + std::to_string(static_cast<int>(extra)));
}
