#ifndef VIEWSCALE_H
#define VIEWSCALE_H

#include "core/catalogue.h"

// The size a desktop window is shown at, as a whole percentage of its layout: from 100 % to 300 % in
// steps of 10 %, so that a projector's back row can read it. Full screen scales beyond the steps, to
// whatever fills the screen.
inline constexpr int smallestViewPercent = 100;
inline constexpr int largestViewPercent = 300;
inline constexpr int viewPercentStep = 10;

// 表示の大きさ: the desktop windows' submenu of the context menu, and its shortcuts. The pages leave
// the size to the browser.
enum class ViewSizeChoice { Larger, Smaller, Original, FitScreen, FullScreen };
struct ViewSizeRow
{
    ViewSizeChoice choice;
    Text caption;
    const char *keys; // the shortcut the menu shows; the face adds its platform's usual ones for zooming
};
inline constexpr ViewSizeRow viewSizeRows[] = {
    {ViewSizeChoice::Larger, Text::viewSizeLarger, "Ctrl++"},
    {ViewSizeChoice::Smaller, Text::viewSizeSmaller, "Ctrl+-"},
    {ViewSizeChoice::Original, Text::viewSizeOriginal, "Ctrl+0"},
    {ViewSizeChoice::FitScreen, Text::viewSizeFitScreen, ""}, // the size a first start shows, no longer remembered
    {ViewSizeChoice::FullScreen, Text::viewSizeFullScreen, "F11"},
};

// The next step up or down from `percent`, held within the range.
int largerViewPercent(int percent);
int smallerViewPercent(int percent);
// A remembered percentage as a step of the range; anything else (a hand-edited setting): none.
bool isViewPercent(int percent);
// The largest step at which a window of a layout `widthTwips` × `heightTwips`, each edge in whole pixels as
// pixelsFromTwips gives them, with `frameWidth` × `frameHeight` pixels of frame that does not grow, fits into
// `roomWidth` × `roomHeight` pixels; the smallest where none fits.
int fittingViewPercent(int widthTwips, int heightTwips, int frameWidth, int frameHeight, int roomWidth, int roomHeight);

// A rectangle on the screen, in pixels.
struct ScreenRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect &) const = default;
};

// Where the help window stands beside a main window, and the size it is shown at.
struct HelpPosition
{
    ScreenRect frame;
    int percent;
    bool operator==(const HelpPosition &) const = default;
};
// The help window (a layout `helpWidthTwips` × `helpHeightTwips`, with `frameWidth` × `frameHeight` pixels of
// frame) beside the main window's frame, at the main window's `percent`: right of it where the screen's room
// holds it, else left of it, else over `spare`, the part of the main window the lesson can do without while the
// help is read, at the largest step that fits there.
HelpPosition placeHelp(const ScreenRect &mainFrame, const ScreenRect &spare, int helpWidthTwips, int helpHeightTwips,
                       int frameWidth, int frameHeight, int percent, const ScreenRect &room);

#endif
