#include "ViewWindow.h"

#include "OpenGLView.h"
#include "QtGlContext.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

namespace {

// Button and key state as a view's mouse messages carry it.
uint32_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    uint32_t flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= COpenGLView::MkLButton;
    if (buttons & Qt::RightButton)
        flags |= COpenGLView::MkRButton;
    if (buttons & Qt::MiddleButton)
        flags |= COpenGLView::MkMButton;
    if (modifiers & Qt::ShiftModifier)
        flags |= COpenGLView::MkShift;
    if (modifiers & Qt::ControlModifier)
        flags |= COpenGLView::MkControl;
    return flags;
}

} // namespace

ViewWindow::ViewWindow(COpenGLView* view) : m_view(view)
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
    m_view->OnSize(COpenGLView::SizeRestored, qRound(event->size().width() * ratio),
                   qRound(event->size().height() * ratio));
}

void ViewWindow::mousePressEvent(QMouseEvent* event)
{
    const uint32_t flags = MouseFlags(event->buttons(), event->modifiers());
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_view->OnLButtonDown(flags, point);
    if (event->button() == Qt::RightButton)
        m_view->OnRButtonDown(flags, point);
}

void ViewWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const uint32_t flags = MouseFlags(event->buttons(), event->modifiers());
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_view->OnLButtonUp(flags, point);
    if (event->button() == Qt::RightButton)
        m_view->OnRButtonUp(flags, point);
}

void ViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    m_view->OnMouseMove(MouseFlags(event->buttons(), event->modifiers()), event->position().toPoint());
}

void ViewWindow::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y(); // 120 a notch, positive away from the user
    if (delta == 0)
        return;
    m_view->OnMouseWheel(MouseFlags(event->buttons(), event->modifiers()), static_cast<short>(delta),
                         event->position().toPoint());
}
