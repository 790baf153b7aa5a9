// The native core driven as the web page drives the wasm one: prints, as JSON, every text the
// main window is given and every question it is asked, for the answers on the command line.
//   coreprobe <program 1-3> <seconds since midnight> <answer>...   ("yes"/"no" answer a Yes/No box;
//   "click:<row>" clicks a control, "tick:<timer>" ticks a timer)

#include "core/batchflow.h"
#include "core/batchrules.h"
#include "core/clock.h"
#include "core/pseudorandom.h"
#include "core/surface.h"
#include "core/tosswalk.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text)
        out += (c == '"' || c == '\\') ? std::string{'\\', c} : std::string{c};
    return out + '"';
}

struct NoSurface : Surface
{
    void clear() override {}
    void line(double, double, double, double, Rgb) override {}
    void box(double, double, double, double, Rgb) override {}
    void setTextPosition(double, double) override {}
    void printLine(std::string_view) override {}
};

struct PrintingView : ProgramView
{
    void setText(int control, std::string_view text) override { texts[control] = text; }
    void setTextColour(int, Rgb) override {}
    void setControlEnabled(int, bool) override {}
    void setControlVisible(int, bool) override {}
    void setDescription(int, std::string_view) override {}
    Surface &surface(int) override { return surfaceStub; }
    void setTimerRunning(int, bool) override {}
    void setBusy(bool) override {}
    void yieldToEventLoop() override {}
    void playCue(Cue) override {}
    void ask(const Question &question) override { asked.push_back(question); }
    void openHelp() override {}
    void closeHelp() override {}
    void endProgram() override { ended = true; }

    std::map<int, std::string> texts;
    std::vector<Question> asked;
    bool ended = false;
    NoSurface surfaceStub;
};

struct StillClock : Clock
{
    double seconds = 0;
    double secondsSinceMidnight() override { return seconds; }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const auto program = static_cast<ProgramNumber>(std::stoi(argv[1]));
    PrintingView view;
    PseudoRandom random;
    StillClock clock;
    clock.seconds = std::stod(argv[2]);
    std::unique_ptr<ProgramFlow> flow;
    if (program == ProgramNumber::Taluno1)
        flow = std::make_unique<TossWalk>(view, random, clock);
    else
        flow = std::make_unique<BatchFlow>(view, batchRules(program), random, clock);
    flow->onActivated();
    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        if (step.rfind("click:", 0) == 0)
            flow->onClicked(std::stoi(step.substr(6)));
        else if (step.rfind("tick:", 0) == 0)
            flow->onTick(std::stoi(step.substr(5)));
        else if (!view.asked.empty() && !view.asked.back().input)
            flow->answerYesNo(step == "yes");
        else
            flow->answerInput(step);
    }
    std::string json = "{\"texts\":{";
    for (const auto &[control, text] : view.texts)
        json += (json.back() == '{' ? "" : ",") + quoted(std::to_string(control)) + ":" + quoted(text);
    json += "},\"asked\":[";
    for (const Question &question : view.asked)
        json += (json.back() == '[' ? "" : ",") + quoted(question.title);
    json += std::string("],\"ended\":") + (view.ended ? "true" : "false") + "}";
    std::puts(json.c_str());
}
