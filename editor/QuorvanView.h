#pragma once
// The editor's view: the document's scene in an OpenGL window with an orbit camera. A left
// drag turns the scene (a degree a pixel), a right drag moves it (a tenth of a unit a pixel)
// and the wheel moves the camera along its axis (delta / 50 units).
#include "OpenGLView.h"
#include "render/Camera.h"

class CQuorvanView : public COpenGLView {
    Q_OBJECT
public:
    // A new view looks from 50 units away; every successful open resets it to 5.
    Q_INVOKABLE CQuorvanView();

    // Perspective and clear, camera, the document's scene (updated, then drawn), overlay, swap.
    void RenderFrame() override;

    void OnLButtonDown(uint32_t flags, QPoint point) override;
    void OnLButtonUp(uint32_t flags, QPoint point) override;
    void OnRButtonDown(uint32_t flags, QPoint point) override;
    void OnRButtonUp(uint32_t flags, QPoint point) override;
    void OnMouseMove(uint32_t flags, QPoint point) override;
    bool OnMouseWheel(uint32_t flags, short delta, QPoint point) override;
    void OnDraw() override;

    Camera& GetCamera() { return m_camera; }
    bool IsLeftDown() const { return m_leftDown != 0; }
    bool IsRightDown() const { return m_rightDown != 0; }
    QPoint GetLastPoint() const { return m_lastPoint; }

protected:
    Camera m_camera;
    int32_t m_leftDown = 0;
    int32_t m_rightDown = 0;
    QPoint m_lastPoint{0, 0};
};
