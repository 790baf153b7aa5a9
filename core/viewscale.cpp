#include "core/viewscale.h"

#include "core/layout.h"

#include <algorithm>

int largerViewPercent(int percent)
{
    return std::min(largestViewPercent, (percent / viewPercentStep + 1) * viewPercentStep);
}

int smallerViewPercent(int percent)
{
    return std::max(smallestViewPercent, (percent + viewPercentStep - 1) / viewPercentStep * viewPercentStep - viewPercentStep);
}

bool isViewPercent(int percent)
{
    return percent >= smallestViewPercent && percent <= largestViewPercent && percent % viewPercentStep == 0;
}

int fittingViewPercent(int widthTwips, int heightTwips, int frameWidth, int frameHeight, int roomWidth, int roomHeight)
{
    int percent = largestViewPercent;
    while (percent > smallestViewPercent
           && (pixelsFromTwips(widthTwips, percent / 100.0) + frameWidth > roomWidth
               || pixelsFromTwips(heightTwips, percent / 100.0) + frameHeight > roomHeight))
        percent -= viewPercentStep;
    return percent;
}

HelpPosition placeHelp(const ScreenRect &mainFrame, const ScreenRect &spare, int helpWidthTwips, int helpHeightTwips,
                       int frameWidth, int frameHeight, int percent, const ScreenRect &room)
{
    // The help window's frame as the window will stand at that size.
    const auto frameAt = [&](int x, int y, int at) {
        return ScreenRect{x, y, pixelsFromTwips(helpWidthTwips, at / 100.0) + frameWidth,
                          pixelsFromTwips(helpHeightTwips, at / 100.0) + frameHeight};
    };
    const auto inside = [](const ScreenRect &inner, const ScreenRect &outer) {
        return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width
            && inner.y + inner.height <= outer.y + outer.height;
    };
    const ScreenRect right = frameAt(mainFrame.x + mainFrame.width, mainFrame.y, percent);
    if (inside(right, room))
        return {right, percent};
    const ScreenRect left = frameAt(mainFrame.x - right.width, mainFrame.y, percent);
    if (inside(left, room))
        return {left, percent};
    const int at = std::min(percent, fittingViewPercent(helpWidthTwips, helpHeightTwips, frameWidth, frameHeight, spare.width, spare.height));
    return {frameAt(spare.x, spare.y, at), at};
}
