// The viewer's Win32 window: its class and styles, the translation of window messages into
// the viewer's, what its procedure answers, the message loop on the thread's queue, and the
// start-up failure when the system has no usable OpenGL.
#include "Application.h"
#include "MessageLoop.h"
#include "Win32MainWindow.h"
#include "Win32MessageQueue.h"
#include "WindowProcedure.h"
#include "orvex/render/GlDriver.h"
#include "orvex/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

struct Translation {
    UINT message;
    WPARAM wParam;
    bool handled;
    ViewerMessageKind kind;
    std::int32_t param;
};

TEST(Win32Viewer, WindowMessagesBecomeViewerMessages)
{
    const Translation table[] = {
        {WM_ACTIVATEAPP, 1, true, MessageActivateApp, 1},
        {WM_ACTIVATEAPP, 0, true, MessageActivateApp, 0},
        {WM_ACTIVATEAPP, 7, true, MessageActivateApp, 1}, // any non-zero wParam is "active"
        {WM_KEYDOWN, VK_ESCAPE, true, MessageKeyDown, kKeyEscape},
        {WM_KEYDOWN, 'A', true, MessageKeyDown, 'A'},
        {WM_KEYDOWN, VK_F1, true, MessageKeyDown, VK_F1},
        {WM_CLOSE, 0, true, MessageClose, 0},
        {WM_KEYUP, VK_ESCAPE, false, MessageOther, 0},
        {WM_CHAR, 27, false, MessageOther, 0},
        {WM_SYSKEYDOWN, VK_F4, false, MessageOther, 0}, // Alt+F4 stays with the system
        {WM_PAINT, 0, false, MessageOther, 0},
        {WM_QUIT, 0, false, MessageOther, 0},
    };
    for (const Translation& row : table) {
        ViewerMessage message{MessageOther, -99};
        EXPECT_EQ(TranslateWindowMessage(row.message, row.wParam, 0, &message), row.handled)
            << "message 0x" << std::hex << row.message;
        if (!row.handled)
            continue;
        EXPECT_EQ(message.kind, row.kind) << "message 0x" << std::hex << row.message;
        EXPECT_EQ(message.param, row.param) << "message 0x" << std::hex << row.message;
    }
}

// The next message waiting for `window` (or the thread), removed; WM_NULL when none.
MSG Take(HWND window, UINT message)
{
    MSG msg{};
    if (!PeekMessageA(&msg, window, message, message, PM_REMOVE))
        msg.message = WM_NULL;
    return msg;
}

class Win32ViewerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        appActive = 0;
        ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), 64, 48));
        hwnd = static_cast<HWND>(mainWindow);
        ASSERT_NE(hwnd, nullptr);
        Drain();
    }
    void TearDown() override
    {
        window.Destroy();
        Drain();
        appActive = 0;
    }
    // Forgets what creation and earlier steps left in the queue.
    static void Drain()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
        }
    }

    MainWindow window;
    HWND hwnd = nullptr;
};

TEST_F(Win32ViewerWindow, IsATopMostPopupAtTheOrigin)
{
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_STREQ(name, "GLSDK");
    GetWindowTextA(hwnd, name, sizeof name);
    EXPECT_STREQ(name, "OpenGL 1.1 Example");
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 64);
    EXPECT_EQ(rect.bottom, 48);

    // A second window of the process finds its class registered.
    MainWindow second;
    EXPECT_TRUE(second.Create(GetModuleHandleA(nullptr), 32, 32));
    second.Destroy();
    second.Destroy();
    EXPECT_EQ(mainWindow, nullptr);
    mainWindow = hwnd;
}

TEST_F(Win32ViewerWindow, ProcedureAnswersAsTheViewerWants)
{
    // No cursor over the window: the default procedure would set the class's arrow.
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ASSERT_NE(GetCursor(), nullptr);
    EXPECT_EQ(SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), nullptr);

    // Activation sets the program-wide flag, either way.
    EXPECT_EQ(SendMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0), 0);
    EXPECT_EQ(appActive, 1);
    EXPECT_EQ(SendMessageA(hwnd, WM_ACTIVATEAPP, FALSE, 0), 0);
    EXPECT_EQ(appActive, 0);

    // Keys are swallowed; only Escape asks the window to close.
    for (WPARAM key : {WPARAM('A'), WPARAM(VK_SPACE), WPARAM(VK_RETURN), WPARAM(VK_F1), WPARAM(VK_SHIFT)}) {
        EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, key, 0), 0);
        EXPECT_EQ(Take(hwnd, WM_CLOSE).message, static_cast<UINT>(WM_NULL)) << key;
    }
    EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    const MSG close = Take(hwnd, WM_CLOSE);
    EXPECT_EQ(close.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(close.hwnd, hwnd);

    // Closing posts the quit message with code 0 and keeps the window for the shutdown.
    EXPECT_EQ(SendMessageA(hwnd, WM_CLOSE, 0, 0), 0);
    const MSG quit = Take(nullptr, WM_QUIT);
    EXPECT_EQ(quit.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_TRUE(IsWindow(hwnd));

    // Destroying the window ends the loop too.
    window.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(Take(nullptr, WM_QUIT).message, static_cast<UINT>(WM_QUIT));
}

class CountingApplication final : public Application {
public:
    void Update() override { log += "u"; }
    void Render() override { log += "r"; }
    void Present() override
    {
        log += "p";
        ++frames;
        if (onFrame)
            onFrame(frames);
    }

    std::string log;
    int frames = 0;
    std::function<void(int)> onFrame;
};

TEST_F(Win32ViewerWindow, LoopRunsFramesWhileActiveAndEscapeEndsWithZero)
{
    Win32MessageQueue queue;
    CountingApplication app;
    SendMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    app.onFrame = [&](int frame) {
        if (frame == 3)
            PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(RunMessageLoop(app, queue), 0);
    EXPECT_EQ(app.frames, 3);
    EXPECT_EQ(app.log, "urpurpurp"); // update, render, present, in that order
}

// Another application becomes active after two frames; the loop then waits and runs no frame
// until the viewer is active again, and frames resume from there.
TEST_F(Win32ViewerWindow, FramesResumeWhenTheViewerIsActiveAgain)
{
    Win32MessageQueue queue;
    CountingApplication app;
    std::atomic<int> frames{0}, framesWhenReactivated{-1};
    std::thread other;
    SendMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    app.onFrame = [&](int frame) {
        frames = frame;
        if (frame == 2) {
            SendMessageA(hwnd, WM_ACTIVATEAPP, FALSE, 0);
            other = std::thread([&] {
                Sleep(300);
                framesWhenReactivated = frames.load();
                PostMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0);
            });
        }
        if (frame == 5)
            PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(RunMessageLoop(app, queue), 0);
    other.join();
    EXPECT_EQ(framesWhenReactivated.load(), 2);
    EXPECT_EQ(app.frames, 5);
    EXPECT_EQ(app.log, "urpurpurpurpurp");
}

// OPENGL32.DLL of a system whose OpenGL renders in software only: its probe finds no pixel
// format to ask for. Everything else is the system's.
class SoftwareOnlySystemGl final : public LibraryLoader {
public:
    LibraryHandle Load(const char* name) override
    {
        LibraryHandle library = system.Load(name);
        if (library != nullptr && _stricmp(name, kSystemGlLibrary) == 0)
            systemGl = library;
        return library;
    }
    LibraryHandle FindLoaded(const char* name) override { return system.FindLoaded(name); }
    GlProc Symbol(LibraryHandle library, const char* name) override
    {
        if (library == systemGl && std::strcmp(name, "wglChoosePixelFormat") == 0)
            return nullptr;
        return system.Symbol(library, name);
    }
    void Free(LibraryHandle library) override { system.Free(library); }
    void ForceSoftwareGl() override { system.ForceSoftwareGl(); }

private:
    LibraryLoader& system = SystemLibraries();
    LibraryHandle systemGl = nullptr;
};

// The loader then falls to SGI's OPENGL.DLL, which current Windows does not have: the start-up
// failure names that library, the one that was missing, not OPENGL32.DLL.
TEST_F(Win32ViewerWindow, StartUpFailureNamesTheLibraryTriedLast)
{
    Win32Platform win32;
    win32.Init();
    SoftwareOnlySystemGl libraries;
    Platform services = win32.Services();
    services.libraries = &libraries;
    SetPlatform(services);
    {
        Application app;
        app.SetFullScreen(false);
        EXPECT_FALSE(app.Init(64, 48, 32));
        EXPECT_STREQ(app.GetFailure(), "cannot set up OpenGL on the window (driver \"OPENGL.DLL\")");
    }
    ResetDriverState();
    win32.Shutdown();
}

TEST_F(Win32ViewerWindow, InactiveLoopRunsNoFrames)
{
    Win32MessageQueue queue;
    CountingApplication app;
    SendMessageA(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    // A key first, then Escape: both are handled without a frame between them.
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0);
    PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(RunMessageLoop(app, queue), 0);
    EXPECT_EQ(app.frames, 0);

    // A quit code of the queue's own comes back as the loop's result.
    queue.PostQuit(7);
    EXPECT_EQ(RunMessageLoop(app, queue), 7);
}

} // namespace
