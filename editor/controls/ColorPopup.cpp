#include "controls/ColorPopup.h"

#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/CommonDialogs.h"
#include "framework/DC.h"
#include "framework/Keys.h"
#include "framework/System.h"

FW_IMPLEMENT_DYNAMIC(ColorPopup, fw::Wnd)

ColorPopup::ColorPopup()
{
    Initialise();
}

ColorPopup::ColorPopup(fw::Point screenPoint, GdiColor color, fw::Wnd* parent, std::optional<std::string> defaultText,
                       std::optional<std::string> customText)
{
    Initialise();
    m_parent = parent;
    m_initialColor = color;
    m_color = color;
    m_defaultText = defaultText.value_or("Select Color");
    m_customText = customText.value_or("Custom Color");
    Create(screenPoint, color, parent, m_defaultText, m_customText);
}

ColorPopup::~ColorPopup() = default;

void ColorPopup::Initialise()
{
    m_embedded = false;
    const int margin = fw::GetSystemMetric(fw::SysMetric::CxEdge);
    m_layout = colorpopup::Layout(0, 0, kColorPopupCount, colorpopup::kBoxSize, margin, false, {}, false, {});
    m_colorDialog = &ColorPopup::RunSystemColorDialog;
}

bool ColorPopup::Create(fw::Point screenPoint, GdiColor color, fw::Wnd* parent, std::optional<std::string> defaultText,
                        std::optional<std::string> customText)
{
    if (parent == nullptr || !parent->IsWindow() || IsOpen())
        return false;

    m_parent = parent;
    m_initialColor = color;
    m_color = color;
    m_ending = false;
    if (defaultText)
        m_defaultText = *defaultText;
    if (customText)
        m_customText = *customText;

    // A visible pop-up window at the point, 100 x 100 until it is sized, owned by the parent.
    if (!CreateEx(0, std::string(), fw::WinStyle::Popup | fw::WinStyle::Visible,
                  fw::Rect::FromSize(screenPoint, fw::Size{100, 100}), parent, 0)) {
        return false;
    }
    SizeWindow(screenPoint);
    CreateToolTips();
    m_chosen = colorpopup::FindChosenCell(m_layout, kColorPopupTable, color);
    m_current = m_chosen;
    SetCapture();
    SetFocus();
    return true;
}

void ColorPopup::SizeWindow(fw::Point screenPoint)
{
    const fw::ClientDC dc(this);
    auto extent = [&](const std::string& text) {
        const fw::Size size = dc.GetTextExtent(text);
        return colorpopup::TextExtent{size.cx, size.cy};
    };
    const bool hasDefault = !m_defaultText.empty();
    const bool hasCustom = !m_customText.empty();
    m_layout = colorpopup::Layout(screenPoint.x, screenPoint.y, kColorPopupCount, colorpopup::kBoxSize,
                                  fw::GetSystemMetric(fw::SysMetric::CxEdge), hasDefault,
                                  hasDefault ? extent(m_defaultText) : colorpopup::TextExtent{}, hasCustom,
                                  hasCustom ? extent(m_customText) : colorpopup::TextExtent{});

    const fw::Rect screen = fw::ScreenRectAt(screenPoint);
    const colorpopup::Rect screenRect{screen.left, screen.top, screen.right, screen.bottom};
    fw::Wnd* parent = m_parent;
    const int parentHeight = parent != nullptr ? parent->GetWindowRect().Height() : 0;
    m_layout.windowRect = colorpopup::KeepOnScreen(m_layout.windowRect, screenRect, parentHeight);

    const colorpopup::Rect& w = m_layout.windowRect;
    MoveWindow(fw::Rect{w.left, w.top, w.right, w.bottom});
    Invalidate();
}

void ColorPopup::CreateToolTips()
{
    // One tool per colour cell, naming its colour.
    m_toolTips.DelTools();
    if (!m_toolTips.Create(this))
        return;
    for (int i = 0; i < m_layout.count; ++i)
        m_toolTips.AddTool(kColorPopupTable[static_cast<size_t>(i)].name, CellArea(i), static_cast<uint32_t>(i + 1));
}

void ColorPopup::SetColorDialog(ColorDialogRunner runner)
{
    m_colorDialog = runner ? std::move(runner) : ColorDialogRunner(&ColorPopup::RunSystemColorDialog);
}

std::optional<GdiColor> ColorPopup::RunSystemColorDialog(fw::Wnd* parent, GdiColor initial)
{
    fw::ColorDialog dialog(initial, fw::ColorDialog::FullOpen | fw::ColorDialog::AnyColor | fw::ColorDialog::RgbInit,
                           parent);
    if (dialog.DoModal() != fw::IdOk)
        return std::nullopt;
    return dialog.GetColor();
}

fw::Rect ColorPopup::CellArea(int index) const
{
    colorpopup::Rect r;
    if (index == colorpopup::kCustomBox && m_layout.hasCustom)
        r = m_layout.customRect;
    else if (index == colorpopup::kDefaultBox && m_layout.hasDefault)
        r = m_layout.defaultRect;
    else if (index >= 0 && index < m_layout.count)
        r = colorpopup::CellRect(m_layout, index);
    else
        return {};
    return fw::Rect{r.left, r.top, r.right, r.bottom};
}

void ColorPopup::ChangeSelection(int index)
{
    const bool valid = (index >= 0 && index < m_layout.count) ||
                       (index == colorpopup::kCustomBox && m_layout.hasCustom) ||
                       (index == colorpopup::kDefaultBox && m_layout.hasDefault);
    if (!valid)
        return;

    InvalidateRect(CellArea(m_current));
    m_current = index;
    InvalidateRect(CellArea(m_current));

    if (index == colorpopup::kCustomBox) {
        Send(ColorPopupSelChange, m_initialColor);
        return;
    }
    m_color =
        index == colorpopup::kDefaultBox ? kColorPopupDefaultColor : kColorPopupTable[static_cast<size_t>(index)].color;
    Send(ColorPopupSelChange, m_color);
}

void ColorPopup::EndSelection(uint32_t message)
{
    if (m_ending)
        return;
    m_ending = true;

    ReleaseCapture();
    // Out of the way, so the colour dialog below gets the input.
    ShowWindow(fw::ShowCmd::Hide);

    if (message != ColorPopupSelEndCancel && m_current == colorpopup::kCustomBox) {
        const std::optional<GdiColor> picked = m_colorDialog(m_parent, m_initialColor);
        if (picked)
            m_color = *picked;
        else
            message = ColorPopupSelEndCancel;
    }
    if (message == ColorPopupSelEndCancel)
        m_color = m_initialColor;

    fw::WndRef<ColorPopup> self(this);
    Send(message, m_color);
    if (self)
        DestroyWindow(); // a popup that is not embedded goes with its window (PostNcDestroy)
}

void ColorPopup::Send(uint32_t message, GdiColor color)
{
    if (fw::Wnd* parent = m_parent)
        parent->Send(message, color, 0);
}

void ColorPopup::OnMouseMove(uint32_t, fw::Point point)
{
    const int cell = colorpopup::CellFromPoint(m_layout, point.x, point.y);
    if (cell != colorpopup::kNoCell && cell != m_current)
        ChangeSelection(cell);
}

void ColorPopup::OnLButtonDown(uint32_t, fw::Point)
{
    // Taken, and nothing else: the release decides.
}

void ColorPopup::OnLButtonUp(uint32_t, fw::Point point)
{
    const fw::Point screen = ClientToScreen(point);
    EndSelection(m_layout.windowRect.Contains(screen.x, screen.y) ? ColorPopupSelEndOk : ColorPopupSelEndCancel);
}

void ColorPopup::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags)
{
    using colorpopup::ArrowKey;
    switch (key) {
    case fw::Key::Down:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Down));
        return;
    case fw::Key::Up:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Up));
        return;
    case fw::Key::Right:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Right));
        return;
    case fw::Key::Left:
        ChangeSelection(colorpopup::Navigate(m_layout, m_current, ArrowKey::Left));
        return;
    case fw::Key::Return:
    case fw::Key::Space:
        EndSelection(ColorPopupSelEndOk);
        return;
    case fw::Key::Escape:
        m_color = m_initialColor;
        EndSelection(ColorPopupSelEndCancel);
        return;
    default:
        fw::Wnd::OnKeyDown(key, repeat, flags);
    }
}

void ColorPopup::OnKillFocus(fw::Wnd* newFocus)
{
    fw::Wnd::OnKillFocus(newFocus);
    if (GetCapture() == this)
        ReleaseCapture();
}

void ColorPopup::OnActivateApp(bool active)
{
    fw::Wnd::OnActivateApp(active);
    if (!active && IsOpen())
        EndSelection(ColorPopupSelEndCancel);
}

void ColorPopup::OnClose()
{
    if (IsOpen())
        EndSelection(ColorPopupSelEndCancel);
}

void ColorPopup::PostNcDestroy()
{
    if (!m_embedded)
        delete this;
}
