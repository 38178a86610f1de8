#include "Win32MessageQueue.h"

#include "WindowProcedure.h"

#include <algorithm>

bool Win32MessageQueue::Peek()
{
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

ViewerMessage Win32MessageQueue::Get()
{
    MSG message;
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0)
        return {MessageQuit, static_cast<std::int32_t>(message.wParam)};
    if (result == -1)
        return {MessageQuit, 1};
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return {MessageOther, 0};
}

void Win32MessageQueue::Wait()
{
    WaitMessage();
}

void Win32MessageQueue::PostClose()
{
    if (mainWindow != nullptr)
        PostMessageA(static_cast<HWND>(mainWindow), WM_CLOSE, 0, 0);
}

void Win32MessageQueue::PostQuit(std::int32_t exitCode)
{
    PostQuitMessage(exitCode);
}

bool TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM, ViewerMessage* translated)
{
    switch (message) {
    case WM_ACTIVATEAPP:
        *translated = {MessageActivateApp, wParam != 0 ? 1 : 0};
        return true;
    case WM_KEYDOWN:
        *translated = {MessageKeyDown, static_cast<std::int32_t>(wParam)};
        return true;
    case WM_CLOSE:
        *translated = {MessageClose, 0};
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK ViewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The queue has no state of its own: the thread's queue and the program's main window.
    static Win32MessageQueue queue;
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr); // no cursor over the window
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_GETMINMAXINFO: {
        // The picture is always 1024x768. A captioned window (--window) on a screen of that
        // size would be cut to the screen and its client area lose the picture's top rows, so
        // the window may reach past the screen's edge instead.
        DefWindowProcA(window, message, wParam, lParam);
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, 8192);
        limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, 8192);
        return 0;
    }
    default:
        break;
    }
    ViewerMessage translated;
    if (!TranslateWindowMessage(message, wParam, lParam, &translated))
        return DefWindowProcA(window, message, wParam, lParam);
    return WindowProcedure(translated, queue);
}
