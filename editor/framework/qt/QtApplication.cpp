#include "framework/Application.h"

#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/RecentFileList.h"
#include "framework/Resources.h"

#include <QApplication>
#include <QFileDialog>
#include <QMouseEvent>
#include <QSettings>
#include <QWidget>

namespace fw {
namespace {

Application* g_application = nullptr;

bool IsTopLevel(const QObject* object)
{
    if (object->isWindowType())
        return true;
    return object->isWidgetType() && static_cast<const QWidget*>(object)->isWindow();
}

} // namespace

Application::Application()
{
    Q_ASSERT_X(g_application == nullptr, "Application", "one application object at a time");
    g_application = this;
    m_arguments = QCoreApplication::arguments().mid(1);

    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, &Application::RunIdle);
    qApp->installEventFilter(this);

    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](uint32_t id) { OnOpenRecentFile(id); });
    OnUpdateCommandUI(ID_FILE_MRU_FILE1, [this](CmdUI& ui) { OnUpdateRecentFileMenu(ui); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

Application::~Application()
{
    qApp->removeEventFilter(this);
    m_idleTimer.stop();
    delete m_mainWnd.data();
    m_template.reset();
    g_application = nullptr;
}

Application* Application::Instance()
{
    return g_application;
}

FrameWnd* Application::GetMainWnd() const
{
    return m_mainWnd;
}

void Application::SetMainWnd(FrameWnd* frame)
{
    m_mainWnd = frame;
}

bool Application::InitInstance()
{
    return true;
}

int Application::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

bool Application::OnIdle(long count)
{
    if (count <= 0) {
        if (m_mainWnd)
            m_mainWnd->UpdateCommandUI();
        return true;
    }
    return false;
}

int Application::Run()
{
    m_appName = ResourceTable::Instance().String(IDS_APP_TITLE).value_or(QCoreApplication::applicationName());
    if (!InitInstance()) {
        delete m_mainWnd.data();
        ExitInstance();
        return 1;
    }
    StartIdleProcessing();
    const int loop = QCoreApplication::exec();
    StopIdleProcessing();
    const int code = ExitInstance();
    return loop != 0 ? loop : code;
}

void Application::StartIdleProcessing()
{
    m_idleEnabled = true;
    m_idleCount = 0;
    m_idleTimer.start();
}

void Application::StopIdleProcessing()
{
    m_idleEnabled = false;
    m_idleTimer.stop();
}

bool Application::IsIdleActive() const
{
    return m_idleTimer.isActive();
}

void Application::RunIdle()
{
    // A zero-interval timer fires once per pass of the event loop, after the pending events.
    if (!OnIdle(m_idleCount++))
        m_idleTimer.stop();
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_idleEnabled)
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
            message = position != m_lastMousePos;
            m_lastMousePos = position;
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
        m_idleCount = 0;
        if (!m_idleTimer.isActive())
            m_idleTimer.start();
    }
    return false;
}

QString Application::AppName() const
{
    return m_appName.isEmpty()
               ? ResourceTable::Instance().String(IDS_APP_TITLE).value_or(QCoreApplication::applicationName())
               : m_appName;
}

void Application::SetRegistryKey(const QString& key)
{
    m_registryKey = key;
    QCoreApplication::setOrganizationName(key);
    QCoreApplication::setApplicationName(AppName());
}

std::unique_ptr<QSettings> Application::Profile() const
{
    return std::make_unique<QSettings>(m_registryKey, AppName());
}

void Application::LoadStdProfileSettings(int maxFiles)
{
    m_recentFiles = std::make_unique<RecentFileList>(ID_FILE_MRU_FILE1, QStringLiteral("Recent File List"),
                                                     QStringLiteral("File%1"), maxFiles);
    if (maxFiles > 0)
        m_recentFiles->ReadList(*Profile());
}

void Application::SaveStdProfileSettings() const
{
    if (m_recentFiles && m_recentFiles->GetSize() > 0)
        m_recentFiles->WriteList(*Profile());
}

void Application::AddToRecentFileList(const QString& path)
{
    if (!m_recentFiles)
        return;
    m_recentFiles->Add(path);
    SaveStdProfileSettings(); // kept at once, so a crash does not lose it
}

void Application::AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate)
{
    m_template = std::move(docTemplate);
}

void Application::ParseCommandLine(CommandLineInfo& info) const
{
    info = CommandLineInfo();
    for (const QString& argument : m_arguments) {
        if (argument.startsWith(QLatin1Char('-')))
            continue; // options are the toolkit's
        info.shell = CommandLineInfo::Shell::FileOpen;
        info.fileName = argument;
        break;
    }
}

bool Application::ProcessShellCommand(const CommandLineInfo& info)
{
    switch (info.shell) {
    case CommandLineInfo::Shell::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CmdMsg::Execute, nullptr))
            OnFileNew();
        return m_mainWnd != nullptr;
    case CommandLineInfo::Shell::FileOpen:
        return OpenDocumentFile(info.fileName) != nullptr;
    }
    return false;
}

Document* Application::OpenDocumentFile(const QString& path)
{
    return m_template ? m_template->OpenDocumentFile(path) : nullptr;
}

void Application::OnFileNew()
{
    if (m_template)
        m_template->OpenDocumentFile(QString());
}

void Application::OnFileOpen()
{
    QString filter;
    if (m_template)
        m_template->GetDocString(filter, SingleDocTemplate::FilterName);
    if (!filter.isEmpty())
        filter += QStringLiteral(";;");
    filter += QStringLiteral("All Files (*)");
    const QString path = QFileDialog::getOpenFileName(m_mainWnd, QStringLiteral("Open"), QString(), filter);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool Application::OnOpenRecentFile(uint32_t id)
{
    if (!m_recentFiles)
        return false;
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    const QString path = (*m_recentFiles)[index];
    if (path.isEmpty())
        return false;
    if (OpenDocumentFile(path) != nullptr)
        return true;
    // A file that no longer opens leaves the list.
    m_recentFiles->Remove(index);
    SaveStdProfileSettings();
    return false;
}

void Application::OnUpdateRecentFileMenu(CmdUI& ui)
{
    if (!m_recentFiles) {
        ui.Enable(false);
        return;
    }
    if (auto* actionUi = dynamic_cast<ActionCmdUI*>(&ui)) {
        m_recentFiles->UpdateMenu(*actionUi);
    } else {
        ui.Enable(m_recentFiles->Count() > 0);
    }
}

void Application::OnAppExit()
{
    if (m_mainWnd)
        m_mainWnd->close();
}

} // namespace fw
