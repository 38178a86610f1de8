// The viewer's input on a web page: the pointer's position and buttons from mouse events (a
// press counts on the canvas; the drag goes on over the whole window, so it keeps turning when
// the pointer leaves the canvas), the left Shift key from keyboard events (code "ShiftLeft").
// A button pressed and released between two frames still counts once, as a press since the
// previous query does on Windows.
#pragma once

#include "InputState.h"

#include <emscripten/html5.h>

#include <string>

class WebInputState final : public InputState {
public:
    ~WebInputState() override;

    // Listens to the canvas (CSS selector) and the window; Detach stops listening.
    void Attach(const char* canvasSelector);
    void Detach();

    void CursorPosition(int* x, int* y) override;
    bool LeftButton() override;
    bool RightButton() override;
    bool LeftShift() override;

private:
    static EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void* self);
    static EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* self);
    static EM_BOOL OnBlur(int type, const EmscriptenFocusEvent* event, void* self);

    std::string canvas;
    long x = 0, y = 0;
    bool left = false, right = false;               // held
    bool leftPressed = false, rightPressed = false; // pressed since the last query
    bool shift = false;
};
