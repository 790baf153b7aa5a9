#ifndef QTMODALBOXES_H
#define QTMODALBOXES_H

#include "kit/modalboxes.h"

class QtModalBoxes : public ModalBoxes
{
public:
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool askYesNo(const QString &text, const QString &title) override;
    QString saveFileName(const QString &title, const QString &suggested) override;
    void tell(const QString &text, const QString &title) override;
};

#endif
