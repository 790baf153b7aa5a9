#ifndef WALKGRAPH_H
#define WALKGRAPH_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

class Surface;

// The graph's own units: the surface is this many across and down, whatever its size in pixels.
inline constexpr double walkGraphWidth = 117;
inline constexpr double walkGraphHeight = 100;
// The walk's line is this many pixels wide: a line the back row can follow.
inline constexpr int walkLinePixels = 3;

// Where the walk stands on the graph: the x of the balance after `toss` tosses (0: the start), and
// the y of a balance within the range [bottom, top] of the vertical axis.
double walkX(int toss);
double walkY(int balance, int bottom, int top);
// The vertical axis's range for a walk and the coins prepared, if any: multiples of 10 that hold every
// balance and -coins, at least -10 to 10.
std::pair<int, int> walkRange(const std::vector<bool> &heads, std::optional<int> coins = {});

// The coin stock against the number of guests for the tosses so far (heads: true), from 0 to 100
// tosses across: the grid, the axes and their numbers, the walk as a thick blue line, and its lowest
// point so far in red, a line across the graph at its height and a square on its first toss; with
// `coins` prepared, a green line across at -coins.
void drawWalk(Surface &surface, const std::vector<bool> &heads, std::optional<int> coins = {});

// The lowest balance so far in words, as the class reads it, on two lines: "ここまでの最低：−9\n（9枚必要）";
// with `coins` prepared, whether they were enough so far: "5枚で足りています\n（最低：−4）", or from the
// guest who found none left, "5枚では足りません\n（38人目）".
std::string lowestSoFarText(const std::vector<bool> &heads, std::optional<int> coins = {});

// What the graph shows, for those who cannot see it.
std::string describeWalk(const std::vector<bool> &heads, std::optional<int> coins = {});

#endif
