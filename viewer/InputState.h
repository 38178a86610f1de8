// What the viewer reads of the mouse and keyboard each frame: the cursor's screen position
// and whether the two mouse buttons and the left Shift key are down. The SDL backend
// answers from the window system; tests answer from a script.
#pragma once

class InputState {
public:
    virtual ~InputState() = default;

    // The cursor in screen pixels, y growing downwards.
    virtual void CursorPosition(int* x, int* y) = 0;
    virtual bool LeftButton() = 0;
    virtual bool RightButton() = 0;
    // The left Shift key only; the right one never counts.
    virtual bool LeftShift() = 0;
};
