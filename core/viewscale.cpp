#include "core/viewscale.h"

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

int fittingViewPercent(int width, int height, int frameWidth, int frameHeight, int roomWidth, int roomHeight)
{
    int percent = largestViewPercent;
    // Whole pixels compared exactly: width × percent / 100 against the room, without rounding.
    while (percent > smallestViewPercent
           && (static_cast<long long>(width) * percent > 100LL * (roomWidth - frameWidth)
               || static_cast<long long>(height) * percent > 100LL * (roomHeight - frameHeight)))
        percent -= viewPercentStep;
    return percent;
}

HelpPosition placeHelp(const ScreenRect &mainFrame, const ScreenRect &spare, const ScreenRect &help, int frameWidth,
                    int frameHeight, int percent, const ScreenRect &room)
{
    const auto frameAt = [&](int x, int y, int at) {
        return ScreenRect{x, y, help.width * at / 100 + frameWidth, help.height * at / 100 + frameHeight};
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
    int at = std::min(percent, fittingViewPercent(help.width, help.height, frameWidth, frameHeight, spare.width, spare.height));
    return {frameAt(spare.x, spare.y, at), at};
}
