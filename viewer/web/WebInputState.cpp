#include "WebInputState.h"

#include <cstring>

namespace {
constexpr unsigned short kLeft = 0, kRight = 2;         // MouseEvent.button
constexpr unsigned short kLeftMask = 1, kRightMask = 2; // MouseEvent.buttons
} // namespace

WebInputState::~WebInputState()
{
    Detach();
}

void WebInputState::Attach(const char* canvasSelector)
{
    canvas = canvasSelector;
    emscripten_set_mousedown_callback(canvas.c_str(), this, EM_TRUE, &OnMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, &OnMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, &OnMouse);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, &OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, &OnKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, &OnBlur);
}

void WebInputState::Detach()
{
    if (canvas.empty())
        return;
    emscripten_set_mousedown_callback(canvas.c_str(), nullptr, EM_TRUE, nullptr);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    canvas.clear();
}

EM_BOOL WebInputState::OnMouse(int type, const EmscriptenMouseEvent* event, void* self)
{
    auto* input = static_cast<WebInputState*>(self);
    input->x = event->clientX;
    input->y = event->clientY;
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) {
        if (event->button == kLeft)
            input->left = input->leftPressed = true;
        if (event->button == kRight)
            input->right = input->rightPressed = true;
        return EM_TRUE; // no text selection or focus change from a drag on the picture
    }
    // Moves and releases tell which buttons are still down, wherever they were let go.
    input->left = input->left && (event->buttons & kLeftMask) != 0;
    input->right = input->right && (event->buttons & kRightMask) != 0;
    return EM_FALSE;
}

EM_BOOL WebInputState::OnKey(int type, const EmscriptenKeyboardEvent* event, void* self)
{
    if (std::strcmp(event->code, "ShiftLeft") == 0)
        static_cast<WebInputState*>(self)->shift = type == EMSCRIPTEN_EVENT_KEYDOWN;
    return EM_FALSE; // the page keeps its keys
}

EM_BOOL WebInputState::OnBlur(int, const EmscriptenFocusEvent*, void* self)
{
    auto* input = static_cast<WebInputState*>(self);
    input->left = input->right = input->shift = false;
    return EM_FALSE;
}

void WebInputState::CursorPosition(int* cx, int* cy)
{
    if (cx != nullptr)
        *cx = static_cast<int>(x);
    if (cy != nullptr)
        *cy = static_cast<int>(y);
}

bool WebInputState::LeftButton()
{
    const bool down = left || leftPressed;
    leftPressed = false;
    return down;
}

bool WebInputState::RightButton()
{
    const bool down = right || rightPressed;
    rightPressed = false;
    return down;
}

bool WebInputState::LeftShift()
{
    return shift;
}
