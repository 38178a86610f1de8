// Plain X11 for the window tests, on a connection of its own (usable from a helper
// thread): another application's window to take the focus, giving the focus back, and
// reading a window's _NET_WM_STATE.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

class OtherApplicationWindow {
public:
    // A 1 x 1 window in the bottom-right corner of the screen, mapped.
    OtherApplicationWindow();
    ~OtherApplicationWindow();
    OtherApplicationWindow(const OtherApplicationWindow&) = delete;
    OtherApplicationWindow& operator=(const OtherApplicationWindow&) = delete;

    bool Ready() const { return window != 0; }
    // Gives the input focus to this window.
    void TakeFocus();
    // Gives the input focus to another window of the display.
    void GiveFocusTo(unsigned long xWindow);

private:
    void* display = nullptr;
    unsigned long window = 0;
};

// The X window of an SDL window on the x11 driver; 0 for any other.
unsigned long XWindowOf(SDL_Window* window);

// The atom names in the window's _NET_WM_STATE property.
std::vector<std::string> WindowStates(unsigned long xWindow);
