#include "SdlMainWindow.h"

#include "WindowProcedure.h"

SdlMainWindow::~SdlMainWindow()
{
    SdlMainWindow::Destroy();
}

void SdlMainWindow::Destroy()
{
    if (mainWindow != nullptr && platform != nullptr) {
        platform->DestroyWindow(static_cast<SDL_Window*>(mainWindow));
        mainWindow = nullptr;
    }
}

bool SdlMainWindow::Create(SdlPlatform& sdl, int width, int height, bool fullScreen)
{
    // A full-screen SDL window minimises itself (and gives the desktop its mode back) when
    // it loses the focus; the viewer keeps its mode while inactive.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (!sdl.Init())
        return false;
    platform = &sdl;

    SDL_Window* window = fullScreen
                             ? sdl.CreateWindow(kMainWindowTitle, 0, 0, width, height,
                                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_HIDDEN)
                             : sdl.CreateWindow(kMainWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                                height, SDL_WINDOW_HIDDEN);
    mainWindow = window;
    if (window == nullptr)
        return false;
    if (fullScreen)
        sdl.SetFullscreenWindow(window);

    // No cursor over the window, and key presses stay key presses (no text input).
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StopTextInput();

    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    return true;
}
