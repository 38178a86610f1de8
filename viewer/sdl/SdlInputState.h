// Input from SDL: the global mouse state (the cursor anywhere on the screen, like the
// desktop's own cursor position) and SDL's keyboard state, which the event pump keeps.
#pragma once

#include "InputState.h"

#include <cstdint>

class SdlInputState final : public InputState {
public:
    // Queries the pointer; the button answers that follow use the same query, so one
    // frame sees one consistent snapshot of the mouse.
    void CursorPosition(int* x, int* y) override;
    bool LeftButton() override;
    bool RightButton() override;
    bool LeftShift() override;

private:
    std::uint32_t buttons = 0;
};
