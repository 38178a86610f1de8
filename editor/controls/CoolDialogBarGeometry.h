#pragma once
// Geometry and sizing arithmetic of the docking dialog bar. Everything is in the bar's window
// coordinates: origin at its top-left corner, rectangles right and bottom exclusive.
#include "framework/Types.h"

#include <cstdint>

namespace cool {

enum class DockSide { Top, Left, Right, Bottom, Floating };

// The side a dock bar id stands for (59419 top, 59420 left, 59421 right, 59422 bottom); any
// other id means floating.
DockSide DockSideOf(uint32_t dockBarId);
uint32_t DockBarIdOf(DockSide side);
bool IsHorizontal(DockSide side); // docked at the top or bottom

struct BarMetrics {
    int edgeWidth = 6;     // the sizing edge
    int gripperWidth = 20; // the gripper on the leading side
    int border = 3;        // inner border on the other sides
};

// Where the hosted dialog goes and where the sizing edge is, and which border bit of the bar
// style the edge replaces.
struct NonClientLayout {
    fw::Rect client;
    fw::Rect edge;
    uint32_t clearedBorder = 0;
};
NonClientLayout CalcNonClient(DockSide side, fw::Size window, const BarMetrics& metrics = BarMetrics());

// The gripper with its close and float buttons and its two raised grip lines; all empty while
// floating.
struct GripperLayout {
    fw::Rect gripper;
    fw::Rect closeButton;
    fw::Rect floatButton;
    fw::Rect gripLines[2];
};
GripperLayout CalcGripper(DockSide side, fw::Size window);

// fw::Hit codes of the close button (SysMenu), float button (MinButton), gripper (Caption) and
// edge (Size), in that order; otherwise fallback.
int HitTestDocked(const GripperLayout& gripper, const fw::Rect& edge, fw::Point point, int fallback);

// The tracker at the start of a resize: the edge, 4 pixels shorter at the bottom for a bar
// docked at the left or right.
fw::Rect TrackerStartRect(const fw::Rect& edge, bool horizontal);
// Moves tracker along the bar's axis (y for a horizontal bar, x otherwise) so that its centre
// meets point; returns it unchanged when they already agree.
fw::Rect MoveTracker(const fw::Rect& tracker, fw::Point point, bool horizontal);

// The docked size after a resize: current plus the tracker's movement (+dy at the top, +dx at
// the left, -dx at the right, -dy at the bottom), kept between minimum and current + the frame
// window's extent along the axis. The minimum wins if the two cross.
int ResizedExtent(DockSide side, int current, fw::Point movement, int frameExtent, int minimum);

// The sizes a new bar starts with: floating at the dialog's size; docked, the dialog plus the
// edge and border across the bar.
struct InitialSizes {
    fw::Size floating;
    fw::Size horizontal;
    fw::Size vertical;
};
InitialSizes InitialSizesFor(fw::Size dialog, const BarMetrics& metrics = BarMetrics());

// The bar's size in a fixed layout: floating size while floating; docked, its own height (or
// width) across and the dock bar's length + 4 along, or 32767 when stretching.
fw::Size FixedLayout(DockSide side, bool stretch, bool horizontal, fw::Size floating, fw::Size horizontalSize,
                     fw::Size verticalSize, int topDockLength, int leftDockLength);

constexpr int kStretchLength = 32767;

} // namespace cool
