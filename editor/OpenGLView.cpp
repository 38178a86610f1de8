#include "OpenGLView.h"

#include "EditorPlatform.h"
#include "QuorvanDoc.h"
#include "orvex/render/GlApi.h"

#include <cstdio>

FW_IMPLEMENT_DYNCREATE(COpenGLView, fw::View)

COpenGLView::COpenGLView() = default;

COpenGLView::~COpenGLView()
{
    COpenGLView::OnDestroy();
}

CQuorvanDoc* COpenGLView::GetDocument() const
{
    return dynamic_cast<CQuorvanDoc*>(fw::View::GetDocument());
}

int COpenGLView::OnCreate()
{
    if (fw::View::OnCreate() == -1)
        return -1;
    InstallEditorPlatform();
    if (!m_window.Create(this))
        return -1;
    if (!m_device.Create(m_window.Handle())) {
        m_device.Destroy();
        return -1;
    }
    m_window.AdoptCurrentContext();
    m_deviceCreated = true;
    m_device.SetDefaultState();
    m_font.Create("Comic Sans MS", 16); // without it the overlay draws nothing
    return 0;
}

void COpenGLView::OnDestroy()
{
    if (!m_deviceCreated)
        return;
    MakeCurrent(); // the font's texture belongs to this window's context
    m_font.Destroy();
    m_device.Destroy();
    m_window.ReleaseContext();
    m_deviceCreated = false;
}

void COpenGLView::OnSize(int, int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || !m_deviceCreated)
        return;
    MakeCurrent();
    m_device.SetViewport(0, 0, cx, cy);
    m_width = cx;
    m_height = cy;
}

void COpenGLView::OnDraw(fw::DC&) {}

void COpenGLView::OnLButtonDown(uint32_t, fw::Point) {}
void COpenGLView::OnLButtonUp(uint32_t, fw::Point) {}
void COpenGLView::OnRButtonDown(uint32_t, fw::Point) {}
void COpenGLView::OnRButtonUp(uint32_t, fw::Point) {}
void COpenGLView::OnMouseMove(uint32_t, fw::Point) {}
bool COpenGLView::OnMouseWheel(uint32_t, short, fw::Point)
{
    return false;
}

bool COpenGLView::MakeCurrent()
{
    return m_window.MakeCurrent();
}

void COpenGLView::PrepareFrame()
{
    MakeCurrent();
    m_device.SetPerspective(m_width, m_height);
    m_device.BeginFrame();
}

void COpenGLView::PresentFrame()
{
    m_device.EndFrame();
}

void COpenGLView::RenderFrame()
{
    m_device.SetOrtho(m_width, m_height);
    CQuorvanDoc* document = GetDocument();
    if (document == nullptr)
        return;

    // The text's black background adds nothing to the picture.
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

    char text[256];
    const char* driver = m_device.GetDriverName();
    std::snprintf(text, sizeof text, "%s", driver != nullptr ? driver : "");
    m_font.SetColor(0x00FFFF);
    m_font.DrawString(0, 0, text);

    std::snprintf(text, sizeof text, "FPS: %03d", static_cast<int>(document->m_fps));
    m_font.SetColor(0xFFFF00);
    m_font.DrawString(0, 16, text);

    gl.glDisable(GL_BLEND);
    document->UpdateFps();
}
