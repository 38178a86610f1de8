// The headless surface on Win32: a hidden window of the surface's size with its pixel format set
// and the system's OPENGL32.DLL through WGL. Drawing goes to the back buffer, which ReadPixels
// reads before EndFrame swaps it.
#pragma once

#include "orvex/render/HeadlessSurface.h"
#include "orvex/win32/Win32Platform.h"

#include "orvex/win32/Win32.h"

class Win32HeadlessSurface : public HeadlessSurface {
public:
    Win32HeadlessSurface(int width, int height);
    // Destroys the device (the caller deletes its fonts and textures first) and the window.
    ~Win32HeadlessSurface() override;

    HWND Window() const { return window; }
    Win32Platform& Platform() { return win32; }

    std::vector<std::uint8_t> ReadPixels() const override;

private:
    Win32Platform win32;
    HWND window = nullptr;
};
