/// @file
/// The rendering device of a window: display mode, driver, the window's GL surface and
/// context, the engine's default GL state and the per-frame operations.
#pragma once

#include "orvex/foundation/NamedObject.h"
#include "orvex/platform/Window.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/GlDriver.h"

/// The perspective of SetPerspective: 45-degree vertical field of view, near 1, far 5000.
/// @{
inline constexpr double kPerspectiveFieldOfView = 45.0;
inline constexpr double kPerspectiveNear = 1.0;
inline constexpr double kPerspectiveFar = 5000.0;
/// @}

/// The factor SetPerspective widens the horizontal extent by: the larger side over the smaller,
/// so the wider extent is always the horizontal one (a zero side counts as one pixel).
double PerspectiveAspect(int width, int height);

/// The rendering device of a window (see the file's description). Create it before loading
/// anything that makes GL objects (fonts, scenes with textures), and delete it last.
class GlDevice : public NamedObject {
public:
    GlDevice() = default;
    ~GlDevice() override;

    /// Releases the context, the surface and the driver library; safe any number of times,
    /// and when Create never ran.
    void Destroy() override;

    /// Loads the driver, takes the window's surface and makes a context current on it.
    bool Create(WindowHandle window);
    /// Switches the display to width x height; the desktop's colour depth is kept whatever
    /// bitsPerPixel asks.
    bool SetDisplayMode(int width, int height, int bitsPerPixel);
    /// Gives the display back the mode it had before SetDisplayMode.
    void RestoreDisplayMode();
    /// The engine's fixed GL state: depth test, back faces culled (clockwise fronts), one light,
    /// colour material for the front diffuse, texturing on, smooth shading, a dark grey clear colour.
    void SetDefaultState();
    /// The part of the window drawn into, in pixels from the bottom-left corner.
    void SetViewport(int x, int y, int width, int height);
    /// Clears colour and depth and pushes the current (modelview) matrix.
    void BeginFrame();
    /// 45-degree perspective, near 1, far 5000, the wider extent horizontal; identity modelview.
    void SetPerspective(int width, int height);
    /// Pixels from the top-left corner, y downwards; identity modelview.
    void SetOrtho(int width, int height);
    /// Pops the matrix, finishes and swaps.
    void EndFrame();
    /// The name of the loaded driver kind ("Default OpenGL Driver", ...), as GetDriverName(int).
    const char* GetDriverName();

protected:
    /// The window Create was given; not owned.
    WindowHandle window = nullptr;
    /// The driver kind Create loads.
    GlDriverKind driverKind = DriverDefault;
    /// The rendering context made by Create; owned.
    GlContextHandle renderingContext = nullptr;
    /// The window's drawing surface, taken by Create and released by Destroy.
    GlSurfaceHandle deviceContext = nullptr;
};
