#pragma once

#include <array>
#include <optional>

#include "gui/shell/pixel_geometry.h"

namespace radioprog {

inline constexpr int kBarCaptionHeight = 22;
inline constexpr int kInitialBarWidth = 220;
/// The strip at the right edge of the etched frame by which the width is dragged.
inline constexpr int kSizingStripWidth = 6;
/// The tracker never goes further left than this while the width is dragged ...
inline constexpr int kTrackerLeftmost = 80;
/// ... and yet a release left of it makes the bar this narrow at least.
inline constexpr int kNarrowestBar = 11;

/// Where the navigation bar draws its parts, in its own client pixels.
struct NavigationBarLayout {
    /// The grey outline of the etched frame and the four white lines that etch it.
    PixelRect etched;
    std::array<PixelLine, 4> etchedHighlights;
    /// The etched frame less its outer grey line at the left and the top; every other part is
    /// placed from it.
    PixelRect frame;
    PixelRect captionText;
    PixelLine captionRule;
    PixelRect closeButton;
    PixelRect sizingStrip;
};

/// The parts of a bar whose client area is @p client, with a caption line @p captionHeight
/// high and a caption text @p captionTextWidth wide.
NavigationBarLayout LayOutNavigationBar(const PixelRect& client, int captionHeight,
                                        int captionTextWidth);

/// Where the tree goes in a bar @p barWidth wide, when the space the main window lays its bars
/// in is @p dockingHeight high. Never less than empty.
PixelRect NavigationTreeRect(int barWidth, int captionHeight, int dockingHeight);

/// Where the tracker is drawn while the pointer drags the width to @p x: at least
/// kTrackerLeftmost and at most half of @p dockingWidth (the half wins in a very narrow window).
int TrackerX(int x, int dockingWidth);
/// The bar's width after a drag released at @p x.
int BarWidthAfterDrag(int x, int dockingWidth);

/// The tracker's two dotted lines, at @p x and two pixels to its right, from the top of a bar
/// spanning @p top to @p bottom down to 43 pixels above its bottom.
std::array<PixelLine, 2> TrackerLines(int x, int top, int bottom);

}  // namespace radioprog
