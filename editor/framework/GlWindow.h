#pragma once
// The native window an OpenGL view draws into, and the toolkit's OpenGL binding for the engine.
// The window covers its view's client area; its size, mouse and wheel messages reach the view
// as the view's own (client pixels of the window, which are the view's). The engine's GlDevice
// takes Handle() as its window.
#include "framework/Types.h"

#include <functional>
#include <memory>
#include <string>

namespace fw {

class Wnd;

class GlWindow {
public:
    struct Impl;

    GlWindow();
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    // Makes the window inside view. False when the window system cannot make one.
    bool Create(Wnd* view);
    // What the engine's GlDevice::Create takes (its WindowHandle); null before Create.
    void* Handle() const;
    // Takes the context current now (the one GlDevice::Create made) as this window's.
    void AdoptCurrentContext();
    // Makes this window's context current again (another window may have taken it); false
    // without one.
    bool MakeCurrent();
    // Forgets the context (the device released it).
    void ReleaseContext();
    // The drawing area in pixels.
    Size GetSize() const;

    Impl* GetImpl() const { return m_impl.get(); }

private:
    std::unique_ptr<Impl> m_impl;
};

// Registers the toolkit's OpenGL binding with the engine, and messages as where the engine's
// message boxes ("ERROR") go, unless that binding is registered already. Views call it before
// they make their device.
void InstallEnginePlatform(std::function<void(const std::string& caption, const std::string& text)> messages);

} // namespace fw
