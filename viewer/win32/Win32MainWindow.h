// The viewer's one window on Win32: class "GLSDK" with ViewerWindowProc, created top-most and
// borderless (WS_EX_TOPMOST, WS_POPUP) at (0, 0), titled "OpenGL 1.1 Example"; or, when not
// full screen, an ordinary window with a caption whose client area has the size. Its handle is
// the program-wide mainWindow; the GL device draws into its device context.
#pragma once

#include "orvex/win32/Win32.h"

inline constexpr const char* kMainWindowClass = "GLSDK";
inline constexpr const char* kMainWindowTitle = "OpenGL 1.1 Example";

class MainWindow {
public:
    MainWindow() = default;
    // Runs Destroy.
    virtual ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Destroys the window if there is one and clears the handle; safe any number of times.
    virtual void Destroy();
    // Registers the class (once per process), creates the window, shows it with
    // SW_SHOWDEFAULT, updates it and gives it the focus. False when the class or the window
    // cannot be made; GetLastError then says why.
    virtual bool Create(HINSTANCE instance, int width, int height, bool fullScreen = true);
};
