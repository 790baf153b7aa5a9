#include "testseams.h"

#include "kit/talunoapplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

QString ScriptedBoxes::inputBox(const QString &prompt, const QString &title, const QString &)
{
    asked << title + QStringLiteral(": ") + prompt;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

bool ScriptedBoxes::askYesNo(const QString &text, const QString &title)
{
    asked << title + QStringLiteral(": ") + text;
    return answers.isEmpty() || answers.takeFirst() == QLatin1String("yes");
}

TestSeams::TestSeams()
    : seams{boxes, cue, random, clock, [this] { ++ends; }}
{
    QObject::connect(&cue, &SoundCue::played, [this](const QString &file) { cues << file; });
}

void setUpTalunoTest()
{
    TalunoApplication::setUp();
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            windows << widget;
    }
    return windows;
}

QWidget *findControl(const QWidget *window, const QString &captionOrName)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        if (control->objectName() == captionOrName || (button && button->text() == captionOrName)
            || (label && label->text() == captionOrName))
            return control;
    }
    return nullptr;
}
