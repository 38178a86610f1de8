#include "orvex/sdl/SdlDisplayModes.h"

namespace {
int BitsOf(Uint32 format)
{
    return SDL_BYTESPERPIXEL(format) * 8;
}
} // namespace

int SdlDisplayModes::ScreenBitsPerPixel()
{
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return 0;
    return BitsOf(desktop.format);
}

bool SdlDisplayModes::ChangeMode(int width, int height, int bitsPerPixel)
{
    SDL_DisplayMode desktop{};
    const bool haveDesktop = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
    const int count = SDL_GetNumDisplayModes(0);
    bool found = false;
    SDL_DisplayMode best{};
    // The listed modes, and the desktop's own (some drivers, offscreen among them, list none).
    for (int i = 0; i <= count; ++i) {
        SDL_DisplayMode mode;
        if (i == count) {
            if (!haveDesktop)
                continue;
            mode = desktop;
        } else if (SDL_GetDisplayMode(0, i, &mode) != 0) {
            continue;
        }
        if (mode.w != width || mode.h != height || BitsOf(mode.format) != bitsPerPixel)
            continue;
        // The driver's default rate: the desktop's when offered, else the first listed (highest).
        if (!found || mode.refresh_rate == desktop.refresh_rate)
            best = mode;
        found = true;
    }
    if (!found)
        return false;
    pending = best;
    changed = true;
    return window == nullptr || Apply();
}

bool SdlDisplayModes::Apply()
{
    if (SDL_SetWindowDisplayMode(window, &pending) != 0)
        return false;
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

void SdlDisplayModes::RestoreMode()
{
    if (changed && window != nullptr)
        SDL_SetWindowFullscreen(window, 0);
    changed = false;
}

void SdlDisplayModes::SetFullscreenWindow(SDL_Window* fullscreen)
{
    window = fullscreen;
    if (window != nullptr && changed)
        Apply();
}
