#pragma once

#include <optional>

#include "gui/shell/pixel_geometry.h"

namespace radioprog {

/// What the navigation bar does with the left mouse button: the close button's raised look
/// while the pointer is over it, its sunken look while the button is held over it, the bar
/// hidden by a release over it, and the width dragged by the sizing strip, which changes only
/// at the release. Points are in the bar's client pixels.
class NavigationBarMouse {
public:
    /// What the window has to do after an event.
    struct Effect {
        bool repaintClose = false;
        bool hideBar = false;
        std::optional<int> newWidth;
    };
    enum class Cursor { Unchanged, Split, Arrow };

    /// The frame, close button and sizing strip as last painted; nothing reacts before.
    void Painted(const PixelRect& frame, const PixelRect& closeButton,
                 const PixelRect& sizingStrip);

    /// The split cursor over the sizing strip, the arrow elsewhere; before the first paint the
    /// cursor is left as it is.
    Cursor CursorAt(PixelPoint p) const;

    Effect Press(PixelPoint p);
    /// @p dockingWidth: width of the space the main window lays its bars in.
    Effect Move(PixelPoint p, int dockingWidth);
    Effect Release(PixelPoint p, int dockingWidth);

    bool hot() const { return m_hot; }
    bool pressed() const { return m_pressed; }
    bool sizing() const { return m_sizing; }
    /// The x of the tracker drawn now, none when no tracker is drawn.
    std::optional<int> trackerX() const { return m_trackerX; }

private:
    PixelRect m_frame;
    PixelRect m_close;
    PixelRect m_strip;
    bool m_sizing = false;
    bool m_buttonDown = false;
    bool m_hot = false;
    bool m_pressed = false;
    std::optional<int> m_trackerX;
};

}  // namespace radioprog
