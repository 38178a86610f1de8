// What a drawing surface does with its toolkit's solid rectangles alone.
#include "framework/DC.h"

#include "framework/System.h"

namespace fw {

void DC::FrameRect(const Rect& rect, Color color)
{
    Draw3dRect(rect, color, color);
}

void DC::Draw3dRect(const Rect& rect, Color topLeft, Color bottomRight)
{
    if (rect.IsEmpty())
        return;
    const int w = rect.Width();
    const int h = rect.Height();
    FillSolidRect(Rect::FromSize(rect.left, rect.top, w - 1, 1), topLeft);
    FillSolidRect(Rect::FromSize(rect.left, rect.top, 1, h - 1), topLeft);
    FillSolidRect(Rect::FromSize(rect.right - 1, rect.top, 1, h), bottomRight);
    FillSolidRect(Rect::FromSize(rect.left, rect.bottom - 1, w, 1), bottomRight);
}

void DC::DrawEdge(const Rect& rect, uint32_t edge)
{
    // Outer ring: 3-D light and dark shadow raised, the other way round sunken; inner ring:
    // button highlight and shadow.
    Rect ring = rect;
    if (edge & EdgeStyle::RaisedOuter) {
        Draw3dRect(ring, GetSysColor(SysColor::Light3d), GetSysColor(SysColor::DkShadow3d));
    } else if (edge & EdgeStyle::SunkenOuter) {
        Draw3dRect(ring, GetSysColor(SysColor::BtnShadow), GetSysColor(SysColor::BtnHighlight));
    }
    if (edge & (EdgeStyle::RaisedOuter | EdgeStyle::SunkenOuter))
        ring = ring.Deflate(1);
    if (edge & EdgeStyle::RaisedInner) {
        Draw3dRect(ring, GetSysColor(SysColor::BtnHighlight), GetSysColor(SysColor::BtnShadow));
    } else if (edge & EdgeStyle::SunkenInner) {
        Draw3dRect(ring, GetSysColor(SysColor::DkShadow3d), GetSysColor(SysColor::Light3d));
    }
}

} // namespace fw
