// The window's placement and its bars' layout in the registry: kept when the frame closes, put
// back at the next start (a floating bar floats where it was, a hidden one stays hidden), and a
// damaged layout gives the frame's own first-start layout.
#include "EditorWin32Support.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/Profile.h"

#include <gtest/gtest.h>

namespace {

fw::Profile EditorProfile()
{
    return fw::Profile("Local AppWizard-Generated Applications", "Quorvan");
}

std::string BarSection(uint32_t id)
{
    return CMainFrame::LayoutSection() + "/Bar" + std::to_string(id);
}

class KeptLayout : public ::testing::Test {
protected:
    void SetUp() override { EditorProfile().RemoveSection(CMainFrame::LayoutSection()); }
    void TearDown() override { EditorProfile().RemoveSection(CMainFrame::LayoutSection()); }
};

TEST_F(KeptLayout, FloatingAndHiddenBarsAndThePlacementComeBack)
{
    RECT placed{};
    RECT floated{};
    {
        EditorApp first({}, false);
        ASSERT_TRUE(first.Started());
        CMainFrame& frame = first.Frame();
        MoveWindow(first.FrameWindow(), 40, 30, 700, 560, TRUE);
        frame.FloatControlBar(&frame.GetLeftBar(), fw::Point{500, 120});
        frame.ShowControlBar(&frame.GetInfoBar(), false, false);
        PumpMessages(50);
        GetWindowRect(first.FrameWindow(), &placed);
        GetWindowRect(GetParent(Handle(frame.GetLeftBar())), &floated);
        SendMessageW(first.FrameWindow(), WM_CLOSE, 0, 0); // closing keeps the layout
        PumpMessages(50);
        ASSERT_FALSE(IsWindow(first.FrameWindow()));
    }
    fw::Profile profile = EditorProfile();
    EXPECT_EQ(profile.GetInt(BarSection(ID_VIEW_LEFTDIALOGBAR), "DockBar").value_or(0),
              static_cast<int>(fw::IDW_DOCKBAR_FLOAT));
    EXPECT_EQ(profile.GetInt(BarSection(ID_VIEW_INFODIALOGBAR), "Visible").value_or(1), 0);

    EditorApp second({}, false);
    ASSERT_TRUE(second.Started());
    CMainFrame& frame = second.Frame();
    RECT window{};
    GetWindowRect(second.FrameWindow(), &window);
    EXPECT_EQ(window.left, placed.left);
    EXPECT_EQ(window.top, placed.top);
    EXPECT_EQ(window.right, placed.right);
    EXPECT_EQ(window.bottom, placed.bottom);
    ASSERT_TRUE(frame.GetLeftBar().IsFloating());
    RECT mini{};
    GetWindowRect(GetParent(Handle(frame.GetLeftBar())), &mini);
    EXPECT_EQ(mini.left, floated.left);
    EXPECT_EQ(mini.top, floated.top);
    EXPECT_FALSE(IsWindowVisible(Handle(frame.GetInfoBar())));
    EXPECT_EQ(frame.GetInfoBar().GetDockBarId(), fw::IDW_DOCKBAR_BOTTOM);
    // Docking the floating bar again takes it back to the left, where it was.
    frame.GetLeftBar().ToggleDocking();
    EXPECT_EQ(frame.GetLeftBar().GetDockBarId(), fw::IDW_DOCKBAR_LEFT);
}

TEST_F(KeptLayout, ADamagedLayoutGivesTheFirstStartLayout)
{
    fw::Profile profile = EditorProfile();
    profile.WriteInt(CMainFrame::LayoutSection(), "Version", 1);
    profile.WriteBinary(CMainFrame::LayoutSection(), "Placement", {1, 2, 3}); // too short
    profile.WriteInt(BarSection(ID_VIEW_LEFTDIALOGBAR), "DockBar", static_cast<int>(fw::IDW_DOCKBAR_FLOAT));
    EditorApp editor({}, false);
    ASSERT_TRUE(editor.Started());
    EXPECT_EQ(editor.Frame().GetLeftBar().GetDockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(IsWindowVisible(editor.FrameWindow()));
    // In the middle of the work area, three quarters of its size.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT window{};
    GetWindowRect(editor.FrameWindow(), &window);
    EXPECT_EQ(window.right - window.left, (work.right - work.left) * 3 / 4);
    EXPECT_EQ(window.bottom - window.top, (work.bottom - work.top) * 3 / 4);
}

} // namespace
