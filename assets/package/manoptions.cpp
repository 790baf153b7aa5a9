// Fills a program's manual page: manoptions <number> <page with @OPTIONS@> <page>. The options are listed as
// the program's command line takes them, its ranges and toggles from the core's tables, so that the page says
// what that program reads: Taluno1 asks no number of guests or experiments.
#include "core/batchrules.h"
#include "core/catalogue.h"
#include "core/lessonlink.h"
#include "core/tosswalk.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// An option as roff lists it: "--guests n" and what it sets.
std::string option(const std::string &name, const std::string &value, const std::string &text)
{
    return ".TP\n.BI \\-\\-" + name + " \" " + value + "\"\n" + text + "\n";
}

std::string range(const SettingRow &row)
{
    return std::to_string(row.lowest) + " to " + std::to_string(row.highest);
}

// What a toggle shows, in the page's English.
std::string shownText(Extra extra)
{
    switch (extra) {
    case Extra::CopyResults:
    case Extra::SavePicture: return {};
    case Extra::ExactLaw: return "the exact law beside the run";
    case Extra::CoinsPanel: return "the panel of how many coins were enough";
    case Extra::CoinsShare: return {};
    case Extra::WalkLine: return "the walk as a line beside the table";
    case Extra::ChangePercent:
    case Extra::PoolResults:
    case Extra::ShareLesson: return {};
    }
    unknownExtra("shownText", extra);
}

std::string options(ProgramNumber program)
{
    std::string listed, coinsRange;
    switch (programRow(program).kind) {
    case ProgramKind::Walk: coinsRange = "0 to " + std::to_string(TossWalk::tossCount); break;
    case ProgramKind::Table:
    case ProgramKind::Graph:
        listed += option("guests", "n", "The number of guests its prompt offers, " + range(batchRules(program).guests) + ".");
        listed += option("experiments", "n", "The number of experiments its prompt offers, " + range(batchRules(program).experiments) + ".");
        coinsRange = "0 to the number of guests";
        break;
    }
    listed += option("share", "percent", "The share of guests who need change, 1 to 99 (50 until given).");
    std::string shown;
    for (const ExtraRow &row : programRow(program).extras) {
        if (!lessonExtraName(row.extra).empty())
            shown += std::string(shown.empty() ? "" : ", ") + "\\fB" + std::string(lessonExtraName(row.extra)) + "\\fR (" + shownText(row.extra) + ")";
    }
    listed += option("show", "name,...", "What is shown from the start: " + shown + ".");
    listed += option("prepare", "c", "The number of coins c that the context menu's c coins offers, " + coinsRange + ".");
    std::string languages;
    for (const std::string &language : catalogueLanguages())
        languages += (languages.empty() ? "" : ", ") + ("\\fB" + language + "\\fR");
    listed += option("lang", "language", "The language of the texts, " + languages + "; without it, the one last chosen from the "
                     "context menu, else the first of the system's languages that the programs have, else English.");
    return listed + ".TP\n.BR \\-h \", \" \\-\\-help\nPrints this help in the language the program would start in, and ends.\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: manoptions <program number> <page with @OPTIONS@> <page>\n");
        return 2;
    }
    const auto program = static_cast<ProgramNumber>(std::stoi(argv[1]));
    std::ifstream in(argv[2]);
    std::stringstream page;
    page << in.rdbuf();
    std::string text = page.str();
    const std::string placeholder = "@OPTIONS@\n";
    const std::size_t at = text.find(placeholder);
    if (!in || at == std::string::npos) {
        std::fprintf(stderr, "manoptions: no @OPTIONS@ line in %s\n", argv[2]);
        return 1;
    }
    text.replace(at, placeholder.size(), options(program));
    std::ofstream out(argv[3]);
    out << text;
    return out ? 0 : 1;
}
