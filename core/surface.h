#ifndef SURFACE_H
#define SURFACE_H

#include "core/layout.h"

#include <string_view>

// A drawing surface in its own user units, with a text position that lines, boxes and printed
// lines move as a picture box's current point does.
//
// A new call here is answered in each face and the test double: kit/picturebox.cpp (the Qt
// surface), PageSurface and its import in web/wasm/talunoweb.cpp, the import's name in
// web/src/core.js, Page in web/src/page.js (which hands it on), DrawingSurface in
// web/src/surface.js, and RecordingSurface in tests/support/recordingview.h.
class Surface
{
public:
    virtual ~Surface() = default;
    // Fills with the background; the text position goes to (0, 0).
    virtual void clear() = 0;
    // A line `pixels` layout pixels wide (more as the screen's scale grows); afterwards the text
    // position is (x2, y2).
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour, int pixels = 1) = 0;
    // A filled rectangle with opposite corners (x1, y1) and (x2, y2), both corners and its edges
    // included (a box of no height is a line); afterwards the text position is (x2, y2).
    virtual void box(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void setTextPosition(double x, double y) = 0;
    // UTF-8 text with its top-left corner at the text position, which then moves to x 0, one line down.
    virtual void printLine(std::string_view text) = 0;
    // The row of numbers under a graph's horizontal axis, printed as a line whose numbers are each to
    // stand under their tick, at x = firstTick, firstTick + tickStep, ... A face may place each number
    // itself.
    virtual void printAxisRow(std::string_view row, double /*firstTick*/, double /*tickStep*/) { printLine(row); }
    // A number the class reads beside an axis, printed as a line. A face may print it, and the axis row's numbers,
    // larger than the surface's other text where the surface is shown large.
    virtual void printNumber(std::string_view number) { printLine(number); }
};

#endif
