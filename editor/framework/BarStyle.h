#pragma once
// Style bits of control bars (toolbar, status bar, docking bars) and of the windows that hold
// them, and the layout modes of a bar's size query.
#include <cstdint>

namespace fw {

// Window styles (the values the window system gives them).
namespace WinStyle {
constexpr uint32_t Popup = 0x80000000;
constexpr uint32_t Child = 0x40000000;
constexpr uint32_t Visible = 0x10000000;
constexpr uint32_t ClipSiblings = 0x04000000;
constexpr uint32_t ClipChildren = 0x02000000;
} // namespace WinStyle

namespace BarStyle {
constexpr uint32_t Floating = 0x0001;
constexpr uint32_t SizeFixed = 0x0002;
constexpr uint32_t SizeDynamic = 0x0004;
constexpr uint32_t HideInPlace = 0x0008;
constexpr uint32_t ToolTips = 0x0010;
constexpr uint32_t FlyBy = 0x0020;
constexpr uint32_t FloatMulti = 0x0040;
constexpr uint32_t Border3D = 0x0080;
constexpr uint32_t BorderLeft = 0x0100;
constexpr uint32_t BorderTop = 0x0200;
constexpr uint32_t BorderRight = 0x0400;
constexpr uint32_t BorderBottom = 0x0800;
constexpr uint32_t BorderAny = 0x0F00;
constexpr uint32_t AlignLeft = 0x1000;
constexpr uint32_t AlignTop = 0x2000;
constexpr uint32_t AlignRight = 0x4000;
constexpr uint32_t AlignBottom = 0x8000;
constexpr uint32_t AlignAny = 0xF000;
constexpr uint32_t Gripper = 0x00400000;
// A bar docked at an edge has a border on the side facing the frame's middle.
constexpr uint32_t Left = AlignLeft | BorderRight;
constexpr uint32_t Top = AlignTop | BorderBottom;
constexpr uint32_t Right = AlignRight | BorderLeft;
constexpr uint32_t Bottom = AlignBottom | BorderTop;
// The bits that belong to the bar rather than to its window.
constexpr uint32_t Mask = 0x0040FFFF;
} // namespace BarStyle

namespace ToolBarStyle {
constexpr uint32_t Flat = 0x0800;
} // namespace ToolBarStyle

// Modes of a bar's dynamic size query.
namespace LayoutMode {
constexpr uint32_t Stretch = 0x01;
constexpr uint32_t Horz = 0x02;
constexpr uint32_t MruWidth = 0x04;
constexpr uint32_t HorzDock = 0x08;
constexpr uint32_t VertDock = 0x10;
constexpr uint32_t LengthY = 0x20;
constexpr uint32_t Commit = 0x40;
} // namespace LayoutMode

} // namespace fw
