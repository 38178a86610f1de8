#include "SdlInputState.h"

#include <SDL.h>

void SdlInputState::CursorPosition(int* x, int* y)
{
    int cx = 0, cy = 0;
    buttons = SDL_GetGlobalMouseState(&cx, &cy);
    if (x != nullptr)
        *x = cx;
    if (y != nullptr)
        *y = cy;
}

bool SdlInputState::LeftButton()
{
    return (buttons & SDL_BUTTON_LMASK) != 0;
}

bool SdlInputState::RightButton()
{
    return (buttons & SDL_BUTTON_RMASK) != 0;
}

bool SdlInputState::LeftShift()
{
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return keys != nullptr && keys[SDL_SCANCODE_LSHIFT] != 0;
}
