// Only Qt's GL headers here: the engine's GL table must not meet <GL/gl.h>.
#include "framework/qt/QtGlContext.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWindow>

namespace qtgl {
namespace {

constexpr unsigned kGlRenderer = 0x1F01;

// Restores the context (and surface) that was current when it was made.
class KeepCurrent {
public:
    KeepCurrent() : m_context(QOpenGLContext::currentContext()), m_surface(m_context ? m_context->surface() : nullptr)
    {
    }
    ~KeepCurrent()
    {
        if (m_context != nullptr && m_surface != nullptr)
            m_context->makeCurrent(m_surface);
    }
    KeepCurrent(const KeepCurrent&) = delete;
    KeepCurrent& operator=(const KeepCurrent&) = delete;

private:
    QOpenGLContext* m_context;
    QSurface* m_surface;
};

} // namespace

QSurfaceFormat WindowFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(0);
    return format;
}

QOpenGLContext* CreateContext(QWindow* window)
{
    if (window == nullptr || window->surfaceType() != QSurface::OpenGLSurface || window->handle() == nullptr) {
        return nullptr;
    }
    auto* context = new QOpenGLContext();
    context->setFormat(WindowFormat());
    context->setScreen(window->screen());
    if (!context->create()) {
        delete context;
        return nullptr;
    }
    return context;
}

void DeleteContext(QOpenGLContext* context)
{
    if (context == nullptr)
        return;
    if (QOpenGLContext::currentContext() == context)
        context->doneCurrent();
    delete context;
}

bool MakeCurrent(QWindow* window, QOpenGLContext* context)
{
    if (context == nullptr) {
        if (QOpenGLContext* current = QOpenGLContext::currentContext())
            current->doneCurrent();
        return true;
    }
    if (window == nullptr || window->handle() == nullptr)
        return false;
    return context->makeCurrent(window);
}

QOpenGLContext* CurrentContext()
{
    return QOpenGLContext::currentContext();
}

QWindow* CurrentWindow()
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QSurface* surface = context != nullptr ? context->surface() : nullptr;
    return surface != nullptr && surface->surfaceClass() == QSurface::Window ? static_cast<QWindow*>(surface) : nullptr;
}

Proc GetProcAddress(const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr || name == nullptr)
        return nullptr;
    return reinterpret_cast<Proc>(context->getProcAddress(name));
}

bool SwapBuffers(QWindow* window)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr || window == nullptr || !window->isExposed())
        return false;
    context->swapBuffers(window);
    return true;
}

std::string ProbeRenderer()
{
    KeepCurrent keep;
    QOffscreenSurface surface;
    surface.setFormat(WindowFormat());
    surface.create();
    if (!surface.isValid())
        return {};
    QOpenGLContext context;
    context.setFormat(WindowFormat());
    if (!context.create() || !context.makeCurrent(&surface))
        return {};
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(context.getProcAddress("glGetString"));
    const unsigned char* text = getString != nullptr ? getString(kGlRenderer) : nullptr;
    std::string renderer = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    context.doneCurrent();
    return renderer;
}

} // namespace qtgl
