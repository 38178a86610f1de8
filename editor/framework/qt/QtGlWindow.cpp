// fw::GlWindow on Qt: a QWindow with an OpenGL surface (ViewWindow) in a window container that
// fills the view; its context is a QOpenGLContext made through the engine's binding (QtGlBinding).
#include "framework/GlWindow.h"
#include "framework/Wnd.h"
#include "framework/qt/QtGlBinding.h"
#include "framework/qt/QtGlContext.h"
#include "framework/qt/QtWnd.h"
#include "framework/qt/ViewWindow.h"
#include "orvex/platform/Platform.h"

#include <QVBoxLayout>
#include <QWidget>

namespace fw {

struct GlWindow::Impl {
    QPointer<ViewWindow> window;
    QPointer<QWidget> container;
    QOpenGLContext* context = nullptr;
};

GlWindow::GlWindow() : m_impl(std::make_unique<Impl>()) {}

GlWindow::~GlWindow()
{
    delete m_impl->container.data(); // and the window it holds
}

bool GlWindow::Create(Wnd* view)
{
    QWidget* host = qt::WidgetOf(view);
    if (host == nullptr || m_impl->window)
        return false;
    auto* window = new ViewWindow(host);
    QWidget* container = QWidget::createWindowContainer(window, host);
    // Drags over the view go on to the frame, which opens the files dropped on the window. (A
    // container would hand them to the native window, which has no use for them.)
    container->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
    m_impl->window = window;
    m_impl->container = container;
    view->GetImpl()->nativeChild = window; // the view's mouse capture is the GL window's
    window->create();
    return window->handle() != nullptr;
}

void* GlWindow::Handle() const
{
    return m_impl->window.data();
}

void GlWindow::AdoptCurrentContext()
{
    m_impl->context = qtgl::CurrentContext();
}

bool GlWindow::MakeCurrent()
{
    if (m_impl->context == nullptr || !m_impl->window)
        return false;
    if (qtgl::CurrentContext() == m_impl->context)
        return true;
    return qtgl::MakeCurrent(m_impl->window, m_impl->context);
}

void GlWindow::ReleaseContext()
{
    m_impl->context = nullptr;
}

Size GlWindow::GetSize() const
{
    if (!m_impl->window)
        return Size();
    const qreal ratio = m_impl->window->devicePixelRatio();
    return Size{qRound(m_impl->window->width() * ratio), qRound(m_impl->window->height() * ratio)};
}

namespace {

// The engine's message boxes, as the program wants them shown.
class MessageSink final : public ::MessageBox {
public:
    void Show(const char* caption, const char* text) override
    {
        if (messages)
            messages(caption != nullptr ? caption : "", text != nullptr ? text : "");
    }
    std::function<void(const std::string&, const std::string&)> messages;
};

} // namespace

void InstallEnginePlatform(std::function<void(const std::string& caption, const std::string& text)> messages)
{
    static QtGlBinding binding;
    static MessageSink sink;
    sink.messages = std::move(messages);
    const Platform& current = GetPlatform();
    if (current.binding == &binding && current.messages == &sink)
        return;
    Platform services{};
    services.binding = &binding;
    services.messages = &sink;
    SetPlatform(services);
}

} // namespace fw
