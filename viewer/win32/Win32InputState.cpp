#include "Win32InputState.h"

#include "orvex/win32/Win32.h"

void Win32InputState::CursorPosition(int* x, int* y)
{
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    if (x != nullptr)
        *x = cursor.x;
    if (y != nullptr)
        *y = cursor.y;
}

bool Win32InputState::LeftButton()
{
    return GetAsyncKeyState(VK_LBUTTON) != 0;
}
bool Win32InputState::RightButton()
{
    return GetAsyncKeyState(VK_RBUTTON) != 0;
}
bool Win32InputState::LeftShift()
{
    return GetAsyncKeyState(VK_LSHIFT) != 0;
}
