/// @file
/// The screen's display mode: its colour depth, a full-screen mode change and the way back.
#pragma once

/// Display-mode changes, implemented by a backend.
class DisplayModes {
public:
    virtual ~DisplayModes() = default;

    /// Bits per pixel of the desktop (32 for an X8R8G8B8 desktop).
    virtual int ScreenBitsPerPixel() = 0;
    /// Switches to width x height at bitsPerPixel, not remembered beyond the run.
    /// True only when the switch succeeded; otherwise the mode stays as it was.
    virtual bool ChangeMode(int width, int height, int bitsPerPixel) = 0;
    /// Back to the desktop's own mode.
    virtual void RestoreMode() = 0;
};
