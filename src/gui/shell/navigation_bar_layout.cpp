#include "gui/shell/navigation_bar_layout.h"

#include <algorithm>

namespace radioprog {
namespace {

// The etched frame leaves room around it: the sizing strip at the right, and at the bottom
// the space the original layout kept under the frame.
constexpr int kFrameInsetLeft = 3;
constexpr int kFrameInsetTop = 6;
constexpr int kFrameInsetRight = 6;
constexpr int kFrameInsetBottom = 49;
constexpr int kCaptionTextIndent = 5;
constexpr int kCloseSize = 16;
constexpr int kCloseHeight = 15;
constexpr int kCloseRightGap = 4;
constexpr int kCloseTopGap = 4;
constexpr int kTreeLeft = 5;
constexpr int kTreeGapBelowCaption = 9;
constexpr int kTreeRightGap = 8;
constexpr int kTreeBottomGap = 51;
constexpr int kTrackerBottomGap = 43;
constexpr int kTrackerLineGap = 2;

PixelLine Vertical(int x, int top, int bottom) {
    return {{x, top}, {x, bottom}};
}
PixelLine Horizontal(int y, int left, int right) {
    return {{left, y}, {right, y}};
}

}  // namespace

NavigationBarLayout LayOutNavigationBar(const PixelRect& client, int captionHeight,
                                        int captionTextWidth) {
    NavigationBarLayout layout;
    const PixelRect r{client.left + kFrameInsetLeft, client.top + kFrameInsetTop,
                      client.right - kFrameInsetRight, client.bottom - kFrameInsetBottom};
    layout.etched = r;
    // A white line inside the grey one at the top left and outside it at the bottom right
    // makes the groove; each runs one pixel short of where a line drawn to a point stops.
    layout.etchedHighlights = {
        Vertical(r.left + 1, r.top + 1, r.bottom - 2),
        Horizontal(r.top + 1, r.left + 1, r.right - 2),
        Vertical(r.right, r.top, r.bottom - 1),
        Horizontal(r.bottom, r.left, r.right),
    };
    const PixelRect f{r.left + 1, r.top + 1, r.right, r.bottom};
    layout.frame = f;
    layout.captionText = {f.left + kCaptionTextIndent, f.top,
                          f.left + kCaptionTextIndent + captionTextWidth, f.top + captionHeight};
    layout.captionRule = Horizontal(f.top + captionHeight, f.left + 1, f.right - 1);
    layout.closeButton = {f.right - kCloseRightGap - kCloseSize, f.top + kCloseTopGap,
                          f.right - kCloseRightGap, f.top + kCloseTopGap + kCloseHeight};
    layout.sizingStrip = {f.right, f.top, f.right + kSizingStripWidth, f.bottom};
    return layout;
}

PixelRect NavigationTreeRect(int barWidth, int captionHeight, int dockingHeight) {
    const int top = captionHeight + kTreeGapBelowCaption;
    const int width = (barWidth - kTreeRightGap) - kTreeLeft;
    const int height = (dockingHeight - kTreeBottomGap) - top;
    return {kTreeLeft, top, kTreeLeft + std::max(width, 0), top + std::max(height, 0)};
}

int TrackerX(int x, int dockingWidth) {
    return std::min(std::max(x, kTrackerLeftmost), dockingWidth / 2);
}

int BarWidthAfterDrag(int x, int dockingWidth) {
    return x < kNarrowestBar ? kNarrowestBar : std::min(x, dockingWidth / 2);
}

std::array<PixelLine, 2> TrackerLines(int x, int top, int bottom) {
    const int last = bottom - kTrackerBottomGap - 1;
    return {Vertical(x, top, last), Vertical(x + kTrackerLineGap, top, last)};
}

}  // namespace radioprog
