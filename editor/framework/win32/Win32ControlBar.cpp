// Control bars on Win32: the bar's child window in its frame, where it is docked, docking and
// floating it, and dragging it to an edge or off the frame.
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/win32/Win32DC.h"
#include "framework/win32/Win32Frame.h"

#include <cstdlib>

namespace fw {

using namespace win32;

namespace {

// Where a drag would put the bar: an edge of the frame (-1: floating) and the outline shown.
struct DragTarget {
    int edge = -1;
    Rect outline;
    bool operator==(const DragTarget&) const = default;
};

// Near an edge of the frame's client area (and allowed there) the bar docks; elsewhere it
// floats with the point where it was taken under the pointer. Ctrl keeps it floating.
DragTarget TargetAt(ControlBar* bar, FrameWnd* frame, Point pointer, Point grab, Size floating)
{
    DragTarget target;
    target.outline = Rect::FromSize(pointer.x - grab.x, pointer.y - grab.y, floating.cx, floating.cy);
    if (GetKeyState(VK_CONTROL) < 0)
        return target;
    const Rect client = frame->ClientToScreen(frame->GetClientRect());
    if (!client.Contains(pointer))
        return target;
    const uint32_t allowed = bar->GetDockingAlignment() & frame->DockingAlignment();
    const int zone = 24;
    struct Candidate {
        int edge;
        uint32_t align;
        int distance;
    };
    const Candidate candidates[] = {
        {EdgeTop, BarStyle::AlignTop, pointer.y - client.top},
        {EdgeBottom, BarStyle::AlignBottom, client.bottom - 1 - pointer.y},
        {EdgeLeft, BarStyle::AlignLeft, pointer.x - client.left},
        {EdgeRight, BarStyle::AlignRight, client.right - 1 - pointer.x},
    };
    const Candidate* best = nullptr;
    for (const Candidate& candidate : candidates) {
        if ((allowed & candidate.align) && candidate.distance < zone &&
            (best == nullptr || candidate.distance < best->distance))
            best = &candidate;
    }
    if (best == nullptr)
        return target;
    target.edge = best->edge;
    const int across = IsHorizontalEdge(best->edge) ? std::min(floating.cy, client.Height() / 3)
                                                    : std::min(floating.cx, client.Width() / 3);
    switch (best->edge) {
    case EdgeTop:
        target.outline = Rect{client.left, client.top, client.right, client.top + across};
        break;
    case EdgeBottom:
        target.outline = Rect{client.left, client.bottom - across, client.right, client.bottom};
        break;
    case EdgeLeft:
        target.outline = Rect{client.left, client.top, client.left + across, client.bottom};
        break;
    default:
        target.outline = Rect{client.right - across, client.top, client.right, client.bottom};
        break;
    }
    return target;
}

// A three-pixel half-tone outline on the screen; drawn twice it is gone.
void InvertOutline(HDC screen, const Rect& r)
{
    const int t = 3;
    SetBrushOrgEx(screen, 0, 0, nullptr);
    HGDIOBJ old = SelectObject(screen, HalftoneBrush());
    PatBlt(screen, r.left, r.top, r.Width(), t, PATINVERT);
    PatBlt(screen, r.left, r.bottom - t, r.Width(), t, PATINVERT);
    PatBlt(screen, r.left, r.top + t, t, r.Height() - 2 * t, PATINVERT);
    PatBlt(screen, r.right - t, r.top + t, t, r.Height() - 2 * t, PATINVERT);
    SelectObject(screen, old);
}

} // namespace

ControlBar::ControlBar() : m_impl(std::make_unique<Impl>())
{
    AddHook(this, [this](UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != kToggleDocking)
            return false;
        ToggleDocking();
        *result = 0;
        return true;
    });
}

ControlBar::~ControlBar()
{
    if (m_frame != nullptr) {
        Undock(m_frame, this);
        m_frame->RemoveControlBar(this);
        auto& bars = m_frame->GetFrameImpl()->bars;
        bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
    }
    // The bar's window goes before its mini frame, which would take it along.
    if (HWND hwnd = HandleOf(this)) {
        GetImpl()->inDestructor = true;
        ::DestroyWindow(hwnd);
    }
    m_impl->miniFrame.reset();
}

bool ControlBar::CreateBar(FrameWnd* frame, const std::string& title, uint32_t style, uint32_t id)
{
    HWND frameHwnd = HandleOf(frame);
    if (frameHwnd == nullptr || IsWindow())
        return false;
    m_frame = frame;
    SetBarStyle(style & BarStyle::Mask);
    // The window's own styles are the bits that are not the bar's.
    const DWORD windowStyle = (style & ~BarStyle::Mask) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (CreateFrameworkWindow(this, kPlainClass, 0, title, windowStyle, Rect{}, frameHwnd,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(id))) == nullptr)
        return false;
    frame->AddControlBar(this);
    RegisterBar(frame, this);
    return true;
}

void ControlBar::EnableDocking(uint32_t alignment)
{
    m_dockingAlignment = alignment & BarStyle::AlignAny;
}

uint32_t ControlBar::GetDockBarId() const
{
    return m_impl->dockBarId;
}

bool ControlBar::IsFloating() const
{
    return m_impl->dockBarId == IDW_DOCKBAR_FLOAT;
}

void ControlBar::ToggleDocking()
{
    FrameWnd* frame = m_frame;
    if (frame == nullptr || !IsWindow())
        return;
    if (IsFloating()) {
        frame->DockControlBar(this, m_impl->lastDockBarId);
        return;
    }
    const Point where = m_impl->floatPoint.x >= 0 ? m_impl->floatPoint : GetWindowRect().TopLeft();
    frame->FloatControlBar(this, where);
}

void ControlBar::StartDrag(Point screenPoint)
{
    FrameWnd* frame = m_frame;
    HWND hwnd = HandleOf(this);
    if (frame == nullptr || hwnd == nullptr || !frame->IsWindow())
        return;
    const Rect start = GetWindowRect();
    const Point grab = screenPoint - start.TopLeft();
    const Size floating = CalcFixedLayout(false, false);
    const int slack = GetSystemMetrics(SM_CXDRAG);

    ::SetCapture(hwnd);
    HDC screen = GetDC(nullptr);
    DragTarget shown;
    bool drawn = false;
    bool moved = false;
    bool accept = false;
    const std::weak_ptr<void> alive = LifeToken();
    MSG msg{};
    while (::GetCapture() == hwnd) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
            break;
        }
        if (msg.message == WM_MOUSEMOVE || (msg.message == WM_KEYDOWN && msg.wParam == VK_CONTROL) ||
            (msg.message == WM_KEYUP && msg.wParam == VK_CONTROL)) {
            POINT at{};
            ::GetCursorPos(&at);
            const Point pointer{at.x, at.y};
            if (!moved && std::abs(pointer.x - screenPoint.x) <= slack && std::abs(pointer.y - screenPoint.y) <= slack)
                continue;
            moved = true;
            const DragTarget target = TargetAt(this, frame, pointer, grab, floating);
            if (!drawn || !(target == shown)) {
                if (drawn)
                    InvertOutline(screen, shown.outline);
                shown = target;
                InvertOutline(screen, shown.outline);
                drawn = true;
            }
        } else if (msg.message == WM_LBUTTONUP) {
            accept = moved;
            break;
        } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
            break;
        } else {
            DispatchMessageW(&msg);
            if (alive.expired())
                break;
        }
    }
    if (drawn)
        InvertOutline(screen, shown.outline);
    ReleaseDC(nullptr, screen);
    if (alive.expired())
        return;
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    if (!accept)
        return;
    if (shown.edge >= 0) {
        frame->DockControlBar(this, DockBarIdOf(shown.edge));
    } else {
        frame->FloatControlBar(this, shown.outline.TopLeft());
    }
}

} // namespace fw
