// The viewer's message queue on the thread's Win32 message queue. Messages reach the main
// window's procedure (ViewerWindowProc) through DispatchMessageA, or directly when the
// system sends them (WM_ACTIVATEAPP), and are handled there; Get therefore hands back only
// the quit message, everything else as MessageOther, which the shared window procedure
// leaves alone.
#pragma once

#include "MessageQueue.h"

#include "orvex/win32/Win32.h"

class Win32MessageQueue final : public MessageQueue {
public:
    // PeekMessageA (any window, all messages, PM_NOREMOVE).
    bool Peek() override;
    // GetMessageA; WM_QUIT becomes MessageQuit with its code. Other messages are translated
    // and dispatched. A queue that cannot be read ends the loop with code 1.
    ViewerMessage Get() override;
    // WaitMessage.
    void Wait() override;
    // WM_CLOSE to the main window.
    void PostClose() override;
    void PostQuit(std::int32_t exitCode) override;
};

// The viewer message of a window message; false for those the viewer leaves to the default
// window procedure. WM_ACTIVATEAPP: activation (wParam non-zero: active); WM_KEYDOWN: the
// key's virtual-key code (VK_ESCAPE is kKeyEscape); WM_CLOSE: the close request.
bool TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, ViewerMessage* translated);

// The main window's procedure: WM_SETCURSOR hides the cursor (TRUE); WM_DESTROY posts the
// quit message with code 0; translated messages go to the shared WindowProcedure with the
// viewer's queue; the rest to DefWindowProcA. Key-down messages never reach the default.
LRESULT CALLBACK ViewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
