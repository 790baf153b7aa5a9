#ifndef QTCONVERT_H
#define QTCONVERT_H

#include "core/layout.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// The core's UTF-8 texts and colours as Qt takes them.
inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text typed or pasted as the core takes it, UTF-8: a lone surrogate, which UTF-8 cannot hold, as U+FFFD, as
// a browser hands it on.
inline std::string coreText(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text.toStdString();
}

inline QStringList qtLines(const std::vector<std::string> &lines)
{
    QStringList converted;
    for (const std::string &line : lines)
        converted << qtText(line);
    return converted;
}

inline QColor qtColour(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

#endif
