#include "scriptedboxes.h"

QString ScriptedBoxes::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    m_asked.append({prompt, title, defaultText, true});
    if (m_inputs.isEmpty()) {
        m_ranOut = true;
        return {};
    }
    return m_inputs.takeFirst();
}

bool ScriptedBoxes::askYesNo(const QString &text, const QString &title)
{
    m_asked.append({text, title, {}, false});
    if (m_yesNo.isEmpty()) {
        m_ranOut = true;
        return true;
    }
    return m_yesNo.takeFirst();
}

void ScriptedBoxes::clear()
{
    m_inputs.clear();
    m_yesNo.clear();
    m_asked.clear();
    m_ranOut = false;
}
