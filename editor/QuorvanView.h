#pragma once
// The editor's view: the document's scene in an OpenGL window with an orbit camera. A left
// drag turns the scene (a degree a pixel), a right drag moves it (a tenth of a unit a pixel)
// and the wheel moves the camera along its axis (delta / 50 units).
#include "OpenGLView.h"
#include "orvex/render/Camera.h"
#include "orvex/render/ViewFraming.h"

class CQuorvanView : public COpenGLView {
    FW_DECLARE_DYNCREATE(CQuorvanView)
public:
    // A new view looks from 50 units away; every successful open resets it to 5.
    CQuorvanView();

    // Perspective and clear, camera, the document's scene (updated, then drawn, framed as Fit
    // Scene left it), overlay, swap.
    void RenderFrame() override;

    // View > Fit Scene: the camera, turned as it is, goes back to the middle at kFitDistance,
    // and the scene's view is scaled about its centre until all of it fills most of the view,
    // whatever the scene's size. Needs a scene; the framing lasts until the next open.
    void OnViewFitScene();
    const ViewFraming& GetFraming() const { return m_framing; }
    void SetFraming(const ViewFraming& framing) { m_framing = framing; }

    void OnLButtonDown(uint32_t flags, fw::Point point) override;
    void OnLButtonUp(uint32_t flags, fw::Point point) override;
    void OnRButtonDown(uint32_t flags, fw::Point point) override;
    void OnRButtonUp(uint32_t flags, fw::Point point) override;
    void OnMouseMove(uint32_t flags, fw::Point point) override;
    bool OnMouseWheel(uint32_t flags, short delta, fw::Point point) override;
    void OnDraw(fw::DC& dc) override;

    Camera& GetCamera() { return m_camera; }
    bool IsLeftDown() const { return m_leftDown != 0; }
    bool IsRightDown() const { return m_rightDown != 0; }
    fw::Point GetLastPoint() const { return m_lastPoint; }

    // Where Fit Scene puts the camera: far enough that a wheel notch (2.4 units) zooms by about
    // a tenth and a right drag of 60 pixels moves the framed scene by about its radius.
    static constexpr float kFitDistance = 20.0f;

protected:
    Camera m_camera;
    ViewFraming m_framing;
    int32_t m_leftDown = 0;
    int32_t m_rightDown = 0;
    fw::Point m_lastPoint{0, 0};
};
