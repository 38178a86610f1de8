// The colour popup's palette: 40 named colours in cell order, and GDI colour helpers.
#pragma once

#include <array>
#include <cstdint>

// Colours handed to and from the colour controls are GDI values, 0x00BBGGRR.
using GdiColor = std::uint32_t;

constexpr GdiColor GdiRgb(int r, int g, int b)
{
    return static_cast<GdiColor>(r & 0xFF) | (static_cast<GdiColor>(g & 0xFF) << 8) |
           (static_cast<GdiColor>(b & 0xFF) << 16);
}
constexpr int GdiRed(GdiColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GdiGreen(GdiColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GdiBlue(GdiColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// The colour reported while the default box is highlighted; no table entry has a high byte.
constexpr GdiColor kColorPopupDefaultColor = 0xFF000000u;

struct ColorPopupEntry {
    GdiColor color;
    const char* name;
};

constexpr int kColorPopupCount = 40;

// Row by row, ten per row. "Pale green " really ends with a blank.
extern const std::array<ColorPopupEntry, kColorPopupCount> kColorPopupTable;
