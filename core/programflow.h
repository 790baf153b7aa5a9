#ifndef PROGRAMFLOW_H
#define PROGRAMFLOW_H

#include "core/batchengine.h"
#include "core/layout.h"
#include "core/lesson.h"
#include "core/lessonlink.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Surface;

// The kinds of modal box a window shows.
enum class QuestionKind {
    YesNo, // a question with Yes and No (Yes the default, no icon)
    Line,  // an input box of one line, with OK and Cancel
    Lines, // an input box of many lines, for pasted text
    Message, // a message with OK alone, answered as Yes
};
// The kind's name across the boundary to the pages ("yesNo", "line", "lines", "message").
std::string_view questionKindName(QuestionKind kind);

// A modal box that the window is to show: its question or prompt, its title, and for an input box the text it
// offers.
struct Question
{
    QuestionKind kind = QuestionKind::YesNo;
    std::string text;
    std::string title;
    std::string defaultText;
    // Of many lines: the line of the default text to select and show (1 first); 0: the cursor at the end.
    long long shownLine = 0;
};

// A panel beside a main window's controls: a table in the programs' font at `points`, all bold or only the heading.
struct Panel
{
    CellTable table;
    double points = 0;
    bool bold = false;
};

// What a program's logic needs of its window. Controls and timers are numbered by their rows in
// the window's layout; texts are UTF-8.
//
// A new call here is answered in each face and the test double: kit/programwindow.cpp (the Qt
// windows), web/wasm/talunoweb.cpp (the import that hands it to the page), web/src/core.js (the
// import's name), Page in web/src/page.js (what the page does with it), and
// tests/support/recordingview.h.
class ProgramView
{
public:
    virtual ~ProgramView() = default;

    virtual void setText(int control, std::string_view text) = 0;
    virtual void setTextColour(int control, Rgb colour) = 0;
    // A second line under a label's text, in its own colour, the two sharing the label's height; empty:
    // the text alone, in the label's own size.
    virtual void setNote(int control, std::string_view note, Rgb colour) = 0;
    virtual void setControlEnabled(int control, bool enabled) = 0;
    virtual void setControlVisible(int control, bool visible) = 0;
    // What a screen reader says about the control besides its caption.
    virtual void setDescription(int control, std::string_view text) = 0;
    virtual Surface &surface(int control) = 0;
    // A running timer ticks once a period until it is stopped; starting it again keeps its beat.
    virtual void setTimerRunning(int timer, bool running) = 0;
    // The hourglass pointer while a run takes the window.
    virtual void setBusy(bool busy) = 0;
    // Lets the window handle what is pending (painting, not input) before a long run.
    virtual void yieldToEventLoop() = 0;
    virtual void playCue(Cue cue) = 0;
    // Shows the box; the answer comes back through ProgramFlow::answerInput() or answerYesNo(),
    // at once or later. No other question is asked before it is answered.
    virtual void ask(const Question &question) = 0;
    // The main window's HELP: beside it or in its place, as the program does; the help says the share of
    // guests who need change where it is not one half.
    virtual void openHelp(int changePercent) = 0;
    // The help window's 閉じる.
    virtual void closeHelp() = 0;
    // Ends the program at once: every window closes and nothing more runs.
    virtual void endProgram() = 0;

    // The extras of the main window's context menu, which a face may leave out.
    // The window's width in twips: wider than its layout while an extra beside its controls shows.
    virtual void setWindowWidth(int /*twips*/) {}
    // The side panels, one below the other where the layout puts them; none: hidden.
    virtual void showPanels(const std::vector<Panel> & /*panels*/) {}
};

// The logic behind one window: what its activation, clicks and ticks do, and the answers to the
// boxes it asks.
class ProgramFlow
{
public:
    explicit ProgramFlow(ProgramView &view) : m_view(view) {}
    virtual ~ProgramFlow() = default;
    ProgramFlow(const ProgramFlow &) = delete;
    ProgramFlow &operator=(const ProgramFlow &) = delete;

    // The window became the active one of the program's windows.
    virtual void onActivated() = 0;
    // A click on the control of that layout row.
    virtual void onClicked(int control) = 0;
    // A tick of the timer of that row.
    virtual void onTick(int timer);

    // The text of the open input box: what was typed, or empty for Cancel.
    void answerInput(std::string_view text);
    void answerYesNo(bool yes);
    // Whether a box is open and waits for its answer.
    bool waiting() const { return m_onInput || m_onYesNo; }

    // The results so far as tab-separated text for a spreadsheet; empty where there are none.
    virtual std::string copyText() const { return {}; }
    // Shows or hides one of the window's toggled extras (its layout's extras rows).
    virtual void setExtraShown(Extra /*extra*/, bool /*shown*/) {}
    // An extra that the flow does itself and is no toggle (c枚用意したら？).
    virtual void chooseExtra(Extra /*extra*/) {}
    // Lines to go under a saved picture of the window's picture control, saying what it shows.
    virtual std::vector<std::string> pictureCaption() const { return {}; }

    // Sets the window up as a lesson link says, before it is first activated: its prompts offer the link's
    // settings, its share, coins and toggles are taken at once (a face checks the toggles in its menu), and the
    // parts not used are told in a message before anything is asked.
    void openLesson(const LessonReading &reading);
    // The set-up the window is in, to hand out as a link: the settings in use or offered, and the extras on.
    virtual Lesson lesson() const { return {}; }

protected:
    ProgramView &view() { return m_view; }
    virtual void applyLesson(const Lesson & /*lesson*/) {}
    // Tells the lesson's unused parts, if any are still untold, and then activates the window again; false
    // where there was nothing to tell.
    bool tellLessonNotice();
    // 終了: the end cue, then the quit question; Yes ends the program.
    void confirmQuit();
    // HELP: the cue, then the help window, at the share of guests who need change in use.
    void openHelp(int changePercent);
    void askInput(std::string text, std::string title, std::string defaultText,
                  std::function<void(std::string_view)> onAnswer, bool multiline = false, long long shownLine = 0);
    // Asks until an answer lies in [lowest, highest], offering `suggested`; hands on the whole number, or
    // nothing for Cancel.
    void askWholeNumber(std::string text, std::string title, int suggested, int lowest, int highest,
                        std::function<void(std::optional<int>)> onAnswer);
    // お釣りの要る人の割合: asks until an answer lies in 1 to 99 %, and hands it on; Cancel keeps `current`.
    void askChangePercent(int current, std::function<void(int)> onChosen);
    // The share of guests who need change in the window's `label`, shown where it is not one half or `always`.
    void showChangePercent(int label, int percent, bool always = false);
    void askYesNo(std::string text, std::string title, std::function<void(bool)> onAnswer);

private:
    ProgramView &m_view;
    std::function<void(std::string_view)> m_onInput;
    std::function<void(bool)> m_onYesNo;
    std::string m_lessonNotice;
};

// The help window: it prints its text afresh on every activation; 閉じる closes it.
class HelpFlow : public ProgramFlow
{
public:
    HelpFlow(ProgramView &view, ProgramNumber program) : ProgramFlow(view), m_program(program) {}

    void onActivated() override;
    void onClicked(int control) override;
    // The share of guests who need change that the main window uses; one half until told.
    void setChangePercent(int percent) { m_changePercent = percent; }

private:
    ProgramNumber m_program;
    int m_changePercent = fairChangePercent;
};

#endif
