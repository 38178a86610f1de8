#include "orvex/win32/Win32DisplayModes.h"

#include "orvex/win32/Win32.h"

namespace {

DisplayModeInfo InfoOf(const DEVMODEA& mode)
{
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
            static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
}

} // namespace

DEVMODEA DisplayModeRequest(int width, int height, int bitsPerPixel)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmDisplayFrequency = 0; // the driver's default rate for the mode
    return mode;
}

Win32DisplayModes::~Win32DisplayModes()
{
    RestoreMode();
}

int Win32DisplayModes::ScreenBitsPerPixel()
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return 0;
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

std::vector<DisplayModeInfo> Win32DisplayModes::ListModes()
{
    std::vector<DisplayModeInfo> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i)
        modes.push_back(InfoOf(mode));
    return modes;
}

DisplayModeInfo Win32DisplayModes::CurrentMode()
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return {};
    return InfoOf(mode);
}

bool Win32DisplayModes::ChangeMode(int width, int height, int bitsPerPixel)
{
    DEVMODEA mode = DisplayModeRequest(width, height, bitsPerPixel);
    // CDS_FULLSCREEN rather than 0: both change the mode for the run without storing it, but
    // a temporary mode is one the system itself drops again should the program end without
    // restoring it.
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL)
        return false;
    changed = true;
    return true;
}

void Win32DisplayModes::RestoreMode()
{
    if (!changed)
        return;
    ChangeDisplaySettingsA(nullptr, 0);
    changed = false;
}
