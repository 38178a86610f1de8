#include "orvex/win32/Win32DisplayModes.h"

#include "orvex/win32/Win32.h"

namespace {

DisplayModeInfo InfoOf(const DEVMODEA& mode)
{
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
            static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
}

} // namespace

bool PickDisplayMode(const std::vector<DisplayModeInfo>& modes, int width, int height, int bitsPerPixel,
                     int desktopFrequency, DisplayModeInfo* picked)
{
    const DisplayModeInfo* best = nullptr;
    for (const DisplayModeInfo& mode : modes) {
        if (mode.width != width || mode.height != height || mode.bitsPerPixel != bitsPerPixel)
            continue;
        if (mode.frequency == desktopFrequency) {
            best = &mode;
            break;
        }
        if (best == nullptr)
            best = &mode;
    }
    if (best == nullptr)
        return false;
    if (picked != nullptr)
        *picked = *best;
    return true;
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
    DisplayModeInfo picked;
    if (!PickDisplayMode(ListModes(), width, height, bitsPerPixel, CurrentMode().frequency, &picked))
        return false;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(picked.width);
    mode.dmPelsHeight = static_cast<DWORD>(picked.height);
    mode.dmBitsPerPel = static_cast<DWORD>(picked.bitsPerPixel);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    if (picked.frequency > 1) {
        mode.dmDisplayFrequency = static_cast<DWORD>(picked.frequency);
        mode.dmFields |= DM_DISPLAYFREQUENCY;
    }
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
