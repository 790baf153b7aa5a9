#ifndef CUEFILES_H
#define CUEFILES_H

#include <QDir>
#include <QFile>
#include <QMetaType>

// The kinds of cue files a program may find beside itself.
enum class CueFiles { Absent, Empty, NotAWav, CutShort, Whole };
Q_DECLARE_METATYPE(CueFiles)

// Puts "pinpon.wav" and "endpinpon.wav" of the given kind into `folder`, made from the whole
// cues in `wholeFrom`; Absent removes them.
inline bool placeCueFiles(const QDir &folder, CueFiles kind, const QDir &wholeFrom)
{
    for (const QString &name : {QStringLiteral("pinpon.wav"), QStringLiteral("endpinpon.wav")}) {
        QFile::remove(folder.filePath(name));
        if (kind == CueFiles::Absent)
            continue;
        QFile whole(wholeFrom.filePath(name));
        if (!whole.open(QIODevice::ReadOnly))
            return false;
        QByteArray bytes;
        switch (kind) {
        case CueFiles::Absent:
        case CueFiles::Empty:
            break;
        case CueFiles::NotAWav:
            bytes = QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20) + QByteArray(200, '\x7f');
            break;
        case CueFiles::CutShort: // the header promises samples that are not there
            bytes = whole.read(60);
            break;
        case CueFiles::Whole:
            bytes = whole.readAll();
            break;
        }
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

#endif
