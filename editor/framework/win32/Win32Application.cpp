// The application on Win32: the thread's message loop with the idle hook, as the classic
// framework runs it. While no message waits the hook runs with a growing count; a message the
// user or the window system sends starts the count over, and the loop waits (GetMessage) once
// the hook wants no more.
#include "framework/win32/Win32Application.h"
#include "framework/Application.h"
#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/Resources.h"
#include "framework/Toolkit.h"
#include "framework/win32/Win32Wnd.h"

#include <cstdlib>

namespace fw {

using namespace win32;

struct Application::Impl {
    Application* app = nullptr;
    bool idleActive = false;
    bool inRun = false;
    UINT_PTR idleTimer = 0; // idle outside Run (tests pumping their own messages)
    POINT lastMouse{-1, -1};

    // Messages that do not start the idle count over: paints, timers, and a mouse that did not
    // move.
    bool IsIdleMessage(const MSG& msg)
    {
        switch (msg.message) {
        case WM_PAINT:
        case WM_TIMER:
        case 0x0118: // the system's caret timer
            return false;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
            const POINT at = msg.pt;
            const bool moved = at.x != lastMouse.x || at.y != lastMouse.y;
            lastMouse = at;
            return moved;
        }
        default:
            return true;
        }
    }

    // Runs the idle hook until a message waits or it wants no more; with a time limit (in
    // milliseconds), also once that has passed.
    void RunIdleWhileQuiet(DWORD limit = INFINITE)
    {
        const DWORD start = GetTickCount();
        MSG msg;
        while (idleActive && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!app->RunIdle())
                idleActive = false;
            if (limit != INFINITE && GetTickCount() - start >= limit)
                break;
        }
    }

    // Outside Run the idle hook runs from a timer, a few milliseconds at a time, so that a
    // loop of the caller's own keeps getting its messages.
    static void CALLBACK IdleTimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        Application* app = Application::Instance();
        if (app != nullptr && app->m_impl->idleActive && !app->m_impl->inRun)
            app->m_impl->RunIdleWhileQuiet(kIdleSlice);
    }
    static constexpr DWORD kIdleSlice = 20;
};

namespace win32 {

bool PreTranslateMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    // The main frame's accelerators, for keys pressed anywhere in it.
    Application* app = Application::Instance();
    FrameWnd* frame = app != nullptr ? app->GetMainWnd() : nullptr;
    HWND frameHwnd = HandleOf(frame);
    if (frameHwnd != nullptr && (msg.hwnd == frameHwnd || IsChild(frameHwnd, msg.hwnd)) &&
        TranslateFrameAccelerator(frame, msg))
        return true;
    // Keyboard navigation inside a dialog (Tab between controls, Enter and Escape): the
    // outermost dialog that holds the window.
    HWND dialog = nullptr;
    for (HWND at = msg.hwnd; at != nullptr && at != frameHwnd; at = GetParent(at)) {
        wchar_t name[16] = {};
        GetClassNameW(at, name, 16);
        if (lstrcmpW(name, L"#32770") == 0)
            dialog = at;
        if (!(GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD))
            break;
    }
    return dialog != nullptr && IsDialogMessageW(dialog, &msg);
}

} // namespace win32

Application::Application() : m_impl(std::make_unique<Impl>())
{
    ConstructCommon();
    m_impl->app = this;
}

Application::~Application()
{
    StopIdleProcessing();
    DestructCommon();
}

int Application::Run()
{
    m_appName = ResourceTable::Instance().String(IDS_APP_TITLE).value_or(std::string("Application"));
    if (!InitInstance()) {
        if (FrameWnd* frame = GetMainWnd())
            frame->DestroyWindow();
        ExitInstance();
        return 1;
    }
    m_impl->inRun = true;
    m_impl->idleActive = true;
    m_idleCount = 0;
    int loopCode = 0;
    MSG msg{};
    for (;;) {
        m_impl->RunIdleWhileQuiet();
        // Everything that waits now, then idle time again.
        bool quit = false;
        do {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                loopCode = got == 0 ? static_cast<int>(msg.wParam) : 1;
                quit = true;
                break;
            }
            if (!PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (m_impl->IsIdleMessage(msg)) {
                m_idleCount = 0;
                m_impl->idleActive = true;
            }
        } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
        if (quit)
            break;
    }
    m_impl->inRun = false;
    m_impl->idleActive = false;
    const int code = ExitInstance();
    return loopCode != 0 ? loopCode : code;
}

void Application::StartIdleProcessing()
{
    m_impl->idleActive = true;
    m_idleCount = 0;
    if (m_impl->idleTimer == 0)
        m_impl->idleTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Impl::IdleTimerProc);
}

void Application::StopIdleProcessing()
{
    m_impl->idleActive = false;
    if (m_impl->idleTimer != 0)
        KillTimer(nullptr, m_impl->idleTimer);
    m_impl->idleTimer = 0;
}

bool Application::IsIdleActive() const
{
    return m_impl->idleActive;
}

long Application::IdleCount() const
{
    return m_idleCount;
}

struct Toolkit::Impl {};

Toolkit::Options Toolkit::CommandLineOptions()
{
    return {}; // Windows programs take no options of the system's
}

Toolkit::Toolkit(std::vector<std::string>, const std::string&) : m_impl(std::make_unique<Impl>())
{
    // The common controls of version 6 (the program's manifest asks for them): bars, lists,
    // trees, tabs and tooltips.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                     ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

Toolkit::~Toolkit() = default;

} // namespace fw
