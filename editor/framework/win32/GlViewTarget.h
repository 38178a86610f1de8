#pragma once
// The window a view's OpenGL draws into on Win32. On Windows that is the view's own child
// window. Under Wine it is a hidden top-level window of the view's size, and each finished
// frame is copied into the view (see GlViewTarget.cpp for why).
#include "framework/win32/Win32Headers.h"

#include <cstdint>
#include <vector>

namespace fw::win32 {

// Whether the program runs on Wine rather than on Windows (ntdll exports wine_get_version).
bool RunningUnderWine();

class GlViewTarget {
public:
    GlViewTarget() = default;
    ~GlViewTarget();
    GlViewTarget(const GlViewTarget&) = delete;
    GlViewTarget& operator=(const GlViewTarget&) = delete;

    // Chooses the window for view; copyFrames forces (true) or forbids (false) the copying
    // target, which by default is taken under Wine only. False when the hidden window cannot be
    // made.
    bool Create(HWND view, bool copyFrames = RunningUnderWine());
    void Destroy();

    // What the view's GlDevice is created on and made current with.
    HWND Window() const { return m_hidden != nullptr ? m_hidden : m_view; }
    bool CopiesFrames() const { return m_hidden != nullptr; }

    // The hidden window follows the view's client size.
    void Resize(int width, int height);
    // Copies the current context's finished back buffer (width x height from the lower left)
    // into the view. Call after the frame's last drawing, before the swap; nothing without a
    // hidden window.
    void CopyFrame(int width, int height);
    // Draws the last copied frame again (the view's paint message).
    void Repaint(HDC viewDc) const;

private:
    HWND m_view = nullptr;
    HWND m_hidden = nullptr;
    int m_width = 0; // the hidden window's size
    int m_height = 0;
    int m_frameWidth = 0; // the last frame's size
    int m_frameHeight = 0;
    std::vector<uint8_t> m_bgra; // the last frame, top row first
};

} // namespace fw::win32
