#include "controls/CoolDialogBar.h"

#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/System.h"

#include <cassert>

using cool::DockSide;

namespace {

// Sizes as the profile keeps them: six 32-bit numbers, least significant byte first.
void PutInt(std::vector<uint8_t>& out, int value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(bits >> shift));
}

int GetInt(const std::vector<uint8_t>& in, size_t at)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(in[at + static_cast<size_t>(i)]) << (8 * i);
    return static_cast<int>(bits);
}

} // namespace

FW_IMPLEMENT_DYNAMIC(CoolDialogBar, fw::ControlBar)

CoolDialogBar::CoolDialogBar()
    : m_highlight(fw::GetSysColor(fw::SysColor::BtnHighlight)), m_shadow(fw::GetSysColor(fw::SysColor::BtnShadow))
{
}

CoolDialogBar::~CoolDialogBar()
{
    if (m_tracking)
        StopTracking(false);
}

bool CoolDialogBar::Create(fw::FrameWnd* parent, fw::Dialog* dialog, const std::string& title, uint32_t templateId,
                           uint32_t controlId, uint32_t style)
{
    assert(parent != nullptr);
    assert(!((style & fw::BarStyle::SizeFixed) && (style & fw::BarStyle::SizeDynamic)));
    if (parent == nullptr || IsWindow())
        return false;
    // The window (button-face background, arrow cursor, double clicks) keeps the bar bits of the
    // style; it is a child of the frame until the frame docks it.
    if (!CreateBar(parent, title, style, controlId))
        return false;

    m_dialog = dialog;
    if (dialog == nullptr || !dialog->Create(templateId, this))
        return false;

    const cool::InitialSizes sizes = cool::InitialSizesFor(dialog->GetWindowRect().GetSize());
    m_floatSize = sizes.floating;
    m_horzSize = sizes.horizontal;
    m_vertSize = sizes.vertical;
    return true;
}

std::vector<uint8_t> CoolDialogBar::SaveSizes() const
{
    std::vector<uint8_t> sizes;
    for (const fw::Size& size : {m_horzSize, m_vertSize, m_floatSize}) {
        PutInt(sizes, size.cx);
        PutInt(sizes, size.cy);
    }
    return sizes;
}

bool CoolDialogBar::LoadSizes(const std::vector<uint8_t>& sizes)
{
    if (sizes.size() != 24)
        return false;
    fw::Size read[3];
    constexpr int kLargest = 16384; // beyond any screen: a damaged profile
    for (size_t i = 0; i < 3; ++i) {
        read[i] = fw::Size{GetInt(sizes, i * 8), GetInt(sizes, i * 8 + 4)};
        if (read[i].cx < m_minSize.cx || read[i].cy < m_minSize.cy || read[i].cx > kLargest || read[i].cy > kLargest)
            return false;
    }
    m_horzSize = read[0];
    m_vertSize = read[1];
    m_floatSize = read[2];
    if (fw::FrameWnd* frame = GetDockingFrame())
        frame->RecalcLayout();
    return true;
}

void CoolDialogBar::OnUpdateCmdUI(fw::FrameWnd* target, bool disableIfNoHandler)
{
    if (m_dialog != nullptr && m_dialog->IsWindow())
        m_dialog->UpdateDialogControls(target, disableIfNoHandler);
}

fw::Point CoolDialogBar::ToWindow(fw::Point screenPoint) const
{
    return screenPoint - GetWindowRect().TopLeft();
}

void CoolDialogBar::OnWindowPosChanged()
{
    if (!IsWindow() || m_dialog == nullptr || !m_dialog->IsWindow()) {
        Default();
        return;
    }
    if (m_inRecalc) {
        m_dialog->MoveWindow(GetClientRect());
        m_dialog->Invalidate();
        return;
    }
    const uint32_t parentId = GetDockBarId();
    const fw::Size size = GetWindowRect().GetSize();
    const bool allBorders = (GetBarStyle() & fw::BarStyle::BorderAny) == fw::BarStyle::BorderAny;
    if (parentId != m_dockBarId || size != m_lastSize || allBorders) {
        m_dockBarId = parentId;
        m_lastSize = size;
        m_inRecalc = true;
        RecalcNonClient(); // a frame change: new client area, and the dialog moved over it
        m_inRecalc = false;
    }
}

void CoolDialogBar::OnNcCalcSize(fw::Rect& client)
{
    const DockSide side = IsFloating() ? DockSide::Floating : Side();
    const fw::Size window = client.GetSize();
    const cool::NonClientLayout layout = cool::CalcNonClient(side, window);
    SetBarStyle(GetBarStyle() & ~layout.clearedBorder);
    m_edgeRect = layout.edge;
    client = layout.client.Offset(client.TopLeft());
    m_clientRect = layout.client;
    const cool::GripperLayout gripper = cool::CalcGripper(side, window);
    m_gripperRect = gripper.gripper;
    m_closeButtonRect = gripper.closeButton;
    m_floatButtonRect = gripper.floatButton;
}

void CoolDialogBar::OnNcPaint(fw::DC& dc)
{
    Default(); // the frame erases the non-client area
    dc.Draw3dRect(m_edgeRect, m_highlight, m_shadow);
    if (!IsFloating() && Side() != DockSide::Floating) {
        const cool::GripperLayout gripper = cool::CalcGripper(Side(), GetWindowRect().GetSize());
        m_gripperRect = gripper.gripper;
        m_closeButtonRect = gripper.closeButton;
        m_floatButtonRect = gripper.floatButton;
        dc.DrawCaptionButton(m_closeButtonRect, fw::CaptionButton::Close);
        dc.DrawCaptionButton(m_floatButtonRect, fw::CaptionButton::Maximize);
        for (const fw::Rect& line : gripper.gripLines)
            dc.Draw3dRect(line, m_highlight, m_shadow);
    }
    InvalidateRect(GetClientRect());
}

int CoolDialogBar::OnNcHitTest(fw::Point screenPoint)
{
    const int fallback = fw::ControlBar::OnNcHitTest(screenPoint);
    if (IsFloating() || Side() == DockSide::Floating)
        return fallback;
    cool::GripperLayout gripper;
    gripper.gripper = m_gripperRect;
    gripper.closeButton = m_closeButtonRect;
    gripper.floatButton = m_floatButtonRect;
    return cool::HitTestDocked(gripper, m_edgeRect, ToWindow(screenPoint), fallback);
}

void CoolDialogBar::OnNcLButtonDown(int hit, fw::Point screenPoint)
{
    if (m_tracking)
        return;
    if (IsFloating()) {
        Default();
        return;
    }
    switch (hit) {
    case fw::Hit::SysMenu:
        if (fw::FrameWnd* frame = GetDockingFrame())
            frame->ShowControlBar(this, false, false);
        return;
    case fw::Hit::MinButton:
        ToggleDocking();
        return;
    case fw::Hit::Caption:
        StartDrag(screenPoint);
        return;
    case fw::Hit::Size:
        StartTracking();
        return;
    default:
        Default();
        return;
    }
}

void CoolDialogBar::OnNcLButtonDblClk(int hit, fw::Point screenPoint)
{
    (void)screenPoint;
    if (!m_tracking && !IsFloating() && hit == fw::Hit::Caption) {
        ToggleDocking();
        return;
    }
    Default();
}

void CoolDialogBar::OnLButtonDown(uint32_t flags, fw::Point point)
{
    (void)flags;
    if (!m_tracking && !IsFloating()) {
        StartDrag(ClientToScreen(point));
        return;
    }
    Default();
}

void CoolDialogBar::OnLButtonDblClk(uint32_t flags, fw::Point point)
{
    (void)flags;
    (void)point;
    if (!m_tracking && !IsFloating()) {
        ToggleDocking();
        return;
    }
    Default();
}

bool CoolDialogBar::OnSetCursor(int hit)
{
    if (hit == fw::Hit::Size && !m_tracking) {
        fw::SetCursorShape(IsHorz() ? fw::CursorShape::SizeNS : fw::CursorShape::SizeWE);
        return true;
    }
    return fw::ControlBar::OnSetCursor(hit);
}

void CoolDialogBar::OnMouseMove(uint32_t flags, fw::Point point)
{
    (void)flags;
    if (!m_tracking) {
        Default();
        return;
    }
    // The tracker is in window coordinates; the point is in client coordinates.
    const fw::Point windowPoint = point + m_clientRect.TopLeft();
    const fw::Rect moved = cool::MoveTracker(m_trackerRect, windowPoint, IsHorz());
    if (moved != m_trackerRect) {
        OnInvertTracker();
        m_trackerRect = moved;
        OnInvertTracker();
    }
}

void CoolDialogBar::OnLButtonUp(uint32_t flags, fw::Point point)
{
    if (!m_tracking) {
        Default();
        return;
    }
    OnMouseMove(flags, point);
    StopTracking(true);
}

void CoolDialogBar::OnCaptureChanged(fw::Wnd* newCapture)
{
    if (m_tracking && newCapture != this)
        StopTracking(false);
    Default();
}

void CoolDialogBar::StartTracking()
{
    fw::FrameWnd* frame = GetDockingFrame();
    SetCapture();
    if (frame != nullptr) {
        frame->UpdateWindow(); // every child drawn now, before the frame's updates are locked
        m_trackerDC = std::make_unique<fw::LockedFrameDC>(frame);
    }
    m_oldPoint = m_edgeRect.CenterPoint();
    m_tracking = true;
    m_trackerRect = cool::TrackerStartRect(m_edgeRect, IsHorz());
    OnInvertTracker();
}

void CoolDialogBar::StopTracking(bool accept)
{
    OnInvertTracker();
    m_trackerDC.reset(); // unlocks the frame
    m_tracking = false;
    ReleaseCapture();
    if (!accept)
        return;

    fw::FrameWnd* frame = GetDockingFrame();
    const bool horizontal = IsHorz();
    int size = horizontal ? m_horzSize.cy : m_vertSize.cx;
    const fw::Rect frameRect = frame != nullptr ? frame->GetWindowRect() : fw::Rect();
    const int frameExtent = horizontal ? frameRect.Height() : frameRect.Width();
    const fw::Point movement = m_trackerRect.CenterPoint() - m_oldPoint;
    size = cool::ResizedExtent(Side(), size, movement, frameExtent, horizontal ? m_minSize.cy : m_minSize.cx);
    if (horizontal) {
        m_horzSize.cy = size;
    } else {
        m_vertSize.cx = size;
    }
    if (frame != nullptr)
        frame->RecalcLayout();
}

void CoolDialogBar::OnInvertTracker()
{
    assert(!m_trackerRect.IsEmpty() && m_tracking);
    if (!m_trackerDC || m_trackerRect.IsEmpty())
        return;
    fw::FrameWnd* frame = GetDockingFrame();
    if (frame == nullptr)
        return;
    // In the frame's window coordinates, a pixel inside the tracker rectangle on every side.
    const fw::Point offset = GetWindowRect().TopLeft() - frame->GetWindowRect().TopLeft();
    const fw::Rect rect = m_trackerRect.Offset(offset).Deflate(1);
    m_trackerDC->InvertHalftone(rect);
    m_trackerShown = !m_trackerShown;
    m_trackerFrameRect = rect;
}

fw::Size CoolDialogBar::CalcFixedLayout(bool stretch, bool horizontal)
{
    fw::FrameWnd* frame = GetDockingFrame();
    const int topLength = frame != nullptr ? frame->GetDockLength(fw::IDW_DOCKBAR_TOP) : 0;
    const int leftLength = frame != nullptr ? frame->GetDockLength(fw::IDW_DOCKBAR_LEFT) : 0;
    const DockSide side = IsFloating() ? DockSide::Floating : (horizontal ? DockSide::Top : DockSide::Left);
    return cool::FixedLayout(side, stretch, horizontal, m_floatSize, m_horzSize, m_vertSize, topLength, leftLength);
}

fw::Size CoolDialogBar::CalcDynamicLayout(int length, uint32_t mode)
{
    using namespace fw::LayoutMode;
    if (mode & (HorzDock | VertDock)) {
        if (!m_inRecalc) {
            m_inRecalc = true;
            RecalcNonClient();
            m_inRecalc = false;
        }
        if (fw::FrameWnd* frame = GetDockingFrame())
            frame->RecalcLayout();
        return CalcFixedLayout((mode & Stretch) != 0, (mode & Horz) != 0);
    }
    if (IsFloating()) {
        if (length >= 0) {
            if (mode & LengthY) {
                m_floatSize.cy = std::max(length, m_minSize.cy);
            } else {
                m_floatSize.cx = std::max(length, m_minSize.cx);
            }
        }
        return m_floatSize;
    }
    return CalcFixedLayout((mode & Stretch) != 0, (mode & Horz) != 0);
}
