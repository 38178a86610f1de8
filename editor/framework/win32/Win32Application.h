#pragma once
// What the Win32 message loops share: the keys a message loop hands to the frame's accelerators
// and to dialog navigation before dispatching them.
#include "framework/win32/Win32Headers.h"

namespace fw {

class FrameWnd;

namespace win32 {

// True when msg was taken (an accelerator's command ran, or a dialog moved its focus).
bool PreTranslateMessage(MSG& msg);
// The frame's accelerator table applied to msg (Win32FrameWnd.cpp).
bool TranslateFrameAccelerator(FrameWnd* frame, MSG& msg);

} // namespace win32
} // namespace fw
