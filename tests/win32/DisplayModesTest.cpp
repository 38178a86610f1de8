// Display modes through EnumDisplaySettingsA and ChangeDisplaySettingsA: the record a switch
// asks for, and the switch and restore on the system's display (Wine on the test script's
// 1024x768 Xvfb screen, where only the current mode can be switched to).
#include "orvex/render/GlDevice.h"
#include "orvex/win32/Win32DisplayModes.h"
#include "orvex/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A switch names the size and the depth and sets the display frequency field to 0, which
// leaves the rate to the driver (its default for the mode) instead of one taken from a list.
TEST(Win32DisplayModes, RequestLeavesTheRateToTheDriver)
{
    const DEVMODEA mode = DisplayModeRequest(1024, 768, 16);
    EXPECT_EQ(mode.dmSize, sizeof mode);
    EXPECT_EQ(mode.dmFields, static_cast<DWORD>(DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY));
    EXPECT_EQ(mode.dmPelsWidth, 1024u);
    EXPECT_EQ(mode.dmPelsHeight, 768u);
    EXPECT_EQ(mode.dmBitsPerPel, 16u);
    EXPECT_EQ(mode.dmDisplayFrequency, 0u);
}

TEST(Win32DisplayModes, TheScreenSwitchesToItsOwnModeAndBack)
{
    Win32DisplayModes display;
    const DisplayModeInfo current = Win32DisplayModes::CurrentMode();
    ASSERT_GT(current.width, 0);
    const int bits = display.ScreenBitsPerPixel();
    EXPECT_EQ(bits, current.bitsPerPixel);
    EXPECT_GE(bits, 16);

    const std::vector<DisplayModeInfo> modes = Win32DisplayModes::ListModes();
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [&](const DisplayModeInfo& m) {
        return m.width == current.width && m.height == current.height && m.bitsPerPixel == current.bitsPerPixel;
    }));

    EXPECT_TRUE(display.ChangeMode(current.width, current.height, bits));
    display.RestoreMode();
    display.RestoreMode(); // once is enough; a second restore does nothing
    // A size no display lists is refused without a switch.
    EXPECT_FALSE(display.ChangeMode(1001, 701, bits));
    EXPECT_FALSE(display.ChangeMode(current.width, current.height, 13));
}

TEST(Win32DisplayModes, DeviceKeepsTheDesktopDepth)
{
    const DisplayModeInfo current = Win32DisplayModes::CurrentMode();
    Win32Platform win32;
    win32.Init();
    GlDevice device;
    // The viewer asks for 16 bits per pixel; the mode keeps the desktop's.
    EXPECT_TRUE(device.SetDisplayMode(current.width, current.height, 16));
    EXPECT_EQ(Win32DisplayModes::CurrentMode().bitsPerPixel, current.bitsPerPixel);
    device.RestoreDisplayMode();
    win32.Shutdown();
}

} // namespace
