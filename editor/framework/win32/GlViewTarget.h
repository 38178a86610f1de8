#pragma once
// The window a view's OpenGL draws into on Win32. On Windows that is the view's own GL window.
// Under Wine it is a hidden top-level window of the same size, and each finished frame is copied
// into the view's window (see GlViewTarget.cpp for why).
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

    // Chooses the window GL draws into for window (a child window that shows the frames);
    // copyFrames forces (true) or forbids (false) the copying target, which by default is taken
    // under Wine only. False when the hidden window cannot be made.
    bool Create(HWND window, bool copyFrames = RunningUnderWine());
    void Destroy();

    // What the view's GlDevice is created on and made current with.
    HWND Window() const { return m_hidden != nullptr ? m_hidden : m_window; }
    bool CopiesFrames() const { return m_hidden != nullptr; }

    // The hidden window follows the shown window's client size.
    void Resize(int width, int height);
    // Copies the current context's finished back buffer into the shown window. Runs by itself
    // before each swap of the hidden window once WatchSwaps has been called; nothing without a
    // hidden window.
    void CopyFrame();
    // Draws the last copied frame again (the shown window's paint message).
    void Repaint(HDC dc) const;
    // Has every swap of the hidden window's surface copy the frame first. Call once the
    // driver is loaded (its swap entry point is known); again after the driver was reloaded.
    void WatchSwaps();
    // Frames copied so far.
    uint64_t CopiedFrames() const { return m_copied; }

private:
    HWND m_window = nullptr;
    HWND m_hidden = nullptr;
    HDC m_hiddenDc = nullptr;
    int m_width = 0; // the hidden window's size
    int m_height = 0;
    int m_frameWidth = 0; // the last frame's size
    int m_frameHeight = 0;
    std::vector<uint8_t> m_bgra; // the last frame, top row first
    uint64_t m_copied = 0;
};

} // namespace fw::win32
