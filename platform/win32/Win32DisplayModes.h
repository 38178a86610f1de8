// Display modes with EnumDisplaySettingsA and ChangeDisplaySettingsA: a change is made for
// the run only (CDS_FULLSCREEN, never stored in the registry); the restore gives the desktop
// its stored mode back.
#pragma once

#include "orvex/platform/Display.h"

#include <vector>

struct DisplayModeInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0; // refresh rate in Hz; 0 or 1 for the hardware's default
};

// The listed mode to switch to for width x height at bitsPerPixel: the one at the desktop's
// refresh rate when it is listed, else the first listed. False when none matches.
bool PickDisplayMode(const std::vector<DisplayModeInfo>& modes, int width, int height, int bitsPerPixel,
                     int desktopFrequency, DisplayModeInfo* picked);

class Win32DisplayModes final : public DisplayModes {
public:
    ~Win32DisplayModes() override;

    // GetDeviceCaps (BITSPIXEL) of the screen.
    int ScreenBitsPerPixel() override;
    // True when the display lists the mode and the switch succeeded.
    bool ChangeMode(int width, int height, int bitsPerPixel) override;
    // Back to the stored mode, once, and only after a change.
    void RestoreMode() override;

    // Every mode EnumDisplaySettingsA lists for the primary display.
    static std::vector<DisplayModeInfo> ListModes();
    // The current mode; zeros when it cannot be read.
    static DisplayModeInfo CurrentMode();

private:
    bool changed = false;
};
