// fw::FrameWnd on Qt: a QMainWindow with one QAction per command id (menu item, toolbar button
// and shortcuts share it), dock areas for the control bars, the status tips as fly-by prompts,
// dropped files and the kept layout.
#include "framework/Application.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/ControlBar.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Keys.h"
#include "framework/Profile.h"
#include "framework/Resources.h"
#include "framework/StatusBar.h"
#include "framework/View.h"
#include "framework/qt/QtBars.h"
#include "framework/qt/QtWnd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace fw {
namespace {

constexpr const char* kMenuTextProperty = "fw.menuText";

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

uint32_t AlignmentOfDockBar(uint32_t dockBarId, uint32_t fallback)
{
    switch (dockBarId) {
    case IDW_DOCKBAR_TOP:
        return BarStyle::AlignTop;
    case IDW_DOCKBAR_LEFT:
        return BarStyle::AlignLeft;
    case IDW_DOCKBAR_RIGHT:
        return BarStyle::AlignRight;
    case IDW_DOCKBAR_BOTTOM:
        return BarStyle::AlignBottom;
    default:
        return fallback;
    }
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

QKeySequence KeysOf(const Accelerator& accelerator)
{
    int modifiers = 0;
    if (accelerator.modifiers & KeyMod::Control)
        modifiers |= Qt::CTRL;
    if (accelerator.modifiers & KeyMod::Shift)
        modifiers |= Qt::SHIFT;
    if (accelerator.modifiers & KeyMod::Alt)
        modifiers |= Qt::ALT;
    return QKeySequence(qt::QtKey(accelerator.key) | modifiers);
}

} // namespace

// The window of a frame.
class QtFrameWindow : public QMainWindow {
public:
    explicit QtFrameWindow(FrameWnd* frame) : m_frame(frame)
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setStyle(FrameStyleInstance());
    }

protected:
    bool event(QEvent* event) override
    {
        Wnd* owner = qt::WndOf(this);
        if (owner == nullptr)
            return QMainWindow::event(event); // a window whose frame has gone (deleted later)
        // Counted while handled, so the frame's going (a close) deletes this window afterwards.
        WndRef<Wnd> alive(owner);
        ++owner->GetImpl()->eventDepth;
        const bool taken = Handle(event);
        if (alive)
            --owner->GetImpl()->eventDepth;
        return taken;
    }

    void dragEnterEvent(QDragEnterEvent* event) override { DragFilesOver(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { DragFilesOver(event); }
    void dropEvent(QDropEvent* event) override
    {
        const std::vector<std::string> paths = Droppable(event->mimeData());
        if (paths.empty()) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        activateWindow();
        // Opened once the drop is over: the source waits for the answer, and opening may show a box.
        WndRef<FrameWnd> frame(m_frame);
        QMetaObject::invokeMethod(
            this,
            [frame, paths] {
                if (FrameWnd* alive = frame)
                    alive->OnDropFiles(paths);
            },
            Qt::QueuedConnection);
    }

private:
    bool Handle(QEvent* event)
    {
        if (qt::WndOf(this) == nullptr)
            return QMainWindow::event(event);
        switch (event->type()) {
        case QEvent::StatusTip:
            if (m_frame->GetMessageBar() != nullptr) {
                // Prompts of menu items and toolbar buttons; "Ready" when the pointer leaves them.
                const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
                if (tip.isEmpty()) {
                    m_frame->SetMessageText(IDS_IDLEMESSAGE);
                } else {
                    m_frame->SetMessageText(qt::FromQ(tip));
                }
                return true;
            }
            break;
        case QEvent::Close:
            event->ignore();
            qt::Dispatch(this, [](Wnd& wnd) { wnd.OnClose(); });
            return true;
        case QEvent::Resize: {
            const bool taken = QMainWindow::event(event);
            const int type = isMinimized()   ? SizeType::Minimized
                             : isMaximized() ? SizeType::Maximized
                                             : SizeType::Restored;
            qt::Dispatch(this, [&](Wnd& wnd) { wnd.OnSize(type, width(), height()); });
            return taken;
        }
        default:
            break;
        }
        return QMainWindow::event(event);
    }

    std::vector<std::string> Droppable(const QMimeData* data) const
    {
        std::vector<std::string> paths;
        if (data == nullptr || !data->hasUrls())
            return paths;
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                paths.push_back(qt::FromQ(url.toLocalFile()));
        }
        return m_frame->DroppableFiles(paths);
    }

    void DragFilesOver(QDragMoveEvent* event)
    {
        if (Droppable(event->mimeData()).empty()) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
    }

    FrameWnd* m_frame;
};

struct FrameWnd::Impl {
    std::map<uint32_t, QAction*> actions;
    bool inRecalc = false;

    QAction* Find(uint32_t id) const
    {
        auto it = actions.find(id);
        return it == actions.end() ? nullptr : it->second;
    }
};

namespace {

QMainWindow* MainWindowOf(const FrameWnd* frame)
{
    return qobject_cast<QMainWindow*>(qt::WidgetOf(frame));
}

// The action of command id, made on first use with the prompt of the string of that id.
QAction* ActionOf(FrameWnd* frame, uint32_t id)
{
    FrameWnd::Impl* impl = frame->GetFrameImpl();
    if (QAction* existing = impl->Find(id))
        return existing;
    QMainWindow* window = MainWindowOf(frame);
    auto* action = new QAction(window);
    action->setData(id);
    const Prompt prompt = SplitPrompt(ResourceTable::Instance().String(id).value_or(std::string()));
    action->setStatusTip(qt::ToQ(prompt.status));
    action->setToolTip(qt::ToQ(prompt.tip));
    if (!prompt.tip.empty())
        action->setText(qt::ToQ(prompt.tip));
    action->setShortcutContext(Qt::WindowShortcut);
    WndRef<FrameWnd> ref(frame);
    QObject::connect(action, &QAction::triggered, window, [ref, id] {
        if (FrameWnd* alive = ref)
            alive->SendCommand(id);
    });
    window->addAction(action); // keeps its shortcuts live even when no menu shows it
    impl->actions[id] = action;
    return action;
}

QMenu* MenuHolding(QAction* action)
{
    for (QObject* object : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(object))
            return menu;
    }
    return nullptr;
}

// The update object of one action: the menu item and toolbar button of a command.
class ActionCmdUI : public CmdUI {
public:
    ActionCmdUI(uint32_t id, QAction* action, FrameWnd* frame) : CmdUI(id), m_action(action), m_frame(frame) {}

    void Enable(bool on) override
    {
        CmdUI::Enable(on);
        m_action->setEnabled(on);
    }
    void SetCheck(int check) override
    {
        CmdUI::SetCheck(check);
        m_action->setCheckable(true);
        m_action->setChecked(check != 0);
    }
    void SetText(const std::string& text) override { m_action->setText(qt::ToQ(text)); }
    bool IsMenuItem() const override { return MenuHolding(m_action) != nullptr; }

    void SetMenuItems(const std::vector<std::string>& texts) override
    {
        QMenu* menu = MenuHolding(m_action);
        if (menu == nullptr)
            return;
        FrameWnd::Impl* impl = m_frame->GetFrameImpl();
        // Entries beyond the texts (from an earlier, longer list) are hidden.
        for (uint32_t next = Id() + static_cast<uint32_t>(std::max<size_t>(texts.size(), 1));
             next <= ID_FILE_MRU_LAST && impl->Find(next) != nullptr; ++next) {
            impl->Find(next)->setVisible(false);
        }
        if (texts.empty()) {
            m_action->setText(m_action->property(kMenuTextProperty).toString());
            m_action->setVisible(true);
            return;
        }
        QAction* previous = nullptr;
        for (size_t i = 0; i < texts.size(); ++i) {
            QAction* entry = i == 0 ? m_action : ActionOf(m_frame, Id() + static_cast<uint32_t>(i));
            entry->setText(qt::ToQ(texts[i]));
            entry->setVisible(true);
            entry->setEnabled(true);
            if (previous != nullptr && !menu->actions().contains(entry)) {
                const QList<QAction*> items = menu->actions();
                const qsizetype at = items.indexOf(previous);
                QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
                menu->insertAction(before, entry);
            }
            previous = entry;
        }
    }

private:
    QAction* m_action;
    FrameWnd* m_frame;
};

void UpdateActions(FrameWnd* frame, const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || action->menu() != nullptr || !action->data().isValid())
            continue;
        ActionCmdUI ui(action->data().toUInt(), action, frame);
        ui.DoUpdate(frame, true);
    }
}

void AddMenuItems(FrameWnd* frame, QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Popup:
            AddMenuItems(frame, menu->addMenu(qt::ToQ(item.text)), item.items);
            break;
        case MenuItem::Kind::Command: {
            QAction* action = ActionOf(frame, item.id);
            action->setText(qt::ToQ(item.text));
            action->setProperty(kMenuTextProperty, qt::ToQ(item.text));
            if (item.grayed)
                action->setEnabled(false);
            menu->addAction(action);
            break;
        }
        }
    }
    // A drop-down shows the state of its commands as of the moment it opens.
    WndRef<FrameWnd> ref(frame);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [ref, menu] {
        if (FrameWnd* alive = ref)
            UpdateActions(alive, menu->actions());
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [ref] {
        if (FrameWnd* alive = ref)
            alive->SetMessageText(IDS_IDLEMESSAGE);
    });
}

QMenu* PopupMenu(const FrameWnd* frame, int index)
{
    QMainWindow* window = MainWindowOf(frame);
    if (window == nullptr)
        return nullptr;
    const QList<QAction*> popups = window->menuBar()->actions();
    return index >= 0 && index < popups.size() ? popups[index]->menu() : nullptr;
}

} // namespace

QAction* qt::FrameAction(FrameWnd* frame, uint32_t id)
{
    return ActionOf(frame, id);
}

QAction* qt::FindFrameAction(const FrameWnd* frame, uint32_t id)
{
    return frame->GetFrameImpl()->Find(id);
}

FrameWnd::FrameWnd() : m_impl(std::make_unique<Impl>())
{
    ConstructCommon();
}

FrameWnd::~FrameWnd()
{
    // The main frame's going ends the program's loop.
    if (Application* app = Application::Instance(); app != nullptr && app->GetMainWnd() == this) {
        app->SetMainWnd(nullptr);
        qt::QuitIfRunning();
    }
}

bool FrameWnd::LoadFrame(uint32_t resourceId, CreateContext* context)
{
    if (IsWindow())
        return false;
    m_resourceId = resourceId;
    const ResourceTable& resources = ResourceTable::Instance();

    CreateStruct cs;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    cs.size = Size{available.width() * 3 / 4, available.height() * 3 / 4};
    cs.title = StringField(resources.String(resourceId).value_or(std::string()), 0);
    if (cs.title.empty())
        cs.title = resources.String(IDS_APP_TITLE).value_or(std::string());
    if (!PreCreateWindow(cs))
        return false;

    auto* window = new QtFrameWindow(this);
    qt::Attach(this, window, WinStyle::ClipChildren, 0);
    window->resize(cs.size.cx, cs.size.cy);
    m_title = cs.title;
    window->setWindowTitle(qt::ToQ(cs.title));
    const QIcon icon = qt::IconResource(resourceId);
    if (!icon.isNull())
        window->setWindowIcon(icon);

    if (const MenuResource* menu = resources.Menu(resourceId)) {
        window->menuBar()->setNativeMenuBar(false);
        for (const MenuItem& popup : menu->popups)
            AddMenuItems(this, window->menuBar()->addMenu(qt::ToQ(popup.text)), popup.items);
    }
    if (const std::vector<Accelerator>* accelerators = resources.Accelerators(resourceId)) {
        for (const Accelerator& accelerator : *accelerators) {
            QAction* action = ActionOf(this, accelerator.command);
            QList<QKeySequence> keys = action->shortcuts();
            keys.append(KeysOf(accelerator));
            action->setShortcuts(keys);
        }
    }

    m_createContext = context;
    int created = 0;
    qt::Dispatch(window, [&](Wnd& wnd) { created = wnd.OnCreate(); });
    m_createContext = nullptr;
    if (created == -1)
        return false;
    SetMessageText(IDS_IDLEMESSAGE);
    return true;
}

int FrameWnd::GetMenuPopupCount() const
{
    QMainWindow* window = MainWindowOf(this);
    return window != nullptr ? static_cast<int>(window->menuBar()->actions().size()) : 0;
}

std::string FrameWnd::GetMenuPopupText(int index) const
{
    QMainWindow* window = MainWindowOf(this);
    if (window == nullptr)
        return std::string();
    const QList<QAction*> popups = window->menuBar()->actions();
    return index >= 0 && index < popups.size() ? qt::FromQ(popups[index]->text()) : std::string();
}

std::vector<MenuItemState> FrameWnd::GetMenuItems(int popup) const
{
    std::vector<MenuItemState> items;
    QMenu* menu = PopupMenu(this, popup);
    if (menu == nullptr)
        return items;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        MenuItemState item;
        item.separator = action->isSeparator();
        item.popup = action->menu() != nullptr;
        if (!item.separator) {
            item.id = item.popup ? 0 : action->data().toUInt();
            item.text = qt::FromQ(action->text());
            item.enabled = action->isEnabled();
            item.checked = action->isChecked();
        }
        items.push_back(item);
    }
    return items;
}

void FrameWnd::UpdateMenuPopup(int popup)
{
    if (QMenu* menu = PopupMenu(this, popup))
        emit menu->aboutToShow();
}

CommandState FrameWnd::GetCommandState(uint32_t id) const
{
    CommandState state;
    const QAction* action = m_impl->Find(id);
    if (action == nullptr)
        return state;
    state.known = true;
    state.enabled = action->isEnabled();
    state.checked = action->isChecked();
    state.text = qt::FromQ(action->text());
    return state;
}

void FrameWnd::UpdateCommandUI()
{
    QList<QAction*> all;
    for (const auto& [id, action] : m_impl->actions)
        all.append(action);
    UpdateActions(this, all);
    if (StatusBar* bar = GetMessageBar())
        bar->UpdatePanes(this);
    for (const auto& [id, bar] : m_controlBars)
        bar->OnUpdateCmdUI(this, true);
}

void FrameWnd::ShowControlBar(ControlBar* bar, bool show, bool delay)
{
    QWidget* widget = qt::WidgetOf(bar);
    if (widget == nullptr)
        return;
    widget->setVisible(show);
    if (!delay)
        RecalcLayout();
}

void FrameWnd::EnableDocking(uint32_t alignment)
{
    m_dockAlignment = alignment & BarStyle::AlignAny;
    if (QMainWindow* window = MainWindowOf(this))
        window->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
}

void FrameWnd::DockControlBar(ControlBar* bar, uint32_t dockBarId)
{
    QMainWindow* window = MainWindowOf(this);
    QWidget* widget = qt::WidgetOf(bar);
    if (window == nullptr || widget == nullptr)
        return;
    const uint32_t alignment = AlignmentOfDockBar(dockBarId, bar->GetBarStyle() & BarStyle::AlignAny);
    if (auto* toolBar = qobject_cast<QToolBar*>(widget)) {
        const Qt::ToolBarArea area = ToolBarAreaFor(alignment);
        bool rowTaken = false;
        for (QToolBar* other : window->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != toolBar && window->toolBarArea(other) == area)
                rowTaken = true;
        }
        if (rowTaken)
            window->addToolBarBreak(area);
        window->addToolBar(area, toolBar);
        return;
    }
    if (auto* dock = qobject_cast<QDockWidget*>(widget)) {
        // Each docked bar opens a row of its own: side by side at the left and right edges,
        // one above the other at the top and bottom.
        const Qt::DockWidgetArea area = DockAreaFor(alignment);
        const bool sideways = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        dock->setFloating(false);
        window->addDockWidget(area, dock, sideways ? Qt::Horizontal : Qt::Vertical);
    }
}

void FrameWnd::FloatControlBar(ControlBar* bar, Point screenPoint)
{
    if (auto* dock = qobject_cast<QDockWidget*>(qt::WidgetOf(bar))) {
        dock->setFloating(true);
        dock->move(qt::ToQ(screenPoint));
    }
}

void FrameWnd::RecalcLayout()
{
    QMainWindow* window = MainWindowOf(this);
    if (window == nullptr || m_impl->inRecalc)
        return;
    m_impl->inRecalc = true;
    for (const auto& [id, bar] : m_controlBars)
        qt::ApplyBarSize(bar);
    if (QLayout* frameLayout = window->layout()) {
        frameLayout->invalidate();
        frameLayout->activate();
    }
    m_impl->inRecalc = false;
}

int FrameWnd::GetDockLength(uint32_t dockBarId) const
{
    QMainWindow* window = MainWindowOf(this);
    if (window == nullptr)
        return 0;
    if (dockBarId == IDW_DOCKBAR_TOP || dockBarId == IDW_DOCKBAR_BOTTOM)
        return window->width();
    const QWidget* middle = window->centralWidget();
    return middle != nullptr ? middle->height() : window->height();
}

void FrameWnd::DragAcceptFiles(bool accept)
{
    m_acceptFiles = accept;
    if (QWidget* window = qt::WidgetOf(this))
        window->setAcceptDrops(accept);
}

namespace {

// Placement and layout as the profile keeps them. A layout of another version is not used.
constexpr int kLayoutVersion = 1;

std::string BarEntry(uint32_t id, const char* what)
{
    return "Bar" + std::to_string(id) + "/" + what;
}

std::vector<uint8_t> Bytes(const QByteArray& bytes)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

QByteArray QBytes(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

void FrameWnd::SaveBarState(const std::string& section) const
{
    const Application* app = Application::Instance();
    QMainWindow* window = MainWindowOf(this);
    if (app == nullptr || window == nullptr)
        return;
    Profile& profile = app->GetProfile();
    profile.RemoveSection(section);
    profile.WriteBinary(section, "Placement", Bytes(window->saveGeometry()));
    profile.WriteBinary(section, "Layout", Bytes(window->saveState(kLayoutVersion)));
    for (const auto& [id, bar] : m_controlBars) {
        profile.WriteInt(section, BarEntry(id, "Visible"), (bar->GetStyle() & WinStyle::Visible) ? 1 : 0);
        const std::vector<uint8_t> sizes = bar->SaveSizes();
        if (!sizes.empty())
            profile.WriteBinary(section, BarEntry(id, "Sizes"), sizes);
    }
}

bool FrameWnd::LoadBarState(const std::string& section)
{
    const Application* app = Application::Instance();
    QMainWindow* window = MainWindowOf(this);
    if (app == nullptr || window == nullptr)
        return false;
    Profile& profile = app->GetProfile();
    const std::vector<uint8_t> placement = profile.GetBinary(section, "Placement").value_or(std::vector<uint8_t>());
    const std::vector<uint8_t> layout = profile.GetBinary(section, "Layout").value_or(std::vector<uint8_t>());
    if (placement.empty() || layout.empty())
        return false;

    // The bars' own sizes first: they decide how much room a docked bar takes in the layout.
    for (const auto& [id, bar] : m_controlBars) {
        if (const auto sizes = profile.GetBinary(section, BarEntry(id, "Sizes")))
            bar->LoadSizes(*sizes);
    }
    if (!window->restoreGeometry(QBytes(placement)))
        return false;
    if (window->restoreState(QBytes(layout), kLayoutVersion)) {
        // The layout holds the docked bars and the toolbars; the status bar's place is fixed.
        for (const auto& [id, bar] : m_controlBars) {
            if (const auto visible = profile.GetInt(section, BarEntry(id, "Visible"))) {
                if (QWidget* widget = qt::WidgetOf(bar))
                    widget->setVisible(*visible != 0);
            }
        }
    }
    RecalcLayout();
    return true;
}

} // namespace fw
