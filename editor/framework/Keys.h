#pragma once
// Keys and the button and key state of mouse messages, as plain integers. Key codes are the
// virtual-key numbers of the Windows keyboard (letters and digits are their capital ASCII codes);
// each toolkit maps its own keys onto them.
#include <cstdint>

namespace fw {

namespace Key {
constexpr uint32_t Back = 0x08;
constexpr uint32_t Tab = 0x09;
constexpr uint32_t Return = 0x0D;
constexpr uint32_t Shift = 0x10;
constexpr uint32_t Control = 0x11;
constexpr uint32_t Menu = 0x12; // Alt
constexpr uint32_t Escape = 0x1B;
constexpr uint32_t Space = 0x20;
constexpr uint32_t Prior = 0x21;
constexpr uint32_t Next = 0x22;
constexpr uint32_t End = 0x23;
constexpr uint32_t Home = 0x24;
constexpr uint32_t Left = 0x25;
constexpr uint32_t Up = 0x26;
constexpr uint32_t Right = 0x27;
constexpr uint32_t Down = 0x28;
constexpr uint32_t Insert = 0x2D;
constexpr uint32_t Delete = 0x2E;
constexpr uint32_t F1 = 0x70; // F1 .. F12 are 0x70 .. 0x7B
constexpr uint32_t F2 = 0x71;
constexpr uint32_t F6 = 0x75;
// 'A' .. 'Z' and '0' .. '9' stand for themselves.
} // namespace Key

// Modifiers of an accelerator.
namespace KeyMod {
constexpr uint32_t Shift = 0x04;
constexpr uint32_t Control = 0x08;
constexpr uint32_t Alt = 0x10;
} // namespace KeyMod

// Buttons held and keys down, as mouse messages carry them.
namespace MouseFlag {
constexpr uint32_t LButton = 0x0001;
constexpr uint32_t RButton = 0x0002;
constexpr uint32_t Shift = 0x0004;
constexpr uint32_t Control = 0x0008;
constexpr uint32_t MButton = 0x0010;
} // namespace MouseFlag

// One notch of a mouse wheel; positive deltas roll away from the user.
constexpr int WheelDelta = 120;

} // namespace fw
