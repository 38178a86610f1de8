#include "foundation/FileStream.h"
#include "texture/Texture.h"

#include <cstring>
#include <new>

namespace {

constexpr int kHeaderSize = 18;

// Bytes per pixel of the kinds the loader reads, or 0 for a kind it refuses: only these
// give a buffer that matches both the decoding below and what Upload hands to GL.
int BytesPerPixel(int imageType, int depth)
{
    switch (imageType) {
    case 2: return depth == 24 || depth == 32 ? depth / 8 : 0;
    case 3: return depth == 8 ? 1 : 0;
    case 0: return depth == 8 || depth == 24 || depth == 32 ? depth / 8 : 0;
    default: return 0;
    }
}

} // namespace

Image* TgaLoader::Load(const char* path)
{
    FileStream stream;
    if (!stream.Open(path, FileStreamRead))
        return nullptr;

    std::uint8_t header[kHeaderSize];
    if (!stream.ReadExact(header, kHeaderSize, 1))
        return nullptr;
    const int idLength = header[0];
    const int colorMapType = header[1];
    const int imageType = header[2];
    const std::int32_t width = header[12] | (header[13] << 8);
    const std::int32_t height = header[14] | (header[15] << 8);
    const int depth = header[16];

    if (colorMapType != 0)
        return nullptr;
    const int bytesPerPixel = BytesPerPixel(imageType, depth);
    if (bytesPerPixel == 0)
        return nullptr;

    if (idLength > 0) {
        if (stream.BytesLeft() < idLength || stream.Seek(idLength, 1) != 0)
            return nullptr;
    }

    const std::uint64_t byteCount = std::uint64_t(width) * std::uint64_t(height) * std::uint64_t(bytesPerPixel);
    if (imageType == 0) {
        if (width > kMaxBlankSide || height > kMaxBlankSide)
            return nullptr;
    } else if (byteCount > static_cast<std::uint64_t>(stream.BytesLeft())) {
        return nullptr;
    }

    Image* image = new (std::nothrow) Image;
    if (image == nullptr)
        return nullptr;
    if (!image->Create(width, height, bytesPerPixel)) {
        delete image;
        return nullptr;
    }

    std::uint8_t* pixels = image->GetPixels();
    const std::size_t size = static_cast<std::size_t>(byteCount);
    if (imageType == 0) {
        // No pixel data in the file: give the texture defined contents.
        std::memset(pixels, 0, size);
        return image;
    }
    if (!stream.ReadExact(pixels, 1, size)) {
        delete image;
        return nullptr;
    }
    if (imageType == 2) {
        // Stored blue, green, red(, alpha): swap blue and red in place.
        for (std::size_t i = 0; i < size; i += static_cast<std::size_t>(bytesPerPixel)) {
            const std::uint8_t blue = pixels[i];
            pixels[i] = pixels[i + 2];
            pixels[i + 2] = blue;
        }
    }
    return image;
}
