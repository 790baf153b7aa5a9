#include "testseams.h"

#include "talunoapplication.h"

#include <QApplication>
#include <QWidget>

TestSeams::TestSeams()
    : seams{boxes, cue, random, clock, [this] { ++ends; }}
{
    QObject::connect(&cue, &SoundCue::played, [this](const QString &file) { cues << file; });
}

void setUpTalunoTest()
{
    TalunoApplication::setUp();
}

int visibleTopLevels()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            ++count;
    }
    return count;
}
