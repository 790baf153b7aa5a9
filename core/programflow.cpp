#include "core/programflow.h"

#include "core/lesson.h"
#include "core/numberreader.h"
#include "core/surface.h"
#include "core/texts.h"

#include <string>
#include <utility>

std::string_view questionKindName(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::YesNo: return "yesNo";
    case QuestionKind::Line: return "line";
    case QuestionKind::Lines: return "lines";
    case QuestionKind::Message: return "message";
    }
    unknownChoice("questionKindName", "question kind " + std::to_string(static_cast<int>(kind)));
}

void ProgramFlow::onTick(int)
{
}

void ProgramFlow::answerInput(std::string_view text)
{
    if (auto onAnswer = std::exchange(m_onInput, nullptr))
        onAnswer(text);
}

void ProgramFlow::answerYesNo(bool yes)
{
    if (auto onAnswer = std::exchange(m_onYesNo, nullptr))
        onAnswer(yes);
}

void ProgramFlow::openLesson(const LessonReading &reading)
{
    m_lessonNotice = unusedNotice(reading.unused);
    applyLesson(reading.lesson);
}

bool ProgramFlow::tellLessonNotice()
{
    if (m_lessonNotice.empty())
        return false;
    m_onYesNo = [this](bool) { onActivated(); };
    m_view.ask({QuestionKind::Message, std::exchange(m_lessonNotice, {}), text(Text::unusedNoticeTitle), {}});
    return true;
}

void ProgramFlow::confirmQuit()
{
    m_view.playCue(Cue::EndPinpon);
    askYesNo(text(Text::quitQuestion), text(Text::quitTitle), [this](bool yes) {
        if (yes)
            m_view.endProgram();
    });
}

void ProgramFlow::openHelp(int changePercent)
{
    m_view.playCue(Cue::Pinpon);
    m_view.openHelp(changePercent);
}

void ProgramFlow::askInput(std::string text, std::string title, std::string defaultText,
                           std::function<void(std::string_view)> onAnswer, bool multiline, long long shownLine)
{
    m_onInput = std::move(onAnswer);
    m_view.ask({multiline ? QuestionKind::Lines : QuestionKind::Line, std::move(text), std::move(title), std::move(defaultText), shownLine});
}

void ProgramFlow::askWholeNumber(std::string text, std::string title, int suggested, int lowest, int highest,
                                 std::function<void(std::optional<int>)> onAnswer)
{
    askInput(text, title, std::to_string(suggested), [=, this, onAnswer = std::move(onAnswer)](std::string_view answer) {
        if (answer.empty())
            onAnswer(std::nullopt);
        else if (const auto value = acceptSetting(answer, lowest, highest))
            onAnswer(value);
        else
            askWholeNumber(text, title, suggested, lowest, highest, onAnswer);
    });
}

void ProgramFlow::askChangePercent(int current, std::function<void(int)> onChosen)
{
    askWholeNumber(text(Text::changePercentPrompt), text(Text::changePercentTitle), current, 1, 99, [onChosen = std::move(onChosen)](std::optional<int> percent) {
        if (percent)
            onChosen(*percent);
    });
}

void ProgramFlow::showChangePercent(int label, int percent, bool always)
{
    const auto note = changePercentNote(percent, always);
    m_view.setText(label, changePercentText(percent));
    m_view.setControlVisible(label, note.has_value());
}

void ProgramFlow::askYesNo(std::string text, std::string title, std::function<void(bool)> onAnswer)
{
    m_onYesNo = std::move(onAnswer);
    m_view.ask({QuestionKind::YesNo, std::move(text), std::move(title), {}});
}

void HelpFlow::onActivated()
{
    Surface &text = view().surface(HelpControls::textSurface);
    text.clear();
    for (const std::string &line : helpLines(m_program, m_changePercent))
        text.printLine(line);
}

void HelpFlow::onClicked(int control)
{
    if (control == HelpControls::closeButton)
        view().closeHelp();
}
