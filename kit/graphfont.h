#ifndef GRAPHFONT_H
#define GRAPHFONT_H

class QFont;

// `font` with its blanks as wide as the graph's axis-number row was laid out for, so that each
// number stands under its tick on a surface of `pixelsPerUnit` pixels across per unit.
QFont graphFont(const QFont &font, double pixelsPerUnit);

#endif
