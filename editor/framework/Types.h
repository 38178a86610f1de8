#pragma once
// The small value types the framework's interface speaks in: points, sizes and rectangles in
// pixels, and colours as GDI values (0x00BBGGRR). Rectangles are edges, right and bottom
// exclusive, as the window system's own rectangles are.
#include <algorithm>
#include <cstdint>

namespace fw {

struct Point {
    int x = 0;
    int y = 0;

    Point operator+(Point other) const { return {x + other.x, y + other.y}; }
    Point operator-(Point other) const { return {x - other.x, y - other.y}; }
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;

    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The rectangle of width x height pixels at (x, y).
    static Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    static Rect FromSize(Point origin, Size size) { return FromSize(origin.x, origin.y, size.cx, size.cy); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Size GetSize() const { return {Width(), Height()}; }
    Point TopLeft() const { return {left, top}; }
    Point BottomRight() const { return {right, bottom}; }
    // ((left + right) / 2, (top + bottom) / 2).
    Point CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    // No pixels: a zero or negative width or height.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Offset(Point by) const { return Offset(by.x, by.y); }
    // Each edge moved outwards by d (inwards for a negative d).
    Rect Inflate(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    Rect Deflate(int d) const { return Inflate(-d); }
    // Edges moved inwards: left and top by the first two, right and bottom by the last two.
    Rect Deflate(int l, int t, int r, int b) const { return {left + l, top + t, right - r, bottom - b}; }
    // The common part; empty when they do not meet.
    Rect Intersect(const Rect& o) const
    {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    bool operator==(const Rect&) const = default;
};

// 0x00BBGGRR, as the GDI and the editor's controls and text colours have it.
using Color = uint32_t;

constexpr Color MakeColor(int r, int g, int b)
{
    return static_cast<Color>(r & 0xFF) | (static_cast<Color>(g & 0xFF) << 8) | (static_cast<Color>(b & 0xFF) << 16);
}
constexpr int RedOf(Color c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

} // namespace fw
