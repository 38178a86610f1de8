// The editor's dialog templates on Win32: each becomes a DLGTEMPLATE in its own font and the
// dialog manager lays it out, so every control sits at its dialog units mapped with the
// template font's base units, with the classes and styles the template names.
#include "EditorWin32Support.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/Resources.h"
#include "framework/win32/Win32Text.h"

#include <gtest/gtest.h>

namespace {

struct ExpectedControl {
    int id; // 0xFFFF for a static nobody refers to
    const char* className;
    RECT units; // x, y, cx, cy
    DWORD styles;
    bool bordered = false;
};

struct ExpectedDialog {
    uint32_t templateId;
    const char* face;
    int points;
    SIZE units;
    std::vector<ExpectedControl> controls;
};

// The layouts of the editor's templates: dialog units and styles as the resources give them.
// A border (WS_BORDER) counts as well when the dialog manager gives it as the sunken client
// edge of 3-D dialogs.
const ExpectedDialog kDialogs[] = {
    {IDD_ABOUTBOX,
     "MS Sans Serif",
     8,
     {235, 55},
     {{0xFFFF, "Static", {11, 17, 20, 20}, SS_ICON},
      {0xFFFF, "Static", {40, 10, 119, 8}, SS_NOPREFIX},
      {fw::IdOk, "Button", {178, 7, 50, 14}, WS_TABSTOP | BS_DEFPUSHBUTTON}}},
    {IDD_LEFTDIALOGBAR,
     "Microsoft Sans Serif",
     9,
     {129, 254},
     {{IDC_PAGETABS, "SysTabControl32", {5, 224, 119, 25}, TCS_BOTTOM | TCS_HOTTRACK | TCS_RAGGEDRIGHT | TCS_TOOLTIPS},
      {IDC_NODETREE, "SysTreeView32", {5, 54, 119, 22}, TVS_HASBUTTONS | TVS_HASLINES | WS_TABSTOP, true},
      {IDC_KEYFRAMELIST,
       "SysListView32",
       {5, 87, 119, 41},
       LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS | WS_TABSTOP,
       true},
      {IDC_MESHLIST, "SysListView32", {5, 5, 119, 39}, LVS_REPORT | LVS_EDITLABELS | WS_TABSTOP, true}}},
    {IDD_MATERIALEDITOR,
     "Microsoft Sans Serif",
     8,
     {259, 215},
     {{IDC_MATERIALTREE,
       "SysTreeView32",
       {5, 5, 145, 205},
       TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_DISABLEDRAGDROP | TVS_FULLROWSELECT | WS_TABSTOP,
       true},
      {0xFFFF, "Static", {154, 5, 100, 100}, SS_BLACKFRAME},
      {0xFFFF, "Button", {155, 111, 99, 75}, BS_GROUPBOX},
      {fw::IdOk, "Button", {209, 194, 45, 16}, WS_TABSTOP | BS_DEFPUSHBUTTON}}},
    {IDD_INFODIALOGBAR,
     "MS Sans Serif",
     8,
     {439, 80},
     {{IDC_INFOTEXT, "Edit", {7, 7, 425, 66}, WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL, true}}},
};

TEST(DialogTemplates, EachControlAtItsUnitsInTheTemplatesFont)
{
    EditorApp editor; // the resources, the toolkit and a main window to own the dialogs
    ASSERT_TRUE(editor.Started());
    for (const ExpectedDialog& expected : kDialogs) {
        SCOPED_TRACE("template " + std::to_string(expected.templateId));
        const fw::DialogTemplate* resource = fw::ResourceTable::Instance().Dialog(expected.templateId);
        ASSERT_NE(resource, nullptr);
        const bool child = (resource->style & fw::DlgStyle::Child) != 0;
        fw::Dialog dialog(expected.templateId);
        ASSERT_TRUE(dialog.Create(expected.templateId, child ? &editor.Frame() : nullptr));
        HWND hwnd = Handle(dialog);

        // The template's own font.
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(fw::win32::Utf8(font.lfFaceName), expected.face);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(expected.points, GetDeviceCaps(screen, LOGPIXELSY), 72));
        ReleaseDC(nullptr, screen);

        // Base units as the dialog manager took them, and the client size they give.
        RECT base{0, 0, 4, 8};
        MapDialogRect(hwnd, &base);
        EXPECT_EQ(dialog.BaseUnits().x, base.right);
        EXPECT_EQ(dialog.BaseUnits().y, base.bottom);
        RECT client{};
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, MulDiv(expected.units.cx, base.right, 4));
        EXPECT_EQ(client.bottom, MulDiv(expected.units.cy, base.bottom, 8));
        std::printf("[ layout   ] template %u: base units %ld x %ld, client %ld x %ld\n", expected.templateId,
                    base.right, base.bottom, client.right, client.bottom);

        HWND control = GetWindow(hwnd, GW_CHILD);
        for (const ExpectedControl& row : expected.controls) {
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(GetDlgCtrlID(control), row.id);
            EXPECT_EQ(ClassName(control), row.className);
            const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
            EXPECT_EQ(style & row.styles, row.styles) << row.className << " " << row.id;
            const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
            EXPECT_EQ(row.bordered, (style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0) << row.className;
            RECT place{row.units.left, row.units.top, 0, 0};
            RECT size{0, 0, row.units.right, row.units.bottom};
            MapDialogRect(hwnd, &place);
            MapDialogRect(hwnd, &size);
            if (std::string(row.className) == "Static" && (row.styles & SS_TYPEMASK) == SS_ICON) // its icon's size
                size = RECT{0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
            const RECT actual = RectIn(control, hwnd);
            EXPECT_EQ(actual.left, place.left) << row.className << " " << row.id;
            EXPECT_EQ(actual.top, place.top) << row.className << " " << row.id;
            EXPECT_EQ(actual.right - actual.left, size.right) << row.className << " " << row.id;
            EXPECT_EQ(actual.bottom - actual.top, size.bottom) << row.className << " " << row.id;
            control = GetWindow(control, GW_HWNDNEXT);
        }
        EXPECT_EQ(control, nullptr);
        dialog.DestroyWindow();
    }
}

} // namespace
