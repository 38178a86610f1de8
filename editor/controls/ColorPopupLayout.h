// Cell, box and window arithmetic of the colour popup, kept free of widgets so it can be
// checked exactly. Rectangles are right/bottom exclusive.
#pragma once

#include "controls/ColorPopupTable.h"

#include <span>

namespace colorpopup {

// Cell codes besides the colour indices 0 .. count - 1.
constexpr int kNoCell = -1;
constexpr int kCustomBox = -2;
constexpr int kDefaultBox = -3;

constexpr int kColumns = 10;
constexpr int kBoxSize = 18;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Deflate(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    bool operator==(const Rect&) const = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// Everything the popup derives from its texts, the box size and the edge width.
struct Geometry {
    int count = kColorPopupCount;
    int columns = kColumns;
    int rows = (kColorPopupCount + kColumns - 1) / kColumns;
    int boxSize = kBoxSize;
    int margin = 2;
    bool hasDefault = false;
    bool hasCustom = false;
    Rect defaultRect; // client coordinates
    Rect customRect;  // client coordinates
    Rect windowRect;  // screen coordinates
};

// Cells must leave room for two edges and a visible swatch.
int MinimumBoxSize(int margin);

// Lays the popup out with its top-left corner at (left, top). The extents are the measured
// sizes of the default and custom texts; a box exists when its text is not empty.
Geometry Layout(int left, int top, int count, int boxSize, int margin, bool hasDefault, TextExtent defaultText,
                bool hasCustom, TextExtent customText);

// Moves a window rect back onto the screen; one that would leave the bottom opens above its
// parent instead.
Rect KeepOnScreen(Rect window, Rect screen, int parentHeight);

// The drawn rectangle of colour cell `index` in client coordinates.
Rect CellRect(const Geometry& g, int index);

int IndexOf(const Geometry& g, int row, int column);
int RowOf(const Geometry& g, int index);
int ColumnOf(const Geometry& g, int index);

// The cell under a client point: a colour index, kCustomBox or kDefaultBox, or kNoCell when
// the point is over none of them.
int CellFromPoint(const Geometry& g, int x, int y);

// The cell of the colour the popup opens with.
int FindChosenCell(const Geometry& g, std::span<const ColorPopupEntry> table, GdiColor color);

enum class ArrowKey { Up, Down, Left, Right };

// The cell an arrow key moves the highlight to from `current`.
int Navigate(const Geometry& g, int current, ArrowKey key);

} // namespace colorpopup
