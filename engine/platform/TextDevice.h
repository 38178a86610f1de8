/// @file
/// Memory bitmaps and the drawing context that puts text into them: the bookkeeping
/// around a TextRasterizer (which bitmap and font are selected, colours, background mode).
#pragma once

#include "orvex/platform/TextRasterizer.h"

#include <cstdint>

/// The 40-byte header describing a bitmap.
struct BitmapInfoHeader {
    /// @{
    /// The fields of the Windows BITMAPINFOHEADER, in its order: size of this header (40), width,
    /// height, planes (1), bits per pixel, compression (kBitmapRgb), image size, resolution and
    /// colour-table use.
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height; ///< negative: rows run top-down
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    /// @{
    /// Resolution and colour-table use; not looked at.
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t clrUsed;
    std::uint32_t clrImportant;
    /// @}
};
static_assert(sizeof(BitmapInfoHeader) == 40, "the bitmap header is 40 bytes");

/// The header with room for one colour entry.
struct BitmapInfo {
    /// The bitmap's header.
    BitmapInfoHeader header;
    /// Room for one colour-table entry; unused for 32-bit bitmaps.
    std::uint32_t colors[1];
};

inline constexpr std::uint32_t kBitmapRgb = 0; ///< uncompressed

/// Pixel memory for text: 32 bits per pixel, top-down, owned by the bitmap.
class TextBitmap {
public:
    /// Null unless the header asks for an uncompressed, single-plane, 32-bit, top-down
    /// bitmap of positive size that memory can hold; *pixels receives the memory.
    static TextBitmap* Create(const BitmapInfo& info, std::uint8_t** pixels);
    ~TextBitmap();
    TextBitmap(const TextBitmap&) = delete;
    TextBitmap& operator=(const TextBitmap&) = delete;

    /// Where the rasteriser draws: the bitmap's pixels and size.
    TextTarget Target() const { return {pixels, width, height}; }

private:
    TextBitmap(std::uint8_t* memory, int w, int h) : pixels(memory), width(w), height(h) {}
    std::uint8_t* pixels;
    int width;
    int height;
};

/// Background modes of TextContext::SetBackgroundMode: transparent leaves the pixels behind the
/// text alone, opaque fills each cell with the background colour.
enum TextBackground { TextTransparent = 1, TextOpaque = 2 };

/// A memory drawing context: holds one bitmap and one font (neither owned) and the
/// colours text is drawn with. Text colour starts black, background white and opaque.
class TextContext {
public:
    /// A context drawing with `rasteriser`, which must outlive it.
    explicit TextContext(TextRasterizer& rasterizer) : rasterizer(rasterizer) {}

    /// Each returns what was selected or set before.
    /// @{
    TextBitmap* SelectBitmap(TextBitmap* bitmap);
    TextFont* SelectFont(TextFont* font);
    int SetBackgroundMode(int mode);
    std::uint32_t SetBackgroundColor(std::uint32_t color);
    std::uint32_t SetTextColor(std::uint32_t color);
    /// @}
    /// Only the top-left reference point without position updates (0) is offered.
    unsigned SetTextAlign(unsigned align);

    /// Draws `length` bytes of text with the top-left of its first cell at (x, y) into the
    /// selected bitmap; false when no bitmap or font is selected.
    bool TextOut(int x, int y, const char* text, int length);

private:
    TextRasterizer& rasterizer;
    TextBitmap* bitmap = nullptr;
    TextFont* font = nullptr;
    int backgroundMode = TextOpaque;
    std::uint32_t backgroundColor = 0x00FFFFFF;
    std::uint32_t textColor = 0x00000000;
    unsigned textAlign = 0;
};
