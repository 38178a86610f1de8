// The editor as it starts: menus, commands and their state, toolbar, accelerators, status
// bar, the View toggles of the four bars, the docked panels and the About box.
#include "EditorTestSupport.h"
#include "MainFrm.h"
#include "Quorvan.h"
#include "QuorvanDoc.h"
#include "QuorvanView.h"
#include "Resource.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/ListCtrl.h"
#include "framework/Resources.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <memory>

using namespace fw;

namespace {

using MenuItems = std::vector<std::pair<uint32_t, std::string>>;

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearEditorProfile();
        m_app = std::make_unique<CQuorvanApp>();
        m_app->SetCommandLine({});
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = dynamic_cast<CMainFrame*>(m_app->GetMainWnd());
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Peer(m_frame)));
        m_frame->UpdateCommandUI();
    }

    void TearDown() override { m_app.reset(); }

    QAction* Action(uint32_t id) const { return ActionOf(m_frame, id); }
    CommandState State(uint32_t id) const { return m_frame->GetCommandState(id); }
    bool Shown(const ControlBar& bar) const { return (bar.GetStyle() & WinStyle::Visible) != 0; }

    // (id, text) of each item of drop-down index; separators as (0, "").
    MenuItems Items(int index) const
    {
        MenuItems items;
        for (const MenuItemState& item : m_frame->GetMenuItems(index))
            items.emplace_back(item.separator ? 0u : item.id, item.text);
        return items;
    }

    std::unique_ptr<CQuorvanApp> m_app;
    CMainFrame* m_frame = nullptr;
};

} // namespace

TEST_F(MainFrameTest, MenusInOrderWithTheirItemsAndSeparators)
{
    std::vector<std::string> popups;
    for (int i = 0; i < m_frame->GetMenuPopupCount(); ++i)
        popups.push_back(m_frame->GetMenuPopupText(i));
    EXPECT_EQ(popups, (std::vector<std::string>{"&File", "&Edit", "&Tools", "&View", "&Help"}));

    EXPECT_EQ(Items(0), (MenuItems{{57600, "&New\tCtrl+N"},
                                   {57601, "&Open...\tCtrl+O"},
                                   {57603, "&Save\tCtrl+S"},
                                   {57604, "Save &As..."},
                                   {0, ""},
                                   {57616, "Recent File"},
                                   {0, ""},
                                   {57665, "E&xit"}}));
    EXPECT_EQ(Items(1), (MenuItems{{57643, "&Undo\tCtrl+Z"},
                                   {0, ""},
                                   {57635, "Cu&t\tCtrl+X"},
                                   {57634, "&Copy\tCtrl+C"},
                                   {57637, "&Paste\tCtrl+V"}}));
    EXPECT_EQ(Items(2), (MenuItems{{32772, "Material Editor"}}));
    EXPECT_EQ(Items(3), (MenuItems{{59392, "&Toolbar"},
                                   {59393, "&Status Bar"},
                                   {0, ""},
                                   {32771, "Left Dialogbar"},
                                   {32773, "Info Dialogbar"},
                                   {0, ""},
                                   {32774, "Fit Scene"}}));
    EXPECT_EQ(Items(4), (MenuItems{{57664, "&About Quorvan..."}}));
}

TEST_F(MainFrameTest, PromptsGiveStatusTextAndTooltip)
{
    struct Prompt {
        uint32_t id;
        const char* status;
        const char* tip;
    };
    const Prompt prompts[] = {
        {57600, "Create a new document", "New"},
        {57601, "Open an existing document", "Open"},
        {57603, "Save the active document", "Save"},
        {57604, "Save the active document with a new name", "Save As"},
        {57665, "Quit the application; prompts to save documents", "Exit"},
        {57643, "Undo the last action", "Undo"},
        {57635, "Cut the selection and put it on the Clipboard", "Cut"},
        {57634, "Copy the selection and put it on the Clipboard", "Copy"},
        {57637, "Insert Clipboard contents", "Paste"},
        {59392, "Show or hide the toolbar", "Toggle ToolBar"},
        {59393, "Show or hide the status bar", "Toggle StatusBar"},
        {32774, "Place the camera so that the whole scene is in view", "Fit Scene"},
        {57664, "Display program information, version number and copyright", "About"},
        {59409, "Display items by using large icons.", "Large Icons"},
        {59408, "Display items by using small icons.", "Small Icons"},
        {59410, "Displays items in a list.", "List"},
        {59411, "Displays detailed information about each item in the window.", "Details"},
        {57680, "Switch to the next window pane", "Next Pane"},
        {57681, "Switch back to the previous window pane", "Previous Pane"},
    };
    for (const Prompt& prompt : prompts) {
        QAction* action = Action(prompt.id);
        ASSERT_NE(action, nullptr) << prompt.id;
        EXPECT_EQ(action->statusTip(), QString::fromLatin1(prompt.status)) << prompt.id;
        EXPECT_EQ(action->toolTip(), QString::fromLatin1(prompt.tip)) << prompt.id;
    }
    EXPECT_EQ(Action(57616)->statusTip(), "Open this document");
    EXPECT_TRUE(Action(32771)->statusTip().isEmpty());
    EXPECT_TRUE(Action(32772)->statusTip().isEmpty());
    EXPECT_TRUE(Action(57607)->statusTip().isEmpty());
}

TEST_F(MainFrameTest, AcceleratorsIncludingF6)
{
    using Keys = QList<QKeySequence>;
    EXPECT_EQ(Action(57600)->shortcuts(), Keys({QKeySequence("Ctrl+N")}));
    EXPECT_EQ(Action(57601)->shortcuts(), Keys({QKeySequence("Ctrl+O")}));
    EXPECT_EQ(Action(57603)->shortcuts(), Keys({QKeySequence("Ctrl+S")}));
    EXPECT_EQ(Action(57643)->shortcuts(), Keys({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    EXPECT_EQ(Action(57635)->shortcuts(), Keys({QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}));
    EXPECT_EQ(Action(57634)->shortcuts(), Keys({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
    EXPECT_EQ(Action(57637)->shortcuts(), Keys({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}));
    EXPECT_EQ(Action(57680)->shortcuts(), Keys({QKeySequence("F6")}));
    EXPECT_EQ(Action(57681)->shortcuts(), Keys({QKeySequence("Shift+F6")}));
    // Nothing handles the pane commands, so their keys do nothing.
    EXPECT_FALSE(Action(57680)->isEnabled());
    EXPECT_FALSE(Action(57681)->isEnabled());
}

TEST_F(MainFrameTest, UnclaimedCommandsAreDisabledTheOthersEnabled)
{
    for (uint32_t id : {57643u, 57635u, 57634u, 57637u, 57607u, 59409u, 59408u, 59410u, 59411u}) {
        EXPECT_TRUE(State(id).known) << id;
        EXPECT_FALSE(State(id).enabled) << id;
        EXPECT_FALSE(m_frame->SendCommand(id)) << id;
    }
    for (uint32_t id : {57600u, 57601u, 57603u, 57604u, 57665u, 32772u, 59392u, 59393u, 32771u, 32773u, 57664u}) {
        EXPECT_TRUE(State(id).enabled) << id;
    }
    // Fit Scene waits for a scene.
    EXPECT_FALSE(State(32774).enabled);
    // The recent-file item stays grayed while the list is empty.
    EXPECT_FALSE(State(57616).enabled);
    EXPECT_EQ(State(57616).text, "Recent File");
    // Opening a drop-down brings its items up to date too.
    Action(57635)->setEnabled(true);
    m_frame->UpdateMenuPopup(1);
    EXPECT_FALSE(State(57635).enabled);
}

TEST_F(MainFrameTest, ToolbarButtonsInOrder)
{
    ToolBar& toolBar = m_frame->GetToolBar();
    EXPECT_EQ(toolBar.ButtonIds(), (std::vector<uint32_t>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0,
                                                          59409, 59408, 59410, 59411, 0, 57664}));
    EXPECT_EQ(toolBar.ButtonSize(), (Size{16, 15}));
    EXPECT_EQ(toolBar.GetDlgCtrlID(), 59392u);
    EXPECT_EQ(toolBar.GetDockBarId(), IDW_DOCKBAR_TOP);
    EXPECT_TRUE(toolBar.GetBarStyle() & BarStyle::Gripper);
    auto* bar = qobject_cast<QToolBar*>(Peer(&toolBar));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isMovable()); // it has a gripper
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    for (QAction* action : bar->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toUInt();
        }
    }
    // The button and the menu item are one command.
    EXPECT_EQ(bar->actions().front(), Action(57600));
}

TEST_F(MainFrameTest, StatusBarPanesAndPrompts)
{
    StatusBar& status = m_frame->GetStatusBar();
    ASSERT_EQ(status.GetCount(), 4);
    EXPECT_EQ(status.GetItemID(0), 0u);
    EXPECT_EQ(status.GetItemID(1), 59137u);
    EXPECT_EQ(status.GetItemID(2), 59138u);
    EXPECT_EQ(status.GetItemID(3), 59139u);
    EXPECT_EQ(m_frame->GetMessageText(), "Ready");
    // Indicators show their text only while the lock key is on (all off under Xvfb).
    for (int pane = 1; pane < 4; ++pane) {
        EXPECT_FALSE(status.IsPaneOn(pane));
        EXPECT_TRUE(status.GetPaneText(pane).empty());
    }
    // Sized for their texts all the same; SCRL is the widest.
    EXPECT_GT(status.GetItemRect(3).Width(), status.GetItemRect(2).Width());
    EXPECT_GT(status.GetItemRect(2).Width(), 0);

    // Hovering a toolbar button shows its status text; leaving it shows "Ready" again.
    QWidget* newButton = qobject_cast<QToolBar*>(Peer(&m_frame->GetToolBar()))->widgetForAction(Action(57600));
    ASSERT_NE(newButton, nullptr);
    QStatusTipEvent tip(Action(57600)->statusTip());
    QApplication::sendEvent(newButton, &tip);
    EXPECT_EQ(m_frame->GetMessageText(), "Create a new document");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(newButton, &leave);
    EXPECT_EQ(m_frame->GetMessageText(), "Ready");
}

TEST_F(MainFrameTest, StartsWithNonameAndTheFrameTitle)
{
    Document* document = m_frame->GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_NE(dynamic_cast<CQuorvanDoc*>(document), nullptr);
    EXPECT_EQ(document->GetTitle(), "noname");
    EXPECT_TRUE(document->GetPathName().empty());
    EXPECT_EQ(m_frame->GetText(), "noname - Quorvan");
    EXPECT_STREQ(m_frame->GetRuntimeClass()->className, "CMainFrame");
    EXPECT_STREQ(document->GetRuntimeClass()->className, "CQuorvanDoc");
    EXPECT_STREQ(m_frame->GetActiveView()->GetRuntimeClass()->className, "CQuorvanView");
    EXPECT_TRUE(m_frame->GetActiveView()->IsKindOf(FW_RUNTIME_CLASS(COpenGLView)));

    // New reuses the one document and frame.
    EXPECT_TRUE(m_frame->SendCommand(57600));
    EXPECT_EQ(m_frame->GetActiveDocument(), document);
    EXPECT_EQ(m_app->GetMainWnd(), m_frame);
}

// The info panel's template is wide and low: docked beside the left panel the two would take
// all the width of a window on a 1024x768 screen, so it starts at the bottom.
TEST_F(MainFrameTest, InfoPanelDockedAtTheBottomLeftPanelAtTheLeft)
{
    CoolDialogBar& info = m_frame->GetInfoBar();
    CoolDialogBar& left = m_frame->GetLeftBar();
    EXPECT_EQ(info.DockBarId(), IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(left.DockBarId(), IDW_DOCKBAR_LEFT);
    EXPECT_EQ(info.GetText(), "InfoDialogBar");
    EXPECT_EQ(left.GetText(), "LeftDialogBar");
    EXPECT_EQ(info.GetDlgCtrlID(), 32773u);
    EXPECT_EQ(left.GetDlgCtrlID(), 32771u);
    EXPECT_EQ(m_frame->GetControlBar(32771), &left);
    EXPECT_EQ(m_frame->GetControlBar(32773), &info);
    // The info bar below the left bar and the view, across the frame.
    EXPECT_GE(info.GetWindowRect().top, left.GetWindowRect().bottom);
    EXPECT_EQ(info.GetWindowRect().Width(), m_frame->GetWindowRect().Width());
    EXPECT_TRUE(info.IsWindowVisible());
    EXPECT_TRUE(left.IsWindowVisible());
    EXPECT_EQ(left.HostedDialog(), &m_frame->GetLeftPanel());
    EXPECT_EQ(info.HostedDialog(), &m_frame->GetInfoPanel());
    for (CoolDialogBar* bar : {&info, &left}) {
        const uint32_t style = bar->GetBarStyle();
        EXPECT_TRUE(style & BarStyle::ToolTips);
        EXPECT_TRUE(style & BarStyle::FlyBy);
        EXPECT_TRUE(style & BarStyle::SizeDynamic);
        EXPECT_EQ(bar->FloatingSize(), bar->HostedDialog()->TemplateSize());
    }
    EXPECT_TRUE(left.GetBarStyle() & BarStyle::AlignLeft);
    EXPECT_EQ(left.GetWindowRect().Width(), left.VerticalSize().cx);
    EXPECT_TRUE(info.GetBarStyle() & BarStyle::AlignBottom);
    EXPECT_EQ(info.GetWindowRect().Height(), info.HorizontalSize().cy);
}

TEST_F(MainFrameTest, ViewTogglesShowHideAndCheckTheBars)
{
    struct Toggle {
        uint32_t id;
        ControlBar* bar;
    };
    const Toggle toggles[] = {{59392, &m_frame->GetToolBar()},
                              {59393, &m_frame->GetStatusBar()},
                              {32771, &m_frame->GetLeftBar()},
                              {32773, &m_frame->GetInfoBar()}};
    for (const Toggle& toggle : toggles) {
        EXPECT_EQ(m_frame->GetControlBar(toggle.id), toggle.bar);
        EXPECT_TRUE(State(toggle.id).checked) << toggle.id;
        EXPECT_TRUE(m_frame->SendCommand(toggle.id));
        EXPECT_FALSE(Shown(*toggle.bar)) << toggle.id;
        EXPECT_FALSE(State(toggle.id).checked) << toggle.id;
        EXPECT_TRUE(m_frame->SendCommand(toggle.id));
        EXPECT_TRUE(Shown(*toggle.bar)) << toggle.id;
        EXPECT_TRUE(State(toggle.id).checked) << toggle.id;
    }
}

TEST_F(MainFrameTest, HidingTheLeftBarKeepsItsContents)
{
    ListCtrl* meshes = m_frame->GetLeftPanel().GetMeshList();
    ASSERT_NE(meshes, nullptr);
    meshes->InsertItem(0, "Body");
    meshes->InsertItem(1, "Head");
    Action(32771)->trigger(); // through the menu item
    EXPECT_FALSE(Shown(m_frame->GetLeftBar()));
    EXPECT_FALSE(m_frame->GetLeftPanel().IsWindowVisible());
    Action(32771)->trigger();
    EXPECT_TRUE(Shown(m_frame->GetLeftBar()));
    ASSERT_EQ(meshes->GetItemCount(), 2);
    EXPECT_EQ(meshes->GetItemText(1, 0), "Head");
}

TEST_F(MainFrameTest, CloseButtonHidesTheBarAndUnchecksItsViewItem)
{
    CoolDialogBar& left = m_frame->GetLeftBar();
    QPoint local;
    QWidget* part = BarPartAt(&left, left.CloseButtonRect().CenterPoint(), &local);
    ASSERT_NE(part, nullptr);
    QTest::mouseClick(part, Qt::LeftButton, {}, local);
    EXPECT_FALSE(Shown(left));
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(State(32771).checked);
    EXPECT_TRUE(State(32773).checked);
}

TEST_F(MainFrameTest, AboutBoxRunsModally)
{
    QString caption, text, button;
    bool isDefault = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                text = label->text();
        }
        auto* ok = box->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        button = ok->text();
        isDefault = ok->isDefault();
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_TRUE(m_frame->SendCommand(57664));
    EXPECT_EQ(caption, "About Quorvan");
    EXPECT_EQ(text, "Quorvan Version 1.0");
    EXPECT_EQ(button, "OK");
    EXPECT_TRUE(isDefault);
}

TEST_F(MainFrameTest, IdleHookDrawsUntilMinimised)
{
    EXPECT_TRUE(m_app->OnIdle(0)); // the framework's own work first
    EXPECT_TRUE(m_app->OnIdle(1));
    EXPECT_TRUE(m_app->OnIdle(57));

    m_app->StartIdleProcessing();
    EXPECT_TRUE(m_app->IsIdleActive());
    // A loaded machine may take a while to run three passes of the event loop.
    ASSERT_SOON(m_app->IdleCount() > 2);

    m_frame->ShowWindow(ShowCmd::Minimized);
    EXPECT_TRUE(m_frame->IsIconic());
    EXPECT_FALSE(m_app->OnIdle(1));
    ASSERT_SOON(!m_app->IsIdleActive());
    const long stopped = m_app->IdleCount();
    QTest::qWait(30);
    EXPECT_EQ(m_app->IdleCount(), stopped);

    m_frame->ShowWindow(ShowCmd::Normal);
    ASSERT_SOON(m_app->IsIdleActive());
    m_app->StopIdleProcessing();
}

TEST_F(MainFrameTest, ExitClosesTheFrame)
{
    WndRef<CMainFrame> frame(m_frame);
    EXPECT_TRUE(m_frame->SendCommand(57665));
    ASSERT_SOON(frame.Get() == nullptr);
    EXPECT_EQ(m_app->GetMainWnd(), nullptr);
}

TEST(MainFrameStart, MissingCommandLineFileEndsStartUp)
{
    ClearEditorProfile();
    CQuorvanApp app;
    app.SetCommandLine({"/nonexistent/folder/scene.mes"});
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
}

TEST(MainFrameStart, BarFailuresTraceAndEndStartUp)
{
    ClearEditorProfile();
    {
        CQuorvanApp app;
        app.SetCommandLine({});
        ResourceTable::Instance().RemoveToolBar(IDR_MAINFRAME);
        TraceCapture traces;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_TRUE(traces.Contains("Failed to create toolbar\n"));
        EXPECT_FALSE(traces.Contains("Failed to create dialogbar\n"));
    }
    {
        CQuorvanApp app; // registers the resources again
        app.SetCommandLine({});
        ResourceTable::Instance().RemoveDialog(IDD_INFODIALOGBAR);
        TraceCapture traces;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_TRUE(traces.Contains("Failed to create dialogbar\n"));
        EXPECT_EQ(app.GetMainWnd(), nullptr);
    }
    RegisterQuorvanResources();
}
