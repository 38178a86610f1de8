#include "orvex/platform/LargeArray.h"
#include "orvex/texture/Texture.h"

#include <new>

Image::~Image()
{
    Image::Destroy();
}

bool Image::Create(std::int32_t newWidth, std::int32_t newHeight, std::int32_t bytesPerPixel)
{
    Destroy();
    switch (bytesPerPixel) {
    case 2:
        format = ImageFormatTwoByte;
        break;
    case 3:
        format = ImageFormatRgb;
        break;
    case 4:
        format = ImageFormatRgba;
        break;
    default:
        format = ImageFormatAlpha;
        break;
    }
    width = 0;
    height = 0;
    if (newWidth < 0 || newHeight < 0 || bytesPerPixel < 0)
        return false;
    const std::uint64_t size = std::uint64_t(newWidth) * std::uint64_t(newHeight) * std::uint64_t(bytesPerPixel);
    if (size > SIZE_MAX)
        return false;
    pixels = NewLargeArray<std::uint8_t>(static_cast<std::size_t>(size));
    if (pixels == nullptr)
        return false;
    width = newWidth;
    height = newHeight;
    return true;
}

void Image::Destroy()
{
    delete[] pixels;
    pixels = nullptr;
}
