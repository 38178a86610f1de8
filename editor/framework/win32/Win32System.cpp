// The system's side of the framework on Win32: desktop colours and measures, the cursor, message
// boxes, the debug output and the lock keys.
#include "framework/KeyLocks.h"
#include "framework/System.h"
#include "framework/win32/Win32Wnd.h"

namespace fw {

using namespace win32;

Color GetSysColor(SysColor index)
{
    return ::GetSysColor(static_cast<int>(index));
}

int GetSystemMetric(SysMetric index)
{
    return GetSystemMetrics(static_cast<int>(index));
}

void SetCursorShape(CursorShape shape)
{
    LPCWSTR name = reinterpret_cast<LPCWSTR>(IDC_ARROW);
    switch (shape) {
    case CursorShape::Arrow:
        break;
    case CursorShape::SizeNS:
        name = reinterpret_cast<LPCWSTR>(IDC_SIZENS);
        break;
    case CursorShape::SizeWE:
        name = reinterpret_cast<LPCWSTR>(IDC_SIZEWE);
        break;
    case CursorShape::SizeAll:
        name = reinterpret_cast<LPCWSTR>(IDC_SIZEALL);
        break;
    }
    SetCursor(LoadCursorW(nullptr, name));
}

Point GetCursorPos()
{
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

Rect ScreenRectAt(Point point)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return FromRect(info.rcMonitor);
}

int ShowMessage(Wnd* owner, const std::string& text, const std::string& caption, uint32_t type)
{
    // A test of the program reads what the box says from its output.
    Report("message " + caption + ": " + text);
    HWND ownerHwnd = HandleOf(owner);
    if (ownerHwnd != nullptr && !IsWindowVisible(ownerHwnd))
        ownerHwnd = nullptr; // during start-up the frame is not on screen yet
    return MessageBoxW(ownerHwnd, Wide(text).c_str(), Wide(caption).c_str(), type | MB_SETFOREGROUND);
}

void WriteDebugOutput(const std::string& text)
{
    OutputDebugStringW(Wide(text).c_str());
    Report("trace " + text.substr(0, text.find_last_not_of('\n') + 1));
}

KeyLockState QueryKeyLocks()
{
    KeyLockState state;
    state.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    state.numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    state.scrollLock = (GetKeyState(VK_SCROLL) & 1) != 0;
    return state;
}

} // namespace fw
