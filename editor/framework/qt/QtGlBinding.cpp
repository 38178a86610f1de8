#include "framework/qt/QtGlBinding.h"

#include "framework/qt/QtGlContext.h"

#include <QObject>
#include <QWindow>

#include <cstdlib>
#include <cstring>

namespace {
// The screen's surface: pixel-format questions only.
char screenSurface;
} // namespace

QWindow* QtGlBinding::WindowOf(GlSurfaceHandle surface) const
{
    if (surface == nullptr || surface == &screenSurface)
        return nullptr;
    return static_cast<QWindow*>(surface);
}

GlSurfaceHandle QtGlBinding::GetSurface(WindowHandle window)
{
    if (window == nullptr)
        return &screenSurface;
    auto* qtWindow = static_cast<QWindow*>(window);
    if (qtWindow->surfaceType() != QSurface::OpenGLSurface)
        return nullptr;
    if (qtWindow->handle() == nullptr)
        qtWindow->create();
    return qtWindow->handle() != nullptr ? qtWindow : nullptr;
}

void QtGlBinding::ReleaseSurface(WindowHandle, GlSurfaceHandle) {}

int QtGlBinding::ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request)
{
    if (surface == nullptr)
        return 0;
    // The one format serves every request for an RGBA GL format.
    if (!(request.flags & PFD_SUPPORT_OPENGL) || request.pixelType != PFD_TYPE_RGBA)
        return 0;
    return 1;
}

int QtGlBinding::DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out)
{
    if (surface == nullptr || index != 1)
        return 0;
    const int software = m_softwareProbe.Get(&qtgl::ProbeRenderer);
    if (software < 0)
        return 0;
    DescribeBindingFormat(software != 0, size, out);
    return 1;
}

int QtGlBinding::GetPixelFormat(GlSurfaceHandle surface)
{
    QWindow* window = WindowOf(surface);
    return window != nullptr && m_formatSet.count(window) ? 1 : 0;
}

bool QtGlBinding::SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor&)
{
    QWindow* window = WindowOf(surface);
    if (window == nullptr || index != 1)
        return false;
    if (m_formatSet.insert(window).second) {
        // A window's format goes with it; a later window may reuse the address.
        QObject::connect(window, &QObject::destroyed, [this, window] { m_formatSet.erase(window); });
    }
    return true;
}

GlContextHandle QtGlBinding::CreateContext(GlSurfaceHandle surface)
{
    return qtgl::CreateContext(WindowOf(surface));
}

bool QtGlBinding::DeleteContext(GlContextHandle context)
{
    if (context == nullptr)
        return false;
    qtgl::DeleteContext(static_cast<QOpenGLContext*>(context));
    return true;
}

bool QtGlBinding::MakeCurrent(GlSurfaceHandle surface, GlContextHandle context)
{
    if (context == nullptr)
        return qtgl::MakeCurrent(nullptr, nullptr);
    return qtgl::MakeCurrent(WindowOf(surface), static_cast<QOpenGLContext*>(context));
}

GlContextHandle QtGlBinding::CurrentContext()
{
    return qtgl::CurrentContext();
}

GlSurfaceHandle QtGlBinding::CurrentSurface()
{
    return qtgl::CurrentWindow();
}

GlProc QtGlBinding::GetProcAddress(const char* name)
{
    return qtgl::GetProcAddress(name);
}

bool QtGlBinding::SwapBuffers(GlSurfaceHandle surface)
{
    return qtgl::SwapBuffers(WindowOf(surface));
}

const char* QtGlBinding::Extensions()
{
    return "";
}

bool QtGlBinding::SetSwapInterval(int)
{
    return false;
}

int QtGlBinding::GetSwapInterval()
{
    return qtgl::WindowFormat().swapInterval();
}
