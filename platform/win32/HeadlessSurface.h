// A GL surface without a visible window for tests and tools: a hidden Win32 window of the
// given size with its pixel format set and a created GlDevice (the system's OPENGL32.DLL
// through WGL) with the default state and a full-window viewport, its context current.
// Drawing goes to the back buffer, which ReadPixels reads before EndFrame swaps it.
//
//     HeadlessSurface surface(64, 64);
//     ASSERT_TRUE(surface.Ready());
//     surface.Device().BeginFrame(); ...; auto rgba = surface.ReadPixels(); surface.Device().EndFrame();
#pragma once

#include "Win32Platform.h"
#include "render/GlDevice.h"

#include "Win32.h"

#include <array>
#include <cstdint>
#include <vector>

class HeadlessSurface {
public:
    HeadlessSurface(int width, int height);
    // Destroys the device (the caller deletes its fonts and textures first) and the window.
    ~HeadlessSurface();
    HeadlessSurface(const HeadlessSurface&) = delete;
    HeadlessSurface& operator=(const HeadlessSurface&) = delete;

    // Nothing to start on Windows: windows and WGL are always there. True.
    static bool StartVideo() { return true; }

    bool Ready() const { return ready; }
    GlDevice& Device() { return device; }
    HWND Window() const { return window; }
    Win32Platform& Platform() { return win32; }
    int Width() const { return width; }
    int Height() const { return height; }

    // The colour buffer after glFinish, RGBA bytes, the top row first; empty when not ready.
    std::vector<std::uint8_t> ReadPixels() const;
    // One pixel, (0, 0) the top-left; zeros outside.
    std::array<std::uint8_t, 4> Pixel(int x, int y) const;

private:
    Win32Platform win32;
    HWND window = nullptr;
    GlDevice device;
    int width;
    int height;
    bool ready = false;
};
