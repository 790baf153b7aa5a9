#ifndef FREQUENCYGRAPH_H
#define FREQUENCYGRAPH_H

#include <string>
#include <string_view>
#include <vector>

class Surface;

// The graph's own units: the surface is this many across and down, whatever its size in pixels.
constexpr double graphWidth = 130;
constexpr double graphHeight = 300;

// The row of numbers under the horizontal axis: its blanks place each number near its tick in a
// proportional font. The ticks stand at x = firstTick, firstTick + tickStep, ...
constexpr std::string_view axisNumberRow =
    "        -110    -100     -90      -80      -70      -60     -50      -40      -30      -20      -10       0";
constexpr int firstTick = 10;
constexpr int tickStep = 10;

// The count at the top grid line: a run's axis is fixed at 250, where a bar rises one unit per
// experiment from the axis at y 280. Results pooled from a class may need another.
constexpr int runGraphTop = 250;
// The top grid line for pooled results: the lowest of 5, 10, 25, 50, 100, 250, 500, 1000, 2500 and
// 5000 under which every count stands within the graph.
int pooledGraphTop(const std::vector<int> &counts);

// Draws the axes, the grid, their texts and one bar per count, bin 1 first at x 5, over whatever
// the surface holds, the grid lines at fifths of `top`. A taller bar is cut at the top edge. Bins
// missing from `counts` are drawn as empty.
void drawFrequencyGraph(Surface &surface, const std::vector<int> &counts, int top = runGraphTop);

// A short red mark across each bin's box at the height the exact law expects (bin 1 first) on the
// axis of `top`; none for bins that expect less than half a run.
void drawExpectedMarks(Surface &surface, const std::vector<double> &expected, int top = runGraphTop);

// What the bars show, in words, for those who cannot see them: the number of experiments, the
// most frequent shortage and the range.
std::string describeGraph(const std::vector<int> &counts, int lowestBin);

#endif
