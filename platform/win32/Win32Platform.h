// The Win32 backend: registers the engine's platform services (GL binding, display modes,
// message box; libraries and text are the system's own, LoadLibraryA and GDI).
//
//     Win32Platform win32;
//     win32.Init();
//     HWND w = CreateWindowExA(...);
//     GlDevice device; device.Create(w); ...
#pragma once

#include "orvex/platform/Platform.h"
#include "orvex/win32/Win32DisplayModes.h"
#include "orvex/win32/Win32GlBinding.h"
#include "orvex/win32/Win32MessageBox.h"

class Win32Platform {
public:
    Win32Platform() = default;
    ~Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // Registers the services with SetPlatform.
    void Init();
    // Withdraws its own registration; safe any number of times.
    void Shutdown();

    const Platform& Services() const { return services; }
    Win32GlBinding& Binding() { return binding; }
    Win32DisplayModes& Display() { return display; }

private:
    Win32GlBinding binding;
    Win32DisplayModes display;
    Win32MessageBox messages;
    Platform services{};
    bool started = false;
};
