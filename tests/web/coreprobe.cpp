// The native core driven as the web page drives the wasm one: prints, as JSON, the texts of the
// main window's controls, the titles of the questions asked and whether the program ended.
//   coreprobe <program 1-3> <seconds since midnight> <step>...
// A step answers the open box ("yes"/"no" for a Yes/No box), or is "click:<row>" or "tick:<timer>".

#include "core/batchflow.h"
#include "core/batchrules.h"
#include "core/jsontext.h"
#include "core/pseudorandom.h"
#include "core/tosswalk.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const auto program = static_cast<ProgramNumber>(std::stoi(argv[1]));
    RecordingView view(mainWindowLayout(program));
    PseudoRandom random;
    FixedClock clock;
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
        else
            view.answer(*flow, {QString::fromStdString(step)});
    }
    std::string texts, asked;
    for (const std::string &text : view.texts)
        texts += (texts.empty() ? "" : ",") + jsonQuoted(text);
    for (const Question &question : view.asked)
        asked += (asked.empty() ? "" : ",") + jsonQuoted(question.title);
    std::printf("{\"texts\":[%s],\"asked\":[%s],\"ended\":%s}\n", texts.c_str(), asked.c_str(),
                view.ends ? "true" : "false");
}
