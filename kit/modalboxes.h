#ifndef MODALBOXES_H
#define MODALBOXES_H

#include <QString>

class ProgramFlow;
class QWidget;
struct Question;

// The modal boxes the programs ask through, each over the window that asks; tests answer them from a script.
class ModalBoxes
{
public:
    virtual ~ModalBoxes() = default;
    // Asks the flow's question in the box of its kind over `window`, and hands the answer back to the flow.
    void put(QWidget *window, const Question &question, ProgramFlow &flow);
    // The text typed, or the empty text on Cancel; `multiline`: a box of many lines, for pasted text, with its line
    // `shownLine` (1 first) selected and in view, or with the cursor at its end.
    virtual QString inputBox(QWidget *window, const QString &prompt, const QString &title, const QString &defaultText,
                             bool multiline, int shownLine = 0) = 0;
    // Yes (the default button) or No; no icon.
    virtual bool askYesNo(QWidget *window, const QString &text, const QString &title) = 0;
    // Where to save a PNG picture, `suggested` first; empty when cancelled.
    virtual QString saveFileName(QWidget *window, const QString &title, const QString &suggested) = 0;
    // Tells the user something went wrong, with an OK button.
    virtual void tell(QWidget *window, const QString &text, const QString &title) = 0;
};

#endif
