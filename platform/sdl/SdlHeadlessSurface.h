/// @file
/// The headless surface on SDL: the offscreen video driver (EGL pbuffer; Mesa llvmpipe) and a
/// hidden window of the surface's size.
#pragma once

#include "orvex/render/HeadlessSurface.h"
#include "orvex/sdl/SdlPlatform.h"

/// The HeadlessSurface of SDL's offscreen video (see the file's description).
class SdlHeadlessSurface : public HeadlessSurface {
public:
    /// Starts the offscreen video, makes the hidden window and creates the device on it; check Ready.
    SdlHeadlessSurface(int width, int height);
    /// Destroys the device (the caller deletes its fonts and textures first), the window
    /// and SDL video.
    ~SdlHeadlessSurface() override;

    /// Starts SDL's offscreen video for the rest of the process (once; later calls only
    /// report). Keeping it up keeps EGL and Mesa loaded between surfaces: reloading them
    /// costs time, and leak reports can only name libraries that are still loaded.
    static bool StartVideo();

    /// The hidden window; owned by the surface.
    SDL_Window* Window() const { return window; }
    /// The SDL platform the surface registered; owned by the surface.
    SdlPlatform& Platform() { return sdl; }

    std::vector<std::uint8_t> ReadPixels() const override;

private:
    SdlPlatform sdl;
    SDL_Window* window = nullptr;
};
