// Painting of the colour popup: cells, the two boxes and the 3-D edges in the desktop's colours
// for 3-D controls (button face, highlight, 3-D light and shadows).
#include "controls/ColorPopup.h"

#include "framework/DC.h"
#include "framework/System.h"

using fw::EdgeStyle::RaisedInner;
using fw::EdgeStyle::SunkenOuter;

namespace {

fw::Color Sys(fw::SysColor index)
{
    return fw::GetSysColor(index);
}

// Highlighted cells look raised; the cell of the opening colour looks pressed in.
void DrawCellEdge(fw::DC& dc, const fw::Rect& r, bool highlighted, bool chosen)
{
    if (highlighted)
        dc.DrawEdge(r, RaisedInner);
    else if (chosen)
        dc.DrawEdge(r, SunkenOuter);
}

} // namespace

void ColorPopup::OnPaint(fw::DC& dc)
{
    if (m_layout.hasDefault)
        DrawDefaultBox(dc);
    for (int i = 0; i < m_layout.count; ++i)
        DrawCell(dc, i);
    if (m_layout.hasCustom)
        DrawCustomBox(dc);
    dc.DrawEdge(GetClientRect(), fw::EdgeStyle::Raised);
}

void ColorPopup::DrawCell(fw::DC& dc, int index) const
{
    const fw::Rect r = CellArea(index);
    const bool highlighted = index == m_current;
    const bool chosen = index == m_chosen;

    dc.FillSolidRect(r, Sys(chosen && !highlighted ? fw::SysColor::BtnHighlight : fw::SysColor::BtnFace));
    DrawCellEdge(dc, r, highlighted, chosen);

    // The swatch, outlined in the shadow colour.
    const fw::Rect swatch = r.Deflate(m_layout.margin + 1);
    if (swatch.IsEmpty())
        return;
    dc.FillSolidRect(swatch, kColorPopupTable[static_cast<size_t>(index)].color);
    dc.FrameRect(swatch, Sys(fw::SysColor::BtnShadow));
}

void ColorPopup::DrawCustomBox(fw::DC& dc) const
{
    const int m = m_layout.margin;
    fw::Rect r = CellArea(colorpopup::kCustomBox);

    // Separator in the top 2 x margin pixels: an etched line across the popup.
    const int lineY = r.top + m - 1;
    const int lineLength = GetClientRect().Width() - 4 * m;
    dc.FillSolidRect(fw::Rect::FromSize(2 * m, lineY, lineLength, 1), Sys(fw::SysColor::BtnShadow));
    dc.FillSolidRect(fw::Rect::FromSize(2 * m, lineY + 1, lineLength, 1), Sys(fw::SysColor::BtnHighlight));

    r.top += 2 * m;
    dc.FillSolidRect(r, Sys(fw::SysColor::BtnFace));
    r = r.Deflate(1);
    const bool highlighted = m_current == colorpopup::kCustomBox;
    const bool chosen = m_chosen == colorpopup::kCustomBox;
    dc.FillSolidRect(r, Sys(chosen && !highlighted ? fw::SysColor::Light3d : fw::SysColor::BtnFace));
    DrawCellEdge(dc, r, highlighted, chosen);

    dc.SetTextColor(Sys(fw::SysColor::BtnText));
    dc.DrawString(m_customText, r, fw::TextFormat::Center | fw::TextFormat::VCenter | fw::TextFormat::SingleLine);
}

void ColorPopup::DrawDefaultBox(fw::DC& dc) const
{
    const int m = m_layout.margin;
    fw::Rect r = CellArea(colorpopup::kDefaultBox);

    dc.FillSolidRect(r, Sys(fw::SysColor::BtnFace));
    r = r.Deflate(1);
    const bool highlighted = m_current == colorpopup::kDefaultBox;
    const bool chosen = m_chosen == colorpopup::kDefaultBox;
    dc.FillSolidRect(r, Sys(chosen && !highlighted ? fw::SysColor::Light3d : fw::SysColor::BtnFace));
    const fw::Rect hollow = r.Deflate(2 * m);
    if (!hollow.IsEmpty())
        dc.FrameRect(hollow, Sys(fw::SysColor::BtnShadow));
    DrawCellEdge(dc, r, highlighted, chosen);

    dc.SetTextColor(Sys(fw::SysColor::BtnText));
    dc.DrawString(m_defaultText, r, fw::TextFormat::Center | fw::TextFormat::VCenter | fw::TextFormat::SingleLine);
}
