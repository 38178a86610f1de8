#pragma once
// How a control of a dialog template is made on Win32: its window class and its window styles
// from the framework's CtlStyle bits. One table for dialog templates and controls made in code.
#include "framework/Resources.h"
#include "framework/win32/Win32Headers.h"

#include <cstdint>

namespace fw::win32 {

struct ControlKind {
    const wchar_t* className; // null: a system class given by atom
    uint16_t atom;            // 0x0080 button, 0x0081 edit, 0x0082 static
};

ControlKind KindOf(ControlClass cls);
// The window styles (WS_CHILD and WS_VISIBLE included) of a control of class cls with
// CtlStyle bits style.
DWORD ControlWindowStyle(ControlClass cls, uint32_t style);

} // namespace fw::win32
