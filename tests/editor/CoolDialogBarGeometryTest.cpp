// Exact arithmetic of the docking dialog bar: non-client layout per side, gripper and caption
// buttons, hit codes, tracker and the resize clamp.
#include "controls/CoolDialogBarGeometry.h"
#include "framework/BarStyle.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

using namespace cool;

TEST(CoolDialogBarGeometry, NonClientLayoutPerSide)
{
    const fw::Size window{200, 300};
    struct Case {
        DockSide side;
        fw::Rect client;
        fw::Rect edge;
        uint32_t cleared;
    };
    const Case cases[] = {
        // left += 20, top += 3, right -= 3, bottom -= 6; edge = bottom 6 pixels
        {DockSide::Top, fw::Rect::FromSize(20, 3, 177, 291), fw::Rect::FromSize(0, 294, 200, 6),
         fw::BarStyle::BorderBottom},
        // top += 20, left += 3, bottom -= 3, right -= 6; edge = right 6 pixels
        {DockSide::Left, fw::Rect::FromSize(3, 20, 191, 277), fw::Rect::FromSize(194, 0, 6, 300),
         fw::BarStyle::BorderRight},
        // top += 20, right -= 3, bottom -= 3, left += 6; edge = left 6 pixels
        {DockSide::Right, fw::Rect::FromSize(6, 20, 191, 277), fw::Rect::FromSize(0, 0, 6, 300),
         fw::BarStyle::BorderLeft},
        // left += 20, right -= 3, bottom -= 3, top += 6; edge = top 6 pixels
        {DockSide::Bottom, fw::Rect::FromSize(20, 6, 177, 291), fw::Rect::FromSize(0, 0, 200, 6),
         fw::BarStyle::BorderTop},
        {DockSide::Floating, fw::Rect::FromSize(0, 0, 200, 300), fw::Rect(), 0u},
    };
    for (const Case& c : cases) {
        const NonClientLayout layout = CalcNonClient(c.side, window);
        EXPECT_EQ(layout.client, c.client) << static_cast<int>(c.side);
        EXPECT_EQ(layout.edge, c.edge) << static_cast<int>(c.side);
        EXPECT_EQ(layout.clearedBorder, c.cleared) << static_cast<int>(c.side);
    }
    EXPECT_TRUE(CalcNonClient(DockSide::Floating, window).edge.IsEmpty());
}

TEST(CoolDialogBarGeometry, GripperAndCaptionButtons)
{
    // Docked at the top or bottom: a vertical gripper on the left, buttons 12 x 12 at the top.
    for (DockSide side : {DockSide::Top, DockSide::Bottom}) {
        const GripperLayout g = CalcGripper(side, (fw::Size{300, 100}));
        EXPECT_EQ(g.gripper, fw::Rect::FromSize(0, 40, 20, 60));
        EXPECT_EQ(g.closeButton, fw::Rect::FromSize(7, 10, 12, 12));
        EXPECT_EQ(g.floatButton, fw::Rect::FromSize(7, 23, 12, 12));  // 13 pixels below the close button
        EXPECT_EQ(g.gripLines[0], fw::Rect::FromSize(10, 38, 3, 52)); // y 38 .. H - 10
        EXPECT_EQ(g.gripLines[1], fw::Rect::FromSize(14, 38, 3, 52));
    }
    // Docked at the left or right: a horizontal gripper on top, buttons 11 x 11 at the right.
    for (DockSide side : {DockSide::Left, DockSide::Right}) {
        const GripperLayout g = CalcGripper(side, (fw::Size{200, 300}));
        EXPECT_EQ(g.gripper, fw::Rect::FromSize(0, 0, 160, 20));
        EXPECT_EQ(g.closeButton, fw::Rect::FromSize(179, 7, 11, 11));  // right edge W - 10
        EXPECT_EQ(g.floatButton, fw::Rect::FromSize(166, 7, 11, 11));  // 13 pixels to its left
        EXPECT_EQ(g.gripLines[0], fw::Rect::FromSize(10, 10, 152, 3)); // x 10 .. W - 38
        EXPECT_EQ(g.gripLines[1], fw::Rect::FromSize(10, 14, 152, 3));
    }
    const GripperLayout floating = CalcGripper(DockSide::Floating, (fw::Size{200, 300}));
    EXPECT_TRUE(floating.gripper.IsEmpty());
    EXPECT_TRUE(floating.closeButton.IsEmpty());
}

TEST(CoolDialogBarGeometry, HitCodes)
{
    const fw::Size window{200, 300};
    const GripperLayout g = CalcGripper(DockSide::Left, window);
    const fw::Rect edge = CalcNonClient(DockSide::Left, window).edge;
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{184, 12}), fw::Hit::Client), fw::Hit::SysMenu);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{171, 12}), fw::Hit::Client), fw::Hit::MinButton);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{0, 0}), fw::Hit::Client), fw::Hit::Caption);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{159, 19}), fw::Hit::Client), fw::Hit::Caption);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{160, 10}), fw::Hit::Nowhere), fw::Hit::Nowhere); // beside the buttons
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{194, 150}), fw::Hit::Client), fw::Hit::Size);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{199, 299}), fw::Hit::Client), fw::Hit::Size);
    EXPECT_EQ(HitTestDocked(g, edge, (fw::Point{100, 150}), fw::Hit::Client), fw::Hit::Client);
    // Right edges are exclusive: the pixel after a button is not in it.
    EXPECT_NE(HitTestDocked(g, edge, (fw::Point{190, 12}), fw::Hit::Client), fw::Hit::SysMenu);
}

TEST(CoolDialogBarGeometry, TrackerFollowsThePointerAlongTheAxis)
{
    const fw::Rect edge = fw::Rect::FromSize(194, 0, 6, 300);
    EXPECT_EQ((edge).CenterPoint(), (fw::Point{197, 150}));
    EXPECT_EQ((fw::Rect::FromSize(0, 294, 200, 6)).CenterPoint(), (fw::Point{100, 297}));

    const fw::Rect vertical = TrackerStartRect(edge, false);
    EXPECT_EQ(vertical, fw::Rect::FromSize(194, 0, 6, 296)); // 4 shorter at the bottom
    EXPECT_EQ(TrackerStartRect(fw::Rect::FromSize(0, 294, 200, 6), true), fw::Rect::FromSize(0, 294, 200, 6));

    EXPECT_EQ(MoveTracker(vertical, (fw::Point{247, 10}), false), fw::Rect::FromSize(244, 0, 6, 296));
    EXPECT_EQ(MoveTracker(vertical, (fw::Point{197, 999}), false), vertical); // y does not move it
    EXPECT_EQ(MoveTracker(fw::Rect::FromSize(0, 294, 200, 6), (fw::Point{5, 250}), true),
              fw::Rect::FromSize(0, 247, 200, 6));
}

TEST(CoolDialogBarGeometry, ResizeClamp)
{
    // A left bar dragged 50 pixels right widens by 50; dragged far left it stops at 32.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, (fw::Point{50, 7}), 900, 32), 285);
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, (fw::Point{-1000, 0}), 900, 32), 32);
    // Never wider than the size plus the frame's extent.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, (fw::Point{5000, 0}), 900, 32), 1135);
    // The sign follows the side the edge faces.
    EXPECT_EQ(ResizedExtent(DockSide::Right, 235, (fw::Point{-50, 0}), 900, 32), 285);
    EXPECT_EQ(ResizedExtent(DockSide::Top, 100, (fw::Point{0, 40}), 600, 32), 140);
    EXPECT_EQ(ResizedExtent(DockSide::Bottom, 100, (fw::Point{0, 40}), 600, 32), 60);
    EXPECT_EQ(ResizedExtent(DockSide::Bottom, 100, (fw::Point{0, 90}), 600, 32), 32);
    // Movement across the axis changes nothing.
    EXPECT_EQ(ResizedExtent(DockSide::Top, 100, (fw::Point{70, 0}), 600, 32), 100);
    // When the limits cross, the minimum wins.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 10, (fw::Point{100, 0}), 5, 32), 32);
}

TEST(CoolDialogBarGeometry, InitialAndFixedSizes)
{
    const InitialSizes sizes = InitialSizesFor((fw::Size{659, 130}));
    EXPECT_EQ(sizes.floating, (fw::Size{659, 130}));
    EXPECT_EQ(sizes.horizontal, (fw::Size{659, 139})); // + edge 6 + border 3 across
    EXPECT_EQ(sizes.vertical, (fw::Size{668, 130}));

    const fw::Size floating{300, 200}, horizontal(400, 90), vertical(120, 500);
    EXPECT_EQ(FixedLayout(DockSide::Floating, false, true, floating, horizontal, vertical, 800, 600), floating);
    EXPECT_EQ(FixedLayout(DockSide::Top, true, true, floating, horizontal, vertical, 800, 600), (fw::Size{32767, 90}));
    EXPECT_EQ(FixedLayout(DockSide::Top, false, true, floating, horizontal, vertical, 800, 600), (fw::Size{804, 90}));
    EXPECT_EQ(FixedLayout(DockSide::Left, true, false, floating, horizontal, vertical, 800, 600),
              (fw::Size{120, 32767}));
    EXPECT_EQ(FixedLayout(DockSide::Left, false, false, floating, horizontal, vertical, 800, 600),
              (fw::Size{120, 604}));
}

TEST(CoolDialogBarGeometry, DockBarIds)
{
    EXPECT_EQ(DockSideOf(59419), DockSide::Top);
    EXPECT_EQ(DockSideOf(59420), DockSide::Left);
    EXPECT_EQ(DockSideOf(59421), DockSide::Right);
    EXPECT_EQ(DockSideOf(59422), DockSide::Bottom);
    EXPECT_EQ(DockSideOf(59423), DockSide::Floating);
    EXPECT_EQ(DockSideOf(0), DockSide::Floating);
    for (DockSide side : {DockSide::Top, DockSide::Left, DockSide::Right, DockSide::Bottom}) {
        EXPECT_EQ(DockSideOf(DockBarIdOf(side)), side);
    }
    EXPECT_TRUE(IsHorizontal(DockSide::Top));
    EXPECT_TRUE(IsHorizontal(DockSide::Bottom));
    EXPECT_FALSE(IsHorizontal(DockSide::Left));
    EXPECT_FALSE(IsHorizontal(DockSide::Floating));
}
