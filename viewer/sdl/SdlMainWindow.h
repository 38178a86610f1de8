// The viewer's one window: borderless, always on top, at the screen's top-left corner (or,
// when not full screen, an ordinary window in the middle), no cursor over it, keys never
// turned into text. Its handle is the program-wide mainWindow;
// display-mode changes apply to it (it becomes the full-screen window of the mode).
#pragma once

#include "orvex/sdl/SdlPlatform.h"

inline constexpr const char* kMainWindowTitle = "OpenGL 1.1 Example";

class SdlMainWindow {
public:
    SdlMainWindow() = default;
    // Runs Destroy.
    virtual ~SdlMainWindow();
    SdlMainWindow(const SdlMainWindow&) = delete;
    SdlMainWindow& operator=(const SdlMainWindow&) = delete;

    // Destroys the window if there is one and clears the handle; safe any number of times.
    virtual void Destroy();
    // Starts SDL video on the platform, creates the window at (0, 0) with the given size,
    // shows it and gives it the input focus. False when video or the window fails. Not
    // `fullScreen`: an ordinary window with a frame, centred, that display-mode changes leave
    // alone.
    virtual bool Create(SdlPlatform& platform, int width, int height, bool fullScreen = true);

private:
    SdlPlatform* platform = nullptr;
};
