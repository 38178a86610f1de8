// Display modes with ChangeDisplaySettingsA: a change is made for the run only (never stored
// in the registry); the restore gives the desktop its stored mode back.
#pragma once

#include "orvex/platform/Display.h"
#include "orvex/win32/Win32.h"

#include <vector>

struct DisplayModeInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0; // refresh rate in Hz; 0 or 1 for the hardware's default
};

// The record a switch asks for: width x height at bitsPerPixel, and the display frequency
// field set to 0, so that the driver takes its default rate for the mode.
DEVMODEA DisplayModeRequest(int width, int height, int bitsPerPixel);

class Win32DisplayModes final : public DisplayModes {
public:
    ~Win32DisplayModes() override;

    // GetDeviceCaps (BITSPIXEL) of the screen.
    int ScreenBitsPerPixel() override;
    // True when the system made the switch (it refuses a mode the display does not offer).
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
