// The viewer's window on SDL's offscreen driver (EGL pbuffer, Mesa llvmpipe): real GL
// without a display, with the display modes recorded on their way to SDL.
#pragma once

#include "SdlMainWindow.h"
#include "ViewerFakes.h"
#include "WindowProcedure.h"

#include "orvex/render/GlDriver.h"
#include "orvex/sdl/SdlHeadlessSurface.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

// Forwards to the registered display modes and notes every request.
struct RecordingDisplay final : DisplayModes {
    DisplayModes* real = nullptr;
    bool refuse = false;
    std::vector<std::string> log;

    int ScreenBitsPerPixel() override { return real ? real->ScreenBitsPerPixel() : 0; }
    bool ChangeMode(int width, int height, int bits) override
    {
        log.push_back("change " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits));
        return !refuse && real && real->ChangeMode(width, height, bits);
    }
    void RestoreMode() override
    {
        log.push_back("restore");
        if (real)
            real->RestoreMode();
    }
};

using Rgb = std::array<int, 3>;

// The colour buffer, top row first.
inline std::vector<Rgb> ReadScreen(int width, int height)
{
    using ReadPixelsFn = void (*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);
    auto readPixels = reinterpret_cast<ReadPixelsFn>(SDL_GL_GetProcAddress("glReadPixels"));
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    if (readPixels)
        readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<Rgb> rows(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(height - 1 - y) * width + x) * 4];
            rows[static_cast<std::size_t>(y) * width + x] = {p[0], p[1], p[2]};
        }
    return rows;
}

// Pixels of the band whose colour is text of `color` added to the 0.2 grey clear colour.
inline int CountTextPixels(const std::vector<Rgb>& screen, int width, int y0, int y1, Rgb color)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < 300; ++x) {
            const Rgb& p = screen[static_cast<std::size_t>(y) * width + x];
            bool match = true;
            for (int c = 0; c < 3; ++c)
                match = match && (color[c] ? p[c] >= 200 : p[c] <= 60);
            count += match;
        }
    return count;
}

// A window like the viewer's on the offscreen driver, with the display modes recorded.
class OffscreenViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SdlHeadlessSurface::StartVideo());
        ResetDriverState();
        ASSERT_TRUE(window.Create(sdl, 1024, 768));
        Platform services = GetPlatform();
        display.real = services.display;
        services.display = &display;
        SetPlatform(services);
        input.x = 123;
        input.y = 45;
    }
    void TearDown() override
    {
        window.Destroy();
        sdl.Shutdown();
    }

    SdlPlatform sdl;
    SdlMainWindow window;
    RecordingDisplay display;
    FakeInput input;
};
