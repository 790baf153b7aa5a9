#ifndef QTMODALBOXES_H
#define QTMODALBOXES_H

#include "kit/modalboxes.h"

// The modal boxes as Qt draws them, in Japanese. The twin of QuestionDialog in web/src/dialog.js:
// keep the two in step.
class QtModalBoxes : public ModalBoxes
{
public:
    QString inputBox(QWidget *window, const QString &prompt, const QString &title, const QString &defaultText, bool multiline,
                     int shownLine) override;
    bool askYesNo(QWidget *window, const QString &text, const QString &title) override;
    QString saveFileName(QWidget *window, const QString &title, const QString &suggested) override;
    void tell(QWidget *window, const QString &text, const QString &title) override;
};

#endif
