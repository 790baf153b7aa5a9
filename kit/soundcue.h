#ifndef SOUNDCUE_H
#define SOUNDCUE_H

#include <QObject>

class QSoundEffect;

// Plays the WAV cues that lie beside the program. Anything that keeps a cue from
// sounding (no file, a bad file, no audio device) passes in silence.
class SoundCue : public QObject
{
    Q_OBJECT

public:
    explicit SoundCue(QObject *parent = nullptr);

    // Stops and releases the cue still sounding, then plays `fileName` from the program's folder.
    void play(const QString &fileName);

signals:
    void played(const QString &fileName);

private:
    QSoundEffect *m_effect = nullptr;
};

#endif
