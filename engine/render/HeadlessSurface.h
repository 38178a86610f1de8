/// @file
/// A GL surface that nobody sees, for tools and tests: a created GlDevice with the default state
/// and a full-surface viewport, its context current, and the drawn frame read back. The windowing
/// backend a program links makes it (platform/sdl: SDL's offscreen video; platform/win32: a hidden
/// window through WGL), so code written against this class runs on either.
///
///     auto surface = MakeHeadlessSurface(64, 64);
///     ASSERT_TRUE(surface->Ready());
///     surface->Device().BeginFrame(); ...; auto rgba = surface->ReadPixels(); surface->Device().EndFrame();
#pragma once

#include "orvex/render/GlDevice.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

/// A GL surface nobody sees, with its device created (see the file's description).
class HeadlessSurface {
public:
    virtual ~HeadlessSurface() = default;
    HeadlessSurface(const HeadlessSurface&) = delete;
    HeadlessSurface& operator=(const HeadlessSurface&) = delete;

    /// True when the device was created, with its default state and viewport, and its context is current.
    bool Ready() const { return ready; }
    /// The surface's device, owned by the surface.
    GlDevice& Device() { return device; }
    /// @{
    /// The surface's size in pixels.
    int Width() const { return width; }
    int Height() const { return height; }
    /// @}

    /// The colour buffer after glFinish, RGBA bytes, the top row first; empty when not ready.
    /// Read it before EndFrame: a double-buffered surface swaps it away.
    virtual std::vector<std::uint8_t> ReadPixels() const = 0;
    /// One pixel, (0, 0) the top-left; zeros outside.
    std::array<std::uint8_t, 4> Pixel(int x, int y) const;

protected:
    /// For the backends: a surface of that size, not ready until their constructor makes it so.
    HeadlessSurface(int w, int h) : width(w), height(h) {}
    /// The backend's constructor sets it once the device has its state and viewport.
    bool ready = false;
    /// The device of the surface; the backend creates it on its hidden window.
    GlDevice device;

private:
    int width;
    int height;
};

/// Made by the windowing backend the program links; never null (a surface that could not be made
/// is not Ready).
std::unique_ptr<HeadlessSurface> MakeHeadlessSurface(int width, int height);
