// fw::DC on Qt: a QPainter of a paint event, or font metrics only, or the tracker overlay of a
// locked frame.
#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "framework/qt/QtTrackerOverlay.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace fw {
namespace {

QPalette PaletteOf(const DC::Impl& impl)
{
    return impl.font != nullptr ? impl.font->palette() : QApplication::palette();
}

QFont FontOf(const DC::Impl& impl)
{
    if (impl.hasSelected)
        return impl.selected;
    return impl.font != nullptr ? impl.font->font() : QApplication::font();
}

// Inverts every other pixel of rect, on the checkerboard of the surface's origin.
void XorPattern(QPainter& painter, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setBrushOrigin(-painter.transform().map(QPoint(0, 0)));
    painter.fillRect(rect, QBrush(Qt::white, Qt::Dense4Pattern));
    painter.restore();
}

} // namespace

DC::DC(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

DC::~DC() = default;

void DC::FillSolidRect(const Rect& rect, Color color)
{
    if (m_impl->painter != nullptr && !rect.IsEmpty())
        m_impl->painter->fillRect(qt::ToQ(rect), qt::ToQColor(color));
}

void DC::DrawCaptionButton(const Rect& rect, CaptionButton button, bool pushed)
{
    QPainter* painter = m_impl->painter;
    if (painter == nullptr || rect.IsEmpty())
        return;
    const QPalette palette = PaletteOf(*m_impl);
    const QRect r = qt::ToQ(rect);
    painter->fillRect(r, palette.color(QPalette::Button));
    if (pushed) {
        DrawEdge(rect, EdgeStyle::Sunken);
    } else {
        DrawEdge(rect, EdgeStyle::Raised);
    }
    const QRect inner = r.adjusted(3, 3, -3, -3).translated(pushed ? 1 : 0, pushed ? 1 : 0);
    if (inner.width() < 2 || inner.height() < 2)
        return;
    painter->save();
    const QColor ink = palette.color(QPalette::ButtonText);
    switch (button) {
    case CaptionButton::Close:
        painter->setPen(QPen(ink, 1.5));
        painter->setRenderHint(QPainter::Antialiasing);
        painter->drawLine(QPointF(inner.left(), inner.top()),
                          QPointF(inner.left() + inner.width(), inner.top() + inner.height()));
        painter->drawLine(QPointF(inner.left() + inner.width(), inner.top()),
                          QPointF(inner.left(), inner.top() + inner.height()));
        break;
    case CaptionButton::Minimize:
        painter->fillRect(inner.x(), inner.y() + inner.height() - 2, inner.width() / 2 + 1, 2, ink);
        break;
    case CaptionButton::Maximize:
    case CaptionButton::Restore:
        painter->fillRect(inner.x(), inner.y(), inner.width(), 2, ink);
        painter->fillRect(inner.x(), inner.y(), 1, inner.height(), ink);
        painter->fillRect(inner.x() + inner.width() - 1, inner.y(), 1, inner.height(), ink);
        painter->fillRect(inner.x(), inner.y() + inner.height() - 1, inner.width(), 1, ink);
        break;
    }
    painter->restore();
}

void DC::DrawFocusRect(const Rect& rect)
{
    QPainter* painter = m_impl->painter;
    if (painter == nullptr || rect.IsEmpty())
        return;
    const QRect r = qt::ToQ(rect);
    XorPattern(*painter, QRect(r.left(), r.top(), r.width(), 1));
    XorPattern(*painter, QRect(r.left(), r.bottom(), r.width(), 1));
    XorPattern(*painter, QRect(r.left(), r.top() + 1, 1, r.height() - 2));
    XorPattern(*painter, QRect(r.right(), r.top() + 1, 1, r.height() - 2));
}

void DC::InvertHalftone(const Rect& rect)
{
    if (m_impl->overlay != nullptr) {
        m_impl->overlay->Invert(qt::ToQ(rect));
        return;
    }
    if (m_impl->painter != nullptr)
        XorPattern(*m_impl->painter, qt::ToQ(rect));
}

void DC::SelectFont(const Font& font)
{
    QFont selected = m_impl->font != nullptr ? m_impl->font->font() : QApplication::font();
    if (!font.face.empty())
        selected.setFamily(qt::ToQ(font.face));
    if (font.points > 0)
        selected.setPointSize(font.points);
    selected.setBold(font.bold);
    m_impl->selected = selected;
    m_impl->hasSelected = true;
    if (m_impl->painter != nullptr)
        m_impl->painter->setFont(selected);
}

void DC::SetTextColor(Color color)
{
    m_impl->textColor = qt::ToQColor(color);
}

void DC::DrawString(const std::string& text, const Rect& rect, uint32_t format)
{
    QPainter* painter = m_impl->painter;
    if (painter == nullptr)
        return;
    int flags = 0;
    if (format & TextFormat::Center) {
        flags |= Qt::AlignHCenter;
    } else if (format & TextFormat::Right) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    flags |= (format & TextFormat::VCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    if (format & TextFormat::SingleLine)
        flags |= Qt::TextSingleLine;
    const QRect r = qt::ToQ(rect);
    QString shown = qt::ToQ(text);
    if (format & TextFormat::EndEllipsis)
        shown = QFontMetrics(FontOf(*m_impl)).elidedText(shown, Qt::ElideRight, r.width());
    painter->save();
    painter->setFont(FontOf(*m_impl));
    painter->setPen(m_impl->textColor);
    painter->drawText(r, flags, shown);
    painter->restore();
}

Size DC::GetTextExtent(const std::string& text) const
{
    const QSize size = QFontMetrics(FontOf(*m_impl)).size(Qt::TextSingleLine, qt::ToQ(text));
    return Size{size.width(), size.height()};
}

ClientDC::ClientDC(const Wnd* wnd) : DC(qt::PaintImpl(nullptr, qt::WidgetOf(wnd))) {}

namespace {

std::unique_ptr<DC::Impl> LockedImpl(FrameWnd* frame)
{
    auto impl = qt::PaintImpl(nullptr, qt::WidgetOf(frame));
    QWidget* widget = qt::WidgetOf(frame);
    if (widget != nullptr) {
        impl->overlay = new QtTrackerOverlay();
        // Everything drawn now; the tracker inverts this picture of the frame. The frame itself
        // keeps painting, so what the moving tracker uncovers is restored at once.
        widget->repaint();
        impl->overlay->Begin(widget);
    }
    return impl;
}

} // namespace

LockedFrameDC::LockedFrameDC(FrameWnd* frame) : DC(LockedImpl(frame)) {}

LockedFrameDC::~LockedFrameDC()
{
    if (QtTrackerOverlay* overlay = GetImpl()->overlay) {
        overlay->End();
        delete overlay;
        GetImpl()->overlay = nullptr;
    }
}

} // namespace fw
