#pragma once
// What the editor asks of the system beyond its windows: colours and measures of the desktop's
// look, the mouse cursor, message boxes and the debug output.
#include "framework/Types.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class Wnd;

// The desktop's colours for 3-D controls (the numbers are the window system's).
enum class SysColor : int {
    Highlight = 13,     // selected items, an active caption
    HighlightText = 14, // text on Highlight
    BtnFace = 15,       // face of buttons and dialogs
    BtnShadow = 16,     // dark side of 3-D lines
    BtnText = 18,
    BtnHighlight = 20, // light side of 3-D lines
    DkShadow3d = 21,   // outer dark side
    Light3d = 22,      // outer light side
};
Color GetSysColor(SysColor index);

enum class SysMetric : int {
    CxEdge = 45,      // width of a 3-D edge
    CxMin = 28,       // smallest width of a window
    CyMin = 29,       // smallest height
    CySmCaption = 51, // height of a small caption (floating tool windows)
};
int GetSystemMetric(SysMetric index);

enum class CursorShape { Arrow, SizeNS, SizeWE, SizeAll };
// Sets the pointer's shape; called from OnSetCursor, it stays while the pointer is over the window.
void SetCursorShape(CursorShape shape);
// The pointer's position in screen coordinates.
Point GetCursorPos();
// The screen area that holds point (its whole rectangle, in screen coordinates).
Rect ScreenRectAt(Point point);

// Message boxes: MsgBox bits in, the IdOk, IdCancel, IdYes or IdNo of the button pressed out.
namespace MsgBox {
constexpr uint32_t Ok = 0x00;
constexpr uint32_t OkCancel = 0x01;
constexpr uint32_t YesNoCancel = 0x03;
constexpr uint32_t YesNo = 0x04;
constexpr uint32_t IconError = 0x10;
constexpr uint32_t IconQuestion = 0x20;
constexpr uint32_t IconWarning = 0x30;
constexpr uint32_t IconInformation = 0x40;
} // namespace MsgBox
// A modal box over owner (none: over no window).
int ShowMessage(Wnd* owner, const std::string& text, const std::string& caption, uint32_t type);

// Debug output: one trace line (the text as given, usually ending in "\n"). It goes to the
// toolkit's debug output unless a handler takes it.
void Trace(const std::string& text);
using TraceHandler = std::function<void(const std::string& text)>;
// Sends trace lines to handler from now on and returns the previous one; an empty handler
// restores the debug output.
TraceHandler SetTraceHandler(TraceHandler handler);
// The toolkit's debug output, where Trace writes without a handler.
void WriteDebugOutput(const std::string& text);

} // namespace fw
