// The FreeType rasteriser of the POSIX backend: faces through fontconfig, cells, colours,
// fallback faces and clipping.
#include "orvex/posix/FreeTypeRasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct Canvas {
    int width = 96, height = 24;
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(static_cast<std::size_t>(96 * 24 * 4), 0);
    TextTarget Target() { return {pixels.data(), width, height}; }
    std::uint8_t* At(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Canvas Draw(const char* face, const char* text, std::uint32_t color = 0xFFFFFF, bool opaque = false,
            std::uint32_t background = 0)
{
    Canvas canvas;
    std::unique_ptr<TextFont> font(FreeTypeRasterizer().CreateFont(face, 16));
    if (font)
        FreeTypeRasterizer().DrawText(*font, canvas.Target(), 2, 0, text, std::strlen(text), color, opaque, background);
    return canvas;
}

bool HasInk(const Canvas& c)
{
    return std::any_of(c.pixels.begin(), c.pixels.end(), [](std::uint8_t b) { return b != 0; });
}

TEST(FreeTypeRasterizer, ComicSansResolvesLikeComicNeue)
{
    const Canvas asked = Draw("Comic Sans MS", "Orvex");
    EXPECT_TRUE(HasInk(asked));
    EXPECT_EQ(asked.pixels, Draw("Comic Neue", "Orvex").pixels);
    EXPECT_NE(asked.pixels, Draw("DejaVu Sans", "Orvex").pixels);
    // An unknown face gets fontconfig's best match rather than nothing.
    EXPECT_TRUE(HasInk(Draw("No Such Face 12345", "Orvex")));
    EXPECT_EQ(FreeTypeRasterizer().CreateFont("Comic Sans MS", 0), nullptr);
    EXPECT_EQ(FreeTypeRasterizer().CreateFont(nullptr, 16), nullptr);
}

TEST(FreeTypeRasterizer, CellBackgroundAndColour)
{
    // Red text (0x0000FF) on an opaque blue cell (0xFF0000): bytes are blue, green, red, 0.
    Canvas c = Draw("Comic Sans MS", "Wg", 0x0000FF, true, 0xFF0000);
    EXPECT_EQ(c.At(2, 0)[0], 255); // the cell's top-left corner is background
    int fullInk = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const std::uint8_t* p = c.At(x, y);
            EXPECT_EQ(p[1], 0);
            EXPECT_EQ(p[3], 0);
            if (y >= 16 || x < 2) {
                EXPECT_EQ(p[0] + p[2], 0) << x << "," << y; // outside the 16-pixel cell
            }
            fullInk += p[2] > 128;
        }
    }
    EXPECT_GT(fullInk, 0);
    // Beyond the text's advance the row is untouched.
    EXPECT_EQ(c.At(95, 5)[0], 0);
}

TEST(FreeTypeRasterizer, MissingGlyphsComeFromFallbackFaces)
{
    // Comic Neue has no Cyrillic or Greek; fontconfig finds a face that has.
    const Canvas zhe = Draw("Comic Sans MS", "\xD0\x96");      // U+0416
    const Canvas omega = Draw("Comic Sans MS", "\xCE\xA9");    // U+03A9
    const Canvas none = Draw("Comic Sans MS", "\xEE\x80\x80"); // U+E000, in no face: missing-glyph shape
    EXPECT_TRUE(HasInk(zhe));
    EXPECT_NE(zhe.pixels, none.pixels);
    EXPECT_NE(zhe.pixels, omega.pixels);
    // Hangul syllables (the driver page's 한글두) from a Korean face (fonts-nanum).
    const Canvas hangul = Draw("Comic Sans MS", "\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90");
    const Canvas boxes = Draw("Comic Sans MS", "\xEE\x80\x80\xEE\x80\x80\xEE\x80\x80");
    EXPECT_TRUE(HasInk(hangul));
    EXPECT_NE(hangul.pixels, boxes.pixels);
    // Bytes that are not UTF-8 stand for Latin-1 characters.
    EXPECT_EQ(Draw("Comic Sans MS", "caf\xE9").pixels, Draw("Comic Sans MS", "caf\xC3\xA9").pixels);
}

TEST(FreeTypeRasterizer, ClipsAtEveryEdge)
{
    std::unique_ptr<TextFont> font(FreeTypeRasterizer().CreateFont("Comic Sans MS", 16));
    ASSERT_NE(font, nullptr);
    Canvas c;
    for (auto [x, y] : {std::pair{-40, -8}, std::pair{90, 20}, std::pair{-100000, 0}, std::pair{0, 100000}})
        FreeTypeRasterizer().DrawText(*font, c.Target(), x, y, "Clipped text", 12, 0xFFFFFF, true, 0x808080);
    EXPECT_TRUE(HasInk(c));
}

} // namespace
