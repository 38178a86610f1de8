#include "controls/CoolDialogBarGeometry.h"

#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/Wnd.h"

#include <algorithm>

namespace cool {
namespace {

fw::Rect Edges(int left, int top, int right, int bottom)
{
    return fw::Rect{left, top, right, bottom};
}

} // namespace

DockSide DockSideOf(uint32_t dockBarId)
{
    switch (dockBarId) {
    case fw::IDW_DOCKBAR_TOP:
        return DockSide::Top;
    case fw::IDW_DOCKBAR_LEFT:
        return DockSide::Left;
    case fw::IDW_DOCKBAR_RIGHT:
        return DockSide::Right;
    case fw::IDW_DOCKBAR_BOTTOM:
        return DockSide::Bottom;
    default:
        return DockSide::Floating;
    }
}

uint32_t DockBarIdOf(DockSide side)
{
    switch (side) {
    case DockSide::Top:
        return fw::IDW_DOCKBAR_TOP;
    case DockSide::Left:
        return fw::IDW_DOCKBAR_LEFT;
    case DockSide::Right:
        return fw::IDW_DOCKBAR_RIGHT;
    case DockSide::Bottom:
        return fw::IDW_DOCKBAR_BOTTOM;
    case DockSide::Floating:
        break;
    }
    return fw::IDW_DOCKBAR_FLOAT;
}

bool IsHorizontal(DockSide side)
{
    return side == DockSide::Top || side == DockSide::Bottom;
}

NonClientLayout CalcNonClient(DockSide side, fw::Size window, const BarMetrics& m)
{
    const int w = window.cx;
    const int h = window.cy;
    NonClientLayout layout;
    switch (side) {
    case DockSide::Top:
        layout.clearedBorder = fw::BarStyle::BorderBottom;
        layout.client = Edges(m.gripperWidth, m.border, w - m.border, h - m.edgeWidth);
        layout.edge = Edges(0, h - m.edgeWidth, w, h);
        break;
    case DockSide::Left:
        layout.clearedBorder = fw::BarStyle::BorderRight;
        layout.client = Edges(m.border, m.gripperWidth, w - m.edgeWidth, h - m.border);
        layout.edge = Edges(w - m.edgeWidth, 0, w, h);
        break;
    case DockSide::Right:
        layout.clearedBorder = fw::BarStyle::BorderLeft;
        layout.client = Edges(m.edgeWidth, m.gripperWidth, w - m.border, h - m.border);
        layout.edge = Edges(0, 0, m.edgeWidth, h);
        break;
    case DockSide::Bottom:
        layout.clearedBorder = fw::BarStyle::BorderTop;
        layout.client = Edges(m.gripperWidth, m.edgeWidth, w - m.border, h - m.border);
        layout.edge = Edges(0, 0, w, m.edgeWidth);
        break;
    case DockSide::Floating:
        layout.client = Edges(0, 0, w, h);
        layout.edge = fw::Rect();
        break;
    }
    return layout;
}

GripperLayout CalcGripper(DockSide side, fw::Size window)
{
    const int w = window.cx;
    const int h = window.cy;
    GripperLayout layout;
    if (side == DockSide::Floating)
        return layout;
    if (IsHorizontal(side)) {
        layout.gripper = Edges(0, 40, 20, h);
        layout.closeButton = fw::Rect::FromSize(7, 10, 12, 12);
        layout.floatButton = layout.closeButton.Offset(0, 13);
        layout.gripLines[0] = Edges(10, 38, 13, h - 10);
        layout.gripLines[1] = Edges(14, 38, 17, h - 10);
    } else {
        layout.gripper = Edges(0, 0, w - 40, 20);
        layout.closeButton = Edges(w - 10 - 11, 7, w - 10, 7 + 11);
        layout.floatButton = layout.closeButton.Offset(-13, 0);
        layout.gripLines[0] = Edges(10, 10, w - 38, 13);
        layout.gripLines[1] = Edges(10, 14, w - 38, 17);
    }
    return layout;
}

int HitTestDocked(const GripperLayout& gripper, const fw::Rect& edge, fw::Point point, int fallback)
{
    if (gripper.closeButton.Contains(point))
        return fw::Hit::SysMenu;
    if (gripper.floatButton.Contains(point))
        return fw::Hit::MinButton;
    if (gripper.gripper.Contains(point))
        return fw::Hit::Caption;
    if (edge.Contains(point))
        return fw::Hit::Size;
    return fallback;
}

fw::Rect TrackerStartRect(const fw::Rect& edge, bool horizontal)
{
    fw::Rect tracker = edge;
    if (!horizontal)
        tracker.bottom -= 4;
    return tracker;
}

fw::Rect MoveTracker(const fw::Rect& tracker, fw::Point point, bool horizontal)
{
    const fw::Point center = tracker.CenterPoint();
    if (horizontal)
        return tracker.Offset(0, point.y - center.y);
    return tracker.Offset(point.x - center.x, 0);
}

int ResizedExtent(DockSide side, int current, fw::Point movement, int frameExtent, int minimum)
{
    const int upper = current + frameExtent;
    int size = current;
    switch (side) {
    case DockSide::Top:
        size += movement.y;
        break;
    case DockSide::Left:
        size += movement.x;
        break;
    case DockSide::Right:
        size -= movement.x;
        break;
    case DockSide::Bottom:
        size -= movement.y;
        break;
    case DockSide::Floating:
        break;
    }
    return std::max(std::min(size, upper), minimum);
}

InitialSizes InitialSizesFor(fw::Size dialog, const BarMetrics& m)
{
    InitialSizes sizes;
    sizes.floating = dialog;
    sizes.horizontal = dialog;
    sizes.vertical = dialog;
    sizes.horizontal.cy += m.edgeWidth + m.border;
    sizes.vertical.cx += m.edgeWidth + m.border;
    return sizes;
}

fw::Size FixedLayout(DockSide side, bool stretch, bool horizontal, fw::Size floating, fw::Size horizontalSize,
                     fw::Size verticalSize, int topDockLength, int leftDockLength)
{
    if (side == DockSide::Floating)
        return floating;
    if (horizontal)
        return fw::Size{stretch ? kStretchLength : topDockLength + 4, horizontalSize.cy};
    return fw::Size{verticalSize.cx, stretch ? kStretchLength : leftDockLength + 4};
}

} // namespace cool
