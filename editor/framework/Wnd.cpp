// The default message handlers, and what a window does without its toolkit.
#include "framework/Wnd.h"

#include "framework/FrameWnd.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(Wnd, CmdTarget)

FrameWnd* Wnd::GetParentFrame() const
{
    for (Wnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (auto* frame = dynamic_cast<FrameWnd*>(parent))
            return frame;
    }
    return nullptr;
}

intptr_t Wnd::Send(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return OnMessage(message, wParam, lParam);
}

int Wnd::OnCreate()
{
    return 0;
}

void Wnd::OnDestroy() {}
void Wnd::PostNcDestroy() {}

void Wnd::OnSize(int, int, int)
{
    Default();
}

void Wnd::OnWindowPosChanged()
{
    Default();
}

void Wnd::OnPaint(DC&)
{
    Default();
}

void Wnd::OnLButtonDown(uint32_t, Point)
{
    Default();
}

void Wnd::OnLButtonUp(uint32_t, Point)
{
    Default();
}

void Wnd::OnLButtonDblClk(uint32_t, Point)
{
    Default();
}

void Wnd::OnRButtonDown(uint32_t, Point)
{
    Default();
}

void Wnd::OnRButtonUp(uint32_t, Point)
{
    Default();
}

void Wnd::OnMouseMove(uint32_t, Point)
{
    Default();
}

bool Wnd::OnMouseWheel(uint32_t, short, Point)
{
    Default();
    return false;
}

void Wnd::OnKeyDown(uint32_t, uint32_t, uint32_t)
{
    Default();
}

bool Wnd::OnSetCursor(int)
{
    Default();
    return false;
}

void Wnd::OnCaptureChanged(Wnd*)
{
    Default();
}

void Wnd::OnKillFocus(Wnd*)
{
    Default();
}

void Wnd::OnActivateApp(bool)
{
    Default();
}

void Wnd::OnClose()
{
    DestroyWindow();
}

void Wnd::OnNcCalcSize(Rect&)
{
    Default();
}

void Wnd::OnNcPaint(DC&)
{
    Default();
}

int Wnd::OnNcHitTest(Point screenPoint)
{
    return GetClientRect().Contains(ScreenToClient(screenPoint)) ? Hit::Client : Hit::Nowhere;
}

void Wnd::OnNcLButtonDown(int, Point)
{
    Default();
}

void Wnd::OnNcLButtonDblClk(int, Point)
{
    Default();
}

intptr_t Wnd::OnMessage(uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

} // namespace fw
