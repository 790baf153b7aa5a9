#include "core/catalogue.h"

#include "core/numberreader.h"
#include "core/program.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

struct CatalogueFile
{
    std::string_view language;
    std::string_view json;
};

// Each catalogue file as the build found it, by its file's name.
constexpr CatalogueFile catalogueFiles[] = {
#include "catalogues.inc"
};

constexpr std::string_view names[] = {
#define TALUNO_TEXT_NAME(name) #name,
    TALUNO_TEXT_NAMES(TALUNO_TEXT_NAME)
#undef TALUNO_TEXT_NAME
};

// Reads the little JSON a catalogue is written in: one object of names, each a string or a list of strings.
class CatalogueReader
{
public:
    explicit CatalogueReader(std::string_view json) : m_json(json) {}

    CatalogueReading read()
    {
        CatalogueReading reading;
        if (!take('{'))
            return failed("a catalogue is one object of texts by name");
        for (bool first = true; !take('}'); first = false) {
            if (!first && !take(','))
                return failed("a comma or the end of the object was expected");
            std::string name;
            std::string value;
            if (!string(name) || !take(':') || !textValue(value))
                return failed("a name, a colon and a text (or a list of lines) were expected");
            if (!reading.texts.emplace(std::move(name), std::move(value)).second)
                return failed("a name is given twice");
        }
        skipBlanks();
        if (m_at != m_json.size())
            return failed("text after the object");
        return reading;
    }

private:
    CatalogueReading failed(std::string why) const
    {
        return {{}, why + " (at byte " + std::to_string(m_at) + ")"};
    }

    void skipBlanks()
    {
        while (m_at < m_json.size() && std::string_view(" \t\r\n").find(m_json[m_at]) != std::string_view::npos)
            ++m_at;
    }

    bool take(char c)
    {
        skipBlanks();
        if (m_at < m_json.size() && m_json[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool hex(char32_t &value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i, ++m_at) {
            if (m_at >= m_json.size())
                return false;
            const int digit = hexDigit(m_json[m_at]);
            if (digit < 0)
                return false;
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    bool string(std::string &out)
    {
        if (!take('"'))
            return false;
        while (m_at < m_json.size()) {
            const char c = m_json[m_at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_json.size())
                return false;
            const char escaped = m_json[m_at++];
            const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
            if (const auto at = from.find(escaped); at != std::string_view::npos) {
                out += to[at];
            } else if (escaped == 'u') {
                char32_t unit = 0;
                char32_t low = 0;
                if (!hex(unit))
                    return false;
                if (unit >= 0xD800 && unit < 0xDC00) {
                    if (m_json.substr(m_at, 2) != "\\u" || (m_at += 2, !hex(low)) || low < 0xDC00 || low >= 0xE000)
                        return false;
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, unit);
            } else {
                return false;
            }
        }
        return false;
    }

    bool textValue(std::string &out)
    {
        if (!take('['))
            return string(out);
        for (bool first = true; !take(']'); first = false) {
            if (!first && (!take(',') || (out += '\n', false)))
                return false;
            if (!string(out))
                return false;
        }
        return true;
    }

    std::string_view m_json;
    std::size_t m_at = 0;
};

struct Catalogues
{
    std::vector<std::string> languages;
    std::vector<std::vector<std::string>> texts; // by language, then by name
};

// Every catalogue, read once; a catalogue that cannot be read or lacks a text stops the program, as a table of its
// own would: the tests read each one.
const Catalogues &catalogues()
{
    static const Catalogues read = [] {
        Catalogues all;
        std::vector<CatalogueFile> files(std::begin(catalogueFiles), std::end(catalogueFiles));
        std::ranges::sort(files, {}, &CatalogueFile::language);
        for (const CatalogueFile &file : files) {
            const CatalogueReading reading = readCatalogue(file.json);
            if (!reading.error.empty())
                unknownChoice("the catalogue", std::string(file.language) + ": " + reading.error);
            std::vector<std::string> &texts = all.texts.emplace_back();
            for (const std::string_view name : names) {
                const auto found = reading.texts.find(name);
                if (found == reading.texts.end())
                    unknownChoice("the catalogue", std::string(file.language) + " lacks " + std::string(name));
                texts.push_back(found->second);
            }
            all.languages.emplace_back(file.language);
        }
        return all;
    }();
    return read;
}

std::optional<std::size_t> languageIndex(std::string_view language)
{
    const std::vector<std::string> &languages = catalogues().languages;
    const auto found = std::ranges::find(languages, language);
    return found == languages.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - languages.begin()));
}

std::string &current()
{
    static std::string language(originalLanguage);
    return language;
}

} // namespace

std::string_view textName(Text name)
{
    return names[static_cast<std::size_t>(name)];
}

const std::vector<Text> &allTexts()
{
    static const std::vector<Text> texts{
#define TALUNO_TEXT_ITEM(name) Text::name,
        TALUNO_TEXT_NAMES(TALUNO_TEXT_ITEM)
#undef TALUNO_TEXT_ITEM
    };
    return texts;
}

CatalogueReading readCatalogue(std::string_view json)
{
    return CatalogueReader(json).read();
}

const std::vector<std::string> &catalogueLanguages()
{
    return catalogues().languages;
}

std::string chooseLanguage(const std::vector<std::string> &preferred)
{
    for (const std::string &code : preferred) {
        std::string language = code.substr(0, code.find_first_of("-_.@"));
        std::ranges::transform(language, language.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        if (languageIndex(language))
            return language;
    }
    return std::string(fallbackLanguage);
}

const std::string &currentLanguage()
{
    return current();
}

bool useLanguage(std::string_view language)
{
    if (!languageIndex(language))
        return false;
    current() = language;
    return true;
}

const std::string &textIn(std::string_view language, Text name)
{
    const std::optional<std::size_t> index = languageIndex(language);
    if (!index)
        unknownChoice("textIn", language);
    return catalogues().texts[*index].at(static_cast<std::size_t>(name));
}

const std::string &text(Text name)
{
    return textIn(currentLanguage(), name);
}

std::string text(Text name, std::initializer_list<std::pair<std::string_view, std::string>> values)
{
    const std::string &pattern = text(name);
    std::string filled;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t open = pattern.find('{', at);
        const std::size_t close = open == std::string::npos ? open : pattern.find('}', open);
        if (close == std::string::npos) {
            filled.append(pattern, at);
            break;
        }
        filled.append(pattern, at, open - at);
        const std::string_view placeholder = std::string_view(pattern).substr(open + 1, close - open - 1);
        const auto value = std::ranges::find(values, placeholder, &std::pair<std::string_view, std::string>::first);
        if (value != values.end())
            filled += value->second;
        else
            filled.append(pattern, open, close + 1 - open);
        at = close + 1;
    }
    return filled;
}

bool isTextInAnyLanguage(std::string_view shown, Text name)
{
    return std::ranges::any_of(catalogueLanguages(), [&](const std::string &language) { return textIn(language, name) == shown; });
}
