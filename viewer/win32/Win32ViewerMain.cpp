// Orvex on Windows: plays the animated scene "2.MES" + "2.KNX" of the working folder, or the
// scene the command line names, full screen. Escape ends it. Help, the version and a refused
// command line (status 2) go to the standard output and error. A start-up failure ends with status 1: the reason goes
// to stderr as one line and, since a GUI program has no console, into a message box as well, unless
// ORVEX_NO_MESSAGE_BOX is set (tests and scripts).
#include "ViewerMain.h"
#include "Win32InputState.h"
#include "Win32MainWindow.h"
#include "Win32MessageQueue.h"
#include "orvex/win32/Win32MessageBox.h"
#include "orvex/win32/Win32Platform.h"

#include "orvex/win32/Win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Win32ViewerHost final : public ViewerHost {
public:
    explicit Win32ViewerHost(HINSTANCE instance) : instance(instance) { win32.Init(); }

    bool CreateMainWindow(int width, int height, bool fullScreen) override
    {
        if (window.Create(instance, width, height, fullScreen))
            return true;
        error = GetLastError();
        return false;
    }
    void DestroyMainWindow() override { window.Destroy(); }
    std::string WindowError() override
    {
        char text[256] = "";
        if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr) == 0)
            std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(error));
        std::string reason = text;
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
            reason.pop_back();
        return reason;
    }
    InputState& Input() override { return input; }
    MessageQueue& Queue() override { return queue; }
    void ReportFailure(const char* reason) override
    {
        std::fprintf(stderr, "Orvex: %s\n", reason);
        std::fflush(stderr);
        if (MessageBoxesSuppressed())
            return;
        // The window is gone and its WM_DESTROY posted the quit message, which would end the
        // box's own message loop at once.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        MessageBoxA(nullptr, reason, "Orvex", MB_OK | MB_ICONERROR);
    }

private:
    HINSTANCE instance;
    Win32Platform win32; // outlives the window
    MainWindow window;
    Win32InputState input;
    Win32MessageQueue queue;
    DWORD error = 0;
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Win32ViewerHost host(instance);
    // The runtime's split of the command line, in the ANSI code page as the engine's paths are.
    return RunViewer(host, __argc, __argv);
}
