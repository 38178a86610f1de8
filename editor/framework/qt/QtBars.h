#pragma once
// What the Qt frame and its control bars share: the frame's actions and the sizing of docked
// bars.
#include <cstdint>

class QAction;

namespace fw {

class ControlBar;
class FrameWnd;

namespace qt {

// The frame's action of command id (menu item, toolbar button and shortcuts in one), made on
// first use; FindFrameAction makes none.
QAction* FrameAction(FrameWnd* frame, uint32_t id);
QAction* FindFrameAction(const FrameWnd* frame, uint32_t id);

// Gives a docked docking bar the size across the dock that it asks for (CalcFixedLayout), and a
// floating one the smallest size of a window; other bars keep theirs.
void ApplyBarSize(ControlBar* bar);

} // namespace qt
} // namespace fw
