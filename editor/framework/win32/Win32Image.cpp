#include "framework/win32/Win32Image.h"

#include <cstring>

namespace fw::win32 {

HBITMAP MakeBitmap(const Image& image, bool premultiplied)
{
    if (image.IsNull())
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top row first, as the image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr)
        return bitmap;
    // 0xAARRGGBB in memory is the DIB's blue, green, red, alpha.
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t p = image.pixels[i];
        if (premultiplied) {
            const uint32_t a = p >> 24;
            const uint32_t r = ((p >> 16) & 0xFF) * a / 255;
            const uint32_t g = ((p >> 8) & 0xFF) * a / 255;
            const uint32_t b = (p & 0xFF) * a / 255;
            p = (a << 24) | (r << 16) | (g << 8) | b;
        }
        out[i] = p;
    }
    GdiFlush();
    return bitmap;
}

HBITMAP MakeMask(const Image& image)
{
    if (image.IsNull())
        return nullptr;
    // Rows of a monochrome bitmap are padded to 16 bits.
    const int stride = (image.width + 15) / 16 * 2;
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (AlphaOf(image.At(x, y)) < 128)
                bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return CreateBitmap(image.width, image.height, 1, 1, bits.data());
}

HICON MakeIcon(const Image& image)
{
    if (image.IsNull())
        return nullptr;
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = MakeBitmap(image, false);
    info.hbmMask = MakeMask(image);
    HICON icon = info.hbmColor != nullptr && info.hbmMask != nullptr ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return icon;
}

HIMAGELIST MakeImageList(const std::vector<Image>& images, Size size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    HIMAGELIST list = ImageList_Create(size.cx, size.cy, ILC_COLOR32 | ILC_MASK, static_cast<int>(images.size()), 4);
    if (list == nullptr)
        return nullptr;
    for (const Image& image : images) {
        const Image scaled = image.width == size.cx && image.height == size.cy ? image : image.Scaled(size.cx, size.cy);
        HBITMAP color = MakeBitmap(scaled, true);
        HBITMAP mask = MakeMask(scaled);
        if (color == nullptr || mask == nullptr || ImageList_Add(list, color, mask) < 0) {
            // Keep the numbering: a picture that cannot be made is a blank one.
            HBITMAP blank = MakeBitmap(Image(size.cx, size.cy), true);
            ImageList_Add(list, blank, nullptr);
            DeleteObject(blank);
        }
        if (color != nullptr)
            DeleteObject(color);
        if (mask != nullptr)
            DeleteObject(mask);
    }
    return list;
}

} // namespace fw::win32
