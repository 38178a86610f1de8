// A GL window without a display for tests and tools: SDL's offscreen video driver (EGL
// pbuffer; Mesa llvmpipe), a hidden window of the given size and a created GlDevice with
// the default state and a full-window viewport, its context current.
//
//     HeadlessSurface surface(64, 64);
//     ASSERT_TRUE(surface.Ready());
//     surface.Device().BeginFrame(); ...; surface.Device().EndFrame();
//     auto rgba = surface.ReadPixels();          // top row first
#pragma once

#include "SdlPlatform.h"
#include "render/GlDevice.h"

#include <array>
#include <cstdint>
#include <vector>

class HeadlessSurface {
public:
    HeadlessSurface(int width, int height);
    // Destroys the device (the caller deletes its fonts and textures first), the window
    // and SDL video.
    ~HeadlessSurface();
    HeadlessSurface(const HeadlessSurface&) = delete;
    HeadlessSurface& operator=(const HeadlessSurface&) = delete;

    // Starts SDL's offscreen video for the rest of the process (once; later calls only
    // report). Keeping it up keeps EGL and Mesa loaded between surfaces: reloading them
    // costs time, and leak reports can only name libraries that are still loaded.
    static bool StartVideo();

    bool Ready() const { return ready; }
    GlDevice& Device() { return device; }
    SDL_Window* Window() const { return window; }
    SdlPlatform& Platform() { return sdl; }
    int Width() const { return width; }
    int Height() const { return height; }

    // The colour buffer after glFinish, RGBA bytes, the top row first; empty when not ready.
    std::vector<std::uint8_t> ReadPixels() const;
    // One pixel, (0, 0) the top-left; zeros outside.
    std::array<std::uint8_t, 4> Pixel(int x, int y) const;

private:
    SdlPlatform sdl;
    SDL_Window* window = nullptr;
    GlDevice device;
    int width;
    int height;
    bool ready = false;
};
