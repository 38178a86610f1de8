// Exact arithmetic of the docking dialog bar: non-client layout per side, gripper and caption
// buttons, hit codes, tracker and the resize clamp.
#include "controls/CoolDialogBarGeometry.h"
#include "framework/BarStyle.h"

#include <gtest/gtest.h>

using namespace cool;

TEST(CoolDialogBarGeometry, NonClientLayoutPerSide)
{
    const QSize window(200, 300);
    struct Case {
        DockSide side;
        QRect client;
        QRect edge;
        uint32_t cleared;
    };
    const Case cases[] = {
        // left += 20, top += 3, right -= 3, bottom -= 6; edge = bottom 6 pixels
        {DockSide::Top, QRect(20, 3, 177, 291), QRect(0, 294, 200, 6), fw::BarStyle::BorderBottom},
        // top += 20, left += 3, bottom -= 3, right -= 6; edge = right 6 pixels
        {DockSide::Left, QRect(3, 20, 191, 277), QRect(194, 0, 6, 300), fw::BarStyle::BorderRight},
        // top += 20, right -= 3, bottom -= 3, left += 6; edge = left 6 pixels
        {DockSide::Right, QRect(6, 20, 191, 277), QRect(0, 0, 6, 300), fw::BarStyle::BorderLeft},
        // left += 20, right -= 3, bottom -= 3, top += 6; edge = top 6 pixels
        {DockSide::Bottom, QRect(20, 6, 177, 291), QRect(0, 0, 200, 6), fw::BarStyle::BorderTop},
        {DockSide::Floating, QRect(0, 0, 200, 300), QRect(), 0u},
    };
    for (const Case& c : cases) {
        const NonClientLayout layout = CalcNonClient(c.side, window);
        EXPECT_EQ(layout.client, c.client) << static_cast<int>(c.side);
        EXPECT_EQ(layout.edge, c.edge) << static_cast<int>(c.side);
        EXPECT_EQ(layout.clearedBorder, c.cleared) << static_cast<int>(c.side);
    }
    EXPECT_TRUE(CalcNonClient(DockSide::Floating, window).edge.isEmpty());
}

TEST(CoolDialogBarGeometry, GripperAndCaptionButtons)
{
    // Docked at the top or bottom: a vertical gripper on the left, buttons 12 x 12 at the top.
    for (DockSide side : {DockSide::Top, DockSide::Bottom}) {
        const GripperLayout g = CalcGripper(side, QSize(300, 100));
        EXPECT_EQ(g.gripper, QRect(0, 40, 20, 60));
        EXPECT_EQ(g.closeButton, QRect(7, 10, 12, 12));
        EXPECT_EQ(g.floatButton, QRect(7, 23, 12, 12));  // 13 pixels below the close button
        EXPECT_EQ(g.gripLines[0], QRect(10, 38, 3, 52)); // y 38 .. H - 10
        EXPECT_EQ(g.gripLines[1], QRect(14, 38, 3, 52));
    }
    // Docked at the left or right: a horizontal gripper on top, buttons 11 x 11 at the right.
    for (DockSide side : {DockSide::Left, DockSide::Right}) {
        const GripperLayout g = CalcGripper(side, QSize(200, 300));
        EXPECT_EQ(g.gripper, QRect(0, 0, 160, 20));
        EXPECT_EQ(g.closeButton, QRect(179, 7, 11, 11));  // right edge W - 10
        EXPECT_EQ(g.floatButton, QRect(166, 7, 11, 11));  // 13 pixels to its left
        EXPECT_EQ(g.gripLines[0], QRect(10, 10, 152, 3)); // x 10 .. W - 38
        EXPECT_EQ(g.gripLines[1], QRect(10, 14, 152, 3));
    }
    const GripperLayout floating = CalcGripper(DockSide::Floating, QSize(200, 300));
    EXPECT_TRUE(floating.gripper.isEmpty());
    EXPECT_TRUE(floating.closeButton.isEmpty());
}

TEST(CoolDialogBarGeometry, HitCodes)
{
    const QSize window(200, 300);
    const GripperLayout g = CalcGripper(DockSide::Left, window);
    const QRect edge = CalcNonClient(DockSide::Left, window).edge;
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(184, 12), HitClient), HitSysMenu);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(171, 12), HitClient), HitMinButton);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(0, 0), HitClient), HitCaption);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(159, 19), HitClient), HitCaption);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(160, 10), HitNowhere), HitNowhere); // beside the buttons
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(194, 150), HitClient), HitSize);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(199, 299), HitClient), HitSize);
    EXPECT_EQ(HitTestDocked(g, edge, QPoint(100, 150), HitClient), HitClient);
    // Right edges are exclusive: the pixel after a button is not in it.
    EXPECT_NE(HitTestDocked(g, edge, QPoint(190, 12), HitClient), HitSysMenu);
}

TEST(CoolDialogBarGeometry, TrackerFollowsThePointerAlongTheAxis)
{
    const QRect edge(194, 0, 6, 300);
    EXPECT_EQ(CenterPoint(edge), QPoint(197, 150));
    EXPECT_EQ(CenterPoint(QRect(0, 294, 200, 6)), QPoint(100, 297));

    const QRect vertical = TrackerStartRect(edge, false);
    EXPECT_EQ(vertical, QRect(194, 0, 6, 296)); // 4 shorter at the bottom
    EXPECT_EQ(TrackerStartRect(QRect(0, 294, 200, 6), true), QRect(0, 294, 200, 6));

    EXPECT_EQ(MoveTracker(vertical, QPoint(247, 10), false), QRect(244, 0, 6, 296));
    EXPECT_EQ(MoveTracker(vertical, QPoint(197, 999), false), vertical); // y does not move it
    EXPECT_EQ(MoveTracker(QRect(0, 294, 200, 6), QPoint(5, 250), true), QRect(0, 247, 200, 6));
}

TEST(CoolDialogBarGeometry, ResizeClamp)
{
    // A left bar dragged 50 pixels right widens by 50; dragged far left it stops at 32.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, QPoint(50, 7), 900, 32), 285);
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, QPoint(-1000, 0), 900, 32), 32);
    // Never wider than the size plus the frame's extent.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 235, QPoint(5000, 0), 900, 32), 1135);
    // The sign follows the side the edge faces.
    EXPECT_EQ(ResizedExtent(DockSide::Right, 235, QPoint(-50, 0), 900, 32), 285);
    EXPECT_EQ(ResizedExtent(DockSide::Top, 100, QPoint(0, 40), 600, 32), 140);
    EXPECT_EQ(ResizedExtent(DockSide::Bottom, 100, QPoint(0, 40), 600, 32), 60);
    EXPECT_EQ(ResizedExtent(DockSide::Bottom, 100, QPoint(0, 90), 600, 32), 32);
    // Movement across the axis changes nothing.
    EXPECT_EQ(ResizedExtent(DockSide::Top, 100, QPoint(70, 0), 600, 32), 100);
    // When the limits cross, the minimum wins.
    EXPECT_EQ(ResizedExtent(DockSide::Left, 10, QPoint(100, 0), 5, 32), 32);
}

TEST(CoolDialogBarGeometry, InitialAndFixedSizes)
{
    const InitialSizes sizes = InitialSizesFor(QSize(659, 130));
    EXPECT_EQ(sizes.floating, QSize(659, 130));
    EXPECT_EQ(sizes.horizontal, QSize(659, 139)); // + edge 6 + border 3 across
    EXPECT_EQ(sizes.vertical, QSize(668, 130));

    const QSize floating(300, 200), horizontal(400, 90), vertical(120, 500);
    EXPECT_EQ(FixedLayout(DockSide::Floating, false, true, floating, horizontal, vertical, 800, 600), floating);
    EXPECT_EQ(FixedLayout(DockSide::Top, true, true, floating, horizontal, vertical, 800, 600), QSize(32767, 90));
    EXPECT_EQ(FixedLayout(DockSide::Top, false, true, floating, horizontal, vertical, 800, 600), QSize(804, 90));
    EXPECT_EQ(FixedLayout(DockSide::Left, true, false, floating, horizontal, vertical, 800, 600), QSize(120, 32767));
    EXPECT_EQ(FixedLayout(DockSide::Left, false, false, floating, horizontal, vertical, 800, 600), QSize(120, 604));
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
