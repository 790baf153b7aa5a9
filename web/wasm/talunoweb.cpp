// The core behind the web pages: a small C interface over the flows, compiled to a WebAssembly
// reactor. The page calls the exports for activations, clicks, ticks and box answers; the core
// answers through the imports, which the page's view implements.

#include "core/batchrules.h"
#include "core/clock.h"
#include "core/cuesound.h"
#include "core/jsontext.h"
#include "core/layout.h"
#include "core/lessonlink.h"
#include "core/mainflow.h"
#include "core/programflow.h"
#include "core/pseudorandom.h"
#include "core/surface.h"
#include "core/program.h"
#include "core/texts.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#define TALUNO_IMPORT(name) __attribute__((import_module("taluno"), import_name(#name)))
#define TALUNO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// Strings are UTF-8, given as pointer and length.
extern "C" {
TALUNO_IMPORT(setText) void jsSetText(int window, int control, const char *text, int length);
TALUNO_IMPORT(setTextColour) void jsSetTextColour(int window, int control, int rgb);
TALUNO_IMPORT(setNote) void jsSetNote(int window, int control, const char *text, int length, int rgb);
TALUNO_IMPORT(setEnabled) void jsSetEnabled(int window, int control, int enabled);
TALUNO_IMPORT(setVisible) void jsSetVisible(int window, int control, int visible);
TALUNO_IMPORT(setDescription) void jsSetDescription(int window, int control, const char *text, int length);
TALUNO_IMPORT(setTimer) void jsSetTimer(int window, int timer, int running);
TALUNO_IMPORT(setBusy) void jsSetBusy(int window, int busy);
TALUNO_IMPORT(playCue) void jsPlayCue(const char *name, int length);
TALUNO_IMPORT(ask) void jsAsk(int window, const char *kind, int kindLength, const char *text, int textLength, const char *title,
                              int titleLength, const char *defaultText, int defaultLength, int shownLine);
TALUNO_IMPORT(openHelp) void jsOpenHelp();
TALUNO_IMPORT(closeHelp) void jsCloseHelp();
TALUNO_IMPORT(endProgram) void jsEndProgram();
TALUNO_IMPORT(surfaceClear) void jsSurfaceClear(int window, int control);
TALUNO_IMPORT(surfaceLine) void jsSurfaceLine(int window, int control, double x1, double y1, double x2, double y2,
                                              int rgb, int pixels);
TALUNO_IMPORT(surfaceBox) void jsSurfaceBox(int window, int control, double x1, double y1, double x2, double y2,
                                            int rgb);
TALUNO_IMPORT(surfaceMoveTo) void jsSurfaceMoveTo(int window, int control, double x, double y);
TALUNO_IMPORT(surfacePrint) void jsSurfacePrint(int window, int control, const char *text, int length);
TALUNO_IMPORT(surfaceNumber) void jsSurfaceNumber(int window, int control, const char *text, int length);
TALUNO_IMPORT(surfaceAxisRow) void jsSurfaceAxisRow(int window, int control, const char *row, int length,
                                                    double firstTick, double tickStep);
TALUNO_IMPORT(secondsSinceMidnight) double jsSecondsSinceMidnight();
TALUNO_IMPORT(setWindowWidth) void jsSetWindowWidth(int window, int pixels);
TALUNO_IMPORT(showPanels) void jsShowPanels(int window, const char *json, int length);
}

namespace {

int packed(Rgb colour)
{
    return colour.red << 16 | colour.green << 8 | colour.blue;
}

int length(std::string_view text)
{
    return static_cast<int>(text.size());
}

// JSON pieces.
std::string colourJson(const std::optional<Rgb> &colour)
{
    if (!colour)
        return "null";
    char hex[16];
    std::snprintf(hex, sizeof hex, "\"#%02x%02x%02x\"", colour->red, colour->green, colour->blue);
    return hex;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

const char *boolean(bool value)
{
    return value ? "true" : "false";
}

// Items joined by commas, each made by `json`.
template<typename Items, typename Json>
std::string list(const Items &items, Json json)
{
    std::string joined;
    for (const auto &item : items)
        joined += (joined.empty() ? "" : ",") + json(item);
    return joined;
}

class PageSurface : public Surface
{
public:
    PageSurface(int window, int control) : m_window(window), m_control(control) {}

    void clear() override { jsSurfaceClear(m_window, m_control); }
    void line(double x1, double y1, double x2, double y2, Rgb colour, int pixels) override
    {
        jsSurfaceLine(m_window, m_control, x1, y1, x2, y2, packed(colour), pixels);
    }
    void box(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        jsSurfaceBox(m_window, m_control, x1, y1, x2, y2, packed(colour));
    }
    void setTextPosition(double x, double y) override { jsSurfaceMoveTo(m_window, m_control, x, y); }
    void printLine(std::string_view text) override { jsSurfacePrint(m_window, m_control, text.data(), length(text)); }
    void printNumber(std::string_view number) override { jsSurfaceNumber(m_window, m_control, number.data(), length(number)); }
    void printAxisRow(std::string_view row, double firstTick, double tickStep) override
    {
        jsSurfaceAxisRow(m_window, m_control, row.data(), length(row), firstTick, tickStep);
    }

private:
    int m_window;
    int m_control;
};

class PageView : public ProgramView
{
public:
    explicit PageView(WindowRole window) : m_window(static_cast<int>(window)) {}

    void setText(int control, std::string_view text) override { jsSetText(m_window, control, text.data(), length(text)); }
    void setTextColour(int control, Rgb colour) override { jsSetTextColour(m_window, control, packed(colour)); }
    void setNote(int control, std::string_view note, Rgb colour) override
    {
        jsSetNote(m_window, control, note.data(), length(note), packed(colour));
    }
    void setControlEnabled(int control, bool enabled) override { jsSetEnabled(m_window, control, enabled); }
    void setControlVisible(int control, bool visible) override { jsSetVisible(m_window, control, visible); }
    void setDescription(int control, std::string_view text) override
    {
        jsSetDescription(m_window, control, text.data(), length(text));
    }
    Surface &surface(int control) override
    {
        m_surface = std::make_unique<PageSurface>(m_window, control);
        return *m_surface;
    }
    void setTimerRunning(int timer, bool running) override { jsSetTimer(m_window, timer, running); }
    void setBusy(bool busy) override { jsSetBusy(m_window, busy); }
    void yieldToEventLoop() override {}
    void playCue(Cue cue) override { jsPlayCue(cueName(cue).data(), length(cueName(cue))); }
    void ask(const Question &question) override
    {
        const std::string_view kind = questionKindName(question.kind);
        jsAsk(m_window, kind.data(), length(kind), question.text.data(), length(question.text), question.title.data(),
              length(question.title), question.defaultText.data(), length(question.defaultText), static_cast<int>(question.shownLine));
    }
    void openHelp(int changePercent) override;
    void closeHelp() override { jsCloseHelp(); }
    void endProgram() override { jsEndProgram(); }
    void setWindowWidth(int twips) override { jsSetWindowWidth(m_window, pixelsFromTwips(twips)); }
    // As JSON: [{"heading": "...", "rows": [["...", ...], ...], "fontPixels": 19, "bold": false}, ...]
    void showPanels(const std::vector<Panel> &panels) override
    {
        const auto cells = [](const std::vector<std::string> &row) { return "[" + list(row, jsonQuoted) + "]"; };
        const std::string json = "[" + list(panels, [&](const Panel &panel) {
            return "{\"heading\":" + jsonQuoted(panel.table.heading) + ",\"rows\":[" + list(panel.table.rows, cells) + "],\"fontPixels\":"
                + std::to_string(fontPixels(panel.points)) + ",\"bold\":" + boolean(panel.bold) + "}";
        }) + "]";
        jsShowPanels(m_window, json.data(), length(json));
    }

private:
    int m_window;
    std::unique_ptr<PageSurface> m_surface;
};

// The window of that number across the boundary; a number no window has ends the core, never quietly.
WindowRole windowNumbered(int number)
{
    for (const WindowRole window : allWindows) {
        if (static_cast<int>(window) == number)
            return window;
    }
    unknownChoice("the page", "window " + std::to_string(number));
}

class PageClock : public Clock
{
public:
    double secondsSinceMidnight() override { return jsSecondsSinceMidnight(); }
};

const char *controlKindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return "button";
    case ControlKind::Label: return "label";
    case ControlKind::Line: return "line";
    case ControlKind::Surface: return "surface";
    case ControlKind::Coin: return "coin";
    }
    unknownChoice("controlKindName", "control kind " + std::to_string(static_cast<int>(kind)));
}

// A window's table as JSON, for the page to build its elements from: places and sizes in pixels,
// fonts in pixels, the rows the code names, and for a main window what its face is to follow.
std::string layoutJson(const WindowLayout &layout)
{
    const auto pixels = [](int twips) { return number(pixelsFromTwips(twips)); };
    const auto control = [&](const Control &c) {
        return "{\"name\":" + jsonQuoted(c.name) + ",\"kind\":\"" + controlKindName(c.kind)
            + "\",\"caption\":" + jsonQuoted(c.caption) + ",\"left\":" + pixels(c.left) + ",\"top\":" + pixels(c.top)
            + ",\"width\":" + pixels(c.width) + ",\"height\":" + pixels(c.height)
            + ",\"fontPixels\":" + number(c.points > 0 ? fontPixels(c.points) : 0)
            + ",\"projectorFontPixels\":" + number(fontPixels(pointsAt(c, projectorScale))) + ",\"bold\":" + boolean(c.bold)
            + ",\"background\":" + colourJson(c.background) + ",\"foreground\":" + colourJson(c.foreground)
            + ",\"visible\":" + boolean(c.visible) + ",\"enabled\":" + boolean(c.enabled)
            + ",\"description\":" + jsonQuoted(c.description) + ",\"unitsAcross\":" + number(c.unitsAcross)
            + ",\"unitsDown\":" + number(c.unitsDown) + "}";
    };
    const auto named = [](const NamedRows &n) {
        return jsonQuoted(n.name) + ":" + (n.array ? "[" + list(n.rows, number) + "]" : number(n.rows.front()));
    };
    std::string json = "{\"name\":" + jsonQuoted(layout.name) + ",\"title\":" + jsonQuoted(layout.title)
        + ",\"width\":" + pixels(layout.width) + ",\"height\":" + pixels(layout.height)
        + ",\"fontPixels\":" + number(fontPixels(layout.points > 0 ? layout.points : defaultPoints))
        + ",\"controls\":[" + list(layout.controls, control) + "],\"focusOrder\":[" + list(layout.focusOrder, number)
        + "],\"timers\":[" + list(layout.timers, [](const Timer &t) { return number(t.periodMs); })
        + "],\"rows\":{" + list(layout.names, named) + "},\"pictureControl\":"
        + (layout.pictureControl ? number(*layout.pictureControl) : "null") + ",\"announcedRows\":["
        + list(layout.announcedRows, number) + "],\"sidePanels\":";
    if (const auto &panels = layout.sidePanels) {
        json += "{\"left\":" + pixels(panels->left) + ",\"top\":" + pixels(panels->top) + "}";
    } else {
        json += "null";
    }
    json += ",\"spareForHelp\":";
    if (const auto &spare = layout.spareForHelp) {
        json += "{\"left\":" + pixels(spare->left) + ",\"top\":" + pixels(spare->top) + ",\"width\":" + pixels(spare->width)
            + ",\"height\":" + pixels(spare->height) + "}";
    } else {
        json += "null";
    }
    json += ",\"upright\":";
    if (const auto &upright = layout.upright) {
        json += "{\"height\":" + pixels(upright->height) + ",\"rows\":[" + list(upright->rows, [&](const auto &row) {
            return "[" + number(row.first) + "," + control(row.second) + "]";
        }) + "]}";
    } else {
        json += "null";
    }
    return json + "}";
}

const char *kindName(ProgramKind kind)
{
    switch (kind) {
    case ProgramKind::Walk: return "walk";
    case ProgramKind::Table: return "table";
    case ProgramKind::Graph: return "graph";
    }
    unknownProgram("kindName");
}

const char *capName(LineCap cap)
{
    switch (cap) {
    case LineCap::Flat: return "butt";
    case LineCap::Square: return "square";
    }
    unknownProgram("capName");
}

// What a lesson's link may offer the program's prompts, with the ranges they take: none for a walk, which asks nothing.
std::string promptsJson(const ProgramRow &row)
{
    const auto setting = [](const SettingRow &prompt) {
        return "{\"lowest\":" + number(prompt.lowest) + ",\"highest\":" + number(prompt.highest) + ",\"offered\":"
            + jsonQuoted(prompt.defaultText) + "}";
    };
    switch (row.kind) {
    case ProgramKind::Walk: return "null";
    case ProgramKind::Table:
    case ProgramKind::Graph:
        return "{\"guests\":" + setting(batchRules(row.number).guests) + ",\"experiments\":" + setting(batchRules(row.number).experiments) + "}";
    }
    unknownProgram("promptsJson");
}

// The texts of the page's own that it reads by their catalogue names: its buttons, its menu, its end.
constexpr Text pageTexts[] = {Text::okCaption, Text::yesCaption, Text::noCaption, Text::cancelCaption, Text::closeCaption,
                              Text::pageEnded, Text::pageEndedHint, Text::pageReload, Text::pageHome, Text::pageFailed,
                              Text::announcedJoiner, Text::extraLanguage, Text::siteName, Text::siteDescription};

// The program table, the windows' numbers and the cues by name, the numbers both faces draw with, the texts a face shows of
// itself, and the languages it may be shown in ({code, name}) with the one in use, as JSON.
std::string tableJson()
{
    const auto extra = [](const ExtraRow &e) {
        return "{\"extra\":" + jsonQuoted(extraName(e.extra)) + ",\"caption\":" + jsonQuoted(e.caption)
            + ",\"keys\":" + jsonQuoted(e.keys) + ",\"toggle\":" + boolean(e.toggle)
            + ",\"lessonName\":" + jsonQuoted(lessonExtraName(e.extra)) + "}";
    };
    const auto program = [&](const ProgramRow &row) {
        return "{\"number\":" + number(static_cast<int>(row.number)) + ",\"title\":" + jsonQuoted(row.title)
            + ",\"summary\":" + jsonQuoted(row.summary) + ",\"kind\":\"" + kindName(row.kind)
            + "\",\"helpBeside\":" + boolean(row.help == HelpPlace::Beside) + ",\"extras\":[" + list(row.extras, extra)
            + "],\"prompts\":" + promptsJson(row) + "}";
    };
    const auto cue = [](Cue c) { return jsonQuoted(cueName(c)); };
    const auto pageText = [](Text t) { return jsonQuoted(textName(t)) + ":" + jsonQuoted(text(t)); };
    const auto language = [](const std::string &code) {
        return "{\"code\":" + jsonQuoted(code) + ",\"name\":" + jsonQuoted(textIn(code, Text::languageName)) + "}";
    };
    const auto window = [](WindowRole w) { return jsonQuoted(windowName(w)) + ":" + number(static_cast<int>(w)); };
    return "{\"programs\":[" + list(programTable(), program) + "],\"windows\":{" + list(allWindows, window) + "},\"cues\":[" + list(allCues, cue)
        + "],\"face\":{\"surfaceBorder\":" + number(pixelsFromTwips(surfaceBorder)) + ",\"lineCap\":\""
        + capName(surfaceLineCap) + "\",\"savedPictureScale\":" + number(savedPictureScale)
        + ",\"captionFontPixels\":" + number(fontPixels(captionPoints)) + ",\"captionLinePixels\":"
        + number(captionLinePixels()) + ",\"panelMargin\":" + number(pixelsFromTwips(panelMargin)) + ",\"projectorScale\":" + number(projectorScale)
        + ",\"enlargedAxisRowStretch\":" + number(enlargedAxisRowStretch / 100.0)
        + ",\"pastedCharactersMost\":" + number(pastedCharactersMost) + "},\"texts\":{\"nothingToCopy\":"
        + jsonQuoted(text(Text::nothingToCopy)) + ",\"tooMuchPasted\":" + jsonQuoted(text(Text::tooMuchPasted))
        + ",\"shareLessonTitle\":" + jsonQuoted(text(Text::shareLessonTitle)) + ",\"shareLessonText\":" + jsonQuoted(text(Text::shareLessonText))
        + ",\"copyLink\":" + jsonQuoted(text(Text::copyLinkCaption)) + ",\"changeSite\":" + jsonQuoted(text(Text::changeSiteCaption))
        + ",\"sitePrompt\":" + jsonQuoted(text(Text::sitePrompt)) + ",\"siteTitle\":" + jsonQuoted(text(Text::siteTitle))
        + ",\"siteRefusal\":" + jsonQuoted(text(Text::siteRefusal)) + "," + list(pageTexts, pageText)
        + "},\"language\":" + jsonQuoted(currentLanguage()) + ",\"languages\":[" + list(catalogueLanguages(), language)
        + "],\"lessonCodeShare\":" + number(lessonCodeShare) + "}";
}

struct Program
{
    explicit Program(ProgramNumber number)
        : number(number)
        , main(makeMainFlow(number, mainView, random, clock))
        , help(helpView, number)
    {
    }

    ProgramNumber number;
    PageView mainView{WindowRole::Main};
    PageView helpView{WindowRole::Help};
    PseudoRandom random;
    PageClock clock;
    std::unique_ptr<ProgramFlow> main;
    HelpFlow help;

    ProgramFlow &flow(int window)
    {
        switch (windowNumbered(window)) {
        case WindowRole::Main: return *main;
        case WindowRole::Help: return help;
        }
        unknownChoice("Program::flow", "window " + std::to_string(window));
    }
};

std::unique_ptr<Program> program;
std::string lastText; // also bytes that may hold a NUL

void PageView::openHelp(int changePercent)
{
    program->help.setChangePercent(changePercent);
    jsOpenHelp();
}

const char *keep(std::string text)
{
    lastText = std::move(text);
    return lastText.c_str();
}

// A text the page passed in, `size` bytes long.
std::string_view textAt(const char *text, int size)
{
    return {text, static_cast<std::size_t>(size)};
}

} // namespace

// Room for a string the page passes in; the page writes it, then frees it.
TALUNO_EXPORT(taluno_alloc) char *alloc(int size)
{
    return static_cast<char *>(std::malloc(static_cast<std::size_t>(size) + 1));
}

TALUNO_EXPORT(taluno_free) void release(char *memory)
{
    std::free(memory);
}

// The program table as a NUL-terminated JSON text that stays until the next call that returns a text.
TALUNO_EXPORT(taluno_programs) const char *programs()
{
    return keep(tableJson());
}

// Every text in the language in use, by its catalogue name, as a JSON object: for the site's build.
TALUNO_EXPORT(taluno_texts) const char *allTextsJson()
{
    return keep("{" + list(allTexts(), [](Text t) { return jsonQuoted(textName(t)) + ":" + jsonQuoted(text(t)); }) + "}");
}

// Shows every text from here on in the language of that code ("en"); false, changing nothing, where it has no catalogue.
TALUNO_EXPORT(taluno_use_language) int useLanguageNamed(const char *code, int size)
{
    return useLanguage(textAt(code, size));
}

// The layout of a window (numbered as the table's "windows" say) of the program of that number, as a
// NUL-terminated JSON text that stays until the next call that returns a text; empty for a number
// no program has.
TALUNO_EXPORT(taluno_layout) const char *layout(int window, int number)
{
    const std::optional<ProgramNumber> which = programNumbered(number);
    if (!which)
        return keep({});
    switch (windowNumbered(window)) {
    case WindowRole::Main: return keep(layoutJson(mainWindowLayout(*which)));
    case WindowRole::Help: return keep(layoutJson(helpWindowLayout(*which)));
    }
    unknownChoice("taluno_layout", "window " + std::to_string(window));
}

// The length of the last text returned.
TALUNO_EXPORT(taluno_text_length) int textLength()
{
    return length(lastText);
}

// The cue of that name as the bytes of a WAV file (taluno_text_length() long; none for a name no
// cue has), staying until the next call that returns a text.
TALUNO_EXPORT(taluno_cue_wav) const char *cueSound(const char *name, int size)
{
    const std::optional<Cue> cue = cueNamed(textAt(name, size));
    return keep(cue ? cueWav(*cue) : std::string());
}

// Starts the program of that number afresh; false for a number no program has.
TALUNO_EXPORT(taluno_start) int start(int number)
{
    const std::optional<ProgramNumber> which = programNumbered(number);
    if (which)
        program = std::make_unique<Program>(*which);
    return which.has_value();
}

TALUNO_EXPORT(taluno_activated) void activated(int window)
{
    program->flow(window).onActivated();
}

TALUNO_EXPORT(taluno_clicked) void clicked(int window, int control)
{
    program->flow(window).onClicked(control);
}

TALUNO_EXPORT(taluno_tick) void tick(int window, int timer)
{
    program->flow(window).onTick(timer);
}

TALUNO_EXPORT(taluno_answer_input) void answerInput(int window, const char *text, int size)
{
    program->flow(window).answerInput(textAt(text, size));
}

TALUNO_EXPORT(taluno_answer_yes_no) void answerYesNo(int window, int yes)
{
    program->flow(window).answerYesNo(yes != 0);
}

// The main window's results as tab-separated text (empty before a run); it stays until the next
// call that returns a text.
TALUNO_EXPORT(taluno_copy_text) const char *copyText()
{
    return keep(program->main->copyText());
}

// The lines under a saved picture of the main window's picture control, joined by line breaks.
TALUNO_EXPORT(taluno_picture_caption) const char *pictureCaption()
{
    std::string joined;
    for (const std::string &line : program->main->pictureCaption())
        joined += (joined.empty() ? "" : "\n") + line;
    return keep(joined);
}

// An extra of the main window, by its name, that its flow does itself; false for a name its menu does not have.
TALUNO_EXPORT(taluno_choose_extra) int chooseExtra(const char *name, int size)
{
    const auto extra = extraNamed(program->number, textAt(name, size));
    if (extra)
        program->main->chooseExtra(*extra);
    return extra.has_value();
}

// Shows or hides a toggled extra of the main window, by its name; false for a name its menu does not have.
TALUNO_EXPORT(taluno_set_extra) int setExtra(const char *name, int size, int shown)
{
    const auto extra = extraNamed(program->number, textAt(name, size));
    if (extra)
        program->main->setExtraShown(*extra, shown != 0);
    return extra.has_value();
}

// Sets the main window up as the lesson's settings say (what follows a link's '#'), before its first activation;
// `tell`: whether the parts not used are told (not again when the window is made afresh). The names of the extras
// it turned on, as a JSON array.
TALUNO_EXPORT(taluno_open_lesson) const char *openLesson(const char *settings, int size, int tell)
{
    LessonReading reading = readLesson(program->number, textAt(settings, size));
    if (!tell)
        reading.unused.clear();
    program->main->openLesson(reading);
    return keep("[" + list(reading.lesson.shown, [](Extra extra) { return jsonQuoted(extraName(extra)); }) + "]");
}

// The link of the main window's set-up in use, its site's folder given as siteFolder() gives it.
TALUNO_EXPORT(taluno_lesson_link) const char *currentLessonLink(const char *site, int size)
{
    return keep(lessonLink(textAt(site, size), program->number, program->main->lesson()));
}

// The folder of the site at that address, as links begin; empty where it is none.
TALUNO_EXPORT(taluno_site_folder) const char *siteFolderOf(const char *address, int size)
{
    return keep(siteFolder(textAt(address, size)).value_or(""));
}

// What the box of a link says of a site's address the teacher gave.
TALUNO_EXPORT(taluno_site_note) const char *siteNote(const char *site, int size)
{
    return keep(siteGivenNote(textAt(site, size)));
}

// A lesson's link composed for the program of that number from its settings, as JSON: {"link": "...", "unused":
// ["...", ...]}, the parts of the settings it did not use with why; empty for a number no program has.
TALUNO_EXPORT(taluno_compose_link) const char *composeLink(int number, const char *site, int siteSize, const char *settings,
                                                             int settingsSize)
{
    const std::optional<ProgramNumber> which = programNumbered(number);
    if (!which)
        return keep({});
    const LessonReading reading = readLesson(*which, textAt(settings, settingsSize));
    return keep("{\"link\":" + jsonQuoted(lessonLink(textAt(site, siteSize), *which, reading.lesson)) + ",\"unused\":"
                + "[" + list(reading.unused, jsonQuoted) + "]}");
}
