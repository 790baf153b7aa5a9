#ifndef HELPTEXT_H
#define HELPTEXT_H

#include <QStringList>

// The help lines of Taluno1, 2 or 3, each with its leading full-width blanks, one entry a line.
QStringList helpText(int program);

#endif
