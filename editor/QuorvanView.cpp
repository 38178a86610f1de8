#include "QuorvanView.h"

#include "QuorvanDoc.h"
#include "Resource.h"
#include "framework/Command.h"
#include "orvex/scene/MeshScene.h"

FW_IMPLEMENT_DYNCREATE(CQuorvanView, COpenGLView)

CQuorvanView::CQuorvanView()
{
    m_camera.Reset();
    m_camera.positionZ = 50.0f;
    OnCommand(ID_VIEW_FITSCENE, [this] { OnViewFitScene(); });
    OnUpdateCommandUI(ID_VIEW_FITSCENE, [this](fw::CmdUI& ui) {
        const CQuorvanDoc* document = GetDocument();
        ui.Enable(document != nullptr && document->m_scene != nullptr);
    });
}

void CQuorvanView::RenderFrame()
{
    PrepareFrame();
    m_camera.Apply();
    CQuorvanDoc* document = GetDocument();
    if (document != nullptr && document->m_scene != nullptr) {
        m_framing.Begin();
        document->m_scene->Update();
        document->m_scene->Render();
        m_framing.End();
    }
    COpenGLView::RenderFrame();
    PresentFrame();
}

void CQuorvanView::OnLButtonDown(uint32_t flags, fw::Point point)
{
    m_leftDown = 1;
    m_lastPoint = point;
    SetCapture();
    COpenGLView::OnLButtonDown(flags, point);
}

void CQuorvanView::OnLButtonUp(uint32_t flags, fw::Point point)
{
    m_leftDown = 0;
    ReleaseCapture();
    COpenGLView::OnLButtonUp(flags, point);
}

void CQuorvanView::OnRButtonDown(uint32_t flags, fw::Point point)
{
    m_rightDown = 1;
    m_lastPoint = point;
    SetCapture();
    COpenGLView::OnRButtonDown(flags, point);
}

void CQuorvanView::OnRButtonUp(uint32_t flags, fw::Point point)
{
    m_rightDown = 0;
    ReleaseCapture();
    COpenGLView::OnRButtonUp(flags, point);
}

void CQuorvanView::OnMouseMove(uint32_t flags, fw::Point point)
{
    if (m_leftDown) {
        // Dragging down tilts the scene about x, dragging right turns it about y.
        m_camera.angleX += static_cast<float>(point.y - m_lastPoint.y);
        m_camera.angleY += static_cast<float>(point.x - m_lastPoint.x);
    }
    if (m_rightDown) {
        // The camera moves against the mouse, so the scene follows it.
        m_camera.positionX += static_cast<float>(m_lastPoint.x - point.x) / 10.0f;
        m_camera.positionY += static_cast<float>(point.y - m_lastPoint.y) / 10.0f;
    }
    m_lastPoint = point;
    COpenGLView::OnMouseMove(flags, point);
}

bool CQuorvanView::OnMouseWheel(uint32_t flags, short delta, fw::Point point)
{
    m_camera.positionZ -= static_cast<float>(delta) / 50.0f;
    return COpenGLView::OnMouseWheel(flags, delta, point);
}

void CQuorvanView::OnDraw(fw::DC&) {}

void CQuorvanView::OnViewFitScene()
{
    CQuorvanDoc* document = GetDocument();
    if (document == nullptr || document->m_scene == nullptr)
        return;
    document->m_scene->Update(); // the pose the next frame shows
    m_camera.positionX = 0.0f;
    m_camera.positionY = 0.0f;
    m_camera.positionZ = kFitDistance;
    m_framing = FrameScene(*document->m_scene, m_camera, m_width, m_height, kFramingFill);
}
