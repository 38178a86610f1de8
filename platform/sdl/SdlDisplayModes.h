/// @file
/// Display modes through a full-screen SDL window: a change puts that window in exclusive
/// full screen with the requested mode; the restore takes it out again, which gives the
/// desktop its own mode back.
#pragma once

#include "orvex/platform/Display.h"

#include <SDL.h>

/// The DisplayModes of SDL (see the file's description).
class SdlDisplayModes final : public DisplayModes {
public:
    int ScreenBitsPerPixel() override;
    /// True when the display offers the mode and (if the full-screen window exists) the
    /// window took it. Without the window the mode is applied when it is set.
    bool ChangeMode(int width, int height, int bitsPerPixel) override;
    void RestoreMode() override;

    /// @{
    /// The full-screen window mode changes apply to (not owned), or null.
    void SetFullscreenWindow(SDL_Window* window);
    SDL_Window* FullscreenWindow() const { return window; }
    /// @}

private:
    bool Apply();

    SDL_Window* window = nullptr;
    SDL_DisplayMode pending{};
    bool changed = false;
};
