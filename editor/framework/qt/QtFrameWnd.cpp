#include "framework/FrameWnd.h"

#include "framework/Application.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/ControlBar.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/KeyLocks.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/View.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace fw {
namespace {

Qt::DockWidgetArea DockAreaFor(uint32_t alignment)
{
    if (alignment & BarStyle::AlignTop)
        return Qt::TopDockWidgetArea;
    if (alignment & BarStyle::AlignBottom)
        return Qt::BottomDockWidgetArea;
    if (alignment & BarStyle::AlignRight)
        return Qt::RightDockWidgetArea;
    return Qt::LeftDockWidgetArea;
}

Qt::ToolBarArea ToolBarAreaFor(uint32_t alignment)
{
    if (alignment & BarStyle::AlignBottom)
        return Qt::BottomToolBarArea;
    if (alignment & BarStyle::AlignLeft)
        return Qt::LeftToolBarArea;
    if (alignment & BarStyle::AlignRight)
        return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

// Docked bars size themselves (a docking dialog bar has its own sizing edge), so the frame
// puts no splitters of its own between them and the view.
class FrameStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_DockWidgetSeparatorExtent)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* FrameStyleInstance()
{
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new FrameStyle();
        style->setParent(qApp); // lives as long as the application
    }
    return style;
}

} // namespace

void ActionCmdUI::Enable(bool on)
{
    CmdUI::Enable(on);
    m_action->setEnabled(on);
}

void ActionCmdUI::SetCheck(int check)
{
    CmdUI::SetCheck(check);
    m_action->setCheckable(true);
    m_action->setChecked(check != 0);
}

void ActionCmdUI::SetText(const QString& text)
{
    m_action->setText(text);
}

FrameWnd::FrameWnd()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setStyle(FrameStyleInstance());
    OnCommandEx(ID_VIEW_TOOLBAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CmdUI& ui) { OnUpdateControlBarMenu(ui); });
    OnCommandEx(ID_VIEW_STATUS_BAR, [this](uint32_t id) { return OnBarCheck(id); });
    OnUpdateCommandUI(ID_VIEW_STATUS_BAR, [this](CmdUI& ui) { OnUpdateControlBarMenu(ui); });
    // Lock-key indicators light while their key is toggled on.
    OnUpdateCommandUI(ID_INDICATOR_CAPS, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().capsLock); });
    OnUpdateCommandUI(ID_INDICATOR_NUM, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().numLock); });
    OnUpdateCommandUI(ID_INDICATOR_SCRL, [](CmdUI& ui) { ui.Enable(QueryKeyLocks().scrollLock); });
}

FrameWnd::~FrameWnd()
{
    if (Application* app = Application::Instance(); app != nullptr && app->GetMainWnd() == this)
        app->SetMainWnd(nullptr);
}

bool FrameWnd::LoadFrame(uint32_t resourceId, CreateContext* context)
{
    m_resourceId = resourceId;
    const ResourceTable& resources = ResourceTable::Instance();

    CreateStruct cs;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    cs.size = QSize(available.width() * 3 / 4, available.height() * 3 / 4);
    cs.title = StringField(resources.String(resourceId).value_or(QString()), 0);
    if (cs.title.isEmpty())
        cs.title = resources.String(IDS_APP_TITLE).value_or(QString());
    if (!PreCreateWindow(cs))
        return false;

    resize(cs.size);
    m_title = cs.title;
    setWindowTitle(cs.title);
    const QIcon icon = resources.Icon(resourceId);
    if (!icon.isNull())
        setWindowIcon(icon);

    if (const MenuResource* menu = resources.Menu(resourceId)) {
        menuBar()->setNativeMenuBar(false);
        for (const MenuItem& popup : menu->popups) {
            QMenu* drop = menuBar()->addMenu(popup.text);
            AddMenuItems(drop, popup.items);
        }
    }
    if (const std::vector<Accelerator>* accelerators = resources.Accelerators(resourceId)) {
        for (const Accelerator& accelerator : *accelerators) {
            QAction* action = GetAction(accelerator.command);
            QList<QKeySequence> keys = action->shortcuts();
            keys.append(accelerator.keys);
            action->setShortcuts(keys);
        }
    }

    m_createContext = context;
    const int created = OnCreate();
    m_createContext = nullptr;
    if (created == -1)
        return false;
    SetMessageText(IDS_IDLEMESSAGE);
    return true;
}

void FrameWnd::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Popup:
            AddMenuItems(menu->addMenu(item.text), item.items);
            break;
        case MenuItem::Kind::Command: {
            QAction* action = GetAction(item.id);
            action->setText(item.text);
            action->setProperty("menuText", item.text);
            if (item.grayed)
                action->setEnabled(false);
            menu->addAction(action);
            break;
        }
        }
    }
    // A drop-down shows the state of its commands as of the moment it opens.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
    connect(menu, &QMenu::aboutToHide, this, [this] { SetMessageText(IDS_IDLEMESSAGE); });
}

bool FrameWnd::PreCreateWindow(CreateStruct&)
{
    return true;
}

int FrameWnd::OnCreate()
{
    return OnCreateClient(m_createContext) ? 0 : -1;
}

bool FrameWnd::OnCreateClient(CreateContext* context)
{
    if (context == nullptr || context->viewClass == nullptr)
        return true;
    QObject* object = context->viewClass->newInstance();
    auto* view = qobject_cast<View*>(object);
    if (view == nullptr) {
        delete object;
        qDebug("Failed to create view\n");
        return false;
    }
    if (view->OnCreate() == -1) {
        delete view;
        qDebug("Failed to create view\n");
        return false;
    }
    setCentralWidget(view);
    if (context->document != nullptr)
        context->document->AddView(view);
    SetActiveView(view);
    return true;
}

void FrameWnd::SetActiveView(View* view)
{
    m_activeView = view;
}

Document* FrameWnd::GetActiveDocument() const
{
    return m_activeView ? m_activeView->GetDocument() : nullptr;
}

void FrameWnd::InitialUpdateFrame(Document*)
{
    if (m_activeView)
        m_activeView->OnInitialUpdate();
    OnUpdateFrameTitle();
}

void FrameWnd::OnUpdateFrameTitle()
{
    const Document* document = GetActiveDocument();
    if (document == nullptr || document->GetTitle().isEmpty()) {
        setWindowTitle(m_title);
    } else {
        setWindowTitle(document->GetTitle() + QStringLiteral(" - ") + m_title);
    }
}

QAction* FrameWnd::FindAction(uint32_t id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* FrameWnd::GetAction(uint32_t id)
{
    if (QAction* existing = FindAction(id))
        return existing;
    auto* action = new QAction(this);
    action->setData(id);
    const Prompt prompt = SplitPrompt(ResourceTable::Instance().String(id).value_or(QString()));
    action->setStatusTip(prompt.status);
    action->setToolTip(prompt.tip);
    if (!prompt.tip.isEmpty())
        action->setText(prompt.tip);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    addAction(action); // keeps its shortcuts live even when no menu shows it
    m_actions[id] = action;
    return action;
}

QMenu* FrameWnd::MenuOfPopup(int index) const
{
    const QList<QAction*> popups = menuBar()->actions();
    return index >= 0 && index < popups.size() ? popups[index]->menu() : nullptr;
}

void FrameWnd::AddControlBar(uint32_t id, QWidget* bar)
{
    m_controlBars[id] = bar;
}

QWidget* FrameWnd::GetControlBar(uint32_t id) const
{
    auto it = m_controlBars.find(id);
    return it == m_controlBars.end() ? nullptr : it->second.data();
}

void FrameWnd::ShowControlBar(QWidget* bar, bool show, bool delay)
{
    if (bar == nullptr)
        return;
    bar->setVisible(show);
    if (!delay)
        RecalcLayout();
}

void FrameWnd::EnableDocking(uint32_t alignment)
{
    m_dockAlignment = alignment & BarStyle::AlignAny;
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
}

void FrameWnd::DockControlBar(QWidget* bar, uint32_t dockBarId)
{
    const auto* controlBar = dynamic_cast<const ControlBar*>(bar);
    uint32_t alignment = controlBar != nullptr ? controlBar->GetBarStyle() & BarStyle::AlignAny : BarStyle::AlignTop;
    switch (dockBarId) {
    case IDW_DOCKBAR_TOP:
        alignment = BarStyle::AlignTop;
        break;
    case IDW_DOCKBAR_LEFT:
        alignment = BarStyle::AlignLeft;
        break;
    case IDW_DOCKBAR_RIGHT:
        alignment = BarStyle::AlignRight;
        break;
    case IDW_DOCKBAR_BOTTOM:
        alignment = BarStyle::AlignBottom;
        break;
    default:
        break;
    }
    if (auto* toolBar = qobject_cast<QToolBar*>(bar)) {
        const Qt::ToolBarArea area = ToolBarAreaFor(alignment);
        bool rowTaken = false;
        for (QToolBar* other : findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != toolBar && toolBarArea(other) == area)
                rowTaken = true;
        }
        if (rowTaken)
            addToolBarBreak(area);
        addToolBar(area, toolBar);
        return;
    }
    if (auto* dock = qobject_cast<QDockWidget*>(bar)) {
        // Each docked bar opens a row of its own: side by side at the left and right edges,
        // one above the other at the top and bottom.
        const Qt::DockWidgetArea area = DockAreaFor(alignment);
        const bool sideways = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        addDockWidget(area, dock, sideways ? Qt::Horizontal : Qt::Vertical);
    }
}

void FrameWnd::RecalcLayout()
{
    if (QLayout* frameLayout = layout()) {
        frameLayout->invalidate();
        frameLayout->activate();
    }
}

namespace {

// Placement and layout as the profile keeps them. A layout of another version is not used.
constexpr int kLayoutVersion = 1;
const QString kPlacementKey = QStringLiteral("Placement");
const QString kLayoutKey = QStringLiteral("Layout");

QString BarKey(uint32_t id, const char* what)
{
    return QStringLiteral("Bar%1/%2").arg(id).arg(QLatin1String(what));
}

} // namespace

void FrameWnd::SaveBarState(const QString& section) const
{
    const Application* app = Application::Instance();
    if (app == nullptr)
        return;
    const std::unique_ptr<QSettings> profile = app->Profile();
    profile->remove(section);
    profile->beginGroup(section);
    profile->setValue(kPlacementKey, saveGeometry());
    profile->setValue(kLayoutKey, saveState(kLayoutVersion));
    for (const auto& [id, bar] : m_controlBars) {
        if (!bar)
            continue;
        profile->setValue(BarKey(id, "Visible"), bar->isVisibleTo(this));
        if (const auto* controlBar = dynamic_cast<const ControlBar*>(bar.data())) {
            const QByteArray sizes = controlBar->SaveSizes();
            if (!sizes.isEmpty())
                profile->setValue(BarKey(id, "Sizes"), sizes);
        }
    }
    profile->endGroup();
}

bool FrameWnd::LoadBarState(const QString& section)
{
    const Application* app = Application::Instance();
    if (app == nullptr)
        return false;
    const std::unique_ptr<QSettings> profile = app->Profile();
    profile->beginGroup(section);
    const QByteArray placement = profile->value(kPlacementKey).toByteArray();
    const QByteArray layout = profile->value(kLayoutKey).toByteArray();
    if (placement.isEmpty() || layout.isEmpty())
        return false;

    // The bars' own sizes first: they decide how much room a docked bar takes in the layout.
    for (const auto& [id, bar] : m_controlBars) {
        auto* controlBar = dynamic_cast<ControlBar*>(bar.data());
        const QVariant sizes = profile->value(BarKey(id, "Sizes"));
        if (controlBar != nullptr && sizes.isValid())
            controlBar->LoadSizes(sizes.toByteArray());
    }
    if (!restoreGeometry(placement))
        return false;
    if (restoreState(layout, kLayoutVersion)) {
        // The layout holds the docked bars and the toolbars; the status bar's place is fixed.
        for (const auto& [id, bar] : m_controlBars) {
            const QVariant visible = profile->value(BarKey(id, "Visible"));
            if (bar && visible.isValid())
                bar->setVisible(visible.toBool());
        }
    }
    RecalcLayout();
    return true;
}

void FrameWnd::DragAcceptFiles(bool accept)
{
    setAcceptDrops(accept);
}

QStringList FrameWnd::DroppableFiles(const QMimeData* data) const
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    const Application* app = Application::Instance();
    const SingleDocTemplate* docTemplate = app != nullptr ? app->GetDocTemplate() : nullptr;
    if (docTemplate == nullptr)
        return paths;
    QString extension;
    docTemplate->GetDocString(extension, SingleDocTemplate::FilterExt);
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (extension.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive))
            paths << path;
    }
    return paths;
}

void FrameWnd::DragFilesOver(QDragMoveEvent* event)
{
    if (DroppableFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void FrameWnd::dragEnterEvent(QDragEnterEvent* event)
{
    DragFilesOver(event);
}

void FrameWnd::dragMoveEvent(QDragMoveEvent* event)
{
    DragFilesOver(event);
}

void FrameWnd::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppableFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    // Opened once the drop is over: the source waits for the answer, and opening may show a box.
    QMetaObject::invokeMethod(
        this, [this, paths] { OnDropFiles(paths); }, Qt::QueuedConnection);
}

void FrameWnd::OnDropFiles(const QStringList& paths)
{
    Application* app = Application::Instance();
    if (app != nullptr && !paths.isEmpty())
        app->OpenDocumentFile(paths.front());
}

StatusBar* FrameWnd::GetMessageBar() const
{
    return qobject_cast<StatusBar*>(GetControlBar(IDW_STATUS_BAR));
}

void FrameWnd::SetMessageText(const QString& text)
{
    if (StatusBar* bar = GetMessageBar()) {
        const int pane = bar->CommandToIndex(ID_SEPARATOR);
        if (pane >= 0)
            bar->SetPaneText(pane, text);
    }
}

void FrameWnd::SetMessageText(uint32_t stringId)
{
    SetMessageText(ResourceTable::Instance().String(stringId).value_or(QString()));
}

QString FrameWnd::GetMessageText() const
{
    const StatusBar* bar = GetMessageBar();
    return bar != nullptr ? bar->GetPaneText(bar->CommandToIndex(ID_SEPARATOR)) : QString();
}

void FrameWnd::UpdateActions(const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || action->menu() != nullptr || !action->data().isValid())
            continue;
        ActionCmdUI ui(action->data().toUInt(), action, this);
        ui.DoUpdate(this, true);
    }
}

void FrameWnd::UpdateCommandUI()
{
    QList<QAction*> all;
    for (const auto& [id, action] : m_actions)
        all.append(action);
    UpdateActions(all);
    if (StatusBar* bar = GetMessageBar())
        bar->UpdatePanes(this);
    for (const auto& [id, bar] : m_controlBars) {
        if (auto* controlBar = dynamic_cast<ControlBar*>(bar.data()))
            controlBar->OnUpdateCmdUI(this, true);
    }
}

bool FrameWnd::SendCommand(uint32_t id)
{
    CmdUI state(id);
    state.DoUpdate(this, true);
    if (!state.IsEnabled())
        return false;
    QPointer<FrameWnd> alive(this);
    const bool handled = OnCmdMsg(id, CmdMsg::Execute, nullptr);
    if (alive)
        UpdateCommandUI();
    return handled;
}

bool FrameWnd::OnCmdMsg(uint32_t id, CmdMsg msg, CmdUI* ui)
{
    if (m_activeView && m_activeView->OnCmdMsg(id, msg, ui))
        return true;
    if (DispatchOwn(id, msg, ui))
        return true;
    Application* app = Application::Instance();
    return app != nullptr && app->OnCmdMsg(id, msg, ui);
}

bool FrameWnd::OnBarCheck(uint32_t id)
{
    QWidget* bar = GetControlBar(id);
    if (bar == nullptr)
        return false;
    ShowControlBar(bar, !bar->isVisibleTo(this), false);
    return true;
}

void FrameWnd::OnUpdateControlBarMenu(CmdUI& ui)
{
    QWidget* bar = GetControlBar(ui.Id());
    if (bar == nullptr) {
        ui.ContinueRouting();
        return;
    }
    ui.Enable(true);
    ui.SetCheck(bar->isVisibleTo(this) ? 1 : 0);
}

bool FrameWnd::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && GetMessageBar() != nullptr) {
        // Prompts of menu items and toolbar buttons; "Ready" when the pointer leaves them.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) {
            SetMessageText(IDS_IDLEMESSAGE);
        } else {
            SetMessageText(tip);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void FrameWnd::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    Document* document = GetActiveDocument();
    if (document != nullptr && !document->SaveModified()) {
        event->ignore();
        return;
    }
    m_closing = true;
    // The document's close step runs while the frame and its bars still exist.
    if (document != nullptr)
        document->OnCloseDocument();
    event->accept();
}

} // namespace fw
