#include "orvex/win32/Win32Platform.h"

Win32Platform::~Win32Platform()
{
    Shutdown();
}

void Win32Platform::Init()
{
    if (started)
        return;
    services.binding = &binding;
    services.display = &display;
    services.messages = &messages;
    SetPlatform(services);
    started = true;
}

void Win32Platform::Shutdown()
{
    if (!started)
        return;
    if (GetPlatform().binding == &binding)
        SetPlatform(Platform{});
    display.RestoreMode();
    started = false;
}
