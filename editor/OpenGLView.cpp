#include "OpenGLView.h"

#include "QtGlContext.h"
#include "QtPlatform.h"
#include "QuorvanDoc.h"
#include "ViewWindow.h"
#include "orvex/render/GlApi.h"

#include <QVBoxLayout>

#include <cstdio>

COpenGLView::COpenGLView()
{
    m_window = new ViewWindow(this);
    m_container = QWidget::createWindowContainer(m_window, this);
    // Drags over the view go on to the frame, which opens the files dropped on the window. (A
    // container would hand them to the native window, which has no use for them.)
    m_container->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);
}

COpenGLView::~COpenGLView()
{
    COpenGLView::OnDestroy();
}

CQuorvanDoc* COpenGLView::GetDocument() const
{
    return qobject_cast<CQuorvanDoc*>(fw::View::GetDocument());
}

int COpenGLView::OnCreate()
{
    if (fw::View::OnCreate() == -1)
        return -1;
    InstallQtPlatform();
    m_window->create();
    if (!m_device.Create(m_window)) {
        m_device.Destroy();
        return -1;
    }
    m_context = qtgl::CurrentContext();
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
    m_context = nullptr;
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

void COpenGLView::OnDraw() {}

void COpenGLView::paintEvent(QPaintEvent*)
{
    OnDraw();
}

void COpenGLView::OnLButtonDown(uint32_t, QPoint) {}
void COpenGLView::OnLButtonUp(uint32_t, QPoint) {}
void COpenGLView::OnRButtonDown(uint32_t, QPoint) {}
void COpenGLView::OnRButtonUp(uint32_t, QPoint) {}
void COpenGLView::OnMouseMove(uint32_t, QPoint) {}
bool COpenGLView::OnMouseWheel(uint32_t, short, QPoint)
{
    return false;
}

void COpenGLView::SetCapture()
{
    m_window->setMouseGrabEnabled(true);
}

void COpenGLView::ReleaseCapture()
{
    m_window->setMouseGrabEnabled(false);
}

bool COpenGLView::MakeCurrent()
{
    if (m_context == nullptr)
        return false;
    if (qtgl::CurrentContext() == m_context)
        return true;
    return qtgl::MakeCurrent(m_window, m_context);
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
