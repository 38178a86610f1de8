#include "HeadlessSurface.h"

#include "render/FrameReadBack.h"

bool HeadlessSurface::StartVideo()
{
    // The offscreen driver only, whatever display the environment has. The reference taken
    // here is never given back.
    static const bool started = [] {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        // SDL unloads EGL with its last GL window unless the library is held like this.
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    }();
    return started;
}

HeadlessSurface::HeadlessSurface(int w, int h) : width(w), height(h)
{
    if (w <= 0 || h <= 0)
        return;
    if (!StartVideo() || !sdl.Init("offscreen"))
        return;
    window = sdl.CreateWindow("headless", 0, 0, w, h, SDL_WINDOW_HIDDEN);
    if (window == nullptr || !device.Create(window))
        return;
    device.SetDefaultState();
    device.SetViewport(0, 0, w, h);
    ready = true;
}

HeadlessSurface::~HeadlessSurface()
{
    device.Destroy();
    sdl.DestroyWindow(window);
    sdl.Shutdown();
}

std::vector<std::uint8_t> HeadlessSurface::ReadPixels() const
{
    if (!ready)
        return {};
    return ReadTopDownRgba(gl, reinterpret_cast<ReadPixelsFunction>(SDL_GL_GetProcAddress("glReadPixels")),
                           reinterpret_cast<PixelStoreFunction>(SDL_GL_GetProcAddress("glPixelStorei")), width, height);
}

std::array<std::uint8_t, 4> HeadlessSurface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    return RgbaPixelAt(ReadPixels(), width, height, x, y);
}
