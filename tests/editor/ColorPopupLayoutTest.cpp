// Colour popup arithmetic without widgets: table, layout, hit testing, keyboard, screen fit.
#include "controls/ColorPopupLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace colorpopup;

namespace {

constexpr int kMargin = 2;
constexpr TextExtent kNoText{};

Geometry Cells()
{
    return Layout(0, 0, 40, 18, kMargin, false, kNoText, false, kNoText);
}
Geometry CustomOnly()
{
    return Layout(0, 0, 40, 18, kMargin, false, kNoText, true, {80, 13});
}
Geometry DefaultOnly()
{
    return Layout(0, 0, 40, 18, kMargin, true, {80, 13}, false, kNoText);
}
Geometry BothBoxes()
{
    return Layout(0, 0, 40, 18, kMargin, true, {60, 13}, true, {80, 13});
}

int Centre(int a, int b)
{
    return (a + b) / 2;
}

} // namespace

TEST(ColorPopupTable, FortyNamedColoursInCellOrder)
{
    ASSERT_EQ(kColorPopupTable.size(), 40u);
    EXPECT_STREQ(kColorPopupTable[0].name, "Black");
    EXPECT_EQ(kColorPopupTable[0].color, 0x000000u);
    // GDI byte order: red in the low byte.
    EXPECT_STREQ(kColorPopupTable[9].name, "Orange");
    EXPECT_EQ(kColorPopupTable[9].color, 0x002068FFu);
    EXPECT_STREQ(kColorPopupTable[20].name, "Aqua");
    EXPECT_EQ(kColorPopupTable[20].color, 0x00D4FF7Fu);
    EXPECT_EQ(std::string(kColorPopupTable[35].name), "Pale green ");
    EXPECT_STREQ(kColorPopupTable[39].name, "White");
    EXPECT_EQ(kColorPopupTable[39].color, 0x00FFFFFFu);

    std::set<std::string> names;
    for (const ColorPopupEntry& e : kColorPopupTable) {
        names.insert(e.name);
        EXPECT_EQ(e.color & 0xFF000000u, 0u) << e.name;
    }
    EXPECT_EQ(names.size(), 40u);
}

TEST(ColorPopupLayout, CellsOnlyIsTenByFour)
{
    const Geometry g = Layout(100, 200, 40, 18, kMargin, false, kNoText, false, kNoText);
    EXPECT_EQ(g.columns, 10);
    EXPECT_EQ(g.rows, 4);
    EXPECT_EQ(g.boxSize, 18);
    EXPECT_EQ(g.windowRect, (Rect{100, 200, 100 + 184, 200 + 76}));
    EXPECT_FALSE(g.hasDefault);
    EXPECT_FALSE(g.hasCustom);
    EXPECT_EQ(CellRect(g, 0), (Rect{2, 2, 20, 20}));
    EXPECT_EQ(CellRect(g, 13), (Rect{3 * 18 + 2, 20, 4 * 18 + 2, 38}));
    EXPECT_EQ(CellRect(g, 39), (Rect{164, 56, 182, 74}));

    // Rows round up for a partial last row.
    EXPECT_EQ(Layout(0, 0, 41, 18, kMargin, false, kNoText, false, kNoText).rows, 5);
}

TEST(ColorPopupLayout, BoxSizeHasAFloor)
{
    EXPECT_EQ(MinimumBoxSize(2), 11);
    EXPECT_EQ(Layout(0, 0, 40, 5, 2, false, kNoText, false, kNoText).boxSize, 11);
    EXPECT_EQ(Layout(0, 0, 40, 18, 6, false, kNoText, false, kNoText).boxSize, 19);
    EXPECT_EQ(Layout(0, 0, 40, 18, 5, false, kNoText, false, kNoText).boxSize, 18);
}

TEST(ColorPopupLayout, CustomBoxSitsBelowTheCells)
{
    // Text box: 80 + 4 wide, 13 + 4 + 4 + 2 = 23 high; then as wide as the window allows.
    const Geometry g = CustomOnly();
    EXPECT_TRUE(g.hasCustom);
    EXPECT_EQ(g.customRect, (Rect{2, 76, 182, 101}));
    EXPECT_EQ(g.windowRect, (Rect{0, 0, 184, 105}));
    EXPECT_EQ(CellRect(g, 39).bottom, 74);
}

TEST(ColorPopupLayout, WideDefaultTextWidensTheWindowAndPushesCellsDown)
{
    const Geometry g = Layout(0, 0, 40, 18, kMargin, true, {300, 13}, false, kNoText);
    EXPECT_EQ(g.defaultRect, (Rect{2, 2, 302, 27}));
    EXPECT_EQ(g.windowRect, (Rect{0, 0, 304, 105}));
    EXPECT_EQ(CellRect(g, 0), (Rect{2, 29, 20, 47}));
    EXPECT_EQ(CellRect(g, 39), (Rect{164, 83, 182, 101}));
}

TEST(ColorPopupLayout, BothBoxesShareTheLargerText)
{
    const Geometry g = BothBoxes();
    EXPECT_EQ(g.defaultRect, (Rect{2, 2, 182, 27}));
    EXPECT_EQ(g.customRect, (Rect{2, 105, 182, 130}));
    EXPECT_EQ(g.windowRect, (Rect{0, 0, 184, 134}));
    // A taller custom text raises the height of both boxes.
    const Geometry tall = Layout(0, 0, 40, 18, kMargin, true, {10, 13}, true, {10, 20});
    EXPECT_EQ(tall.defaultRect.Height(), tall.customRect.Height());
}

TEST(ColorPopupHitTest, EveryDrawnCellHitsItself)
{
    for (const Geometry& g : {Cells(), CustomOnly(), DefaultOnly(), BothBoxes()}) {
        for (int i = 0; i < g.count; ++i) {
            const Rect r = CellRect(g, i);
            EXPECT_EQ(CellFromPoint(g, Centre(r.left, r.right), Centre(r.top, r.bottom)), i);
            EXPECT_EQ(CellFromPoint(g, r.left, r.top), i);
            EXPECT_EQ(CellFromPoint(g, r.right - 1, r.bottom - 1), i);
        }
    }
}

TEST(ColorPopupHitTest, BoxesMarginsAndOutside)
{
    const Geometry g = BothBoxes();
    EXPECT_EQ(CellFromPoint(g, 90, 10), kDefaultBox);
    EXPECT_EQ(CellFromPoint(g, 90, 120), kCustomBox);
    EXPECT_EQ(CellFromPoint(g, 2, 105), kCustomBox);
    EXPECT_EQ(CellFromPoint(g, 1, 40), kNoCell);   // left edge, before column 0
    EXPECT_EQ(CellFromPoint(g, 182, 40), kNoCell); // right edge, past column 9
    EXPECT_EQ(CellFromPoint(g, 90, 28), kNoCell);  // gap between default box and cells
    EXPECT_EQ(CellFromPoint(g, 90, 102), kNoCell); // below the last row
    EXPECT_EQ(CellFromPoint(g, -50, -50), kNoCell);

    // Without boxes their areas hit nothing.
    EXPECT_EQ(CellFromPoint(Cells(), 90, 80), kNoCell);

    // A popup widened by its text: the space right of column 9 is no cell.
    const Geometry wide = Layout(0, 0, 40, 18, kMargin, true, {300, 13}, false, kNoText);
    EXPECT_EQ(CellFromPoint(wide, 250, 40), kNoCell);
}

TEST(ColorPopupIndex, RowsColumnsAndSpecialCodes)
{
    const Geometry g = BothBoxes();
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(IndexOf(g, RowOf(g, i), ColumnOf(g, i)), i);
    EXPECT_EQ(RowOf(g, 37), 3);
    EXPECT_EQ(ColumnOf(g, 37), 7);
    EXPECT_EQ(IndexOf(g, kCustomBox, 3), kCustomBox);
    EXPECT_EQ(IndexOf(g, 1, kDefaultBox), kDefaultBox);
    EXPECT_EQ(RowOf(g, kCustomBox), kCustomBox);
    EXPECT_EQ(ColumnOf(g, kDefaultBox), kDefaultBox);
    EXPECT_EQ(IndexOf(g, 4, 0), kNoCell);
    EXPECT_EQ(IndexOf(g, 0, 10), kNoCell);
    EXPECT_EQ(IndexOf(g, -1, 0), kNoCell);
    EXPECT_EQ(RowOf(g, 40), kNoCell);
    EXPECT_EQ(RowOf(g, -4), kNoCell);

    // Codes of boxes that do not exist are no cell.
    const Geometry plain = Cells();
    EXPECT_EQ(IndexOf(plain, kCustomBox, 0), kNoCell);
    EXPECT_EQ(IndexOf(plain, 0, kDefaultBox), kNoCell);
    EXPECT_EQ(RowOf(plain, kCustomBox), kNoCell);
    EXPECT_EQ(ColumnOf(plain, kDefaultBox), kNoCell);

    // A partial last row: (4, 1) is past the 41 colours.
    const Geometry odd = Layout(0, 0, 41, 18, kMargin, false, kNoText, false, kNoText);
    EXPECT_EQ(IndexOf(odd, 4, 0), 40);
    EXPECT_EQ(IndexOf(odd, 4, 1), kNoCell);
}

TEST(ColorPopupChosenCell, ExactMatchOrFallback)
{
    EXPECT_EQ(FindChosenCell(CustomOnly(), kColorPopupTable, GdiRgb(255, 104, 32)), 9);
    EXPECT_EQ(FindChosenCell(CustomOnly(), kColorPopupTable, GdiRgb(255, 255, 255)), 39);
    EXPECT_EQ(FindChosenCell(CustomOnly(), kColorPopupTable, GdiRgb(255, 104, 33)), kCustomBox);
    EXPECT_EQ(FindChosenCell(Cells(), kColorPopupTable, GdiRgb(1, 2, 3)), kNoCell);
    EXPECT_EQ(FindChosenCell(DefaultOnly(), kColorPopupTable, kColorPopupDefaultColor), kDefaultBox);
    EXPECT_EQ(FindChosenCell(CustomOnly(), kColorPopupTable, kColorPopupDefaultColor), kCustomBox);

    // The first of equal colours wins.
    const std::vector<ColorPopupEntry> twice = {{GdiRgb(9, 9, 9), "a"}, {GdiRgb(5, 5, 5), "b"}, {GdiRgb(5, 5, 5), "c"}};
    const Geometry small = Layout(0, 0, 3, 18, kMargin, false, kNoText, false, kNoText);
    EXPECT_EQ(FindChosenCell(small, twice, GdiRgb(5, 5, 5)), 1);
}

struct NavCase {
    int from;
    ArrowKey key;
    int to;
};

static void ExpectMoves(const Geometry& g, const std::vector<NavCase>& cases, const char* what)
{
    for (const NavCase& c : cases) {
        EXPECT_EQ(Navigate(g, c.from, c.key), c.to)
            << what << ": from " << c.from << " key " << static_cast<int>(c.key);
    }
}

TEST(ColorPopupKeyboard, CustomBoxOnly)
{
    using enum ArrowKey;
    ExpectMoves(CustomOnly(),
                {
                    {35, Down, kCustomBox}, // last row runs into the custom box
                    {39, Down, kCustomBox},
                    {kCustomBox, Down, 0},
                    {kCustomBox, Up, 39},
                    {kCustomBox, Right, 0},
                    {kCustomBox, Left, 39},
                    {5, Down, 15},
                    {15, Up, 5},
                    {5, Up, kCustomBox}, // row 0 without a default box
                    {0, Left, kCustomBox},
                    {10, Left, 9}, // column 0 wraps to the row above
                    {9, Right, 10},
                    {38, Right, 39},
                    {39, Right, kCustomBox},
                    {kNoCell, Down, 0},
                    {kNoCell, Up, 39},
                },
                "custom");
}

TEST(ColorPopupKeyboard, DefaultBoxOnly)
{
    using enum ArrowKey;
    ExpectMoves(DefaultOnly(),
                {
                    {kDefaultBox, Down, 0},
                    {kDefaultBox, Right, 0},
                    {kDefaultBox, Up, 39},
                    {kDefaultBox, Left, 39},
                    {7, Up, kDefaultBox},
                    {0, Left, kDefaultBox},
                    {36, Down, kDefaultBox},
                    {39, Right, kDefaultBox},
                    {kCustomBox, Down, 0}, // a box that does not exist counts as nothing
                },
                "default");
}

TEST(ColorPopupKeyboard, BothBoxesAndNeither)
{
    using enum ArrowKey;
    ExpectMoves(BothBoxes(),
                {
                    {kCustomBox, Down, kDefaultBox},
                    {kCustomBox, Right, kDefaultBox},
                    {kDefaultBox, Up, kCustomBox},
                    {kDefaultBox, Left, kCustomBox},
                    {kCustomBox, Up, 39},
                    {3, Up, kDefaultBox},
                    {0, Left, kDefaultBox},
                    {33, Down, kCustomBox},
                },
                "both");
    ExpectMoves(Cells(),
                {
                    {34, Down, 0},
                    {39, Right, 0},
                    {4, Up, 39},
                    {0, Left, 39},
                    {20, Left, 19},
                },
                "neither");
}

TEST(ColorPopupScreen, KeepsTheWindowOnScreen)
{
    const Rect screen{0, 0, 1024, 768};
    EXPECT_EQ(KeepOnScreen({100, 100, 284, 205}, screen, 30), (Rect{100, 100, 284, 205}));
    EXPECT_EQ(KeepOnScreen({900, 100, 1084, 205}, screen, 30), (Rect{840, 100, 1024, 205}));
    EXPECT_EQ(KeepOnScreen({-20, 100, 164, 205}, screen, 30), (Rect{0, 100, 184, 205}));
    // Past the bottom it opens above its parent: up by the parent's and its own height.
    EXPECT_EQ(KeepOnScreen({100, 700, 284, 805}, screen, 40), (Rect{100, 555, 284, 660}));
    // A second screen to the right has its own left edge.
    EXPECT_EQ(KeepOnScreen({1000, 0, 1184, 105}, {1024, 0, 2048, 768}, 0), (Rect{1024, 0, 1208, 105}));
}
