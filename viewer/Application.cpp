#include "Application.h"

#include "FrameProfile.h"
#include "WindowProcedure.h"

#include "orvex/foundation/Timer.h"
#include "orvex/platform/Platform.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/GlDriver.h"

#include <cstdarg>
#include <cstdio>
#include <new>

GlDevice* viewerDevice = nullptr;
BitmapFont* viewerFont = nullptr;
FrameStatistics frameStatistics;

void FormatFramesPerSecond(char* text, std::size_t size, float framesPerSecond)
{
    std::snprintf(text, size, "FPS: %03d", static_cast<int>(framesPerSecond));
}

Application::~Application()
{
    Application::Shutdown();
}

bool Application::Fail(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(failure, sizeof failure, format, args);
    va_end(args);
    return false;
}

bool Application::Init(int w, int h, int bitsPerPixel)
{
    failure[0] = '\0';

    viewerDevice = new (std::nothrow) GlDevice;
    if (viewerDevice == nullptr)
        return Fail("cannot create the rendering device");
    if (fullScreen && !viewerDevice->SetDisplayMode(w, h, bitsPerPixel)) {
        DisplayModes* display = PlatformDisplay();
        return Fail("cannot switch the display to %dx%d at %d bits per pixel", w, h,
                    display ? display->ScreenBitsPerPixel() : 0);
    }
    if (!viewerDevice->Create(mainWindow)) {
        // The library the driver loader tried last: after a fall-back, not the system's.
        const char* library = GetDriverLibraryName();
        return Fail("cannot set up OpenGL on the window (driver \"%s\")", library ? library : kSystemGlLibrary);
    }
    viewerDevice->SetDefaultState();
    viewerDevice->SetViewport(0, 0, w, h);

    viewerFont = new (std::nothrow) BitmapFont;
    if (viewerFont == nullptr)
        return Fail("cannot create the overlay font");
    if (!viewerFont->Create(kOverlayFace, kOverlayHeight))
        return Fail("cannot create the font \"%s\" %d", kOverlayFace, kOverlayHeight);

    width = w;
    height = h;

    camera = new (std::nothrow) Camera;
    if (camera == nullptr)
        return Fail("cannot create the camera");
    camera->positionZ = 10.0f;

    // The first frame measures the mouse from where it is now, not from a made-up origin.
    if (input != nullptr) {
        int x = 0, y = 0;
        input->CursorPosition(&x, &y);
        lastCursorX = x;
        lastCursorY = y;
    }

    Timer(TimerStart);
    return true;
}

void Application::Shutdown()
{
    Timer(TimerStop);
    if (camera != nullptr) {
        delete camera;
        camera = nullptr;
    }
    if (viewerFont != nullptr) {
        delete viewerFont;
        viewerFont = nullptr;
    }
    if (viewerDevice != nullptr) {
        if (fullScreen)
            viewerDevice->RestoreDisplayMode();
        delete viewerDevice;
        viewerDevice = nullptr;
    }
}

void Application::Update()
{
    HandleInput();
}

void Application::HandleInput()
{
    if (input != nullptr && camera != nullptr) {
        int cx = 0, cy = 0;
        input->CursorPosition(&cx, &cy);
        // The motion since the previous frame, negated; y grows downwards.
        const float dx = static_cast<float>(lastCursorX - cx);
        const float dy = static_cast<float>(lastCursorY - cy);

        if (input->LeftButton()) {
            if (input->LeftShift()) {
                camera->angleZ -= dx;
            } else {
                camera->angleX -= dy;
                camera->angleY -= dx;
            }
        }
        if (input->RightButton()) {
            if (input->LeftShift()) {
                // Horizontal motion zooms ten times faster than vertical.
                camera->positionZ -= dy / 50.0f;
                camera->positionZ -= dx / 5.0f;
            } else {
                camera->positionX -= dx / 50.0f;
                camera->positionY -= dy / 50.0f;
            }
        }
        lastCursorX = cx;
        lastCursorY = cy;
    }
    CountFrame();
}

void Application::CountFrame()
{
    const float now = Timer(TimerAbsolute);
    ++frameStatistics.frameCount;
    const float elapsed = now - frameStatistics.lastRateTime;
    if (elapsed > 1.0f) {
        framesPerSecond = static_cast<float>(static_cast<std::uint32_t>(frameStatistics.frameCount)) / elapsed;
        frameStatistics.lastRateTime = now;
        frameStatistics.frameCount = 0;
    }
}

void Application::Resize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (viewerDevice != nullptr)
        viewerDevice->SetViewport(0, 0, newWidth, newHeight);
}

void Application::Render()
{
    viewerDevice->BeginFrame();
    viewerDevice->SetPerspective(width, height);
    camera->Apply();
}

void Application::Present()
{
    viewerDevice->SetOrtho(width, height);
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

    char text[80];
    const char* driverName = viewerDevice->GetDriverName();
    std::snprintf(text, sizeof text, "%s", driverName ? driverName : "");
    viewerFont->SetColor(kDriverNameColor);
    viewerFont->DrawString(0, 0, text);

    FormatFramesPerSecond(text, sizeof text, framesPerSecond);
    viewerFont->SetColor(kFpsColor);
    viewerFont->DrawString(0, 16, text);

    gl.glDisable(GL_BLEND);

    ProfileScope scope(ProfileEndFrame);
    viewerDevice->EndFrame();
}
