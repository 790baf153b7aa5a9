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

    // Where the user's configuration folder cannot be written, gives the sound system a private one,
    // so that it says nothing on the terminal.
    static void keepAudioQuiet();

signals:
    void played(const QString &fileName);

private:
    QSoundEffect *m_effect = nullptr;
};

#endif
