// Input from Win32: GetCursorPos (screen pixels, y downwards) and GetAsyncKeyState for the
// two mouse buttons and the left Shift key (non-zero while held or pressed since the last
// query).
#pragma once

#include "InputState.h"

class Win32InputState final : public InputState {
public:
    void CursorPosition(int* x, int* y) override;
    bool LeftButton() override;
    bool RightButton() override;
    bool LeftShift() override;
};
