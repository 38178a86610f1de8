// The main frame's bars on Win32: where they dock at start, the docking bar's gripper and caption
// buttons as the system hit-tests them, floating in a mini frame on a double click of the
// gripper and docking back, hiding by the close box with the View item's check following.
#include "EditorWin32Support.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/ListCtrl.h"
#include "framework/View.h"

#include <gtest/gtest.h>

namespace {

class MainFrameBars : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editor.Started()); }

    HWND Bar(CoolDialogBar& bar) { return Handle(bar); }
    // The system's hit code of a point in a bar's window coordinates.
    int HitAt(HWND bar, int x, int y)
    {
        RECT window{};
        GetWindowRect(bar, &window);
        return static_cast<int>(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y)));
    }
    bool ViewItemChecked(uint32_t id)
    {
        editor.Frame().UpdateCommandUI();
        return (GetMenuState(GetMenu(editor.FrameWindow()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    EditorApp editor;
};

TEST_F(MainFrameBars, SideBarsDockAtTheLeftAndBottomAroundTheView)
{
    CMainFrame& frame = editor.Frame();
    HWND hwnd = editor.FrameWindow();
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT status = RectIn(Handle(frame.GetStatusBar()), hwnd);
    const RECT toolBar = RectIn(Handle(frame.GetToolBar()), hwnd);
    const RECT left = RectIn(Bar(frame.GetLeftBar()), hwnd);
    const RECT info = RectIn(Bar(frame.GetInfoBar()), hwnd);
    const RECT view = RectIn(Handle(*frame.GetActiveView()), hwnd);

    EXPECT_EQ(ClassName(Handle(frame.GetStatusBar())), "msctls_statusbar32");
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(toolBar.top, 0);
    EXPECT_EQ(frame.GetLeftBar().GetDockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_EQ(frame.GetInfoBar().GetDockBarId(), fw::IDW_DOCKBAR_BOTTOM);
    // Bottom first, above the status bar across the width; the left bar between top and bottom.
    EXPECT_EQ(info.bottom, status.top);
    EXPECT_EQ(info.left, 0);
    EXPECT_EQ(info.right - info.left, client.right);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.top, toolBar.bottom);
    EXPECT_EQ(left.bottom, info.top);
    // The view takes the rest.
    EXPECT_EQ(view.left, left.right);
    EXPECT_EQ(view.top, toolBar.bottom);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(view.bottom, info.top);
    // Docked at the left the bar's width is the panel's plus the edge and border (6 + 3).
    EXPECT_EQ(left.right - left.left, frame.GetLeftPanel().TemplateSize().cx + 9);
}

TEST_F(MainFrameBars, GripperButtonsAreHitTestedAsCaptionButtons)
{
    HWND left = Bar(editor.Frame().GetLeftBar());
    RECT window{};
    GetWindowRect(left, &window);
    const int w = window.right - window.left;
    // Docked at the left: the close button is 11 x 11 with its right edge 10 pixels in, 7 down;
    // the float button 13 pixels to its left; the gripper over the top 20 pixels; the sizing
    // edge the rightmost 6.
    EXPECT_EQ(HitAt(left, w - 11, 8), HTSYSMENU);
    EXPECT_EQ(HitAt(left, w - 21, 17), HTSYSMENU);
    EXPECT_EQ(HitAt(left, w - 24, 8), HTMINBUTTON);
    EXPECT_EQ(HitAt(left, 30, 10), HTCAPTION);
    EXPECT_EQ(HitAt(left, w - 3, 100), HTSIZE);
    EXPECT_EQ(HitAt(left, 30, 100), HTCLIENT);
    // Docked at the bottom the buttons are 12 x 12, down the leading side.
    HWND info = Bar(editor.Frame().GetInfoBar());
    EXPECT_EQ(HitAt(info, 7, 10), HTSYSMENU);
    EXPECT_EQ(HitAt(info, 18, 21), HTSYSMENU);
    EXPECT_EQ(HitAt(info, 10, 25), HTMINBUTTON);
    EXPECT_EQ(HitAt(info, 10, 60), HTCAPTION);
}

TEST_F(MainFrameBars, DoubleClickOnTheGripperFloatsAtTheFloatingSizeAndDocksBack)
{
    CoolDialogBar& bar = editor.Frame().GetLeftBar();
    HWND hwnd = Bar(bar);
    const fw::Size floating = bar.FloatingSize();
    const RECT infoBefore = RectIn(Bar(editor.Frame().GetInfoBar()), editor.FrameWindow());
    RECT window{};
    GetWindowRect(hwnd, &window);
    SendMessageW(hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(window.left + 30, window.top + 10));
    PumpMessages(100);

    ASSERT_TRUE(bar.IsFloating());
    HWND mini = GetParent(hwnd);
    ASSERT_NE(mini, editor.FrameWindow());
    EXPECT_EQ(GetWindow(mini, GW_OWNER), editor.FrameWindow());
    EXPECT_TRUE(GetWindowLongPtrW(mini, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(WindowText(mini), "LeftDialogBar");
    EXPECT_TRUE(IsWindowVisible(mini));
    // At its floating size, which starts as the panel's own.
    RECT client{};
    GetClientRect(mini, &client);
    EXPECT_EQ(client.right, floating.cx);
    EXPECT_EQ(client.bottom, floating.cy);
    EXPECT_EQ(floating.cx, editor.Frame().GetLeftPanel().TemplateSize().cx);
    // The view takes the bar's place; the info bar stays as it was, its panel in it.
    const RECT view = RectIn(Handle(*editor.Frame().GetActiveView()), editor.FrameWindow());
    EXPECT_EQ(view.left, 0);
    HWND info = Bar(editor.Frame().GetInfoBar());
    EXPECT_EQ(RectIn(info, editor.FrameWindow()).top, infoBefore.top);
    EXPECT_EQ(RectIn(info, editor.FrameWindow()).bottom, infoBefore.bottom);
    HWND infoPanel = Handle(editor.Frame().GetInfoPanel());
    EXPECT_TRUE(IsWindowVisible(infoPanel));
    const RECT panelIn = RectIn(infoPanel, info);
    RECT infoClient{};
    GetClientRect(info, &infoClient);
    EXPECT_EQ(panelIn.left, infoClient.left);
    EXPECT_EQ(panelIn.top, infoClient.top);
    EXPECT_EQ(panelIn.right, infoClient.right);
    EXPECT_EQ(panelIn.bottom, infoClient.bottom);

    // The mini frame's caption docks it again where it was.
    GetWindowRect(mini, &window);
    SendMessageW(mini, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(window.left + 20, window.top + 5));
    PumpMessages(100);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(bar.GetDockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_EQ(GetParent(hwnd), editor.FrameWindow());
    EXPECT_FALSE(IsWindowVisible(mini));
}

TEST_F(MainFrameBars, CloseButtonHidesTheBarTheViewItemShowsItAgainWithItsContents)
{
    CMainFrame& frame = editor.Frame();
    HWND left = Bar(frame.GetLeftBar());
    ASSERT_TRUE(ViewItemChecked(ID_VIEW_LEFTDIALOGBAR));
    frame.GetLeftPanel().GetMeshList()->InsertItem(0, "kept");
    RECT window{};
    GetWindowRect(left, &window);
    SendMessageW(left, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(window.right - 15, window.top + 12));
    PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(left));
    EXPECT_FALSE(ViewItemChecked(ID_VIEW_LEFTDIALOGBAR));
    EXPECT_TRUE(ViewItemChecked(ID_VIEW_INFODIALOGBAR));
    EXPECT_EQ(RectIn(Handle(*frame.GetActiveView()), editor.FrameWindow()).left, 0);

    SendMessageW(editor.FrameWindow(), WM_COMMAND, ID_VIEW_LEFTDIALOGBAR, 0);
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(left));
    EXPECT_TRUE(ViewItemChecked(ID_VIEW_LEFTDIALOGBAR));
    EXPECT_EQ(frame.GetLeftPanel().GetMeshList()->GetItemText(0, 0), "kept");

    // Floating, the mini frame's close box hides it the same way.
    GetWindowRect(left, &window);
    SendMessageW(left, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(window.left + 30, window.top + 10));
    PumpMessages(50);
    ASSERT_TRUE(frame.GetLeftBar().IsFloating());
    SendMessageW(GetParent(left), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(GetParent(left)));
    EXPECT_FALSE(ViewItemChecked(ID_VIEW_LEFTDIALOGBAR));
    SendMessageW(editor.FrameWindow(), WM_COMMAND, ID_VIEW_LEFTDIALOGBAR, 0);
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(GetParent(left)));
}

} // namespace

namespace {

// The sizing edge, dragged as the mouse does it: a press on the edge, moves and the release
// while the bar has the mouse captured (client coordinates, which lie outside the client area).
TEST_F(MainFrameBars, SizingEdgeWidensTheDockedBarByTheDistanceDragged)
{
    CoolDialogBar& bar = editor.Frame().GetLeftBar();
    HWND hwnd = Bar(bar);
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int width = window.right - window.left;
    const POINT edge{window.right - 3, (window.top + window.bottom) / 2};
    POINT client = edge;
    ScreenToClient(hwnd, &client);
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTSIZE, MAKELPARAM(edge.x, edge.y));
    EXPECT_TRUE(bar.IsTracking());
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x + 25, client.y));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x + 50, client.y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x + 50, client.y));
    PumpMessages(50);
    EXPECT_FALSE(bar.IsTracking());
    EXPECT_EQ(GetCapture(), nullptr);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.right - window.left, width + 50);
    // The view gives up the room.
    EXPECT_EQ(RectIn(Handle(*editor.Frame().GetActiveView()), editor.FrameWindow()).left,
              RectIn(hwnd, editor.FrameWindow()).right);

    // Far to the left it stops at the smallest width.
    GetWindowRect(hwnd, &window);
    const POINT again{window.right - 3, edge.y};
    client = again;
    ScreenToClient(hwnd, &client);
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTSIZE, MAKELPARAM(again.x, again.y));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x - 600, client.y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x - 600, client.y));
    PumpMessages(50);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.right - window.left, 32);
}

} // namespace
