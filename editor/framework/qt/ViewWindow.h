#pragma once
// The native window an OpenGL view draws into: a QWindow with an OpenGL surface, embedded in
// the view with QWidget::createWindowContainer. It hands its size, mouse and wheel messages to
// the view's handlers, in the view's terms (pixels of the window, button flags, wheel delta).
#include <QPointer>
#include <QWindow>

class ViewWindow : public QWindow {
    Q_OBJECT
public:
    // view: the view's peer widget, whose object gets the messages.
    explicit ViewWindow(QWidget* view);

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QPointer<QWidget> m_view;
};
