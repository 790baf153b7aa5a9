#include "kit/soundcue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

void SoundCue::keepAudioQuiet()
{
    // The sound system's client keeps its settings in the user's configuration folder and complains
    // on the terminal where it cannot make that folder (a read-only home).
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
    if (QDir().mkpath(config + QStringLiteral("/pulse")))
        return;
    static const std::unique_ptr<QTemporaryDir> privateConfig = std::make_unique<QTemporaryDir>();
    if (privateConfig->isValid())
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(privateConfig->path()));
}

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
    keepAudioQuiet();
    m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}
