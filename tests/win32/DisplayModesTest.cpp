// Display modes through EnumDisplaySettingsA and ChangeDisplaySettingsA: which listed mode
// a request picks, and the switch and restore on the system's display (Wine on the test
// script's 1024x768 Xvfb screen, where only the current mode can be switched to).
#include "orvex/render/GlDevice.h"
#include "orvex/win32/Win32DisplayModes.h"
#include "orvex/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Win32DisplayModes, PickPrefersTheDesktopRateAndNeedsAnExactMatch)
{
    const std::vector<DisplayModeInfo> modes = {
        {640, 480, 32, 60}, {1024, 768, 16, 75}, {1024, 768, 32, 85}, {1024, 768, 32, 60}, {1024, 768, 32, 75},
    };
    DisplayModeInfo picked;
    ASSERT_TRUE(PickDisplayMode(modes, 1024, 768, 32, 60, &picked));
    EXPECT_EQ(picked.frequency, 60);
    // The desktop's rate is not offered at this size: the first listed one.
    ASSERT_TRUE(PickDisplayMode(modes, 1024, 768, 32, 72, &picked));
    EXPECT_EQ(picked.frequency, 85);
    ASSERT_TRUE(PickDisplayMode(modes, 1024, 768, 16, 60, &picked));
    EXPECT_EQ(picked.bitsPerPixel, 16);
    EXPECT_EQ(picked.frequency, 75);
    // Size and depth must match.
    EXPECT_FALSE(PickDisplayMode(modes, 1024, 768, 24, 60, &picked));
    EXPECT_FALSE(PickDisplayMode(modes, 800, 600, 32, 60, &picked));
    EXPECT_FALSE(PickDisplayMode({}, 1024, 768, 32, 60, &picked));
    EXPECT_TRUE(PickDisplayMode(modes, 640, 480, 32, 60, nullptr));
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
