/// @file
/// Text drawn into 32-bit memory bitmaps: fonts by face name and cell height, and one
/// call that draws a line of text.
#pragma once

#include <cstddef>
#include <cstdint>

/// A face at one size, made by a TextRasterizer; deleting it releases it.
class TextFont {
public:
    virtual ~TextFont() = default;
};

/// Where text is drawn: width x height pixels, top-down rows of width * 4 bytes,
/// each pixel the bytes blue, green, red, reserved.
struct TextTarget {
    /// The first byte of the top row; not owned.
    std::uint8_t* pixels;
    /// @{
    /// The size in pixels.
    int width;
    int height;
    /// @}
};

/// Draws text into memory bitmaps; the system's (SystemText) or a stand-in.
class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;

    /// An anti-aliased, normal-weight, upright, proportional font of the face (or the
    /// system's closest match) whose character cell is cellHeight pixels high.
    /// Null when no face can be found or the height is not positive.
    virtual TextFont* CreateFont(const char* faceName, int cellHeight) = 0;

    /// Draws `length` bytes of text (UTF-8; text that is not UTF-8 is read as Latin-1 by
    /// FreeType, in the system's ANSI code page by GDI) with the top-left corner of the first
    /// character cell at (x, y). Each cell is first filled with `background` when `opaque`;
    /// glyphs are blended over it in `color`.
    /// Colours are 0x00BBGGRR; the reserved byte is written 0. Glyphs the face lacks come
    /// from the system's fallback faces, else the face's missing-glyph shape. No wrapping:
    /// what falls outside the target is cut off.
    virtual void DrawText(const TextFont& font, const TextTarget& target, int x, int y, const char* text,
                          std::size_t length, std::uint32_t color, bool opaque, std::uint32_t background) = 0;
};

/// The system's text rasteriser, from the program's system backend: FreeType with faces
/// found by fontconfig (platform/posix), GDI (platform/win32), the canvas 2D API (platform/web).
TextRasterizer& SystemText();

/// The code point starting at *p, advancing p past it: UTF-8, where a byte that does not
/// start a complete, shortest-form sequence stands for the Latin-1 character of its value.
/// p must be before end.
char32_t NextTextCodePoint(const unsigned char*& p, const unsigned char* end);
