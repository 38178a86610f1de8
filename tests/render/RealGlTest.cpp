// The rendering platform on real GL without a display: SDL's offscreen driver (EGL
// pbuffer, Mesa llvmpipe on machines without a GPU), or a hidden WGL window on Windows.
// Each test makes its own surface.
#include "orvex/render/HeadlessSurface.h"
#ifndef _WIN32
#include "orvex/sdl/SdlGlBinding.h"
#include "orvex/sdl/SdlHeadlessSurface.h"
#endif
#include "orvex/render/BitmapFont.h"
#include "orvex/render/Camera.h"
#include "orvex/render/GlDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Fills the pixel rectangle in the current (ortho) projection with a flat colour.
void Fill(float x0, float y0, float x1, float y1, float r, float g, float b)
{
    gl.glDisable(GL_LIGHTING);
    gl.glDisable(GL_TEXTURE_2D);
    gl.glColor3f(r, g, b);
    gl.glBegin(GL_QUADS); // clockwise on screen: the front face of the default state
    gl.glVertex2f(x0, y0);
    gl.glVertex2f(x1, y0);
    gl.glVertex2f(x1, y1);
    gl.glVertex2f(x0, y1);
    gl.glEnd();
}

using Rgba = std::array<std::uint8_t, 4>;

// The Windows build's driver choice has tests of its own (tests/win32).
#ifndef _WIN32
std::string Renderer()
{
    const GLubyte* text = gl.glGetString ? gl.glGetString(GL_RENDERER) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

TEST(RealGl, DriverKindAndNameOnThisMachine)
{
    // What the machine offers, asked before the driver is loaded.
    ASSERT_TRUE(SdlHeadlessSurface::StartVideo());
    const bool software = IsSoftwareRenderer(SdlGlBinding::ProbeRenderer());

    const auto surface = MakeHeadlessSurface(32, 32);
    ASSERT_TRUE(surface->Ready());
    if (software) {
        EXPECT_EQ(GetDriverKind(), DriverSgiSoftware);
        EXPECT_STREQ(surface->Device().GetDriverName(), "SGI Software OpenGL Driver");
        EXPECT_STREQ(std::getenv("LIBGL_ALWAYS_SOFTWARE"), "1");
        EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 0);
    } else {
        EXPECT_EQ(GetDriverKind(), DriverDefault);
        EXPECT_STREQ(surface->Device().GetDriverName(), "Default OpenGL Driver");
        EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 1);
    }
    EXPECT_EQ(IsSoftwareRenderer(Renderer()), software) << Renderer();

    // A compatibility context: an extension string, and the rows it holds detected.
    EXPECT_EQ(glCapabilities.hasMultitexture, 1);
    EXPECT_GE(glCapabilities.maxTextureUnits, 2);
    EXPECT_EQ(glCapabilities.hasCompiledVertexArray, 1);
    EXPECT_NE(gl.glLockArraysEXT, nullptr);
    EXPECT_GE(glCapabilities.maxTextureSize, 1024);
    // The binding offers swap control; the offscreen surface may refuse the interval.
    EXPECT_EQ(glCapabilities.hasSwapControl, 1);
    EXPECT_NE(gl.wglSwapIntervalEXT, nullptr);
}
#endif

TEST(RealGl, OrthoOriginIsTheTopLeftPixel)
{
    const int w = 48, h = 32;
    const auto surface = MakeHeadlessSurface(w, h);
    ASSERT_TRUE(surface->Ready());
    GlDevice& device = surface->Device();
    device.BeginFrame();
    device.SetOrtho(w, h);
    Fill(0, 0, 1, 1, 1, 0, 0);
    Fill(w - 1, h - 1, w, h, 0, 1, 0);
    const std::vector<std::uint8_t> rgba = surface->ReadPixels();
    device.EndFrame();
    auto at = [&](int x, int y) {
        const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 4;
        return Rgba{rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
    };
    EXPECT_EQ(at(0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(at(1, 0), (Rgba{51, 51, 51, 255})); // the clear colour 0.2
    EXPECT_EQ(at(0, 1), (Rgba{51, 51, 51, 255}));
    EXPECT_EQ(at(w - 1, h - 1), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(at(w - 2, h - 1), (Rgba{51, 51, 51, 255}));
}

TEST(RealGl, FontColoursShowWithRedAndBlueExchanged)
{
    const int w = 160, h = 32;
    const auto surface = MakeHeadlessSurface(w, h);
    ASSERT_TRUE(surface->Ready());
    BitmapFont font; // destroyed before the surface, while the context is current
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    GlDevice& device = surface->Device();
    device.BeginFrame();
    device.SetOrtho(w, h);
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    font.SetColor(0x00FFFF);
    font.DrawString(0, 0, "SGI Software");
    font.SetColor(0xFFFF00);
    font.DrawString(0, 16, "FPS: 060");
    gl.glDisable(GL_BLEND);
    const std::vector<std::uint8_t> rgba = surface->ReadPixels();
    device.EndFrame();

    // The text adds to the grey picture: cyan keeps red at the background's 51, yellow blue.
    Rgba top{}, bottom{};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 4;
            Rgba& band = y < 16 ? top : bottom;
            for (int c = 0; c < 3; ++c)
                band[c] = std::max(band[c], rgba[i + c]);
        }
    }
    EXPECT_EQ(top[0], 51);
    EXPECT_GT(top[1], 200);
    EXPECT_GT(top[2], 200);
    EXPECT_GT(bottom[0], 200);
    EXPECT_GT(bottom[1], 200);
    EXPECT_EQ(bottom[2], 51);
}

// Control characters are not layout: a tab, a line feed or a byte such as 0x01 is drawn as
// a glyph of the font in its own cell on the one line, and the text after it moves right.
TEST(RealGl, ControlCharactersDrawAsGlyphsOnTheOneLine)
{
    const int w = 200, h = 48;
    const auto surface = MakeHeadlessSurface(w, h);
    ASSERT_TRUE(surface->Ready());
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    GlDevice& device = surface->Device();
    // Ink of one string drawn white at (0, 0): how many pixels, the rightmost and lowest.
    struct Ink {
        int pixels = 0, right = -1, bottom = -1;
    };
    auto draw = [&](const char* text) {
        device.BeginFrame();
        device.SetOrtho(w, h);
        gl.glEnable(GL_BLEND);
        gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        font.SetColor(0xFFFFFF);
        font.DrawString(0, 0, text);
        gl.glDisable(GL_BLEND);
        const std::vector<std::uint8_t> rgba = surface->ReadPixels();
        device.EndFrame();
        Ink ink;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (rgba[(static_cast<std::size_t>(y) * w + x) * 4] > 51 + 64) {
                    ++ink.pixels;
                    ink.right = std::max(ink.right, x);
                    ink.bottom = std::max(ink.bottom, y);
                }
            }
        }
        return ink;
    };

    const Ink plain = draw("AB");
    ASSERT_GT(plain.pixels, 0);
    for (const char* text : {"A\tB", "A\nB", "A\rB",
                             "A\x01"
                             "B",
                             "A\x1B"
                             "B",
                             "A\x7F"
                             "B"}) {
        const Ink ink = draw(text);
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_GT(ink.right, plain.right) << "B moves right by the control character's cell";
        EXPECT_LT(ink.bottom, 16) << "no second line";
        EXPECT_GE(ink.pixels, plain.pixels);
    }
    // A byte the font has no glyph for shows the font's missing-glyph shape; the font's own
    // glyph for a carriage return is blank, but it takes its cell all the same.
    EXPECT_GT(draw("A\x01"
                   "B")
                  .pixels,
              plain.pixels + 10);
    EXPECT_GT(draw("\x01\x02\x03").pixels, 3 * 10) << "control characters alone still draw";
}

TEST(RealGl, FreshCameraIsAPureTranslation)
{
    const auto surface = MakeHeadlessSurface(16, 16);
    ASSERT_TRUE(surface->Ready());
    surface->Device().SetPerspective(16, 16);
    Camera camera;
    camera.Apply();
    GLfloat m[16];
    gl.glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const GLfloat expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], expected[i]) << i;

    // Turned 90 degrees about y, the x axis points away from the eye: (1, 0, 0) lands at
    // (0, 0, -1) before the translation.
    camera.angleY = 90;
    camera.Apply();
    gl.glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[0], 0, 1e-6);
    EXPECT_NEAR(m[1], 0, 1e-6);
    EXPECT_NEAR(m[2], -1, 1e-6);
    EXPECT_NEAR(m[14], -5, 1e-6);
}

TEST(RealGl, PerspectiveWidensTheHorizontalExtent)
{
    const auto surface = MakeHeadlessSurface(16, 16);
    ASSERT_TRUE(surface->Ready());
    // m[0] = near / right and m[5] = near / top, so m[5] / m[0] is the horizontal widening.
    auto widening = [&](int w, int h) {
        surface->Device().SetPerspective(w, h);
        gl.glMatrixMode(GL_PROJECTION);
        GLfloat m[16];
        gl.glGetFloatv(GL_PROJECTION_MATRIX, m);
        gl.glMatrixMode(GL_MODELVIEW);
        return static_cast<double>(m[5]) / m[0];
    };
    EXPECT_NEAR(widening(300, 600), 2.0, 1e-5); // tall: height / width
    EXPECT_NEAR(widening(600, 300), 2.0, 1e-5);
    EXPECT_NEAR(widening(400, 400), 1.0, 1e-6);
    // The vertical field of view stays 45 degrees.
    surface->Device().SetPerspective(300, 600);
    gl.glMatrixMode(GL_PROJECTION);
    GLfloat m[16];
    gl.glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[5], 1.0 / std::tan(45.0 * M_PI / 360.0), 1e-5);
}

TEST(RealGl, DeviceLifeCycle)
{
    const auto surface = MakeHeadlessSurface(16, 16);
    ASSERT_TRUE(surface->Ready());
    for (int frame = 0; frame < 3; ++frame) {
        surface->Device().BeginFrame();
        surface->Device().EndFrame();
    }
    EXPECT_EQ(gl.glGetError ? gl.glGetError() : 0u, static_cast<GLenum>(GL_INVALID_ENUM)); // the weight array
    surface->Device().Destroy();
    surface->Device().Destroy();
    // The display mode of the offscreen screen: its own size at its depth.
    GlDevice device;
    EXPECT_TRUE(device.SetDisplayMode(1024, 768, 16));
    device.RestoreDisplayMode();
    EXPECT_FALSE(device.SetDisplayMode(1000, 700, 16));
}

} // namespace
