// The GDI text rasteriser: UTF-8 to UTF-16 and other text in the ANSI code page, the cell
// background and the colour in the 32-bit top-down bitmap, transparent drawing, clipping, and
// the faces GDI offers.
#include "orvex/win32/GdiText.h"
#include "orvex/win32/Win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

TEST(GdiText, Utf8BecomesUtf16)
{
    EXPECT_EQ(TextToUtf16("FPS: 060", 8), L"FPS: 060");
    // The driver page's Hangul syllables.
    EXPECT_EQ(TextToUtf16("\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90", 9), std::wstring(L"\xD55C\xAE00\xB450"));
    // Beyond the basic plane: a surrogate pair.
    EXPECT_EQ(TextToUtf16("\xF0\x9F\x98\x80", 4), std::wstring(L"\xD83D\xDE00"));
    // Bytes that are not UTF-8 stand for Latin-1 characters, a cut sequence included.
    EXPECT_EQ(TextToUtf16("caf\xE9", 4), std::wstring(L"caf\x00E9"));
    EXPECT_EQ(TextToUtf16("\xED\x95", 2), std::wstring(L"\x00ED\x0095"));
    // Overlong forms and surrogates encoded in UTF-8 are not characters.
    EXPECT_EQ(TextToUtf16("\xC0\xAF", 2), std::wstring(L"\x00C0\x00AF"));
    EXPECT_EQ(TextToUtf16("\xED\xA0\x80", 3), std::wstring(L"\x00ED\x00A0\x0080"));
    EXPECT_EQ(TextToUtf16(nullptr, 3), L"");
}

TEST(GdiText, Utf8IsToldFromOtherText)
{
    EXPECT_TRUE(IsUtf8Text("FPS: 060", 8));
    EXPECT_TRUE(IsUtf8Text("\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90", 9));
    EXPECT_TRUE(IsUtf8Text("\xF0\x9F\x98\x80", 4));
    EXPECT_TRUE(IsUtf8Text("", 0));
    // The same syllables in code page 949, a cut sequence, an overlong form, an encoded
    // surrogate and a lone continuation byte are not UTF-8.
    EXPECT_FALSE(IsUtf8Text("\xC7\xD1\xB1\xDB\xB5\xCE", 6));
    EXPECT_FALSE(IsUtf8Text("ok \xED\x95", 5));
    EXPECT_FALSE(IsUtf8Text("\xC0\xAF", 2));
    EXPECT_FALSE(IsUtf8Text("\xED\xA0\x80", 3));
    EXPECT_FALSE(IsUtf8Text("\x80", 1));
}

struct Canvas {
    int width = 96, height = 24;
    std::vector<std::uint8_t> pixels;
    explicit Canvas(std::uint8_t fill = 0) : pixels(static_cast<std::size_t>(96 * 24 * 4), fill) {}
    TextTarget Target() { return {pixels.data(), width, height}; }
    const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Canvas Draw(const char* text, std::uint32_t color = 0xFFFFFF, bool opaque = false, std::uint32_t background = 0,
            std::uint8_t fill = 0)
{
    Canvas canvas(fill);
    TextRasterizer& gdi = GdiTextRasterizer();
    std::unique_ptr<TextFont> font(gdi.CreateFont("Comic Sans MS", 16));
    if (font)
        gdi.DrawText(*font, canvas.Target(), 2, 0, text, std::strlen(text), color, opaque, background);
    return canvas;
}

bool HasInk(const Canvas& c)
{
    return std::any_of(c.pixels.begin(), c.pixels.end(), [](std::uint8_t b) { return b != 0; });
}

TEST(GdiText, FontsNeedAFaceAndAHeight)
{
    TextRasterizer& gdi = GdiTextRasterizer();
    EXPECT_EQ(gdi.CreateFont("Comic Sans MS", 0), nullptr);
    EXPECT_EQ(gdi.CreateFont("Comic Sans MS", -16), nullptr);
    EXPECT_EQ(gdi.CreateFont(nullptr, 16), nullptr);
    std::unique_ptr<TextFont> font(gdi.CreateFont("Comic Sans MS", 16));
    EXPECT_NE(font, nullptr);
    // The system text of this build is GDI's.
    EXPECT_EQ(&SystemText(), &gdi);
    // An unknown face gets the system's closest match rather than nothing.
    EXPECT_TRUE(HasInk(Draw("Orvex")));
}

TEST(GdiText, CellBackgroundAndColour)
{
    // Red text (0x0000FF) on an opaque blue cell (0xFF0000): bytes are blue, green, red, 0.
    const Canvas c = Draw("Wg", 0x0000FF, true, 0xFF0000);
    EXPECT_EQ(c.At(2, 0)[0], 255); // the cell's top-left corner is background
    int fullInk = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const std::uint8_t* p = c.At(x, y);
            EXPECT_EQ(p[1], 0) << x << "," << y;
            EXPECT_EQ(p[3], 0) << x << "," << y; // the reserved byte
            if (y >= 16 || x < 2) {
                EXPECT_EQ(p[0] + p[2], 0) << x << "," << y; // outside the 16-pixel cell
            }
            fullInk += p[2] > 128;
        }
    }
    EXPECT_GT(fullInk, 0);
    EXPECT_EQ(c.At(95, 5)[0], 0); // beyond the text's advance the row is untouched
}

TEST(GdiText, TransparentTextKeepsWhatIsUnderIt)
{
    const Canvas c = Draw("Wg", 0xFFFFFF, false, 0xFF0000, 0x40);
    int ink = 0, kept = 0;
    for (std::size_t i = 0; i < c.pixels.size(); i += 4) {
        const bool untouched =
            c.pixels[i] == 0x40 && c.pixels[i + 1] == 0x40 && c.pixels[i + 2] == 0x40 && c.pixels[i + 3] == 0x40;
        kept += untouched;
        if (!untouched) {
            ++ink;
            EXPECT_EQ(c.pixels[i + 3], 0); // drawn pixels get the reserved byte 0
            EXPECT_GT(c.pixels[i], 0x40);  // white ink over grey, never the blue background
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_GT(kept, 96 * 24 - 400);
}

TEST(GdiText, ClipsAtEveryEdgeAndKeepsNothingBetweenDraws)
{
    TextRasterizer& gdi = GdiTextRasterizer();
    std::unique_ptr<TextFont> font(gdi.CreateFont("Comic Sans MS", 16));
    ASSERT_NE(font, nullptr);
    Canvas c;
    for (auto [x, y] : {std::pair{-40, -8}, std::pair{90, 20}, std::pair{-100000, 0}, std::pair{0, 100000}})
        gdi.DrawText(*font, c.Target(), x, y, "Clipped text", 12, 0xFFFFFF, true, 0x808080);
    EXPECT_TRUE(HasInk(c));
    // Targets of other sizes, one after another: each draw starts from its own pixels.
    std::vector<std::uint8_t> wide(512 * 16 * 4, 0), narrow(8 * 16 * 4, 0);
    gdi.DrawText(*font, {wide.data(), 512, 16}, 0, 0, "wide", 4, 0xFFFFFF, false, 0);
    gdi.DrawText(*font, {narrow.data(), 8, 16}, 0, 0, "", 0, 0xFFFFFF, false, 0);
    EXPECT_TRUE(std::all_of(narrow.begin(), narrow.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::any_of(wide.begin(), wide.end(), [](std::uint8_t b) { return b != 0; }));
    // Nothing to draw into: no crash, nothing written.
    gdi.DrawText(*font, {nullptr, 8, 16}, 0, 0, "x", 1, 0xFFFFFF, true, 0);
    gdi.DrawText(*font, {narrow.data(), 0, 16}, 0, 0, "x", 1, 0xFFFFFF, true, 0);
}

TEST(GdiText, TextBeyondAsciiGoesThroughTheWideApi)
{
    // In the ANSI code pages of western systems (1252, as Wine's) the byte E9 is the UTF-8
    // spelling's character.
    EXPECT_EQ(Draw("caf\xE9").pixels, Draw("caf\xC3\xA9").pixels);
    // The driver page's Hangul draws ink, and not the same as three private-use characters.
    const Canvas hangul = Draw("\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90");
    EXPECT_TRUE(HasInk(hangul));
    EXPECT_NE(hangul.pixels, Draw("abc").pixels);
}

// Text that is not UTF-8 is read in the system's ANSI code page, as TextOutA reads it: the
// same picture as its characters spelt in UTF-8, not as bytes taken for Latin-1 characters.
TEST(GdiText, TextThatIsNotUtf8IsReadInTheAnsiCodePage)
{
    const char ansi[] = "\x80 \x93Q\x94"; // 1252: the euro sign and typographic quotes
    wchar_t wide[8] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, 5, wide, 8), 5);
    ASSERT_NE(wide[0], L'\x0080') << "the ANSI code page " << GetACP() << " reads 80 as Latin-1 does";
    char utf8[32] = "";
    ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, wide, 5, utf8, sizeof utf8 - 1, nullptr, nullptr), 5);
    const Canvas drawn = Draw(ansi);
    EXPECT_TRUE(HasInk(drawn));
    EXPECT_EQ(drawn.pixels, Draw(utf8).pixels);
    EXPECT_NE(drawn.pixels, Draw("\xC2\x80 \xC2\x93Q\xC2\x94").pixels); // the Latin-1 reading
}

} // namespace
