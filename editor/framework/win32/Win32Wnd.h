#pragma once
// The Win32 side of fw::Wnd: the window handle, the procedure every framework window and every
// adopted control runs through, and the way back from a handle to its object.
//
// Windows the framework makes get its own classes; controls made by the system (from a dialog
// template, or common controls made here) are subclassed, so their objects hear their
// messages and Default() hands a message to the control's own procedure. A message goes first
// to the hooks of the window (frame, bar, dialog and control sides add theirs), then to the
// object's handler.
#include "framework/Wnd.h"
#include "framework/win32/Win32Headers.h"
#include "framework/win32/Win32Text.h"

#include <functional>
#include <string>
#include <vector>

namespace fw {

struct Wnd::Impl {
    // One message being handled, for Default().
    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        LRESULT result = 0;
        bool defaulted = false;   // Default() ran
        Rect* ncClient = nullptr; // WM_NCCALCSIZE: the handler's rectangle (window coordinates)
    };
    // A hook sees a message before the object's handlers; true when it answered it (in *result).
    using Hook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)>;

    explicit Impl(Wnd* wnd) : owner(wnd) {}

    Wnd* owner;
    HWND hwnd = nullptr;
    WNDPROC original = nullptr; // a subclassed window's own procedure
    uint32_t style = 0;         // the WinStyle bits asked for
    Wnd* parent = nullptr;      // parent (child windows) or owner (popups) given at creation
    bool inDestructor = false;  // the object is going: no PostNcDestroy
    bool painting = false;      // inside BeginPaint/EndPaint of WM_PAINT
    bool creating = false;      // inside CreateWindowExW: a failed creation is the caller's to clean up
    Message* current = nullptr;
    struct HookEntry {
        const void* owner; // who added it, for RemoveHooks
        Hook hook;
    };
    std::vector<HookEntry> hooks;
    HIMAGELIST imageList = nullptr; // a tree's images as the system's image list, owned

    ~Impl()
    {
        if (imageList != nullptr)
            ImageList_Destroy(imageList);
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
};

namespace win32 {

// The object of a handle the framework knows; null for any other window.
Wnd* FromHandle(HWND hwnd);
HWND HandleOf(const Wnd* wnd);

// Makes a window of one of the framework's own classes for wnd and runs its OnCreate (the
// window is known as wnd's before its first message). className: one of the names below.
HWND CreateFrameworkWindow(Wnd* wnd, const wchar_t* className, DWORD exStyle, const std::string& title, DWORD style,
                           const Rect& rect, HWND parent, HMENU menuOrId);
// Classes: plain windows (double clicks, button-face background), views and GL windows (no
// background, own device context), and popups (saved bits under them, a drop shadow).
extern const wchar_t* const kPlainClass;
extern const wchar_t* const kViewClass;
extern const wchar_t* const kPopupClass;
extern const wchar_t* const kFrameClass;

// Subclasses a window the system made (a control, a dialog) so that wnd hears its messages.
void Adopt(Wnd* wnd, HWND hwnd);
// Makes a common control for wnd (or adopts the child of parent with id made by a dialog
// template, when there is one of that class not yet adopted).
HWND CreateOrAdoptControl(Wnd* wnd, const wchar_t* className, DWORD style, DWORD exStyle, const Rect& rect, Wnd* parent,
                          uint32_t id);
// SendMessageW to wnd's window; 0 without one.
LRESULT SendTo(const Wnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Adds a hook to wnd's window procedure (see Wnd::Impl::Hook); owner names it for RemoveHooks.
void AddHook(Wnd* wnd, Wnd::Impl::Hook hook, const void* owner = nullptr);
void RemoveHooks(Wnd* wnd, const void* owner);

// A notification (WM_NOTIFY) or command (WM_COMMAND) of a control, handed to the control's
// object by its parent: WM_NOTIFY and WM_COMMAND come back to the control as these.
constexpr UINT kReflectedNotify = WM_APP + 0x3F00;
constexpr UINT kReflectedCommand = WM_APP + 0x3F01;

RECT ToRect(const Rect& r);
Rect FromRect(const RECT& r);

// The editor's test mode: with QUORVAN_REPORT set, one line on stdout per thing a test wants to
// know (a title changed, a window appeared, a message box, the first frame drawn), written at
// once; line breaks inside a line are written as "\n".
bool ReportEnabled();
void Report(const std::string& line);

} // namespace win32
} // namespace fw
