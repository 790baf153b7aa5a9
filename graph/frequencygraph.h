#ifndef FREQUENCYGRAPH_H
#define FREQUENCYGRAPH_H

#include <vector>

class QFont;
class Surface;

// The graph's own units: the surface is this many across and down, whatever its size in pixels.
constexpr double graphWidth = 130;
constexpr double graphHeight = 300;

// Draws the axes, the grid, their texts and one bar per count, bin 1 first at x 5, over whatever
// the surface holds. A bar rises one unit per experiment from the axis at y 280; a taller one is
// cut at the top edge. Bins missing from `counts` are drawn as empty.
void drawFrequencyGraph(Surface &surface, const std::vector<int> &counts);

// `font` with its blanks as wide as the axis-number row was laid out for, so that each number
// stands under its tick on a surface of `pixelsPerUnit` pixels across per unit.
QFont graphFont(const QFont &font, double pixelsPerUnit);

#endif
