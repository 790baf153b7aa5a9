#ifndef GRAPHFONT_H
#define GRAPHFONT_H

class QFont;
class QString;

// `font` with its blanks as wide as an axis-number row was laid out for, so that each number of
// `row` stands under its tick, at x = firstTick, firstTick + tickStep, ... units on a surface of
// `pixelsPerUnit` pixels across per unit.
QFont graphFont(const QFont &font, const QString &row, double pixelsPerUnit, double firstTick, double tickStep);

#endif
