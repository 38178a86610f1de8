// The colour popup on Win32: a pop-up window painted cell by cell through the drawing surface
// (GDI), moved with the arrow keys, reporting its choice to its parent, and its "Custom Color"
// box running the system's colour dialog (ChooseColorA).
#include "EditorWin32Support.h"
#include "controls/ColorPopup.h"

#include <gtest/gtest.h>

namespace {

// A window that keeps every notification it hears.
class Listener : public fw::Wnd {
public:
    struct Heard {
        uint32_t message;
        GdiColor color;
    };
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t) override
    {
        heard.push_back({message, static_cast<GdiColor>(wParam)});
        return 0;
    }
    std::vector<Heard> heard;
};

class ColorPopupWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditorApp::StartToolkitOnly();
        // The pointer away from the popup: with the mouse captured, its moves move the highlight.
        SetCursorPos(1000, 740);
        ASSERT_TRUE(parent.CreateEx(0, "parent", fw::WinStyle::Popup | fw::WinStyle::Visible,
                                    fw::Rect::FromSize(100, 100, 300, 200), nullptr, 0));
        popup.SetEmbedded(true);
    }
    void TearDown() override
    {
        if (popup.IsWindow())
            popup.DestroyWindow();
        parent.DestroyWindow();
    }
    void Key(UINT key)
    {
        SendMessageW(Handle(popup), WM_KEYDOWN, key, 0);
        PumpMessages(20);
    }
    // The pixel in the middle of a cell, read back from the window.
    COLORREF CellPixel(int index)
    {
        const colorpopup::Rect cell = colorpopup::CellRect(popup.Layout(), index);
        HDC dc = GetDC(Handle(popup));
        const COLORREF pixel = GetPixel(dc, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        ReleaseDC(Handle(popup), dc);
        return pixel;
    }

    Listener parent;
    ColorPopup popup;
};

TEST_F(ColorPopupWin32, FortyCellsPaintedInTheirColoursAboveTheCustomBox)
{
    ASSERT_TRUE(popup.Create(fw::Point{150, 150}, GdiRgb(255, 0, 0), &parent, std::string(), "Custom Color"));
    HWND hwnd = Handle(popup);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), Handle(parent));
    EXPECT_EQ(GetCapture(), hwnd);
    // Ten columns of 18-pixel cells inside an edge on each side; the custom box below.
    const colorpopup::Geometry& layout = popup.Layout();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 10 * 18 + 2 * layout.margin);
    EXPECT_EQ(layout.rows, 4);
    EXPECT_TRUE(layout.hasCustom);
    EXPECT_GE(layout.customRect.top, colorpopup::CellRect(layout, 39).bottom);
    EXPECT_EQ(client.bottom, layout.customRect.bottom + 2 * layout.margin);

    UpdateWindow(hwnd);
    PumpMessages(50);
    for (int index : {0, 16, 26, 39, 13, 9}) {
        const ColorPopupEntry& entry = kColorPopupTable[static_cast<size_t>(index)];
        EXPECT_EQ(CellPixel(index), entry.color) << entry.name;
    }
    EXPECT_EQ(popup.Chosen(), 16); // "Red", the colour it opened with
}

TEST_F(ColorPopupWin32, ArrowsMoveTheHighlightAndEnterChooses)
{
    ASSERT_TRUE(popup.Create(fw::Point{150, 150}, GdiRgb(1, 2, 3), &parent, std::string(), "Custom Color"));
    EXPECT_EQ(popup.Chosen(), colorpopup::kCustomBox); // not in the table
    Key(VK_DOWN);                                      // from the custom box to the first cell
    EXPECT_EQ(popup.Current(), 0);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(popup.Current(), 11);
    ASSERT_FALSE(parent.heard.empty());
    EXPECT_EQ(parent.heard.back().message, ColorPopupSelChange);
    EXPECT_EQ(parent.heard.back().color, kColorPopupTable[11].color);
    Key(VK_RETURN);
    EXPECT_EQ(parent.heard.back().message, ColorPopupSelEndOk);
    EXPECT_EQ(parent.heard.back().color, kColorPopupTable[11].color);
    EXPECT_FALSE(popup.IsWindow()); // ended; the embedded object stays
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ColorPopupWin32, EscapeCancelsWithTheInitialColour)
{
    ASSERT_TRUE(popup.Create(fw::Point{150, 150}, GdiRgb(0, 0, 255), &parent, std::string(), "Custom Color"));
    Key(VK_LEFT);
    Key(VK_ESCAPE);
    EXPECT_EQ(parent.heard.back().message, ColorPopupSelEndCancel);
    EXPECT_EQ(parent.heard.back().color, GdiRgb(0, 0, 255));
}

// The system's colour dialog, answered while it runs: the colour typed into its red, green and
// blue boxes, then OK.
void CALLBACK AnswerColorDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"Color");
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    SetDlgItemInt(dialog, 706, 10, FALSE); // red, green, blue
    SetDlgItemInt(dialog, 707, 20, FALSE);
    SetDlgItemInt(dialog, 708, 30, FALSE);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

TEST_F(ColorPopupWin32, CustomColorComesFromTheSystemColourDialog)
{
    ASSERT_TRUE(popup.Create(fw::Point{150, 150}, GdiRgb(200, 100, 50), &parent, std::string(), "Custom Color"));
    Key(VK_UP); // from the custom box to the last cell, and back down to it
    Key(VK_DOWN);
    ASSERT_EQ(popup.Current(), colorpopup::kCustomBox);
    SetTimer(nullptr, 0, 50, AnswerColorDialog);
    Key(VK_RETURN); // runs the dialog modally
    ASSERT_FALSE(parent.heard.empty());
    EXPECT_EQ(parent.heard.back().message, ColorPopupSelEndOk);
    EXPECT_EQ(parent.heard.back().color, GdiRgb(10, 20, 30));
}

} // namespace
