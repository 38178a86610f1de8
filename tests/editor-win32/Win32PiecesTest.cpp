// The framework's Win32 building blocks on the system itself (Wine): dialogs from in-memory
// templates in dialog units, the registry profile, and the GL view that copies its frames
// into a child window.
#include "framework/win32/DialogTemplateWriter.h"
#include "framework/win32/GlViewTarget.h"
#include "framework/win32/Registry.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/GlDevice.h"
#include "orvex/win32/Win32Platform.h"

#include <gtest/gtest.h>

namespace {

using namespace fw::win32;

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

RECT Units(int x, int y, int cx, int cy)
{
    return RECT{x, y, x + cx, y + cy};
}

// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(DialogTemplateWriter, ControlsLandWhereTheDialogUnitsSayInTheTemplatesFont)
{
    InitCommonControls();
    DialogTemplateWriter writer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, Units(0, 0, 259, 215),
                                "Ütest caption", 8, "MS Sans Serif");
    writer.AddControl(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS, 0, Units(5, 5, 145, 205), 1000, WC_TREEVIEWA,
                      "Tree1");
    writer.AddControl(WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 0, Units(154, 5, 100, 100), -1, ControlAtom::Static, "");
    writer.AddControl(WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, Units(155, 111, 99, 75), -1, ControlAtom::Button,
                      "Information");
    writer.AddControl(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, Units(209, 194, 45, 16), IDOK,
                      ControlAtom::Button, "OK");
    ASSERT_EQ(writer.ControlCount(), 4);
    EXPECT_EQ(writer.Template()->cdit, 4);
    EXPECT_TRUE(writer.Template()->style & DS_SETFONT);

    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), writer.Template(), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);

    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"\u00dctest caption");

    // The client area and every control are their dialog units mapped with the template's
    // own font.
    RECT expected = Units(0, 0, 259, 215);
    MapDialogRect(dialog, &expected);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    EXPECT_GT(client.right, 259); // a unit is more than a pixel for an 8-point font

    struct Expected {
        int id;
        RECT units;
        const char* className;
    };
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const Expected& row :
         {Expected{1000, Units(5, 5, 145, 205), "SysTreeView32"}, Expected{0xFFFF, Units(154, 5, 100, 100), "Static"},
          Expected{0xFFFF, Units(155, 111, 99, 75), "Button"}, Expected{IDOK, Units(209, 194, 45, 16), "Button"}}) {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetDlgCtrlID(control), row.id);
        EXPECT_EQ(ClassOf(control), row.className);
        // The dialog manager maps the position and the size, each on its own.
        RECT place{row.units.left, row.units.top, 0, 0};
        RECT size{0, 0, row.units.right - row.units.left, row.units.bottom - row.units.top};
        MapDialogRect(dialog, &place);
        MapDialogRect(dialog, &size);
        const RECT actual = ChildRect(dialog, control);
        EXPECT_EQ(actual.left, place.left) << row.className;
        EXPECT_EQ(actual.top, place.top) << row.className;
        EXPECT_EQ(actual.right - actual.left, size.right) << row.className;
        EXPECT_EQ(actual.bottom - actual.top, size.bottom) << row.className;
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);

    char text[32] = {};
    GetDlgItemTextA(dialog, IDOK, text, sizeof text);
    EXPECT_STREQ(text, "OK");
    DestroyWindow(dialog);
}

TEST(DialogTemplateWriter, TemplateWithoutFontUsesTheSystemFont)
{
    DialogTemplateWriter writer(WS_POPUP, 0, Units(0, 0, 40, 16), "", 0, "");
    EXPECT_FALSE(writer.Template()->style & DS_SETFONT);
    EXPECT_EQ(writer.ControlCount(), 0);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), writer.Template(), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    RECT expected = Units(0, 0, 40, 16);
    MapDialogRect(dialog, &expected);
    const LONG base = GetDialogBaseUnits();
    EXPECT_EQ(expected.right, MulDiv(40, LOWORD(base), 4));
    EXPECT_EQ(expected.bottom, MulDiv(16, HIWORD(base), 8));
    DestroyWindow(dialog);
}

class RegistryProfileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(profile.RemoveSection("")); }
    void TearDown() override { profile.RemoveSection(""); }
    RegistryProfile profile{"Orvex Test Organisation", "RegistryProfileTest"};
};

TEST_F(RegistryProfileTest, ValuesRoundTripUnderTheOrganisationAndApplication)
{
    EXPECT_EQ(profile.SectionPath("Recent File List"),
              L"Software\\Orvex Test Organisation\\RegistryProfileTest\\Recent File List");
    EXPECT_FALSE(profile.ReadString("Recent File List", "File1"));

    ASSERT_TRUE(profile.WriteString("Recent File List", "File1", "C:\\scenes\\caf\xc3\xa9.mes"));
    ASSERT_TRUE(profile.WriteNumber("Layout", "Visible", 7));
    ASSERT_TRUE(profile.WriteBinary("Layout", "Placement", {1, 2, 0, 255}));
    ASSERT_TRUE(profile.WriteBinary("Layout", "Empty", {}));

    EXPECT_EQ(profile.ReadString("Recent File List", "File1").value_or(""), "C:\\scenes\\caf\xc3\xa9.mes");
    EXPECT_EQ(profile.ReadNumber("Layout", "Visible").value_or(0), 7u);
    EXPECT_EQ(profile.ReadBinary("Layout", "Placement").value_or(std::vector<uint8_t>{}),
              (std::vector<uint8_t>{1, 2, 0, 255}));
    EXPECT_TRUE(profile.ReadBinary("Layout", "Empty").has_value());
    // A value of another type is not taken for the one asked for.
    EXPECT_FALSE(profile.ReadNumber("Recent File List", "File1"));
    EXPECT_FALSE(profile.ReadString("Layout", "Visible"));

    // The key is where the Windows registry editor shows it.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvex Test Organisation\\RegistryProfileTest\\Layout", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_TRUE(profile.RemoveEntry("Layout", "Visible"));
    EXPECT_FALSE(profile.ReadNumber("Layout", "Visible"));
    EXPECT_TRUE(profile.RemoveSection("Layout"));
    EXPECT_FALSE(profile.ReadBinary("Layout", "Placement"));
    EXPECT_TRUE(profile.ReadString("Recent File List", "File1"));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window with a child "view" of 96 x 64 at (10, 20) in its client area.
class GlViewTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "GlViewTargetTest";
        RegisterClassA(&windowClass);
        frame = CreateWindowExA(0, "GlViewTargetTest", "frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 160, 120,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(frame, nullptr);
        view = CreateWindowExA(0, "GlViewTargetTest", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 20, 96, 64,
                               frame, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(view, nullptr);
        win32.Init();
    }
    void TearDown() override
    {
        device.Destroy();
        target.Destroy();
        DestroyWindow(frame);
        win32.Shutdown();
    }

    // Clears the frame to a colour that is neither the window's background nor black.
    void DrawFrame(int width, int height)
    {
        device.SetViewport(0, 0, width, height);
        gl.glClearColor(0.0f, 0.5f, 1.0f, 1.0f);
        gl.glClear(GL_COLOR_BUFFER_BIT);
        gl.glPushMatrix(); // EndFrame pops it
    }

    Win32Platform win32;
    HWND frame = nullptr;
    HWND view = nullptr;
    GlViewTarget target;
    GlDevice device;
};

TEST_F(GlViewTargetTest, CopyingTargetIsAHiddenTopLevelWindowOfTheViewsSize)
{
    ASSERT_TRUE(target.Create(view, true));
    ASSERT_TRUE(target.CopiesFrames());
    HWND hidden = target.Window();
    EXPECT_NE(hidden, view);
    EXPECT_EQ(GetParent(hidden), nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    RECT client{};
    GetClientRect(hidden, &client);
    EXPECT_EQ(client.right, 96);
    EXPECT_EQ(client.bottom, 64);
    target.Resize(120, 40);
    GetClientRect(hidden, &client);
    EXPECT_EQ(client.right, 120);
    EXPECT_EQ(client.bottom, 40);

    target.Destroy();
    EXPECT_FALSE(IsWindow(hidden));
    // Without copying the view draws into its own window.
    ASSERT_TRUE(target.Create(view, false));
    EXPECT_EQ(target.Window(), view);
    EXPECT_FALSE(target.CopiesFrames());
}

TEST_F(GlViewTargetTest, FrameDrawnOffScreenAppearsInTheView)
{
    ASSERT_TRUE(target.Create(view, true));
    ASSERT_TRUE(device.Create(target.Window()));
    target.WatchSwaps();
    DrawFrame(96, 64);
    device.EndFrame(); // the copy comes with the swap
    EXPECT_EQ(target.CopiedFrames(), 1u);

    // The view's pixels, read back from its window: the clear colour (R 0, G 128, B 255)
    // inside, the frame's white around it.
    HDC dc = GetDC(view);
    const COLORREF inside = GetPixel(dc, 48, 32);
    const COLORREF corner = GetPixel(dc, 95, 63);
    ReleaseDC(view, dc);
    EXPECT_EQ(GetRValue(inside), 0);
    EXPECT_NEAR(GetGValue(inside), 128, 1);
    EXPECT_EQ(GetBValue(inside), 255);
    EXPECT_EQ(corner, inside);
    dc = GetDC(frame);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    ReleaseDC(frame, dc);
}

} // namespace
