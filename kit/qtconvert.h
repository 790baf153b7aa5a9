#ifndef QTCONVERT_H
#define QTCONVERT_H

#include "core/layout.h"

#include <QColor>
#include <QString>

#include <string_view>

// The core's UTF-8 texts and colours as Qt takes them.
inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor qtColour(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

#endif
