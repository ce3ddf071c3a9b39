#include <gtest/gtest.h>

#include "gui/shell/navigation_bar_layout.h"
#include "gui/shell/navigation_bar_mouse.h"
#include "pixel_printers.h"

namespace radioprog {
namespace {

using Cursor = NavigationBarMouse::Cursor;

// A bar of the initial width, 500 pixels high.
const PixelRect kClient{0, 0, kInitialBarWidth, 500};

TEST(NavigationBarLayout, PlacesEveryPartFromTheEtchedFrame) {
    const NavigationBarLayout layout = LayOutNavigationBar(kClient, kBarCaptionHeight, 90);
    EXPECT_EQ(layout.etched, (PixelRect{3, 6, 214, 451}));
    EXPECT_EQ(layout.frame, (PixelRect{4, 7, 214, 451}));
    EXPECT_EQ(layout.captionText, (PixelRect{9, 7, 99, 29}));
    EXPECT_EQ(layout.captionRule, (PixelLine{{5, 29}, {213, 29}}));
    EXPECT_EQ(layout.closeButton, (PixelRect{194, 11, 210, 26}));
    EXPECT_EQ(layout.closeButton.Width(), 16);
    EXPECT_EQ(layout.closeButton.Height(), 15);
    EXPECT_EQ(layout.sizingStrip, (PixelRect{214, 7, 220, 451}));
    // White inside the grey outline at the top left, outside it at the bottom right.
    const std::array<PixelLine, 4> highlights = {
        PixelLine{{4, 7}, {4, 449}},
        PixelLine{{4, 7}, {212, 7}},
        PixelLine{{214, 6}, {214, 450}},
        PixelLine{{3, 451}, {214, 451}},
    };
    EXPECT_EQ(layout.etchedHighlights, highlights);
}

TEST(NavigationBarLayout, FollowsTheBarsSizeAndKeepsTheRuleAndCloseButtonWithoutACaption) {
    const NavigationBarLayout wide = LayOutNavigationBar({0, 0, 300, 200}, kBarCaptionHeight, 0);
    EXPECT_EQ(wide.frame, (PixelRect{4, 7, 294, 151}));
    EXPECT_TRUE(wide.captionText.IsEmpty());
    EXPECT_EQ(wide.captionRule, (PixelLine{{5, 29}, {293, 29}}));
    EXPECT_EQ(wide.closeButton, (PixelRect{274, 11, 290, 26}));
    EXPECT_EQ(wide.sizingStrip, (PixelRect{294, 7, 300, 151}));
}

TEST(RectBorder, TopAndLeftStopShortOfTheCornersTheOtherColourOwns) {
    const RectBorder border = BorderOf({190, 11, 206, 26});
    EXPECT_EQ(border.topLeft[0], (PixelLine{{190, 11}, {204, 11}}));
    EXPECT_EQ(border.topLeft[1], (PixelLine{{190, 11}, {190, 24}}));
    EXPECT_EQ(border.bottomRight[0], (PixelLine{{205, 11}, {205, 25}}));
    EXPECT_EQ(border.bottomRight[1], (PixelLine{{190, 25}, {205, 25}}));
}

TEST(NavigationTreeRect, SitsUnderTheCaptionInsideTheFrame) {
    EXPECT_EQ(NavigationTreeRect(kInitialBarWidth, kBarCaptionHeight, 500),
              (PixelRect{5, 31, 212, 449}));
    EXPECT_EQ(NavigationTreeRect(40, kBarCaptionHeight, 600), (PixelRect{5, 31, 32, 549}));
    // Narrower or lower than the gaps around it: an empty tree, never a negative one.
    EXPECT_EQ(NavigationTreeRect(kNarrowestBar, kBarCaptionHeight, 70), (PixelRect{5, 31, 5, 31}));
}

TEST(NavigationBarSizing, TrackerAndWidthLimits) {
    struct Case {
        int x;
        int dockingWidth;
        int tracker;
        int width;
    };
    const Case cases[] = {
        {40, 1000, 80, 40},
        {5, 1000, 80, 11},
        {10, 1000, 80, 11},
        {11, 1000, 80, 11},
        {12, 1000, 80, 12},
        {-30, 1000, 80, 11},
        {80, 1000, 80, 80},
        {300, 1000, 300, 300},
        {500, 1000, 500, 500},
        {501, 1000, 500, 500},
        {2000, 1001, 500, 500},
        // A window so narrow that its half lies left of the tracker's limit: the half wins.
        {100, 120, 60, 60},
        {5, 120, 60, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrackerX(c.x, c.dockingWidth), c.tracker) << c.x << " in " << c.dockingWidth;
        EXPECT_EQ(BarWidthAfterDrag(c.x, c.dockingWidth), c.width)
            << c.x << " in " << c.dockingWidth;
    }
}

TEST(NavigationBarSizing, TrackerIsTwoLinesStopping43PixelsAboveTheBottom) {
    const std::array<PixelLine, 2> lines = TrackerLines(80, 100, 600);
    EXPECT_EQ(lines[0], (PixelLine{{80, 100}, {80, 556}}));
    EXPECT_EQ(lines[1], (PixelLine{{82, 100}, {82, 556}}));
}

class NavigationBarMouseTest : public ::testing::Test {
protected:
    NavigationBarMouseTest() {
        m_mouse.Painted(m_layout.frame, m_layout.closeButton, m_layout.sizingStrip);
    }
    static constexpr PixelPoint kOnClose{198, 18};
    static constexpr PixelPoint kOnStrip{217, 100};
    static constexpr PixelPoint kBlank{100, 15};
    static constexpr PixelPoint kOutside{400, 300};
    static constexpr int kDocking = 1000;

    NavigationBarLayout m_layout = LayOutNavigationBar(kClient, kBarCaptionHeight, 60);
    NavigationBarMouse m_mouse;
};

TEST_F(NavigationBarMouseTest, HoveringRaisesTheCloseButtonAndLeavingFlattensIt) {
    EXPECT_TRUE(m_mouse.Move(kOnClose, kDocking).repaintClose);
    EXPECT_TRUE(m_mouse.hot());
    EXPECT_FALSE(m_mouse.pressed());
    // Already raised: nothing to repaint while the pointer stays on it.
    EXPECT_FALSE(m_mouse.Move({199, 19}, kDocking).repaintClose);
    EXPECT_TRUE(m_mouse.Move(kBlank, kDocking).repaintClose);
    EXPECT_FALSE(m_mouse.hot());
    EXPECT_FALSE(m_mouse.Move(kBlank, kDocking).repaintClose);
    EXPECT_FALSE(m_mouse.trackerX());
}

TEST_F(NavigationBarMouseTest, AReleaseAwayFromTheButtonKeepsTheBarAndTheButtonFlat) {
    EXPECT_TRUE(m_mouse.Press(kOnClose).repaintClose);
    EXPECT_TRUE(m_mouse.pressed());
    EXPECT_FALSE(m_mouse.hot());
    EXPECT_TRUE(m_mouse.Move(kOutside, kDocking).repaintClose);
    EXPECT_FALSE(m_mouse.pressed());
    // Back on it with the button still down: sunken again, not raised.
    m_mouse.Move(kOnClose, kDocking);
    EXPECT_TRUE(m_mouse.pressed());
    EXPECT_FALSE(m_mouse.hot());
    m_mouse.Move(kOutside, kDocking);
    const NavigationBarMouse::Effect released = m_mouse.Release(kOutside, kDocking);
    EXPECT_FALSE(released.hideBar);
    EXPECT_FALSE(released.newWidth);
    EXPECT_FALSE(m_mouse.pressed());
    EXPECT_FALSE(m_mouse.hot());
}

TEST_F(NavigationBarMouseTest, AReleaseOverTheButtonHidesTheBarWhereverThePressWas) {
    m_mouse.Press(kOnClose);
    NavigationBarMouse::Effect released = m_mouse.Release(kOnClose, kDocking);
    EXPECT_TRUE(released.hideBar);
    EXPECT_TRUE(released.repaintClose);
    EXPECT_FALSE(m_mouse.pressed());

    m_mouse.Press(kBlank);
    EXPECT_FALSE(m_mouse.pressed());
    m_mouse.Move(kOnClose, kDocking);
    EXPECT_TRUE(m_mouse.pressed());
    EXPECT_TRUE(m_mouse.Release(kOnClose, kDocking).hideBar);
}

TEST_F(NavigationBarMouseTest, DraggingTheStripMovesOnlyTheTrackerUntilTheRelease) {
    EXPECT_EQ(m_mouse.CursorAt(kOnStrip), Cursor::Split);
    EXPECT_EQ(m_mouse.CursorAt(kBlank), Cursor::Arrow);
    m_mouse.Press(kOnStrip);
    EXPECT_TRUE(m_mouse.sizing());
    EXPECT_FALSE(m_mouse.trackerX());
    m_mouse.Move({40, 100}, kDocking);
    EXPECT_EQ(m_mouse.trackerX(), 80);
    m_mouse.Move({2000, 100}, kDocking);
    EXPECT_EQ(m_mouse.trackerX(), 500);
    m_mouse.Move({40, 100}, kDocking);
    const NavigationBarMouse::Effect released = m_mouse.Release({40, 100}, kDocking);
    EXPECT_EQ(released.newWidth, 40);
    EXPECT_FALSE(released.hideBar);
    EXPECT_FALSE(m_mouse.trackerX());
    EXPECT_FALSE(m_mouse.sizing());

    m_mouse.Press(kOnStrip);
    EXPECT_EQ(m_mouse.Release({5, 100}, kDocking).newWidth, 11);
    // A press beside the strip drags nothing.
    m_mouse.Press(kBlank);
    m_mouse.Move({40, 100}, kDocking);
    EXPECT_FALSE(m_mouse.trackerX());
    EXPECT_FALSE(m_mouse.Release({40, 100}, kDocking).newWidth);
}

TEST(NavigationBarMouse, NothingReactsBeforeTheFirstPaint) {
    NavigationBarMouse mouse;
    const PixelPoint anywhere{10, 10};
    EXPECT_EQ(mouse.CursorAt(anywhere), Cursor::Unchanged);
    EXPECT_FALSE(mouse.Press(anywhere).repaintClose);
    EXPECT_FALSE(mouse.Move(anywhere, 1000).repaintClose);
    const NavigationBarMouse::Effect released = mouse.Release(anywhere, 1000);
    EXPECT_FALSE(released.hideBar);
    EXPECT_FALSE(released.newWidth);
    EXPECT_FALSE(released.repaintClose);
}

}  // namespace
}  // namespace radioprog
