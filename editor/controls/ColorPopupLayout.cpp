#include "controls/ColorPopupLayout.h"

#include <algorithm>

namespace colorpopup {

int MinimumBoxSize(int margin)
{
    return 2 * margin + 7;
}

Geometry Layout(int left, int top, int count, int boxSize, int margin, bool hasDefault, TextExtent defaultText,
                bool hasCustom, TextExtent customText)
{
    Geometry g;
    g.count = std::max(count, 0);
    g.columns = kColumns;
    g.rows = (g.count + g.columns - 1) / g.columns;
    g.margin = margin;
    g.boxSize = std::max(boxSize, MinimumBoxSize(margin));
    g.hasDefault = hasDefault;
    g.hasCustom = hasCustom;

    // Both boxes share one text size: the larger of the two texts plus room for the edges.
    TextExtent text;
    if (hasDefault || hasCustom) {
        if (hasDefault) {
            text.width = std::max(text.width, defaultText.width);
            text.height = std::max(text.height, defaultText.height);
        }
        if (hasCustom) {
            text.width = std::max(text.width, customText.width);
            text.height = std::max(text.height, customText.height);
        }
        text.width += 2 * margin;
        text.height += 2 * margin;
        text.height += 2 * margin + 2;
    }

    g.windowRect = {left, top, left + g.columns * g.boxSize + 2 * margin, top + g.rows * g.boxSize + 2 * margin};

    if (hasDefault) {
        if (g.windowRect.Width() < text.width)
            g.windowRect.right = g.windowRect.left + text.width;
        text.width = g.windowRect.Width() - 2 * margin;
        g.defaultRect = {margin, margin, margin + text.width, text.height + 2 * margin};
        g.windowRect.bottom += g.defaultRect.Height() + 2 * margin;
    }
    if (hasCustom) {
        if (g.windowRect.Width() < text.width)
            g.windowRect.right = g.windowRect.left + text.width;
        text.width = g.windowRect.Width() - 2 * margin;
        const int h = g.windowRect.Height();
        g.customRect = {margin, h, margin + text.width, h + margin + text.height};
        g.windowRect.bottom += g.customRect.Height() + 2 * margin;
    }
    return g;
}

Rect KeepOnScreen(Rect window, Rect screen, int parentHeight)
{
    if (window.right > screen.right)
        window = window.Offset(screen.right - window.right, 0);
    if (window.left < screen.left)
        window = window.Offset(screen.left - window.left, 0);
    if (window.bottom > screen.bottom)
        window = window.Offset(0, -(parentHeight + window.Height()));
    return window;
}

static int CellsTop(const Geometry& g)
{
    return g.margin + (g.hasDefault ? g.defaultRect.Height() + g.margin : 0);
}

Rect CellRect(const Geometry& g, int index)
{
    const int left = (index % g.columns) * g.boxSize + g.margin;
    const int top = (index / g.columns) * g.boxSize + CellsTop(g);
    return {left, top, left + g.boxSize, top + g.boxSize};
}

int IndexOf(const Geometry& g, int row, int column)
{
    if ((row == kCustomBox || column == kCustomBox) && g.hasCustom)
        return kCustomBox;
    if ((row == kDefaultBox || column == kDefaultBox) && g.hasDefault)
        return kDefaultBox;
    if (row < 0 || column < 0 || row >= g.rows || column >= g.columns)
        return kNoCell;
    const int index = row * g.columns + column;
    return index < g.count ? index : kNoCell;
}

static bool IsBox(const Geometry& g, int index)
{
    return (index == kCustomBox && g.hasCustom) || (index == kDefaultBox && g.hasDefault);
}

int RowOf(const Geometry& g, int index)
{
    if (IsBox(g, index))
        return index;
    if (index < 0 || index >= g.count)
        return kNoCell;
    return index / g.columns;
}

int ColumnOf(const Geometry& g, int index)
{
    if (IsBox(g, index))
        return index;
    if (index < 0 || index >= g.count)
        return kNoCell;
    return index % g.columns;
}

int CellFromPoint(const Geometry& g, int x, int y)
{
    // Hit areas are the drawn rectangles, so a click lands on the cell it appears to.
    if (g.hasCustom && g.customRect.Contains(x, y))
        return kCustomBox;
    if (g.hasDefault && g.defaultRect.Contains(x, y))
        return kDefaultBox;
    x -= g.margin;
    y -= CellsTop(g);
    if (x < 0 || y < 0)
        return kNoCell;
    return IndexOf(g, y / g.boxSize, x / g.boxSize);
}

int FindChosenCell(const Geometry& g, std::span<const ColorPopupEntry> table, GdiColor color)
{
    if (color == kColorPopupDefaultColor && g.hasDefault)
        return kDefaultBox;
    const int n = std::min(g.count, static_cast<int>(table.size()));
    for (int i = 0; i < n; ++i) {
        if (table[static_cast<size_t>(i)].color == color)
            return i;
    }
    return g.hasCustom ? kCustomBox : kNoCell;
}

// Where Down and Right land when they run off the cells.
static int AfterLastCell(const Geometry& g)
{
    if (g.hasCustom)
        return kCustomBox;
    if (g.hasDefault)
        return kDefaultBox;
    return IndexOf(g, 0, 0);
}

// Where Up and Left land when they run off the first cell.
static int BeforeFirstCell(const Geometry& g)
{
    if (g.hasDefault)
        return kDefaultBox;
    if (g.hasCustom)
        return kCustomBox;
    return g.count - 1;
}

int Navigate(const Geometry& g, int current, ArrowKey key)
{
    const int row = RowOf(g, current);
    const int column = ColumnOf(g, current);
    const int first = IndexOf(g, 0, 0);
    const int last = g.count - 1;
    const bool onDefault = row == kDefaultBox;
    const bool onCustom = row == kCustomBox;

    // Nothing highlighted yet: forward keys start at the first cell, backward keys at the last.
    if (row == kNoCell)
        return (key == ArrowKey::Down || key == ArrowKey::Right) ? first : last;

    switch (key) {
    case ArrowKey::Down:
    case ArrowKey::Right: {
        if (onDefault)
            return first;
        if (onCustom)
            return g.hasDefault ? kDefaultBox : first;
        int next = kNoCell;
        if (key == ArrowKey::Down)
            next = IndexOf(g, row + 1, column);
        else if (column + 1 < g.columns)
            next = IndexOf(g, row, column + 1);
        else
            next = IndexOf(g, row + 1, 0);
        return next != kNoCell ? next : AfterLastCell(g);
    }
    case ArrowKey::Up:
    case ArrowKey::Left: {
        if (onDefault)
            return g.hasCustom ? kCustomBox : last;
        if (onCustom)
            return last;
        if (key == ArrowKey::Up)
            return row > 0 ? IndexOf(g, row - 1, column) : BeforeFirstCell(g);
        if (column > 0)
            return IndexOf(g, row, column - 1);
        return row > 0 ? IndexOf(g, row - 1, g.columns - 1) : BeforeFirstCell(g);
    }
    }
    return current;
}

} // namespace colorpopup
