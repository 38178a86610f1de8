// GDI draws only into bitmaps it made, so each line is drawn into a DIB section of the
// target's size: the part of the target the text can reach is copied in, the text drawn, and
// what changed copied back.
#include "orvex/win32/GdiText.h"

#include "orvex/win32/Win32.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

class GdiFont final : public TextFont {
public:
    explicit GdiFont(HFONT handle) : handle(handle) {}
    ~GdiFont() override { DeleteObject(handle); }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    HFONT handle;
};

bool IsAscii(const char* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

class GdiText final : public TextRasterizer {
public:
    ~GdiText() override { ReleaseCanvas(); }

    TextFont* CreateFont(const char* faceName, int cellHeight) override
    {
        if (faceName == nullptr || cellHeight <= 0)
            return nullptr;
        // A positive height asks for the character cell; the face's ANSI name as given.
        HFONT font =
            CreateFontA(cellHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, faceName);
        if (font == nullptr)
            return nullptr;
        auto* made = new (std::nothrow) GdiFont(font);
        if (made == nullptr)
            DeleteObject(font);
        return made;
    }

    void DrawText(const TextFont& font, const TextTarget& target, int x, int y, const char* text, std::size_t length,
                  std::uint32_t color, bool opaque, std::uint32_t background) override
    {
        if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 || text == nullptr)
            return;
        if (!PrepareCanvas(target.width, target.height))
            return;

        HGDIOBJ previousFont = SelectObject(dc, static_cast<const GdiFont&>(font).handle);
        SetTextColor(dc, color & 0x00FFFFFF);
        SetBkColor(dc, background & 0x00FFFFFF);
        SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
        // ASCII, and text that is not UTF-8, in the system's ANSI code page.
        const bool ansi = IsAscii(text, length) || !IsUtf8Text(text, length);
        const std::wstring wide = ansi ? std::wstring() : TextToUtf16(text, length);
        const int count = ansi ? Count(length) : Count(wide.size());
        SIZE extent{0, 0};
        if (ansi) {
            GetTextExtentPoint32A(dc, text, count, &extent);
        } else {
            GetTextExtentPoint32W(dc, wide.data(), count, &extent);
        }
        const Span columns = Reach(x, extent.cx, extent.cy, target.width);
        const Span rows = Reach(y, extent.cy, extent.cy, target.height);
        Copy(target, columns, rows, target.pixels, canvasPixels);

        if (ansi) {
            TextOutA(dc, x, y, text, count);
        } else {
            TextOutW(dc, x, y, wide.data(), count);
        }
        GdiFlush();
        // The font may be deleted later; it must not stay selected.
        SelectObject(dc, previousFont);

        // GDI decides what the reserved byte of a drawn pixel holds; the target's rule is 0.
        for (int row = rows.begin; row < rows.end; ++row) {
            const std::size_t start = (static_cast<std::size_t>(row) * static_cast<std::size_t>(target.width) +
                                       static_cast<std::size_t>(columns.begin)) *
                                      4;
            const std::size_t end = start + static_cast<std::size_t>(columns.end - columns.begin) * 4;
            for (std::size_t i = start; i < end; i += 4) {
                if (std::memcmp(canvasPixels + i, target.pixels + i, 4) == 0)
                    continue;
                std::memcpy(target.pixels + i, canvasPixels + i, 3);
                target.pixels[i + 3] = 0;
            }
        }
    }

private:
    struct Span {
        int begin;
        int end;
    };

    static int Count(std::size_t length)
    {
        return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
    }

    // The pixels of [start, start + size) widened by `margin` on both sides (overhanging
    // glyphs, accents above the cell), within [0, limit).
    static Span Reach(int start, long size, long margin, int limit)
    {
        const long long first = static_cast<long long>(start) - margin;
        const long long last = static_cast<long long>(start) + size + margin;
        return {static_cast<int>(std::clamp<long long>(first, 0, limit)),
                static_cast<int>(std::clamp<long long>(last, 0, limit))};
    }

    static void Copy(const TextTarget& target, Span columns, Span rows, const std::uint8_t* from, std::uint8_t* to)
    {
        if (columns.end <= columns.begin)
            return;
        const std::size_t width = static_cast<std::size_t>(columns.end - columns.begin) * 4;
        for (int row = rows.begin; row < rows.end; ++row) {
            const std::size_t at = (static_cast<std::size_t>(row) * static_cast<std::size_t>(target.width) +
                                    static_cast<std::size_t>(columns.begin)) *
                                   4;
            std::memcpy(to + at, from + at, width);
        }
    }

    bool PrepareCanvas(int width, int height)
    {
        if (bitmap != nullptr && width == canvasWidth && height == canvasHeight)
            return true;
        ReleaseCanvas();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down, as the target
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr)
            return false;
        dc = CreateCompatibleDC(nullptr);
        if (dc == nullptr) {
            ReleaseCanvas();
            return false;
        }
        previousBitmap = SelectObject(dc, bitmap);
        SetMapMode(dc, MM_TEXT);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        canvasPixels = static_cast<std::uint8_t*>(bits);
        canvasWidth = width;
        canvasHeight = height;
        return true;
    }

    void ReleaseCanvas()
    {
        if (dc != nullptr) {
            SelectObject(dc, previousBitmap);
            DeleteDC(dc);
            dc = nullptr;
        }
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
        canvasPixels = nullptr;
        canvasWidth = canvasHeight = 0;
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::uint8_t* canvasPixels = nullptr;
    int canvasWidth = 0;
    int canvasHeight = 0;
};

} // namespace

bool IsUtf8Text(const char* text, std::size_t length)
{
    if (text == nullptr)
        return true;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* end = p + length;
    while (p < end) {
        const unsigned char* start = p;
        // A byte that starts no sequence comes back alone as its Latin-1 character.
        if (NextTextCodePoint(p, end) >= 0x80 && p - start == 1)
            return false;
    }
    return true;
}

std::wstring TextToUtf16(const char* text, std::size_t length)
{
    std::wstring wide;
    if (text == nullptr)
        return wide;
    wide.reserve(length);
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* end = p + length;
    while (p < end) {
        const char32_t cp = NextTextCodePoint(p, end);
        if (cp >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(cp));
        }
    }
    return wide;
}

TextRasterizer& GdiTextRasterizer()
{
    static GdiText rasterizer;
    return rasterizer;
}

TextRasterizer& SystemText()
{
    return GdiTextRasterizer();
}
