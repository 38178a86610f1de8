#include "framework/qt/ViewWindow.h"

#include "framework/Wnd.h"
#include "framework/qt/QtGlContext.h"
#include "framework/qt/QtWnd.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

using fw::Point;
using fw::Wnd;

ViewWindow::ViewWindow(QWidget* view) : m_view(view)
{
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(qtgl::WindowFormat());
}

void ViewWindow::exposeEvent(QExposeEvent*)
{
    // Nothing to paint here: the view draws from the application's idle time.
}

void ViewWindow::resizeEvent(QResizeEvent* event)
{
    QWindow::resizeEvent(event);
    const qreal ratio = devicePixelRatio();
    const int cx = qRound(event->size().width() * ratio);
    const int cy = qRound(event->size().height() * ratio);
    fw::qt::Dispatch(m_view, [&](Wnd& wnd) { wnd.OnSize(fw::SizeType::Restored, cx, cy); });
}

void ViewWindow::mousePressEvent(QMouseEvent* event)
{
    const uint32_t flags = fw::qt::MouseFlags(event->buttons(), event->modifiers());
    const Point point = fw::qt::FromQ(event->position().toPoint());
    fw::qt::Dispatch(m_view, [&](Wnd& wnd) {
        if (event->button() == Qt::LeftButton)
            wnd.OnLButtonDown(flags, point);
        if (event->button() == Qt::RightButton)
            wnd.OnRButtonDown(flags, point);
    });
}

void ViewWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const uint32_t flags = fw::qt::MouseFlags(event->buttons(), event->modifiers());
    const Point point = fw::qt::FromQ(event->position().toPoint());
    fw::qt::Dispatch(m_view, [&](Wnd& wnd) {
        if (event->button() == Qt::LeftButton)
            wnd.OnLButtonUp(flags, point);
        if (event->button() == Qt::RightButton)
            wnd.OnRButtonUp(flags, point);
    });
}

void ViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    const uint32_t flags = fw::qt::MouseFlags(event->buttons(), event->modifiers());
    const Point point = fw::qt::FromQ(event->position().toPoint());
    fw::qt::Dispatch(m_view, [&](Wnd& wnd) { wnd.OnMouseMove(flags, point); });
}

void ViewWindow::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y(); // 120 a notch, positive away from the user
    if (delta == 0)
        return;
    const uint32_t flags = fw::qt::MouseFlags(event->buttons(), event->modifiers());
    const Point screen = fw::qt::FromQ(event->globalPosition().toPoint());
    fw::qt::Dispatch(m_view, [&](Wnd& wnd) { wnd.OnMouseWheel(flags, static_cast<short>(delta), screen); });
}
