// Text with FreeType glyphs, faces found by fontconfig.
//
// Sizes follow the Windows convention for a positive font height: the character cell
// (the face's Windows ascent plus descent) is that many pixels high. Glyphs are rendered
// anti-aliased (8-bit coverage) once per face and glyph and kept with the font.
#include "orvex/posix/FreeTypeRasterizer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Glyph {
    int left = 0; // from the pen position to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    int advance = 0; // whole pixels
    std::vector<std::uint8_t> coverage;
};

struct Face {
    FT_Face face = nullptr;
    std::string file;
    int index = 0;
    int ascent = 0; // pixels from the cell's top to the baseline
};

class FreeTypeFont final : public TextFont {
public:
    ~FreeTypeFont() override
    {
        for (Face& f : faces)
            FT_Done_Face(f.face);
        if (library)
            FT_Done_FreeType(library);
    }

    FT_Library library = nullptr;
    int cellHeight = 0;
    std::string family;
    std::vector<Face> faces;                         // [0] is the font's own face, then fallbacks
    std::unordered_map<char32_t, int> faceFor;       // code point -> face, -1 when none has it
    std::unordered_map<std::uint64_t, Glyph> glyphs; // (face, glyph index) -> rendered glyph
};

// Scales the face so that its Windows cell (usWinAscent + usWinDescent, or the
// ascender and descender when there is no OS/2 table) is cellHeight pixels.
bool SizeFace(Face& f, int cellHeight)
{
    FT_Face face = f.face;
    double ascender = face->ascender, descender = -static_cast<double>(face->descender);
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            ascender = os2->usWinAscent;
            descender = os2->usWinDescent;
        }
    }
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0 && ascender + descender > 0) {
        const double em = cellHeight * face->units_per_EM / (ascender + descender);
        if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0)
            return false;
        f.ascent = static_cast<int>(std::lround(ascender * em / face->units_per_EM));
    } else {
        if (face->num_fixed_sizes <= 0 || FT_Select_Size(face, 0) != 0)
            return false;
        f.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    }
    return true;
}

bool OpenFace(FreeTypeFont& font, const std::string& file, int index)
{
    for (const Face& f : font.faces)
        if (f.file == file && f.index == index)
            return true;
    Face f;
    f.file = file;
    f.index = index;
    if (FT_New_Face(font.library, file.c_str(), index, &f.face) != 0)
        return false;
    if (!SizeFace(f, font.cellHeight)) {
        FT_Done_Face(f.face);
        return false;
    }
    font.faces.push_back(std::move(f));
    return true;
}

// The best match for the family (and, when given, a font covering the code point).
// Returns the file and index, or false when fontconfig has nothing suitable.
bool Match(const std::string& family, FcCharSet* coverage, char32_t codePoint, std::string& file, int& index)
{
    if (!FcInit())
        return false;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (coverage)
        FcPatternAddCharSet(pattern, FC_CHARSET, coverage);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return false;

    bool ok = false;
    FcChar8* path = nullptr;
    int faceIndex = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        ok = true;
        if (coverage) {
            FcCharSet* has = nullptr;
            ok = FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, codePoint);
        }
        if (ok) {
            file = reinterpret_cast<const char*>(path);
            index = faceIndex;
        }
    }
    FcPatternDestroy(match);
    return ok;
}

// The face that draws the code point: the font's own, else a fallback, else -1.
int FaceFor(FreeTypeFont& font, char32_t codePoint)
{
    if (FT_Get_Char_Index(font.faces[0].face, codePoint) != 0)
        return 0;
    auto known = font.faceFor.find(codePoint);
    if (known != font.faceFor.end())
        return known->second;

    int found = -1;
    for (std::size_t i = 1; i < font.faces.size() && found < 0; ++i)
        if (FT_Get_Char_Index(font.faces[i].face, codePoint) != 0)
            found = static_cast<int>(i);
    if (found < 0 && codePoint >= 0x20 && codePoint != 0x7F) {
        FcCharSet* coverage = FcCharSetCreate();
        std::string file;
        int index = 0;
        if (coverage && FcCharSetAddChar(coverage, codePoint) && Match(font.family, coverage, codePoint, file, index) &&
            OpenFace(font, file, index)) {
            for (std::size_t i = 0; i < font.faces.size(); ++i)
                if (font.faces[i].file == file && font.faces[i].index == index &&
                    FT_Get_Char_Index(font.faces[i].face, codePoint) != 0)
                    found = static_cast<int>(i);
        }
        if (coverage)
            FcCharSetDestroy(coverage);
    }
    font.faceFor.emplace(codePoint, found);
    return found;
}

const Glyph* RenderGlyph(FreeTypeFont& font, int faceIndex, FT_UInt glyphIndex)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(faceIndex) << 32) | glyphIndex;
    auto cached = font.glyphs.find(key);
    if (cached != font.glyphs.end())
        return &cached->second;

    Glyph glyph;
    FT_Face face = font.faces[static_cast<std::size_t>(faceIndex)].face;
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0) {
        FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            glyph.width = static_cast<int>(bitmap.width);
            glyph.rows = static_cast<int>(bitmap.rows);
            glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows));
            const int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
            for (int row = 0; row < glyph.rows; ++row) {
                const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                for (int col = 0; col < glyph.width; ++col) {
                    unsigned value;
                    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                        value = (line[col >> 3] & (0x80 >> (col & 7))) ? 255u : 0u;
                    else
                        value = static_cast<unsigned>(line[col]) * 255u / static_cast<unsigned>(levels);
                    glyph.coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.width) +
                                   static_cast<std::size_t>(col)] = static_cast<std::uint8_t>(value);
                }
            }
        }
    }
    return &font.glyphs.emplace(key, std::move(glyph)).first->second;
}

// Next code point of UTF-8 text; a byte that does not start a valid sequence stands for
// itself (Latin-1).
struct Placed {
    const Glyph* glyph;
    int x;        // pen position
    int baseline; // row of the baseline
};

class FreeTypeText final : public TextRasterizer {
public:
    TextFont* CreateFont(const char* faceName, int cellHeight) override
    {
        if (faceName == nullptr || cellHeight <= 0)
            return nullptr;
        auto* font = new (std::nothrow) FreeTypeFont;
        if (font == nullptr)
            return nullptr;
        font->cellHeight = cellHeight;
        font->family = faceName;
        std::string file;
        int index = 0;
        if (FT_Init_FreeType(&font->library) != 0 || !Match(font->family, nullptr, 0, file, index) ||
            !OpenFace(*font, file, index)) {
            delete font;
            return nullptr;
        }
        return font;
    }

    void DrawText(const TextFont& textFont, const TextTarget& target, int x, int y, const char* text,
                  std::size_t length, std::uint32_t color, bool opaque, std::uint32_t background) override
    {
        // Fonts come from CreateFont above; the cache inside them changes as glyphs are drawn.
        auto& font = const_cast<FreeTypeFont&>(static_cast<const FreeTypeFont&>(textFont));
        if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 || text == nullptr)
            return;

        // Lay the line out, then fill the cells' background, then blend the glyphs, so that
        // no background covers a neighbour's overhanging ink.
        placed.clear();
        const auto* p = reinterpret_cast<const unsigned char*>(text);
        const auto* end = p + length;
        long pen = x;
        const int baseline = y + font.faces[0].ascent;
        while (p < end) {
            const char32_t cp = NextTextCodePoint(p, end);
            int faceIndex = FaceFor(font, cp);
            FT_UInt glyphIndex = 0;
            if (faceIndex >= 0) {
                glyphIndex = FT_Get_Char_Index(font.faces[static_cast<std::size_t>(faceIndex)].face, cp);
            } else {
                faceIndex = 0; // the face's own missing-glyph shape
            }
            const Glyph* glyph = RenderGlyph(font, faceIndex, glyphIndex);
            placed.push_back({glyph, static_cast<int>(std::clamp<long>(pen, INT32_MIN / 2, INT32_MAX / 2)), baseline});
            pen += glyph->advance;
            if (pen > static_cast<long>(target.width) + 4096)
                break; // the rest cannot show
        }

        if (opaque)
            FillRect(target, x, y, pen, y + font.cellHeight, background);
        const std::uint8_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
        for (const Placed& item : placed)
            Blend(target, *item.glyph, item.x, item.baseline, r, g, b);
    }

private:
    static void FillRect(const TextTarget& t, long left, long top, long right, long bottom, std::uint32_t color)
    {
        left = std::max<long>(left, 0);
        top = std::max<long>(top, 0);
        right = std::min<long>(right, t.width);
        bottom = std::min<long>(bottom, t.height);
        const std::uint8_t pixel[4] = {static_cast<std::uint8_t>((color >> 16) & 0xFF),
                                       static_cast<std::uint8_t>((color >> 8) & 0xFF),
                                       static_cast<std::uint8_t>(color & 0xFF), 0};
        for (long row = top; row < bottom; ++row) {
            std::uint8_t* line = t.pixels + (static_cast<std::size_t>(row) * static_cast<std::size_t>(t.width)) * 4;
            for (long col = left; col < right; ++col)
                std::copy_n(pixel, 4, line + col * 4);
        }
    }

    static std::uint8_t Mix(std::uint8_t under, std::uint8_t over, unsigned alpha)
    {
        return static_cast<std::uint8_t>((under * (255u - alpha) + over * alpha + 127u) / 255u);
    }

    static void Blend(const TextTarget& t, const Glyph& glyph, int penX, int baseline, std::uint8_t r, std::uint8_t g,
                      std::uint8_t b)
    {
        const long left = static_cast<long>(penX) + glyph.left;
        const long top = static_cast<long>(baseline) - glyph.top;
        for (int row = 0; row < glyph.rows; ++row) {
            const long y = top + row;
            if (y < 0 || y >= t.height)
                continue;
            std::uint8_t* line = t.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(t.width) * 4;
            for (int col = 0; col < glyph.width; ++col) {
                const long x = left + col;
                if (x < 0 || x >= t.width)
                    continue;
                const unsigned alpha =
                    glyph.coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.width) +
                                   static_cast<std::size_t>(col)];
                if (alpha == 0)
                    continue;
                std::uint8_t* px = line + x * 4;
                px[0] = Mix(px[0], b, alpha);
                px[1] = Mix(px[1], g, alpha);
                px[2] = Mix(px[2], r, alpha);
                px[3] = 0;
            }
        }
    }

    std::vector<Placed> placed;
};

} // namespace

TextRasterizer& FreeTypeRasterizer()
{
    static FreeTypeText rasterizer;
    return rasterizer;
}

TextRasterizer& SystemText()
{
    return FreeTypeRasterizer();
}
