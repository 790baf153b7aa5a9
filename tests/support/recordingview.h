#ifndef RECORDINGVIEW_H
#define RECORDINGVIEW_H

#include "core/programflow.h"
#include "core/surface.h"

#include <QStringList>

#include <map>
#include <optional>
#include <string>
#include <vector>

// A surface that writes down each stroke with the text position it was drawn at; a printed
// line is 10 units high.
class RecordingSurface : public Surface
{
public:
    struct Stroke
    {
        std::string kind; // "clear", "line", "box" or "text"
        double x1, y1, x2, y2;
        Rgb colour;
        std::string text;
        int pixels = 1; // a line's width
    };

    void clear() override { add({"clear", 0, 0, 0, 0, {}, {}}); }
    void line(double x1, double y1, double x2, double y2, Rgb colour, int pixels) override
    {
        add({"line", x1, y1, x2, y2, colour, {}, pixels});
    }
    void box(double x1, double y1, double x2, double y2, Rgb colour) override { add({"box", x1, y1, x2, y2, colour, {}}); }
    void setTextPosition(double newX, double newY) override { x = newX, y = newY; }
    void printLine(std::string_view text) override
    {
        if (!text.empty())
            strokes.push_back({"text", x, y, x, y, {}, std::string(text)});
        x = 0;
        y += 10;
    }

    std::vector<Stroke> strokes;
    double x = 0, y = 0;

private:
    void add(const Stroke &stroke) { strokes.push_back(stroke), x = stroke.x2, y = stroke.y2; }
};

// A window that keeps what it is told, starting from its layout: the texts, colours, enabled and
// visible states of its controls, its timers, its cues and the questions asked.
class RecordingView : public ProgramView
{
public:
    explicit RecordingView(const WindowLayout &layout) : timers(layout.timers.size(), false)
    {
        for (const Control &control : layout.controls) {
            texts.push_back(control.kind == ControlKind::Label ? control.caption : std::string());
            colours.push_back(control.foreground);
            enabled.push_back(control.enabled);
            visible.push_back(control.visible);
            descriptions.push_back(control.description);
        }
    }

    // Answers the flow's questions in turn from `answers` ("yes" and "no" for a Yes/No box, anything for a message)
    // until it asks no more or they run out.
    void answer(ProgramFlow &flow, QStringList answers)
    {
        while (flow.waiting() && !answers.isEmpty()) {
            const QString answer = answers.takeFirst();
            if (asked.back().kind == QuestionKind::Line || asked.back().kind == QuestionKind::Lines)
                flow.answerInput(answer.toStdString());
            else
                flow.answerYesNo(answer == QLatin1String("yes"));
        }
    }

    void setText(int control, std::string_view text) override { texts.at(control) = text; }
    void setTextColour(int control, Rgb colour) override { colours.at(control) = colour; }
    void setNote(int control, std::string_view note, Rgb colour) override { notes[control] = {std::string(note), colour}; }
    void setControlEnabled(int control, bool on) override { enabled.at(control) = on, enabledOrder.push_back(control); }
    void setControlVisible(int control, bool on) override { visible.at(control) = on; }
    void setDescription(int control, std::string_view text) override { descriptions.at(control) = text; }
    Surface &surface(int) override { return drawing; }
    void setTimerRunning(int timer, bool running) override { timers.at(timer) = running; }
    void setBusy(bool on) override { busy = on; }
    void yieldToEventLoop() override { ++yields; }
    void playCue(Cue cue) override { cues.push_back(cue); }
    void ask(const Question &question) override { asked.push_back(question); }
    void openHelp(int changePercent) override { helpPercent = changePercent; }
    void closeHelp() override {}
    void endProgram() override { ++ends; }
    void setWindowWidth(int twips) override { windowWidth = twips; }
    void showPanels(const std::vector<Panel> &shown) override { panels = shown; }

    std::vector<std::string> texts, descriptions;
    std::vector<std::optional<Rgb>> colours;
    std::map<int, std::pair<std::string, Rgb>> notes;
    std::vector<bool> enabled, visible, timers;
    std::vector<int> enabledOrder; // the controls whose enabled state was set, in order
    std::vector<Cue> cues;
    std::vector<Question> asked;
    std::vector<Panel> panels;
    int windowWidth = 0; // 0: as the layout gives it
    RecordingSurface drawing;
    bool busy = false;
    int yields = 0, ends = 0, helpPercent = 0;
};

#endif
