#include "core/lessonlink.h"

#include "core/batchrules.h"
#include "core/catalogue.h"
#include "core/numberreader.h"
#include "core/tosswalk.h"

#include <algorithm>
#include <array>

namespace {

// The settings a link carries, in the order they are written and checked.
enum class Setting { Guests, Experiments, Share, Show, Prepare, Language };
struct SettingName
{
    Setting setting;
    std::string_view name;  // in the link: "guests"
    Text label;             // in a line that refuses it
};
constexpr std::array<SettingName, 6> settingNames{{
    {Setting::Guests, "guests", Text::lessonGuests},
    {Setting::Experiments, "experiments", Text::lessonExperiments},
    {Setting::Share, "share", Text::lessonShare},
    {Setting::Show, "show", Text::lessonShow},
    {Setting::Prepare, "prepare", Text::lessonPrepare},
    {Setting::Language, "lang", Text::lessonLanguage},
}};

} // namespace

std::string_view lessonExtraName(Extra extra)
{
    switch (extra) {
    case Extra::ExactLaw: return "law";
    case Extra::CoinsPanel: return "coins";
    case Extra::WalkLine: return "line";
    case Extra::CopyResults:
    case Extra::SavePicture:
    case Extra::CoinsShare:
    case Extra::ChangePercent:
    case Extra::PoolResults:
    case Extra::ShareLesson: return {};
    }
    unknownExtra("lessonExtraName", extra);
}

namespace {

// %XX as the byte it stands for; anything else as it is.
std::string percentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() && text[at] == '%' ? hexDigit(text[at + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[at + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

// Everything but letters, digits and -._~ as %XX, so that a value given on the command line stays one value.
std::string percentEncoded(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~')
            encoded += c;
        else
            encoded += {'%', hex[byte >> 4], hex[byte & 15]};
    }
    return encoded;
}

// A part of a link as a line quotes it: its first 20 characters, control characters as U+FFFD.
std::string quoted(std::string_view text)
{
    constexpr int most = 20;
    std::string shown;
    std::size_t at = 0;
    for (int count = 0; at < text.size() && count < most; ++count) {
        const char32_t c = nextCodePoint(text, at);
        appendUtf8(shown, c < 0x20 || (c >= 0x7f && c < 0xa0) ? U'\uFFFD' : c);
    }
    return ::text(at < text.size() ? Text::lessonQuotedCut : Text::lessonQuoted, {{"text", shown}});
}

std::string rangeText(int lowest, int highest)
{
    return text(Text::lessonNotInRange, {{"lowest", std::to_string(lowest)}, {"highest", std::to_string(highest)}});
}

// The program's page in the site: "taluno3.html".
std::string pageName(ProgramNumber program)
{
    return "taluno" + std::to_string(static_cast<int>(program)) + ".html";
}

bool isBatch(ProgramNumber program)
{
    switch (programRow(program).kind) {
    case ProgramKind::Walk: return false;
    case ProgramKind::Table:
    case ProgramKind::Graph: return true;
    }
    unknownProgram("isBatch");
}

// One setting's value, checked as its prompt or menu checks it.
void readSetting(ProgramNumber program, const SettingName &named, std::string_view value, LessonReading &reading)
{
    Lesson &lesson = reading.lesson;
    const std::string &label = text(named.label);
    const auto refuse = [&](const std::string &why) {
        reading.unused.push_back(text(Text::lessonRefused, {{"setting", label}, {"value", quoted(value)}, {"why", why}}));
    };
    const auto number = [&](int lowest, int highest, std::optional<int> &into) {
        into = acceptSetting(value, lowest, highest);
        if (!into)
            refuse(rangeText(lowest, highest));
    };
    if ((named.setting == Setting::Guests || named.setting == Setting::Experiments) && !isBatch(program)) {
        reading.unused.push_back(text(Text::lessonNotUsedHere, {{"setting", label}, {"title", programRow(program).title}}));
        return;
    }
    switch (named.setting) {
    case Setting::Guests: number(batchRules(program).guests.lowest, batchRules(program).guests.highest, lesson.guests); return;
    case Setting::Experiments:
        number(batchRules(program).experiments.lowest, batchRules(program).experiments.highest, lesson.experiments);
        return;
    case Setting::Share: number(1, 99, lesson.changePercent); return;
    case Setting::Language:
        if (std::ranges::find(catalogueLanguages(), value) != catalogueLanguages().end())
            lesson.language = value;
        else
            refuse(text(Text::lessonNoSuchLanguage));
        return;
    case Setting::Prepare:
        // At most every guest; a walk's 100 tosses.
        number(0, isBatch(program) ? lesson.guests.value_or(batchRules(program).guests.highest) : TossWalk::tossCount, lesson.prepare);
        return;
    case Setting::Show: {
        std::vector<std::string_view> names;
        for (std::size_t at = 0; at <= value.size();) {
            const std::size_t comma = std::min(value.find(',', at), value.size());
            names.push_back(value.substr(at, comma - at));
            at = comma + 1;
        }
        for (const ExtraRow &row : programRow(program).extras) {
            if (!lessonExtraName(row.extra).empty() && std::ranges::find(names, lessonExtraName(row.extra)) != names.end())
                lesson.shown.push_back(row.extra);
        }
        for (const std::string_view name : names) {
            const bool known = std::ranges::any_of(lesson.shown, [&](Extra extra) { return lessonExtraName(extra) == name; });
            if (!known)
                reading.unused.push_back(text(Text::lessonNoSuchShow, {{"setting", label}, {"value", quoted(name)}, {"title", programRow(program).title}}));
        }
        return;
    }
    }
    unknownChoice("readSetting", named.name);
}

} // namespace

LessonReading readLesson(ProgramNumber program, std::string_view link)
{
    LessonReading reading;
    // A whole link, with or without settings, or the settings alone.
    const std::size_t hash = link.find('#');
    const bool whole = hash != std::string_view::npos || link.find("://") != std::string_view::npos;
    const std::string_view settings = hash != std::string_view::npos ? link.substr(hash + 1) : whole ? std::string_view() : link;
    if (whole) {
        // A link to another program's page: its settings are still read, as far as they fit this program.
        const std::string_view page = link.substr(0, std::min(hash, link.find('?')));
        const std::string_view file = page.substr(page.find_last_of('/') + 1);
        for (const ProgramRow &row : programTable()) {
            if (row.number != program && file == pageName(row.number))
                reading.unused.push_back(text(Text::lessonOtherPage, {{"page", row.title}, {"title", programRow(program).title}}));
        }
    }
    // Each setting's first value, checked in the order above, so that c is checked against the guests.
    std::array<std::optional<std::string>, settingNames.size()> values;
    for (std::size_t at = 0; at <= settings.size();) {
        const std::size_t amp = std::min(settings.find('&', at), settings.size());
        const std::string_view piece = settings.substr(at, amp - at);
        at = amp + 1;
        if (piece.empty())
            continue;
        const std::size_t equals = piece.find('=');
        const std::string name = percentDecoded(piece.substr(0, equals));
        const auto named = std::ranges::find(settingNames, name, &SettingName::name);
        if (named == settingNames.end()) {
            reading.unused.push_back(text(Text::lessonUnknownSetting, {{"value", quoted(percentDecoded(piece))}}));
            continue;
        }
        auto &value = values[static_cast<std::size_t>(named - settingNames.begin())];
        const std::string given = equals == std::string_view::npos ? std::string() : percentDecoded(piece.substr(equals + 1));
        if (value)
            reading.unused.push_back(text(Text::lessonGivenTwice, {{"setting", text(named->label)}, {"value", quoted(given)}}));
        else
            value = given;
    }
    for (std::size_t i = 0; i < settingNames.size(); ++i) {
        if (values[i])
            readSetting(program, settingNames[i], *values[i], reading);
    }
    return reading;
}

std::string lessonSettings(const Lesson &lesson)
{
    std::string settings;
    for (const SettingName &named : settingNames) {
        std::string value;
        const auto number = [&](std::optional<int> set) { value = set ? std::to_string(*set) : std::string(); };
        switch (named.setting) {
        case Setting::Guests: number(lesson.guests); break;
        case Setting::Experiments: number(lesson.experiments); break;
        case Setting::Share: number(lesson.changePercent); break;
        case Setting::Show:
            for (const Extra extra : lesson.shown)
                value += (value.empty() ? "" : ",") + std::string(lessonExtraName(extra));
            break;
        case Setting::Prepare: number(lesson.prepare); break;
        case Setting::Language: value = lesson.language.value_or(""); break;
        }
        if (!value.empty())
            settings += (settings.empty() ? "" : "&") + std::string(named.name) + "=" + value;
    }
    return settings;
}

std::string lessonLink(std::string_view site, ProgramNumber program, const Lesson &lesson)
{
    Lesson shared = lesson;
    if (!shared.language)
        shared.language = currentLanguage();
    const std::string settings = lessonSettings(shared);
    return std::string(site) + pageName(program) + (settings.empty() ? "" : "#" + settings);
}

std::optional<std::string> siteFolder(std::string_view address)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!address.empty() && blank(address.front()))
        address.remove_prefix(1);
    while (!address.empty() && blank(address.back()))
        address.remove_suffix(1);
    std::string folder(address.substr(0, address.find_first_of("?#")));
    const std::size_t scheme = folder.find("://");
    std::string lower;
    for (const char c : folder.substr(0, scheme == std::string::npos ? 0 : scheme))
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower != "http" && lower != "https")
        return std::nullopt;
    const std::size_t hostStart = scheme + 3;
    const std::size_t pathStart = std::min(folder.find('/', hostStart), folder.size());
    const bool unsafe = std::ranges::any_of(folder, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7f || c == '"' || c == '<' || c == '>' || c == '\\' || c == '`';
    });
    if (unsafe || pathStart == hostStart)
        return std::nullopt;
    // A page of the site given for the site: its folder.
    const std::size_t lastSlash = folder.find_last_of('/');
    if (lastSlash >= pathStart && lastSlash != std::string::npos && folder.find('.', lastSlash) != std::string::npos)
        folder.erase(lastSlash + 1);
    if (folder.back() != '/')
        folder += '/';
    // Room left in the largest QR code (2331 bytes at its error correction) for the page's name and the settings.
    constexpr std::size_t longestFolder = 2000;
    return folder.size() <= longestFolder ? std::optional(folder) : std::nullopt;
}

CommandLine readCommandLine(const std::vector<std::string> &arguments)
{
    CommandLine line;
    std::string page, parts;
    const auto add = [&](std::string_view piece) {
        if (!piece.empty())
            parts += (parts.empty() ? "" : "&") + std::string(piece);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument.starts_with("--")) {
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            if (std::ranges::find(settingNames, name, &SettingName::name) == settingNames.end()) {
                line.unused.push_back(text(Text::optionUnknown, {{"value", quoted(argument)}}));
            } else if (equals != std::string::npos) {
                add(name + "=" + percentEncoded(argument.substr(equals + 1)));
            } else if (i + 1 < arguments.size()) {
                add(name + "=" + percentEncoded(arguments[++i]));
            } else {
                line.unused.push_back(text(Text::optionNoValue, {{"value", quoted(argument)}}));
            }
        } else if (const std::size_t hash = argument.find('#'); page.empty() && (hash != std::string::npos || argument.find("://") != std::string::npos)) {
            page = argument.substr(0, hash);
            if (hash != std::string::npos)
                add(std::string_view(argument).substr(hash + 1));
        } else {
            line.unused.push_back(text(Text::optionNotALink, {{"value", quoted(argument)}}));
        }
    }
    line.settings = page + "#" + parts;
    return line;
}

std::string commandLineHelp(ProgramNumber program)
{
    std::string help = text(Text::commandLineUsage, {{"name", "Taluno" + std::to_string(static_cast<int>(program))},
                                                     {"title", programRow(program).title}}) + "\n";
    const auto option = [&](Text line, std::initializer_list<std::pair<std::string_view, std::string>> values) {
        help += "  " + text(line, values) + "\n";
    };
    const auto range = [](int lowest, int highest) {
        return text(Text::optionRange, {{"lowest", std::to_string(lowest)}, {"highest", std::to_string(highest)}});
    };
    std::string shown;
    for (const ExtraRow &row : programRow(program).extras) {
        if (!lessonExtraName(row.extra).empty()) {
            shown += (shown.empty() ? "" : text(Text::optionShowJoiner))
                + text(Text::optionShowEntry, {{"name", std::string(lessonExtraName(row.extra))}, {"caption", row.caption}});
        }
    }
    std::string languages;
    for (const std::string &language : catalogueLanguages())
        languages += (languages.empty() ? "" : ", ") + language + " (" + textIn(language, Text::languageName) + ")";
    if (isBatch(program)) {
        const BatchRules &rules = batchRules(program);
        option(Text::optionGuests, {{"range", range(rules.guests.lowest, rules.guests.highest)}});
        option(Text::optionExperiments, {{"range", range(rules.experiments.lowest, rules.experiments.highest)}});
    }
    option(Text::optionShare, {});
    option(Text::optionShow, {{"shown", shown}});
    option(Text::optionPrepare, {{"most", isBatch(program) ? text(Text::optionPrepareGuests) : std::to_string(TossWalk::tossCount)}});
    option(Text::optionLanguage, {{"languages", languages}});
    option(Text::optionHelp, {});
    return help + "\n" + text(Text::commandLineLinkNote, {{"page", pageName(program)}}) + "\n";
}

std::string unusedNotice(const std::vector<std::string> &unused)
{
    if (unused.empty())
        return {};
    // A hostile link may hold thousands: the first few say enough.
    constexpr std::size_t shownMost = 8;
    std::string notice = text(Text::unusedNotice);
    for (std::size_t i = 0; i < std::min(unused.size(), shownMost); ++i)
        notice += "\n" + text(Text::unusedNoticeLine, {{"line", unused[i]}});
    if (unused.size() > shownMost)
        notice += "\n" + text(Text::unusedNoticeMore, {{"count", std::to_string(unused.size() - shownMost)}});
    return notice;
}

std::string siteGivenNote(std::string_view site)
{
    return text(Text::siteGivenNote, {{"site", std::string(site)}});
}
