#include "kit/soundcue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundCue::SoundCue(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("MMControl1"));
}

void SoundCue::play(const QString &fileName)
{
    if (m_effect) {
        m_effect->stop();
        delete m_effect;
        m_effect = nullptr;
    }
    emit played(fileName);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    // Without the file there is nothing to open; skip the audio device altogether.
    if (!QFileInfo(path).isFile())
        return;
    m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}
