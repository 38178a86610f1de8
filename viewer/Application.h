// The viewer's application object: what every frame needs (rendering device, overlay
// font, camera), the mouse control of the camera, the frame-rate measurement and the
// text overlay. TestApplication adds the scene and its animation.
#pragma once

#include "InputState.h"

#include "orvex/foundation/FileRefusal.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/Camera.h"
#include "orvex/render/GlDevice.h"

#include <cstddef>
#include <cstdint>

// Made by Application::Init, released by Application::Shutdown.
extern GlDevice* viewerDevice;
extern BitmapFont* viewerFont;

// Frame statistics for the whole run; never reset while the program runs.
struct FrameStatistics {
    std::int32_t frameCount = 0; // frames since the last rate update
    float lastRateTime = 0.0f;   // Timer absolute time of the last rate update, seconds
    float lastUpdateTime = 0.0f; // Timer absolute time of the previous scene update, seconds
};
extern FrameStatistics frameStatistics;

// The overlay's face and height.
inline constexpr const char* kOverlayFace = "Comic Sans MS";
inline constexpr int kOverlayHeight = 16;

// GDI-style colours (0x00BBGGRR); the font shows red and blue exchanged.
inline constexpr std::uint32_t kDriverNameColor = 0x00FFFF; // shows cyan
inline constexpr std::uint32_t kFpsColor = 0xFFFF00;        // shows yellow

// "FPS: %03d" of the rate truncated toward zero.
void FormatFramesPerSecond(char* text, std::size_t size, float framesPerSecond);

class Application {
public:
    Application() = default;
    // Runs the base Shutdown (not an override).
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Device on the program's window, display mode, default state, viewport, font, camera,
    // timer. Stops at the first failure, leaving what was made for Shutdown; GetFailure
    // then says what failed.
    virtual bool Init(int width, int height, int bitsPerPixel);
    // Releases what Init made and restores the display; safe any number of times.
    virtual void Shutdown();
    // Mouse to camera, then frame counting.
    virtual void Update();
    // Clear, perspective projection, camera.
    virtual void Render();
    // Driver name and frame rate over the picture, then the end of the frame.
    virtual void Present();

    void HandleInput();
    void CountFrame();
    // The window has a new size: projections and the viewport follow it from the next frame.
    void Resize(int newWidth, int newHeight);
    // The driver information page, drawn into the current frame; for callers that draw it
    // between SetOrtho and EndFrame.
    void DrawDriverInfo();

    // False: Init leaves the display mode as it is (the viewer plays in an ordinary window)
    // and Shutdown has nothing to restore. Called before Init; true by default.
    void SetFullScreen(bool on) { fullScreen = on; }

    // Where HandleInput reads the mouse and keyboard; not owned. Without one the camera
    // stays where it is.
    void SetInput(InputState* source) { input = source; }
    // What the last failed Init could not do, one line without a newline; "" otherwise.
    const char* GetFailure() const { return failure; }

    Camera* GetCamera() const { return camera; }
    float GetFramesPerSecond() const { return framesPerSecond; }
    std::int32_t GetWidth() const { return width; }
    std::int32_t GetHeight() const { return height; }

protected:
    // Records why Init fails (printf-style) and returns false.
    bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));

    std::int32_t lastCursorX = 0;
    std::int32_t lastCursorY = 0;
    Camera* camera = nullptr;
    float framesPerSecond = 0.0f;
    std::int32_t width = 0;
    std::int32_t height = 0;

private:
    InputState* input = nullptr;
    bool fullScreen = true;
    // Room for the two files' paths, as the command line names them, and a loader's reason,
    // which names the records at fault.
    char failure[FileRefusal::kTextSize + 1024] = "";
};
