#include "orvex/platform/TextDevice.h"

#include <cstddef>
#include <new>

namespace {
// Bitmaps beyond this are refused rather than attempted.
constexpr std::size_t kMaxBitmapBytes = std::size_t{256} << 20;
} // namespace

TextBitmap* TextBitmap::Create(const BitmapInfo& info, std::uint8_t** pixels)
{
    const BitmapInfoHeader& h = info.header;
    if (pixels != nullptr)
        *pixels = nullptr;
    if (h.size != sizeof(BitmapInfoHeader) || h.planes != 1 || h.bitCount != 32 || h.compression != kBitmapRgb)
        return nullptr;
    if (h.width <= 0 || h.height >= 0 || h.height == INT32_MIN)
        return nullptr;
    const std::size_t width = static_cast<std::size_t>(h.width);
    const std::size_t height = static_cast<std::size_t>(-static_cast<std::int64_t>(h.height));
    if (width > kMaxBitmapBytes / 4 / height)
        return nullptr;

    auto* memory = new (std::nothrow) std::uint8_t[width * height * 4];
    if (memory == nullptr)
        return nullptr;
    auto* bitmap = new (std::nothrow) TextBitmap(memory, static_cast<int>(width), static_cast<int>(height));
    if (bitmap == nullptr) {
        delete[] memory;
        return nullptr;
    }
    if (pixels != nullptr)
        *pixels = memory;
    return bitmap;
}

TextBitmap::~TextBitmap()
{
    delete[] pixels;
}

TextBitmap* TextContext::SelectBitmap(TextBitmap* selected)
{
    TextBitmap* previous = bitmap;
    bitmap = selected;
    return previous;
}

TextFont* TextContext::SelectFont(TextFont* selected)
{
    TextFont* previous = font;
    font = selected;
    return previous;
}

int TextContext::SetBackgroundMode(int mode)
{
    const int previous = backgroundMode;
    if (mode == TextOpaque || mode == TextTransparent)
        backgroundMode = mode;
    return previous;
}

std::uint32_t TextContext::SetBackgroundColor(std::uint32_t color)
{
    const std::uint32_t previous = backgroundColor;
    backgroundColor = color & 0x00FFFFFF;
    return previous;
}

std::uint32_t TextContext::SetTextColor(std::uint32_t color)
{
    const std::uint32_t previous = textColor;
    textColor = color & 0x00FFFFFF;
    return previous;
}

unsigned TextContext::SetTextAlign(unsigned align)
{
    const unsigned previous = textAlign;
    textAlign = align;
    return previous;
}

bool TextContext::TextOut(int x, int y, const char* text, int length)
{
    if (bitmap == nullptr || font == nullptr || text == nullptr || length < 0)
        return false;
    rasterizer.DrawText(*font, bitmap->Target(), x, y, text, static_cast<std::size_t>(length), textColor,
                        backgroundMode == TextOpaque, backgroundColor);
    return true;
}
