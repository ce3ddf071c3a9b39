#include "gui/shell/navigation_bar_mouse.h"

#include "gui/shell/navigation_bar_layout.h"

namespace radioprog {

void NavigationBarMouse::Painted(const PixelRect& frame, const PixelRect& closeButton,
                                 const PixelRect& sizingStrip) {
    m_frame = frame;
    m_close = closeButton;
    m_strip = sizingStrip;
}

NavigationBarMouse::Cursor NavigationBarMouse::CursorAt(PixelPoint p) const {
    if (m_frame.IsEmpty()) {
        return Cursor::Unchanged;
    }
    return m_strip.Contains(p) ? Cursor::Split : Cursor::Arrow;
}

NavigationBarMouse::Effect NavigationBarMouse::Press(PixelPoint p) {
    Effect effect;
    if (!m_close.IsEmpty()) {
        m_buttonDown = true;
        m_hot = false;
        m_pressed = m_close.Contains(p);
        effect.repaintClose = true;
    }
    if (m_strip.Contains(p)) {
        m_sizing = true;
    }
    return effect;
}

NavigationBarMouse::Effect NavigationBarMouse::Move(PixelPoint p, int dockingWidth) {
    Effect effect;
    if (m_sizing) {
        m_trackerX = TrackerX(p.x, dockingWidth);
    }
    if (m_close.IsEmpty()) {
        return effect;
    }
    if (m_close.Contains(p)) {
        if (m_hot) {
            return effect;
        }
        // A press that started elsewhere and slides onto the button shows it pressed: the
        // release there still closes the bar.
        m_hot = !m_buttonDown;
        m_pressed = m_buttonDown;
        effect.repaintClose = true;
    } else if (m_hot || m_pressed) {
        m_hot = false;
        m_pressed = false;
        effect.repaintClose = true;
    }
    return effect;
}

NavigationBarMouse::Effect NavigationBarMouse::Release(PixelPoint p, int dockingWidth) {
    Effect effect;
    effect.repaintClose = m_hot || m_pressed;
    m_pressed = false;
    m_hot = false;
    m_buttonDown = false;
    m_trackerX.reset();
    if (!m_close.IsEmpty() && m_close.Contains(p)) {
        effect.hideBar = true;
    }
    if (m_sizing) {
        effect.newWidth = BarWidthAfterDrag(p.x, dockingWidth);
    }
    m_sizing = false;
    return effect;
}

}  // namespace radioprog
