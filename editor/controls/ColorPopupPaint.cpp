// Painting of the colour popup: cells, the two boxes and the 3-D edges in the style of the
// Win32 controls it stands in for (button face, highlight, 3-D light and shadows).
#include "controls/ColorPopup.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// One-pixel ring: top and left in `topLeft`, bottom and right in `bottomRight`.
void DrawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void DrawThinRaised(QPainter& p, const QRect& r, const QPalette& pal)
{
    DrawRing(p, r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
}

void DrawThinSunken(QPainter& p, const QRect& r, const QPalette& pal)
{
    DrawRing(p, r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
}

void DrawRaised(QPainter& p, const QRect& r, const QPalette& pal)
{
    DrawRing(p, r, pal.color(QPalette::Midlight), pal.color(QPalette::Shadow));
    DrawThinRaised(p, r.adjusted(1, 1, -1, -1), pal);
}

// Highlighted cells look raised; the cell of the opening colour looks pressed in.
void DrawCellEdge(QPainter& p, const QRect& r, const QPalette& pal, bool highlighted, bool chosen)
{
    if (highlighted)
        DrawThinRaised(p, r, pal);
    else if (chosen)
        DrawThinSunken(p, r, pal);
}

// A filled rectangle with a one-pixel outline covering exactly `r`.
void DrawOutlined(QPainter& p, const QRect& r, const QColor& outline, const QBrush& fill)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

void ColorPopup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_layout.hasDefault)
        DrawDefaultBox(p);
    for (int i = 0; i < m_layout.count; ++i)
        DrawCell(p, i);
    if (m_layout.hasCustom)
        DrawCustomBox(p);
    DrawRaised(p, rect(), palette());
}

void ColorPopup::DrawCell(QPainter& p, int index) const
{
    const QPalette& pal = palette();
    const QRect r = CellArea(index);
    const bool highlighted = index == m_current;
    const bool chosen = index == m_chosen;

    p.fillRect(r, pal.color(chosen && !highlighted ? QPalette::Light : QPalette::Button));
    DrawCellEdge(p, r, pal, highlighted, chosen);

    const int inset = m_layout.margin + 1;
    DrawOutlined(p, r.adjusted(inset, inset, -inset, -inset), pal.color(QPalette::Dark),
                 ToQColor(kColorPopupTable[static_cast<size_t>(index)].color));
}

void ColorPopup::DrawCustomBox(QPainter& p) const
{
    const QPalette& pal = palette();
    const int m = m_layout.margin;
    QRect r = CellArea(colorpopup::kCustomBox);

    // Separator in the top 2 × margin pixels: an etched line across the popup.
    const int lineY = r.top() + m - 1;
    const int lineLength = width() - 4 * m;
    p.fillRect(QRect(2 * m, lineY, lineLength, 1), pal.color(QPalette::Dark));
    p.fillRect(QRect(2 * m, lineY + 1, lineLength, 1), pal.color(QPalette::Light));

    r.setTop(r.top() + 2 * m);
    p.fillRect(r, pal.color(QPalette::Button));
    r.adjust(1, 1, -1, -1);
    const bool highlighted = m_current == colorpopup::kCustomBox;
    const bool chosen = m_chosen == colorpopup::kCustomBox;
    p.fillRect(r, pal.color(chosen && !highlighted ? QPalette::Midlight : QPalette::Button));
    DrawCellEdge(p, r, pal, highlighted, chosen);

    p.setPen(pal.color(QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_customText);
}

void ColorPopup::DrawDefaultBox(QPainter& p) const
{
    const QPalette& pal = palette();
    const int m = m_layout.margin;
    QRect r = CellArea(colorpopup::kDefaultBox);

    p.fillRect(r, pal.color(QPalette::Button));
    r.adjust(1, 1, -1, -1);
    const bool highlighted = m_current == colorpopup::kDefaultBox;
    const bool chosen = m_chosen == colorpopup::kDefaultBox;
    p.fillRect(r, pal.color(chosen && !highlighted ? QPalette::Midlight : QPalette::Button));
    DrawOutlined(p, r.adjusted(2 * m, 2 * m, -2 * m, -2 * m), pal.color(QPalette::Dark), Qt::NoBrush);
    DrawCellEdge(p, r, pal, highlighted, chosen);

    p.setPen(pal.color(QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_defaultText);
}
