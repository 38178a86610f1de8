/// @file
/// GL on SDL windows. A window's surface is its SDL_Window; the screen's surface (a null
/// window) answers pixel-format questions. Every window has one pixel format, the one
/// SdlPlatform created it with (RGBA 8-8-8, depth 24, stencil 8, double-buffered where the
/// video driver has a back buffer); it is generic (software) when GL_RENDERER of a probe
/// context names a software rasteriser.
#pragma once

#include "orvex/platform/GlBinding.h"

#include <SDL.h>

#include <set>
#include <string>

/// The GlBinding of SDL windows (see the file's description).
class SdlGlBinding final : public GlBinding {
public:
    GlSurfaceHandle GetSurface(WindowHandle window) override;
    void ReleaseSurface(WindowHandle window, GlSurfaceHandle surface) override;
    int ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request) override;
    int DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out) override;
    int GetPixelFormat(GlSurfaceHandle surface) override;
    bool SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor& descriptor) override;
    GlContextHandle CreateContext(GlSurfaceHandle surface) override;
    bool DeleteContext(GlContextHandle context) override;
    bool MakeCurrent(GlSurfaceHandle surface, GlContextHandle context) override;
    GlContextHandle CurrentContext() override;
    GlSurfaceHandle CurrentSurface() override;
    GlProc GetProcAddress(const char* name) override;
    bool SwapBuffers(GlSurfaceHandle surface) override;
    const char* Extensions() override;
    bool SetSwapInterval(int interval) override;
    int GetSwapInterval() override;

    /// Sets the GL attributes every window and context is made with; before creating windows.
    static void SetWindowAttributes();
    /// GL_RENDERER of a throw-away context; empty when none can be made.
    static std::string ProbeRenderer();

    /// Forgets the windows whose pixel format was set (the window is going away).
    void Forget(SDL_Window* window) { formatSet.erase(window); }

private:
    SDL_Window* WindowOf(GlSurfaceHandle surface) const;

    std::set<SDL_Window*> formatSet;
    SoftwareRendererProbe softwareProbe;
};
