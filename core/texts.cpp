#include "core/texts.h"

#include "core/classresults.h"

#include <span>
#include <string_view>

namespace {

// The lines of a text of several lines.
void appendLines(std::vector<std::string> &lines, Text name)
{
    const std::string &all = text(name);
    for (std::size_t at = 0;;) {
        const std::size_t end = all.find('\n', at);
        lines.push_back(all.substr(at, end - at));
        if (end == std::string::npos)
            return;
        at = end + 1;
    }
}

Text operatingLines(ProgramNumber program)
{
    switch (program) {
    case ProgramNumber::Taluno1: return Text::helpOperatingToss;
    case ProgramNumber::Taluno2: return Text::helpOperatingTable;
    case ProgramNumber::Taluno3: return Text::helpOperatingGraph;
    }
    unknownProgram("helpLines");
}

} // namespace

std::string fullWidthNumber(int number)
{
    std::string text;
    for (const char digit : std::to_string(number))
        text += {'\xEF', '\xBC', static_cast<char>(0x90 + digit - '0')};
    return text;
}

std::string changePercentText(int changePercent)
{
    return text(Text::changePercentText, {{"percent", std::to_string(changePercent)}});
}

std::optional<std::string> changePercentNote(int changePercent, bool always)
{
    if (changePercent == fairChangePercent && !always)
        return std::nullopt;
    return changePercentText(changePercent);
}

std::vector<std::string> helpLines(ProgramNumber program, int changePercent)
{
    // Where the share of guests who need change is not one half, a line under the problem says which share is in
    // use, in place of the blank line under the question, so that the text still fits its window.
    std::vector<std::string> lines;
    appendLines(lines, Text::helpProblem);
    const bool noted = changePercentNote(changePercent).has_value();
    if (noted) {
        lines.push_back(text(Text::helpShareNote, {{"percent", std::to_string(changePercent)},
                                                   {"fullWidthPercent", fullWidthNumber(changePercent)}}));
    }
    appendLines(lines, Text::helpQuestion);
    if (!noted)
        lines.emplace_back();
    appendLines(lines, Text::helpIdea);
    appendLines(lines, operatingLines(program));
    lines.push_back(text(Text::helpMenu));
    return lines;
}

// ---- Refusals of the class's pasted results --------------------------------------------------------------

namespace {

// A number as a refusal writes it, with the minus sign U+2212.
std::string signedText(long long value)
{
    return value < 0 ? "−" + std::to_string(-value) : std::to_string(value);
}

} // namespace

std::string refusalText(const PoolFailure &refusal)
{
    const auto say = [&refusal](Text name) {
        return text(name, {{"line", std::to_string(refusal.line)}, {"found", signedText(refusal.found)},
                           {"expected", std::to_string(refusal.expected)}, {"expectedLine", std::to_string(refusal.expectedLine)},
                           {"quoted", refusal.quoted}});
    };
    switch (refusal.kind) {
    case RefusalKind::None: return {};
    case RefusalKind::TooMuchPasted: return text(Text::tooMuchPasted);
    case RefusalKind::NothingToPool: return say(Text::refusalNothing);
    case RefusalKind::Unreadable: return say(Text::refusalUnreadable);
    case RefusalKind::NumberUnclear: return say(Text::refusalNumberUnclear);
    case RefusalKind::LowestOutOfRange: return say(Text::refusalLowestOutOfRange);
    case RefusalKind::MixedGuests: return say(Text::refusalMixedGuests);
    case RefusalKind::MixedShares: return say(Text::refusalMixedShares);
    case RefusalKind::TableUnreadable: return say(Text::refusalTableUnreadable);
    case RefusalKind::CountsMismatch: return say(Text::refusalCountsMismatch);
    case RefusalKind::TooManyExperiments: return say(Text::refusalTooManyExperiments);
    }
    unknownChoice("refusalText", "refusal kind " + std::to_string(static_cast<int>(refusal.kind)));
}
