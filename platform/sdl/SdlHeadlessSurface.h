// The headless surface on SDL: the offscreen video driver (EGL pbuffer; Mesa llvmpipe) and a
// hidden window of the surface's size.
#pragma once

#include "orvex/render/HeadlessSurface.h"
#include "orvex/sdl/SdlPlatform.h"

class SdlHeadlessSurface : public HeadlessSurface {
public:
    SdlHeadlessSurface(int width, int height);
    // Destroys the device (the caller deletes its fonts and textures first), the window
    // and SDL video.
    ~SdlHeadlessSurface() override;

    // Starts SDL's offscreen video for the rest of the process (once; later calls only
    // report). Keeping it up keeps EGL and Mesa loaded between surfaces: reloading them
    // costs time, and leak reports can only name libraries that are still loaded.
    static bool StartVideo();

    SDL_Window* Window() const { return window; }
    SdlPlatform& Platform() { return sdl; }

    std::vector<std::uint8_t> ReadPixels() const override;

private:
    SdlPlatform sdl;
    SDL_Window* window = nullptr;
};
