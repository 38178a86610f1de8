#pragma once
// A window of the toolkit, seen as the classic framework sees one: an object that owns its window
// and hears the window's messages through virtual handlers. The toolkit's side (its window and
// what it keeps about it) is Wnd::Impl, defined once per toolkit.
//
// Coordinates: client coordinates start at the top-left corner of the client area; window
// coordinates at the top-left corner of the whole window (non-client area included); screen
// coordinates at the top-left corner of the primary screen. All in pixels.
#include "framework/BarStyle.h"
#include "framework/Command.h"
#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class DC;
class FrameWnd;
struct ControlTemplate;

// How ShowWindow shows a window.
namespace ShowCmd {
constexpr int Hide = 0;
constexpr int Normal = 1;
constexpr int Minimized = 2;
constexpr int Maximized = 3;
constexpr int NoActivate = 4;
constexpr int Show = 5;
constexpr int Restore = 9;
} // namespace ShowCmd

// The size type of OnSize.
namespace SizeType {
constexpr int Restored = 0;
constexpr int Minimized = 1;
constexpr int Maximized = 2;
} // namespace SizeType

// Non-client hit codes of OnNcHitTest, OnSetCursor and the non-client button handlers.
namespace Hit {
constexpr int Nowhere = 0;
constexpr int Client = 1;
constexpr int Caption = 2;
constexpr int SysMenu = 3;
constexpr int Size = 4; // a sizing grip or edge of the window's own
constexpr int MinButton = 8;
constexpr int MaxButton = 9;
constexpr int Left = 10;
constexpr int Right = 11;
constexpr int Top = 12;
constexpr int TopLeft = 13;
constexpr int TopRight = 14;
constexpr int Bottom = 15;
constexpr int BottomLeft = 16;
constexpr int BottomRight = 17;
constexpr int Close = 20;
} // namespace Hit

class Wnd : public CmdTarget {
    FW_DECLARE_DYNAMIC(Wnd)
public:
    struct Impl; // the toolkit's window and its state

    Wnd();
    // Destroys the window if it still exists (without PostNcDestroy: the object is going).
    ~Wnd() override;
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    // A plain window: style WinStyle::Popup (a window of its own, owned by parent, at rect in
    // screen coordinates) or WinStyle::Child (inside parent, rect in its client coordinates).
    // Double clicks always arrive. Runs OnCreate; false when it returns -1 or the window cannot
    // be made. exStyle is kept for the window system (no bit is needed by the editor).
    bool CreateEx(uint32_t exStyle, const std::string& title, uint32_t style, const Rect& rect, Wnd* parent,
                  uint32_t id);
    // Runs OnDestroy (children first get theirs), then PostNcDestroy; the window is gone after.
    bool DestroyWindow();
    // Whether the window exists.
    bool IsWindow() const;

    // Window rectangle in screen coordinates (the whole window: non-client area included).
    Rect GetWindowRect() const;
    // Client rectangle in client coordinates: (0, 0, width, height).
    Rect GetClientRect() const;
    Point ClientToScreen(Point point) const;
    Rect ClientToScreen(const Rect& rect) const;
    Point ScreenToClient(Point point) const;
    // Moves and sizes the window: rect in the parent's client coordinates, or the screen's for a
    // window without a parent.
    void MoveWindow(const Rect& rect, bool repaint = true);

    // ShowCmd; returns whether the window was visible before.
    bool ShowWindow(int showCmd);
    // The window and every window it is inside are shown.
    bool IsWindowVisible() const;
    bool IsIconic() const; // minimised

    void Invalidate();
    void InvalidateRect(const Rect& clientRect);
    // Paints what is invalid now rather than later.
    void UpdateWindow();
    // Stops (false) or restarts (true) repainting; restarting does not repaint by itself.
    void SetRedraw(bool redraw);

    void SetText(const std::string& text);
    std::string GetText() const;

    // Mouse messages go to this window until ReleaseCapture, wherever the pointer is.
    void SetCapture();
    static void ReleaseCapture();
    static Wnd* GetCapture();
    void SetFocus();
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;

    // The window this one is a child of (for a popup, its owner); null for none.
    Wnd* GetParent() const;
    // The frame window this one is inside (for a frame: null).
    FrameWnd* GetParentFrame() const;
    uint32_t GetDlgCtrlID() const;
    // The WinStyle bits the window was made with.
    uint32_t GetStyle() const;

    // Sends a message straight to OnMessage of this window (not queued) and returns its result.
    intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

    // Messages, called by the toolkit. A handler that wants the toolkit's own treatment of the
    // message as well calls Default() (the base handlers do); points of mouse messages are in
    // client coordinates, of non-client messages and the wheel in screen coordinates.
    virtual int OnCreate();       // -1 fails the creation
    virtual void OnDestroy();     // the window is going; its children still exist
    virtual void PostNcDestroy(); // the window is gone; the place for `delete this`
    virtual void OnSize(int type, int cx, int cy);
    virtual void OnWindowPosChanged();
    virtual void OnPaint(DC& dc);
    virtual void OnLButtonDown(uint32_t flags, Point point);
    virtual void OnLButtonUp(uint32_t flags, Point point);
    virtual void OnLButtonDblClk(uint32_t flags, Point point);
    virtual void OnRButtonDown(uint32_t flags, Point point);
    virtual void OnRButtonUp(uint32_t flags, Point point);
    virtual void OnMouseMove(uint32_t flags, Point point);
    virtual bool OnMouseWheel(uint32_t flags, short delta, Point screenPoint);
    virtual void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
    // The pointer is over the window at hit; true when the handler set the cursor (SetCursorShape).
    virtual bool OnSetCursor(int hit);
    virtual void OnCaptureChanged(Wnd* newCapture);
    virtual void OnKillFocus(Wnd* newFocus);
    virtual void OnActivateApp(bool active);
    // The close box, or the window system closing the window: the base destroys it.
    virtual void OnClose();
    // Non-client area: the client rectangle within the window, given as the whole window in
    // window coordinates; the handler takes its non-client parts off it.
    virtual void OnNcCalcSize(Rect& client);
    // Paints the non-client area; dc is in window coordinates.
    virtual void OnNcPaint(DC& dc);
    virtual int OnNcHitTest(Point screenPoint);
    virtual void OnNcLButtonDown(int hit, Point screenPoint);
    virtual void OnNcLButtonDblClk(int hit, Point screenPoint);
    virtual intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    // Recomputes the non-client area (OnNcCalcSize) and repaints it.
    void RecalcNonClient();

    Impl* GetImpl() const { return m_impl.get(); } // for the toolkit's own files
    // Lives exactly as long as the object (WndRef watches it).
    const std::shared_ptr<void>& LifeToken() const { return m_life; }

protected:
    // Lets the toolkit treat the message being handled as it would without this handler.
    void Default();

private:
    std::unique_ptr<Impl> m_impl;
    std::shared_ptr<void> m_life = std::make_shared<char>();
};

// A pointer to a window object that reads null once the object is deleted.
template <class T>
class WndRef {
public:
    WndRef() = default;
    WndRef(T* wnd) { Reset(wnd); }
    WndRef& operator=(T* wnd)
    {
        Reset(wnd);
        return *this;
    }
    T* Get() const { return m_alive.expired() ? nullptr : m_wnd; }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }

private:
    void Reset(T* wnd);
    T* m_wnd = nullptr;
    std::weak_ptr<void> m_alive;
};

template <class T>
void WndRef<T>::Reset(T* wnd)
{
    m_wnd = wnd;
    m_alive = wnd != nullptr ? std::weak_ptr<void>(wnd->LifeToken()) : std::weak_ptr<void>();
}

} // namespace fw
