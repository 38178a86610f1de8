#include "orvex/sdl/SdlPlatform.h"

#include <cstdio>
#include <cstring>

void SdlMessageBox::Show(const char* caption, const char* text)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool onScreen = driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
    if (onScreen && SDL_ShowSimpleMessageBox(0, caption, text, nullptr) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

SdlPlatform::~SdlPlatform()
{
    Shutdown();
}

bool SdlPlatform::Init(const char* videoDriver)
{
    if (started)
        return true;
    if (videoDriver != nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    started = true;
    SdlGlBinding::SetWindowAttributes();
    services.binding = &binding;
    services.display = &display;
    services.messages = &messages;
    SetPlatform(services);
    return true;
}

void SdlPlatform::Shutdown()
{
    if (!started)
        return;
    // Only our own registration is withdrawn.
    const Platform& current = GetPlatform();
    if (current.binding == &binding)
        SetPlatform(Platform{});
    display.SetFullscreenWindow(nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    started = false;
}

SDL_Window* SdlPlatform::CreateWindow(const char* title, int x, int y, int width, int height, Uint32 flags)
{
    if (!started)
        return nullptr;
    SdlGlBinding::SetWindowAttributes();
    return SDL_CreateWindow(title, x, y, width, height, flags | SDL_WINDOW_OPENGL);
}

void SdlPlatform::DestroyWindow(SDL_Window* window)
{
    if (window == nullptr)
        return;
    if (display.FullscreenWindow() == window)
        display.SetFullscreenWindow(nullptr);
    binding.Forget(window);
    SDL_DestroyWindow(window);
}
