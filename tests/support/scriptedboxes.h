#ifndef SCRIPTEDBOXES_H
#define SCRIPTEDBOXES_H

#include "modalboxes.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the modal boxes from a script and records what was asked. When the script runs
// out, input boxes answer Cancel and Yes/No boxes Yes, so that a prompt can never loop forever.
class ScriptedBoxes : public ModalBoxes
{
public:
    struct Asked
    {
        QString text;  // prompt or question
        QString title;
        QString defaultText;
        bool input;
    };

    void answerInputs(const QStringList &answers) { m_inputs += answers; }
    void answerYesNo(const QList<bool> &answers) { m_yesNo += answers; }

    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool askYesNo(const QString &text, const QString &title) override;

    const QList<Asked> &asked() const { return m_asked; }
    bool ranOut() const { return m_ranOut; }
    bool scriptUsedUp() const { return m_inputs.isEmpty() && m_yesNo.isEmpty(); }
    void clear();

private:
    QStringList m_inputs;
    QList<bool> m_yesNo;
    QList<Asked> m_asked;
    bool m_ranOut = false;
};

#endif
