#pragma once

#include <array>

namespace radioprog {

/// A point in window pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// A window rectangle whose right and bottom edges lie just outside it, as the desktop's
/// window rectangles do: (0, 0, 16, 15) is 16 pixels wide and 15 high.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    /// A rectangle without area holds no point; an unpainted part of a window is empty.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// A horizontal or vertical line whose two end pixels are both drawn.
struct PixelLine {
    PixelPoint from;
    PixelPoint to;
    friend bool operator==(const PixelLine&, const PixelLine&) = default;
};

/// The one-pixel border inside @p rect in two colours, the way a raised or sunken edge is
/// drawn: the top and left lines in the first colour, the right and bottom lines (which own
/// the corners they share with the others) in the second.
struct RectBorder {
    std::array<PixelLine, 2> topLeft;
    std::array<PixelLine, 2> bottomRight;
};
RectBorder BorderOf(const PixelRect& rect);

}  // namespace radioprog
