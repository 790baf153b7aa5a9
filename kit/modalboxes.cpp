#include "kit/modalboxes.h"

#include "core/programflow.h"
#include "kit/qtconvert.h"

void ModalBoxes::put(QWidget *window, const Question &question, ProgramFlow &flow)
{
    switch (question.kind) {
    case QuestionKind::YesNo:
        flow.answerYesNo(askYesNo(window, qtText(question.text), qtText(question.title)));
        return;
    case QuestionKind::Line:
    case QuestionKind::Lines:
        flow.answerInput(coreText(inputBox(window, qtText(question.text), qtText(question.title), qtText(question.defaultText),
                                           question.kind == QuestionKind::Lines, static_cast<int>(question.shownLine))));
        return;
    case QuestionKind::Message:
        tell(window, qtText(question.text), qtText(question.title));
        flow.answerYesNo(true);
        return;
    }
    unknownChoice("ModalBoxes::put", "question kind " + std::to_string(static_cast<int>(question.kind)));
}
