#ifndef FONTS_H
#define FONTS_H

class QFont;
class QString;

// The programs' font at a point size given for 96 dpi, held in pixels so that text keeps to
// the fixed pixel layouts whatever the screen's dpi; `scale` times as large in a window shown larger.
QFont msPGothic(double points, bool bold = false, double scale = 1.0);

// `font` narrowed, its size kept, so that each line of `text` takes at most `room` pixels across:
// the substitute faces run wider than the one the layouts were made for.
QFont narrowedToFit(QFont font, const QString &text, double room);

// Maps the programs' font to IPAPGothic, then Noto Sans CJK JP, and makes it the default font.
void installFonts();

#endif
