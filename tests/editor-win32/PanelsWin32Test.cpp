// The left panel and the material dialog on Win32 once a scene is open: the mesh list and the
// node tree as the system's list and tree views hold them, the tabs switching the pages, the
// material dialog's tree while it runs modally, a mesh file dropped on the window, and the
// recent-file list in the registry.
#include "EditorWin32Support.h"
#include "LeftDialogBar.h"
#include "Resource.h"
#include "UserMessage.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/Profile.h"
#include "framework/TabCtrl.h"
#include "framework/win32/Win32Text.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

std::string ListText(HWND list, int row)
{
    wchar_t text[128] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return fw::win32::Utf8(text);
}

std::string TreeText(HWND tree, HTREEITEM at)
{
    wchar_t text[128] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = at;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return fw::win32::Utf8(text);
}

HTREEITEM Next(HWND tree, HTREEITEM at, UINT how)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(at)));
}

// The texts of every item of a tree, depth first, as "parent/child" paths.
std::vector<std::string> TreePaths(HWND tree, HTREEITEM first, const std::string& prefix = "")
{
    std::vector<std::string> paths;
    for (HTREEITEM at = first; at != nullptr; at = Next(tree, at, TVGN_NEXT)) {
        const std::string path = prefix + TreeText(tree, at);
        paths.push_back(path);
        const std::vector<std::string> below = TreePaths(tree, Next(tree, at, TVGN_CHILD), path + "/");
        paths.insert(paths.end(), below.begin(), below.end());
    }
    return paths;
}

class OpenScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(WriteShipScene(folder.File("ship.mes"), &error)) << error;
        editor = std::make_unique<EditorApp>(std::vector<std::string>{folder.File("ship.mes")});
        ASSERT_TRUE(editor->Started());
    }
    LeftDialogBar& Panel() { return editor->Frame().GetLeftPanel(); }
    HWND Control(int id) { return GetDlgItem(Handle(Panel()), id); }

    TempFolder folder;
    std::unique_ptr<EditorApp> editor;
};

TEST_F(OpenScene, MeshListAndNodeTreeHoldTheScene)
{
    EXPECT_EQ(WindowText(editor->FrameWindow()), "ship.mes - Quorvan");
    HWND meshes = Control(IDC_MESHLIST);
    ASSERT_EQ(SendMessageW(meshes, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ListText(meshes, 0), "Hull");
    EXPECT_EQ(ListText(meshes, 1), "Sail");
    // One column, "Name", 140 pixels; grid lines, check boxes and full-row selection.
    EXPECT_EQ(SendMessageW(meshes, LVM_GETCOLUMNWIDTH, 0, 0), 140);
    const DWORD ex = static_cast<DWORD>(SendMessageW(meshes, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(ex & (LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));

    HWND tree = Control(IDC_NODETREE);
    EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(TreePaths(tree, Next(tree, nullptr, TVGN_ROOT)),
              (std::vector<std::string>{"root", "root/mast", "root/mast/flag", "anchor"}));
    // Every item shows the tree's image 0 from its image list.
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 1);

    // New empties the tree; the mesh list keeps its rows.
    SendMessageW(editor->FrameWindow(), WM_COMMAND, fw::ID_FILE_NEW, 0);
    PumpMessages(50);
    EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(meshes, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(WindowText(editor->FrameWindow()), "noname - Quorvan");
}

TEST_F(OpenScene, TabsSwitchThePages)
{
    HWND tabs = Control(IDC_PAGETABS);
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_TRUE(IsWindowVisible(Control(IDC_MESHLIST)));
    EXPECT_FALSE(IsWindowVisible(Control(IDC_NODETREE)));
    // As a click on the "Node" tab does: the selection moves, the panel hears of it.
    for (int page : {1, 2, 0}) {
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        NMHDR change{tabs, IDC_PAGETABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(Handle(Panel()), WM_NOTIFY, IDC_PAGETABS, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(IsWindowVisible(Control(IDC_MESHLIST)) != FALSE, page == 0) << page;
        EXPECT_EQ(IsWindowVisible(Control(IDC_NODETREE)) != FALSE, page == 1) << page;
        EXPECT_EQ(IsWindowVisible(Control(IDC_KEYFRAMELIST)) != FALSE, page == 2) << page;
    }
    // The tabs along the bottom; the pages above with their 2-pixel margin.
    RECT client{};
    GetClientRect(Handle(Panel()), &client);
    const RECT page = RectIn(Control(IDC_NODETREE), Handle(Panel()));
    EXPECT_EQ(page.left, 2);
    EXPECT_EQ(page.top, 2);
    EXPECT_EQ(page.right, client.right - 2);
    EXPECT_EQ(page.bottom, client.bottom - 28);
}

// The material dialog runs modally; a timer looks at it while it is up and closes it with OK.
struct ModalLook {
    std::vector<std::string> materials;
    std::string caption;
    bool seen = false;
};
ModalLook* g_look = nullptr;

void CALLBACK LookAtMaterialDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"Material Editor Dialog...");
    if (dialog == nullptr || !IsWindowVisible(dialog) || g_look == nullptr)
        return;
    KillTimer(nullptr, timer);
    g_look->seen = true;
    g_look->caption = WindowText(dialog);
    HWND tree = GetDlgItem(dialog, IDC_MATERIALTREE);
    for (HTREEITEM at = Next(tree, nullptr, TVGN_ROOT); at != nullptr; at = Next(tree, at, TVGN_NEXT))
        g_look->materials.push_back(TreeText(tree, at));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(fw::IdOk, BN_CLICKED), 0);
}

TEST_F(OpenScene, MaterialDialogListsTheRegisteredMaterialsModally)
{
    ModalLook look;
    g_look = &look;
    SetTimer(nullptr, 0, 50, LookAtMaterialDialog);
    SendMessageW(editor->FrameWindow(), WM_COMMAND, ID_TOOLS_MATERIALEDITOR, 0); // returns once it ends
    g_look = nullptr;
    ASSERT_TRUE(look.seen);
    EXPECT_EQ(look.caption, "Material Editor Dialog...");
    // Every material registered since the program started: this scene's two last.
    ASSERT_GE(look.materials.size(), 2u);
    EXPECT_EQ(look.materials[look.materials.size() - 2], "hull");
    EXPECT_EQ(look.materials.back(), "sail");
    // The frame is usable again once the dialog is gone.
    EXPECT_TRUE(IsWindowEnabled(editor->FrameWindow()));
}

// A drop of files on the frame, as the shell hands it (WM_DROPFILES with a DROPFILES block).
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(OpenScene, DroppedMeshFileOpensOthersAreNotTaken)
{
    std::string error;
    ASSERT_TRUE(WriteShipScene(folder.File("other.mes"), &error)) << error;
    std::ofstream(folder.File("notes.txt")) << "not a scene";
    EXPECT_TRUE(GetWindowLongPtrW(editor->FrameWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    SendMessageW(editor->FrameWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.File("notes.txt")})),
                 0);
    PumpMessages(50);
    EXPECT_EQ(WindowText(editor->FrameWindow()), "ship.mes - Quorvan");
    SendMessageW(editor->FrameWindow(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({folder.File("notes.txt"), folder.File("other.mes")})), 0);
    PumpMessages(50);
    EXPECT_EQ(WindowText(editor->FrameWindow()), "other.mes - Quorvan");
}

TEST_F(OpenScene, RecentFilesAreKeptInTheRegistry)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\Local AppWizard-Generated Applications\\Quorvan\\Recent File List", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key, L"File1", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(fw::win32::Utf8(value).find("ship.mes"), std::string::npos);
    // The menu shows it in place of "Recent File".
    editor->Frame().UpdateMenuPopup(0);
    HMENU file = GetSubMenu(GetMenu(editor->FrameWindow()), 0);
    EXPECT_EQ(GetMenuItemID(file, 5), fw::ID_FILE_MRU_FILE1);
    EXPECT_FALSE(GetMenuState(file, 5, MF_BYPOSITION) & MF_GRAYED);
    wchar_t text[256] = {};
    GetMenuStringW(file, 5, text, 256, MF_BYPOSITION);
    EXPECT_EQ(fw::win32::Utf8(text).substr(0, 3), "&1 ");
}

TEST(CorruptScene, IsRefusedWithTheLoadersReasonAndTheEditorStaysUp)
{
    TempFolder folder;
    {
        std::string error;
        ASSERT_TRUE(WriteShipScene(folder.File("cut.mes"), &error)) << error;
    }
    std::filesystem::resize_file(folder.File("cut.mes"), 200);
    EditorApp editor;
    ASSERT_TRUE(editor.Started());
    std::string told;
    const UserMessageHandler previous =
        SetUserMessageHandler([&](const std::string&, const std::string& text) { told = text; });
    EXPECT_EQ(editor.App().OpenDocumentFile(folder.File("cut.mes")), nullptr);
    SetUserMessageHandler(previous);
    EXPECT_NE(told.find("Cannot open the mesh file"), std::string::npos) << told;
    EXPECT_NE(told.find("cut.mes"), std::string::npos) << told;
    EXPECT_NE(told.find("the file has"), std::string::npos) << told; // the loader's own words
    EXPECT_TRUE(IsWindow(editor.FrameWindow()));
    EXPECT_EQ(WindowText(editor.FrameWindow()), "noname - Quorvan");
}

} // namespace
