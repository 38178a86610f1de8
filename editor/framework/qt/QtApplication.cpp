// The application on Qt: QApplication's event loop, with the idle hook run from a zero-interval
// timer that input and window-system events restart.
#include "framework/Application.h"
#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/Resources.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QObject>
#include <QTimer>

namespace fw {
namespace {

constexpr const char* kRunningProperty = "fw.running";

bool IsTopLevel(const QObject* object)
{
    if (object->isWindowType())
        return true;
    return object->isWidgetType() && static_cast<const QWidget*>(object)->isWindow();
}

} // namespace

void qt::QuitIfRunning()
{
    if (qApp != nullptr && qApp->property(kRunningProperty).toBool())
        QCoreApplication::quit();
}

struct Application::Impl : public QObject {
    Application* app = nullptr;
    QTimer idleTimer;
    bool idleEnabled = false;
    QPointF lastMousePos;

    void RunIdle()
    {
        // A zero-interval timer fires once per pass of the event loop, after the pending events.
        if (!app->RunIdle())
            idleTimer.stop();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!idleEnabled)
            return false;
        // Input and window-system messages start the idle sequence over; the application's own
        // repaints, timers and layout requests do not.
        bool message = false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            message = watched->isWindowType();
            break;
        case QEvent::MouseMove:
            if (watched->isWindowType()) {
                const QPointF position = static_cast<QMouseEvent*>(event)->globalPosition();
                message = position != lastMousePos;
                lastMousePos = position;
            }
            break;
        case QEvent::Expose:
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::Close:
            message = IsTopLevel(watched);
            break;
        default:
            break;
        }
        if (message) {
            app->m_idleCount = 0;
            if (!idleTimer.isActive())
                idleTimer.start();
        }
        return false;
    }
};

Application::Application() : m_impl(std::make_unique<Impl>())
{
    ConstructCommon();
    m_impl->app = this;
    m_impl->idleTimer.setInterval(0);
    QObject::connect(&m_impl->idleTimer, &QTimer::timeout, m_impl.get(), [this] { m_impl->RunIdle(); });
    qApp->installEventFilter(m_impl.get());
}

Application::~Application()
{
    qApp->removeEventFilter(m_impl.get());
    m_impl->idleTimer.stop();
    DestructCommon();
}

int Application::Run()
{
    m_appName =
        ResourceTable::Instance().String(IDS_APP_TITLE).value_or(qt::FromQ(QCoreApplication::applicationName()));
    if (!InitInstance()) {
        if (FrameWnd* frame = GetMainWnd())
            frame->DestroyWindow();
        ExitInstance();
        return 1;
    }
    StartIdleProcessing();
    // The main frame's going ends the loop (see the frame's destructor).
    qApp->setProperty(kRunningProperty, true);
    const int loop = QCoreApplication::exec();
    qApp->setProperty(kRunningProperty, false);
    StopIdleProcessing();
    const int code = ExitInstance();
    return loop != 0 ? loop : code;
}

void Application::StartIdleProcessing()
{
    m_impl->idleEnabled = true;
    m_idleCount = 0;
    m_impl->idleTimer.start();
}

void Application::StopIdleProcessing()
{
    m_impl->idleEnabled = false;
    m_impl->idleTimer.stop();
}

bool Application::IsIdleActive() const
{
    return m_impl->idleTimer.isActive();
}

long Application::IdleCount() const
{
    return m_idleCount;
}

} // namespace fw
