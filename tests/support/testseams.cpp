#include "testseams.h"

#include "talunoapplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
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

QString saveScreenshot(QWidget *window, const QString &name)
{
    const qreal ratio = window->devicePixelRatioF();
    const QString suffix = qFuzzyCompare(ratio, 1.0) ? QString() : QStringLiteral("@%1x").arg(ratio);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name + suffix + QStringLiteral(".png"));
    return window->grab().save(path) ? path : QString();
}

QStringList captionsCutOff(const QWidget *window)
{
    QStringList cutOff;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        QString text;
        int room = 0;
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            text = label->text();
            room = label->contentsRect().width();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            text = button->text();
            room = button->width() - 4; // the bevel on either side
        }
        if (!text.isEmpty() && control->isVisibleTo(window)
            && QFontMetricsF(control->font()).horizontalAdvance(text) > room)
            cutOff << control->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
    }
    return cutOff;
}
