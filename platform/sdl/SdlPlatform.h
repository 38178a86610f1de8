/// @file
/// The SDL2 backend: starts SDL video, makes GL windows, and registers the engine's
/// platform services (GL binding, display modes, message box; libraries and text keep
/// the engine's own).
///
///     SdlPlatform sdl;
///     if (!sdl.Init()) return 0;                 // SDL_VIDEODRIVER chooses x11, wayland, offscreen
///     SDL_Window* w = sdl.CreateWindow("Orvex", 0, 0, 1024, 768, SDL_WINDOW_BORDERLESS);
///     sdl.SetFullscreenWindow(w);                // display-mode changes apply to it
///     GlDevice device; device.Create(w); ...
#pragma once

#include "orvex/platform/MessageBox.h"
#include "orvex/platform/Platform.h"
#include "orvex/sdl/SdlDisplayModes.h"
#include "orvex/sdl/SdlGlBinding.h"

#include <SDL.h>

/// SDL_ShowSimpleMessageBox on a real display; one line on stderr without one (offscreen,
/// dummy), where a modal box would wait for ever.
class SdlMessageBox final : public MessageBox {
public:
    /// Shows the box, or writes "caption: text" on stderr.
    void Show(const char* caption, const char* text) override;
};

/// The SDL2 backend of a program: SDL video, its windows and the engine's platform services
/// (see the file's description). One per program, made before the GlDevice and gone after it.
class SdlPlatform {
public:
    SdlPlatform() = default;
    ~SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    /// Starts SDL video (`videoDriver` overrides SDL_VIDEODRIVER when given) and registers
    /// the services with SetPlatform. False when SDL video cannot start.
    bool Init(const char* videoDriver = nullptr);
    /// Unregisters the services and stops SDL video; safe any number of times.
    void Shutdown();

    /// A window GL can draw into, in the engine's pixel format. Null on failure.
    SDL_Window* CreateWindow(const char* title, int x, int y, int width, int height, Uint32 flags = 0);
    /// Destroys a window CreateWindow made; null is ignored.
    void DestroyWindow(SDL_Window* window);
    /// The window display-mode changes apply to (the viewer's full-screen window).
    void SetFullscreenWindow(SDL_Window* window) { display.SetFullscreenWindow(window); }

    /// The services Init registered.
    const Platform& Services() const { return services; }
    /// The GL binding of the windows; owned by the platform.
    SdlGlBinding& Binding() { return binding; }

private:
    SdlGlBinding binding;
    SdlDisplayModes display;
    SdlMessageBox messages;
    Platform services{};
    bool started = false;
};
