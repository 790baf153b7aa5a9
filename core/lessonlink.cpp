#include "core/lessonlink.h"

#include "core/batchrules.h"
#include "core/numberreader.h"
#include "core/tosswalk.h"

#include <algorithm>
#include <array>

namespace {

// The settings a link carries, in the order they are written and checked.
enum class Setting { Guests, Experiments, Share, Show, Prepare };
struct SettingName
{
    Setting setting;
    std::string_view name;  // in the link: "guests"
    std::string_view label; // in a line that refuses it
};
constexpr std::array<SettingName, 5> settingNames{{
    {Setting::Guests, "guests", "お客人数"},
    {Setting::Experiments, "experiments", "実験回数"},
    {Setting::Share, "share", "お釣りの要る人の割合"},
    {Setting::Show, "show", "表示"},
    {Setting::Prepare, "prepare", "c枚用意したら？"},
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

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

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
    std::string shown = "「";
    std::size_t at = 0;
    for (int count = 0; at < text.size() && count < most; ++count) {
        const char32_t c = nextCodePoint(text, at);
        appendUtf8(shown, c < 0x20 || (c >= 0x7f && c < 0xa0) ? U'\uFFFD' : c);
    }
    return shown + (at < text.size() ? "…」" : "」");
}

std::string rangeText(int lowest, int highest)
{
    return std::to_string(lowest) + "以上" + std::to_string(highest) + "以下の整数ではありません";
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
    const auto refuse = [&](const std::string &why) { reading.unused.push_back(std::string(named.label) + quoted(value) + "：" + why); };
    const auto number = [&](int lowest, int highest, std::optional<int> &into) {
        into = acceptSetting(value, lowest, highest);
        if (!into)
            refuse(rangeText(lowest, highest));
    };
    if ((named.setting == Setting::Guests || named.setting == Setting::Experiments) && !isBatch(program)) {
        reading.unused.push_back("「" + std::string(named.label) + "」：" + programRow(program).title + "では使いません");
        return;
    }
    switch (named.setting) {
    case Setting::Guests: number(batchRules(program).guests.lowest, batchRules(program).guests.highest, lesson.guests); return;
    case Setting::Experiments:
        number(batchRules(program).experiments.lowest, batchRules(program).experiments.highest, lesson.experiments);
        return;
    case Setting::Share: number(1, 99, lesson.changePercent); return;
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
                reading.unused.push_back(std::string(named.label) + quoted(name) + "：" + programRow(program).title + "にない表示です");
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
                reading.unused.push_back("このリンクは" + row.title + "のものです（" + programRow(program).title + "で開きました）");
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
            reading.unused.push_back(quoted(percentDecoded(piece)) + "：知らない設定です");
            continue;
        }
        auto &value = values[static_cast<std::size_t>(named - settingNames.begin())];
        const std::string given = equals == std::string_view::npos ? std::string() : percentDecoded(piece.substr(equals + 1));
        if (value)
            reading.unused.push_back(std::string(named->label) + quoted(given) + "：2度目の指定です");
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
        }
        if (!value.empty())
            settings += (settings.empty() ? "" : "&") + std::string(named.name) + "=" + value;
    }
    return settings;
}

std::string lessonLink(std::string_view site, ProgramNumber program, const Lesson &lesson)
{
    const std::string settings = lessonSettings(lesson);
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
                line.unused.push_back(quoted(argument) + "：知らないオプションです");
            } else if (equals != std::string::npos) {
                add(name + "=" + percentEncoded(argument.substr(equals + 1)));
            } else if (i + 1 < arguments.size()) {
                add(name + "=" + percentEncoded(arguments[++i]));
            } else {
                line.unused.push_back(quoted(argument) + "：値がありません");
            }
        } else if (const std::size_t hash = argument.find('#'); page.empty() && (hash != std::string::npos || argument.find("://") != std::string::npos)) {
            page = argument.substr(0, hash);
            if (hash != std::string::npos)
                add(std::string_view(argument).substr(hash + 1));
        } else {
            line.unused.push_back(quoted(argument) + "：授業のリンクではありません");
        }
    }
    line.settings = page + "#" + parts;
    return line;
}

std::string commandLineHelp(ProgramNumber program)
{
    const std::string name = "Taluno" + std::to_string(static_cast<int>(program));
    std::string help = "使い方: " + name + " [オプション] [授業のリンク]\n" + programRow(program).title
        + "を、授業の設定で始めます。\n\nオプション:\n";
    const auto option = [&](std::string_view text) { help += "  " + std::string(text) + "\n"; };
    const auto range = [](const SettingRow &row) { return std::to_string(row.lowest) + "～" + std::to_string(row.highest); };
    std::string shown;
    for (const ExtraRow &row : programRow(program).extras) {
        if (!lessonExtraName(row.extra).empty())
            shown += (shown.empty() ? "" : "、") + std::string(lessonExtraName(row.extra)) + "（" + row.caption + "）";
    }
    if (isBatch(program)) {
        option("--guests 人数          お客人数（" + range(batchRules(program).guests) + "）");
        option("--experiments 回数     実験回数（" + range(batchRules(program).experiments) + "）");
    }
    option("--share 割合           お釣りの要る人の割合（%、1～99）");
    option("--show 名前,名前       はじめから表示するもの：" + shown);
    option(std::string("--prepare 枚数         c枚用意したら？ の枚数（0～") + (isBatch(program) ? "お客人数" : "100") + "）");
    option("-h, --help             この説明を表示して終わります");
    return help + "\n授業のリンク（…/" + pageName(program) + "#share=60 など）を与えると、その設定で始めます。\n"
        + "範囲外の値や知らない設定は使わず、始めにそのことを知らせます。\n";
}

std::string unusedNotice(const std::vector<std::string> &unused)
{
    if (unused.empty())
        return {};
    // A hostile link may hold thousands: the first few say enough.
    constexpr std::size_t shownMost = 8;
    std::string notice = "授業のリンクの設定のうち、次のものは使いませんでした。";
    for (std::size_t i = 0; i < std::min(unused.size(), shownMost); ++i)
        notice += "\n・" + unused[i];
    if (unused.size() > shownMost)
        notice += "\n・ほか" + std::to_string(unused.size() - shownMost) + "件";
    return notice;
}

std::string siteGivenNote(std::string_view site)
{
    return "リンクは、先生が入力したサイトのアドレス " + std::string(site) + " で始まります。";
}
