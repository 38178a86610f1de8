/// @file
/// The window system's side of OpenGL: drawing surfaces of windows, their pixel formats,
/// rendering contexts, function lookup and buffer swaps.
///
/// A backend implements this for its windows (SDL_Window in the viewer and the tools,
/// QWindow + QOpenGLContext in the editor). The engine reaches it through the driver's
/// entry-point table (wgl* slots and the pixel-format slots), never directly.
///
/// Contexts must offer the fixed-function pipeline and a GL_EXTENSIONS string: ask the
/// window system for a compatibility context of OpenGL 2.1 or lower.
#pragma once

#include "orvex/platform/Window.h"
#include "orvex/render/GlApi.h"

#include <string>

/// The window system's side of OpenGL, implemented by a backend (see the file's description).
class GlBinding {
public:
    virtual ~GlBinding() = default;

    // --- surfaces ---
    /// The drawing surface of a window; a null window gives the screen's surface, which
    /// serves pixel-format queries only. Null when the window cannot be drawn with GL.
    virtual GlSurfaceHandle GetSurface(WindowHandle window) = 0;
    /// Gives back a surface GetSurface handed out for the window.
    virtual void ReleaseSurface(WindowHandle window, GlSurfaceHandle surface) = 0;

    // --- pixel formats (indices start at 1; 0 is failure) ---
    /// The closest format of the surface for the request.
    virtual int ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request) = 0;
    /// Writes at most `size` bytes of the description of format `index` and returns the
    /// number of formats, or 0 when the index or surface is unknown. The description
    /// carries PFD_GENERIC_FORMAT when the format renders in software and both
    /// PFD_GENERIC_FORMAT and PFD_GENERIC_ACCELERATED for generic hardware acceleration;
    /// neither for a hardware driver.
    virtual int DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out) = 0;
    /// The format set on the surface, 0 when none is.
    virtual int GetPixelFormat(GlSurfaceHandle surface) = 0;
    /// Sets format `index` on the surface; a surface takes one format for its life. False on failure.
    virtual bool SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor& descriptor) = 0;

    // --- contexts ---
    /// A new context for the surface; it does not become current. Null on failure.
    virtual GlContextHandle CreateContext(GlSurfaceHandle surface) = 0;
    /// Deletes a context (releasing it first when current); false when it is unknown.
    virtual bool DeleteContext(GlContextHandle context) = 0;
    /// Makes the context current on the surface; (null, null) releases the current one.
    virtual bool MakeCurrent(GlSurfaceHandle surface, GlContextHandle context) = 0;
    /// @{
    /// The current context and its surface, or null.
    virtual GlContextHandle CurrentContext() = 0;
    virtual GlSurfaceHandle CurrentSurface() = 0;
    /// @}
    /// A GL function, extension functions included, of the current context; null when missing.
    virtual GlProc GetProcAddress(const char* name) = 0;
    /// Shows the back buffer of a double-buffered surface; false when it cannot.
    virtual bool SwapBuffers(GlSurfaceHandle surface) = 0;

    // --- window-system extensions ---
    /// Space-separated names, as the WGL extensions they stand in for: "WGL_EXT_swap_control"
    /// when the swap interval can be set. Appended to the GL_EXTENSIONS string.
    virtual const char* Extensions() = 0;
    /// Vertical retraces to wait for per swap; false when the window system refuses.
    virtual bool SetSwapInterval(int interval) = 0;
    /// The swap interval in effect.
    virtual int GetSwapInterval() = 0;
};

/// The one pixel format a binding offers (index 1): double-buffered RGBA8 with a 24-bit
/// depth and 8-bit stencil buffer, marked generic when a software rasteriser serves it.
/// Writes at most `size` bytes of the description into `out` (which may be null).
void DescribeBindingFormat(bool software, unsigned size, PixelFormatDescriptor* out);

/// Whether a GL_RENDERER string names a software rasteriser (Mesa's llvmpipe, softpipe, swrast;
/// Google's SwiftShader, which browsers without a GPU draw WebGL with).
bool IsSoftwareRenderer(const std::string& renderer);

/// Whether the window system's GL renders in software, from the GL_RENDERER of a throw-away
/// context: 1 software, 0 hardware, -1 when no context could be made. A binding asks once and
/// again only when LIBGL_ALWAYS_SOFTWARE has changed since.
class SoftwareRendererProbe {
public:
    /// 1 software, 0 hardware, -1 unknown; probes with `probeRenderer` when not known yet.
    int Get(std::string (*probeRenderer)());

private:
    std::string probedFor = "\x01"; ///< the LIBGL_ALWAYS_SOFTWARE value of the last probe
    int probed = -1;
};
