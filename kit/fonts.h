#ifndef FONTS_H
#define FONTS_H

class QFont;

// "ＭＳ Ｐゴシック" at a point size given for 96 dpi, held in pixels so that text
// keeps to the fixed pixel layouts whatever the screen's dpi.
QFont msPGothic(double points, bool bold = false);

// Maps "ＭＳ Ｐゴシック" to IPAPGothic, then Noto Sans CJK JP, and makes it the default font.
void installFonts();

#endif
