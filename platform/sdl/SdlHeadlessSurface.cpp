#include "orvex/sdl/SdlHeadlessSurface.h"

#include "orvex/render/FrameReadBack.h"

bool SdlHeadlessSurface::StartVideo()
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

SdlHeadlessSurface::SdlHeadlessSurface(int w, int h) : HeadlessSurface(w, h)
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

SdlHeadlessSurface::~SdlHeadlessSurface()
{
    device.Destroy();
    sdl.DestroyWindow(window);
    sdl.Shutdown();
}

std::vector<std::uint8_t> SdlHeadlessSurface::ReadPixels() const
{
    if (!ready)
        return {};
    return ReadTopDownRgba(gl, reinterpret_cast<ReadPixelsFunction>(SDL_GL_GetProcAddress("glReadPixels")),
                           reinterpret_cast<PixelStoreFunction>(SDL_GL_GetProcAddress("glPixelStorei")), Width(),
                           Height());
}

std::unique_ptr<HeadlessSurface> MakeHeadlessSurface(int width, int height)
{
    return std::make_unique<SdlHeadlessSurface>(width, height);
}
