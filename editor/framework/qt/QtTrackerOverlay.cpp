#include "framework/qt/QtTrackerOverlay.h"

#include <QPainter>
#include <QScreen>

QtTrackerOverlay::QtTrackerOverlay()
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtTrackerOverlay::Begin(QWidget* frame)
{
    m_frame = frame;
    m_snapshot = QImage();
    if (frame == nullptr)
        return;
    if (QScreen* screen = frame->screen()) {
        const QPoint origin = frame->mapToGlobal(QPoint(0, 0));
        const QPoint screenOrigin = screen->geometry().topLeft();
        m_snapshot = screen
                         ->grabWindow(0, origin.x() - screenOrigin.x(), origin.y() - screenOrigin.y(), frame->width(),
                                      frame->height())
                         .toImage()
                         .convertToFormat(QImage::Format_RGB32);
    }
}

void QtTrackerOverlay::End()
{
    if (m_shown)
        hide();
    m_shown = false;
    m_snapshot = QImage();
    m_inverted = QImage();
}

void QtTrackerOverlay::Invert(const QRect& frameRect)
{
    if (m_shown && frameRect == m_rect) {
        hide();
        m_shown = false;
        return;
    }
    m_rect = frameRect;
    m_shown = true;
    if (frameRect.isEmpty() || m_frame.isNull())
        return;

    // Pattern-invert: pixels on the checkerboard of the frame's origin flip, the others stay.
    m_inverted = QImage(frameRect.size(), QImage::Format_RGB32);
    for (int y = 0; y < frameRect.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_inverted.scanLine(y));
        const int fy = frameRect.y() + y;
        for (int x = 0; x < frameRect.width(); ++x) {
            const int fx = frameRect.x() + x;
            const bool inside = m_snapshot.valid(fx, fy);
            const QRgb under = inside ? m_snapshot.pixel(fx, fy) : qRgb(128, 128, 128);
            line[x] = ((fx + fy) & 1) == 0 ? (under ^ 0x00FFFFFFu) | 0xFF000000u : under;
        }
    }
    setGeometry(QRect(m_frame->mapToGlobal(frameRect.topLeft()), frameRect.size()));
    show();
    raise();
    update();
}

void QtTrackerOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_inverted);
}
