// The smallest viewer: plays a scene and its animation in a window, with the viewer's mouse
// camera (left drag turns, right drag moves) and its two overlay lines. Escape quits.
//   orvex-player SCENE.mes ANIMATION.knx
#include <orvex/anim/KeyframeAnimation.h>
#include <orvex/foundation/Timer.h>
#include <orvex/render/BitmapFont.h>
#include <orvex/render/Camera.h>
#include <orvex/render/GlDevice.h>
#include <orvex/scene/MeshScene.h>
#include <orvex/sdl/SdlPlatform.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvex-player SCENE.mes ANIMATION.knx\n");
        return 2;
    }
    const int width = 800, height = 600;
    // The platform first: SDL video, and the engine's GL binding and display services.
    SdlPlatform sdl;
    SDL_Window* window = sdl.Init() ? sdl.CreateWindow("orvex-player", 0, 0, width, height) : nullptr;
    if (window == nullptr) {
        std::fprintf(stderr, "orvex-player: no window: %s\n", SDL_GetError());
        return 1;
    }
    // Then the device (driver, context, default state) and what needs its context: the font
    // and the scene's textures. They go in the opposite order, the device last.
    GlDevice device;
    BitmapFont font;
    KeyframeAnimation animation;
    MeshScene scene; // refers to the animation, so it goes first
    if (!device.Create(window) || !font.Create("Comic Sans MS", 16) || !scene.LoadInFolder(argv[1]) ||
        !animation.Load(argv[2]) || !scene.SetAnimation(&animation)) {
        std::fprintf(stderr, "orvex-player: cannot set up GL or load %s with %s\n", argv[1], argv[2]);
        return 1;
    }
    device.SetDefaultState();
    device.SetViewport(0, 0, width, height);
    Camera camera;
    camera.positionZ = 10.0f;

    int lastX = 0, lastY = 0, frames = 0, framesPerSecond = 0;
    float rateTime = 0.0f;
    SDL_GetMouseState(&lastX, &lastY);
    Timer(TimerReset);
    for (bool running = true; running;) {
        for (SDL_Event event; SDL_PollEvent(&event);)
            running &= event.type != SDL_QUIT && !(event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE);
        // The mouse moves the camera by its motion since the previous frame.
        int x = 0, y = 0;
        const Uint32 buttons = SDL_GetMouseState(&x, &y);
        if (buttons & SDL_BUTTON_LMASK) {
            camera.angleX += static_cast<float>(y - lastY);
            camera.angleY += static_cast<float>(x - lastX);
        }
        if (buttons & SDL_BUTTON_RMASK) {
            camera.positionX += static_cast<float>(x - lastX) / 50.0f;
            camera.positionY += static_cast<float>(y - lastY) / 50.0f;
        }
        lastX = x;
        lastY = y;

        const float elapsed = Timer(TimerSinceLast);
        animation.Advance(elapsed);
        scene.Update();
        ++frames;
        if ((rateTime += elapsed) > 1.0f) {
            framesPerSecond = static_cast<int>(frames / rateTime);
            frames = 0;
            rateTime = 0.0f;
        }

        device.BeginFrame();
        device.SetPerspective(width, height);
        camera.Apply();
        scene.Render();
        // The overlay in pixels, added over the picture: the driver's name and the frame rate.
        device.SetOrtho(width, height);
        gl.glEnable(GL_BLEND);
        gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        char text[32];
        std::snprintf(text, sizeof text, "FPS: %03d", framesPerSecond);
        font.DrawStringColored(0, 0, device.GetDriverName(), 0x00FFFF);
        font.DrawStringColored(0, 16, text, 0xFFFF00);
        gl.glDisable(GL_BLEND);
        device.EndFrame();
    }
    return 0;
}
