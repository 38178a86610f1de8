// The viewer from its window to its exit code, the same on every platform. A platform's
// entry point (viewer/sdl/SdlViewerMain.cpp, viewer/win32/Win32ViewerMain.cpp) supplies
// what differs: the window, the message queue, the input and how a failure is shown.
#pragma once

#include "InputState.h"
#include "MessageQueue.h"

#include <string>

class ViewerHost {
public:
    virtual ~ViewerHost() = default;

    // The main window at (0, 0) of the given size, shown and focused; its handle becomes the
    // program-wide mainWindow. Not `fullScreen`: an ordinary framed window whose client area
    // has that size, which display-mode changes leave alone. False when it cannot be made.
    virtual bool CreateMainWindow(int width, int height, bool fullScreen) = 0;
    // Destroys the main window; safe any number of times.
    virtual void DestroyMainWindow() = 0;
    // Why the last CreateMainWindow failed, as the window system says it.
    virtual std::string WindowError() = 0;
    virtual InputState& Input() = 0;
    // The queue of the main window's messages; asked for once the window exists.
    virtual MessageQueue& Queue() = 0;
    // Tells the user why the viewer cannot start: `reason` is one line without "Orvex: ".
    virtual void ReportFailure(const char* reason) = 0;
};

// The command line (ViewerCommandLine.h: help, version and usage errors end here, and named
// files that cannot be read), the window (1024 x 768), the TestApplication's
// Init (1024, 768, 16), the message loop, then the application's Shutdown and the window's
// Destroy; returns the quit message's code. A start-up failure is reported through the host
// and ends with status 1, after the application's destructor has released what its Init made
// and restored the display. With ORVEX_FRAME_TIMING set, the frame timing goes to stderr at
// the end.
int RunViewer(ViewerHost& host, int argc, const char* const* argv);
