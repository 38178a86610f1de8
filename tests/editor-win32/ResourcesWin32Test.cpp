// The main frame's resources made literal on Win32: the system menu with the resource's items,
// ids and texts; the accelerator table; the toolbar's buttons and images; the status bar's
// panes; commands nobody handles shown disabled; prompts on the status bar and in tooltips.
#include "EditorWin32Support.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"
#include "framework/win32/Win32Frame.h"

#include <gtest/gtest.h>

namespace {

std::string MenuString(HMENU menu, UINT position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return fw::win32::Utf8(text);
}

class FrameResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editor.Started()); }
    EditorApp editor;
};

TEST_F(FrameResources, MenuBarIsTheResourceMenuItemForItem)
{
    const fw::MenuResource* resource = fw::ResourceTable::Instance().Menu(IDR_MAINFRAME);
    ASSERT_NE(resource, nullptr);
    HMENU bar = GetMenu(editor.FrameWindow());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(resource->popups.size()));
    EXPECT_EQ(MenuString(bar, 0), "&File");
    EXPECT_EQ(MenuString(bar, 4), "&Help");
    for (size_t p = 0; p < resource->popups.size(); ++p) {
        const fw::MenuItem& popup = resource->popups[p];
        EXPECT_EQ(MenuString(bar, static_cast<UINT>(p)), popup.text);
        HMENU menu = GetSubMenu(bar, static_cast<int>(p));
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(popup.items.size())) << popup.text;
        for (size_t i = 0; i < popup.items.size(); ++i) {
            const fw::MenuItem& item = popup.items[i];
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if (item.kind == fw::MenuItem::Kind::Separator) {
                EXPECT_TRUE(state & MF_SEPARATOR) << popup.text << " " << i;
                continue;
            }
            EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(i)), item.id) << item.text;
            EXPECT_EQ(MenuString(menu, static_cast<UINT>(i)), item.text);
        }
    }
    // Two of them, literally.
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemID(file, 1), 57601u);
    EXPECT_EQ(MenuString(file, 1), "&Open...\tCtrl+O");
    EXPECT_EQ(MenuString(file, 5), "Recent File");
    EXPECT_TRUE(GetMenuState(file, 5, MF_BYPOSITION) & MF_GRAYED); // no recent files yet
}

TEST_F(FrameResources, AcceleratorTableHoldsTheResourceKeys)
{
    HACCEL table = editor.Frame().GetFrameImpl()->accelerators;
    ASSERT_NE(table, nullptr);
    ACCEL keys[32] = {};
    const int count = CopyAcceleratorTableW(table, keys, 32);
    const std::vector<fw::Accelerator>& resource = *fw::ResourceTable::Instance().Accelerators(IDR_MAINFRAME);
    ASSERT_EQ(count, static_cast<int>(resource.size()));
    ASSERT_EQ(count, 13);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(keys[i].key, resource[static_cast<size_t>(i)].key);
        EXPECT_EQ(keys[i].cmd, resource[static_cast<size_t>(i)].command);
        EXPECT_EQ(keys[i].fVirt, FVIRTKEY | resource[static_cast<size_t>(i)].modifiers);
    }
    EXPECT_EQ(keys[1].key, 'O');
    EXPECT_EQ(keys[1].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(keys[1].cmd, fw::ID_FILE_OPEN);
    EXPECT_EQ(keys[12].key, VK_F6);
    EXPECT_EQ(keys[12].fVirt, FVIRTKEY | FSHIFT);
}

TEST_F(FrameResources, ToolbarButtonsInOrderWithSixteenByFifteenImages)
{
    HWND toolBar = editor.Frame().GetToolBar().GetBarImpl()->control;
    ASSERT_NE(toolBar, nullptr);
    const uint32_t expected[] = {57600, 57601, 57603, 0,     57635, 57634, 57637, 0,
                                 57607, 0,     59409, 59408, 59410, 59411, 0,     57664};
    ASSERT_EQ(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0), 16);
    for (int i = 0; i < 16; ++i) {
        TBBUTTON button{};
        SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (expected[i] == 0) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
        } else {
            EXPECT_EQ(static_cast<uint32_t>(button.idCommand), expected[i]) << i;
        }
    }
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 15);
    EXPECT_EQ(ImageList_GetImageCount(images), 12);
}

TEST_F(FrameResources, UnhandledCommandsAreDisabledTheOthersEnabled)
{
    editor.Frame().UpdateCommandUI();
    HMENU bar = GetMenu(editor.FrameWindow());
    for (UINT id : {57643u, 57635u, 57634u, 57637u})
        EXPECT_TRUE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    for (UINT id : {57600u, 57601u, 57665u, 32772u, 57664u})
        EXPECT_FALSE(GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    HWND toolBar = editor.Frame().GetToolBar().GetBarImpl()->control;
    for (UINT id : {57607u, 59409u, 59408u, 59410u, 59411u, 57635u})
        EXPECT_FALSE(SendMessageW(toolBar, TB_ISBUTTONENABLED, id, 0)) << id;
    for (UINT id : {57600u, 57601u, 57664u})
        EXPECT_TRUE(SendMessageW(toolBar, TB_ISBUTTONENABLED, id, 0)) << id;
    // A command the keyboard alone has, and nobody handles.
    EXPECT_TRUE(editor.Frame().GetCommandState(fw::ID_NEXT_PANE).known);
    EXPECT_FALSE(editor.Frame().GetCommandState(fw::ID_NEXT_PANE).enabled);
}

TEST_F(FrameResources, StatusBarPanesAndPrompts)
{
    HWND status = Handle(editor.Frame().GetStatusBar());
    int edges[8] = {};
    ASSERT_EQ(SendMessageW(status, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 4);
    // The message pane stretches; the indicators keep their widths at the right end.
    RECT client{};
    GetClientRect(status, &client);
    EXPECT_EQ(edges[3], client.right);
    EXPECT_LT(edges[0], edges[1]);
    wchar_t text[128] = {};
    SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(fw::win32::Utf8(text), "Ready");

    // A menu item's prompt while it is selected, "Ready" once the menu closes.
    HMENU file = GetSubMenu(GetMenu(editor.FrameWindow()), 0);
    SendMessageW(editor.FrameWindow(), WM_MENUSELECT, MAKEWPARAM(fw::ID_FILE_OPEN, MF_STRING),
                 reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(editor.Frame().GetMessageText(), "Open an existing document");
    SendMessageW(editor.FrameWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(editor.Frame().GetMessageText(), "Ready");

    // A button's tooltip is the prompt's second part.
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = fw::ID_FILE_OPEN;
    SendMessageW(Handle(editor.Frame().GetToolBar()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(fw::win32::Utf8(info.lpszText), "Open");
}

TEST_F(FrameResources, StartsTitledNonameWithTheApplicationIcon)
{
    EXPECT_EQ(WindowText(editor.FrameWindow()), "noname - Quorvan");
    EXPECT_NE(SendMessageW(editor.FrameWindow(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(editor.FrameWindow(), WM_GETICON, ICON_SMALL, 0), 0);
}

} // namespace
