#pragma once
// The inverted line shown while a docking bar is resized, over a frame whose updates are locked.
// It inverts every other pixel (a half-tone pattern) of a picture of the frame taken when the
// resize began, in a window of its own above everything, so it shows over native child windows
// such as an OpenGL view too.
#include <QImage>
#include <QPointer>
#include <QWidget>

class QtTrackerOverlay : public QWidget {
    Q_OBJECT
public:
    QtTrackerOverlay();

    // Takes the picture of frame's area on screen that the tracker shows inverted until End.
    void Begin(QWidget* frame);
    void End();

    // Inverts rect (frame coordinates): shows the tracker there, or, called again with the
    // same rect, removes it, just as inverting twice restores the pixels.
    void Invert(const QRect& frameRect);

    bool IsShown() const { return m_shown; }
    QRect FrameRect() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> m_frame;
    QImage m_snapshot;
    QImage m_inverted;
    QRect m_rect;
    bool m_shown = false;
};
