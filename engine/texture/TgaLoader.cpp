#include "orvex/foundation/FileStream.h"
#include "orvex/texture/Texture.h"

#include <cstring>
#include <new>

namespace {

constexpr int kHeaderSize = 18;

} // namespace

int TgaLoader::BytesPerPixel(int imageType, int depth)
{
    switch (imageType) {
    case 2:
        return depth == 24 || depth == 32 ? depth / 8 : 0;
    case 3:
        return depth == 8 ? 1 : 0;
    case 0:
        return depth == 8 || depth == 24 || depth == 32 ? depth / 8 : 0;
    default:
        return 0;
    }
}

Image* TgaLoader::Load(const char* path)
{
    refusal.Clear();
    FileStream stream;
    stream.SetRefusal(&refusal);
    if (!stream.OpenToRead(path))
        return nullptr;
    Image* image = Read(stream);
    if (image == nullptr && !refusal.IsSet())
        stream.RefuseAt(-1, "refused");
    return image;
}

Image* TgaLoader::Read(FileStream& stream)
{
    std::uint8_t header[kHeaderSize];
    const std::size_t got = stream.Read(header, 1, kHeaderSize);
    if (got < kHeaderSize) {
        stream.InSection(got == 0 ? FileSection::File : FileSection::Header);
        if (got == 0)
            stream.RefuseAt(0, stream.HasError() ? "the file cannot be read" : "the file is empty");
        else
            stream.Refuse(0, "the file ends inside the header, after %u of its 18 bytes", static_cast<unsigned>(got));
        return nullptr;
    }
    const int idLength = header[0];
    const int colorMapType = header[1];
    const int imageType = header[2];
    const std::int32_t width = header[12] | (header[13] << 8);
    const std::int32_t height = header[14] | (header[15] << 8);
    const int depth = header[16];

    if (colorMapType != 0) {
        stream.InSection(FileSection::Header);
        stream.RefuseAt(1, "colour-mapped images (colour map type %d) are not read", colorMapType);
        return nullptr;
    }
    const int bytesPerPixel = BytesPerPixel(imageType, depth);
    if (bytesPerPixel == 0) {
        stream.InSection(FileSection::Header);
        stream.RefuseAt(2,
                        "image type %d with %d bits per pixel is not read (only true colour of 24 or 32 bits, "
                        "greyscale of 8 bits, or no pixel data)",
                        imageType, depth);
        return nullptr;
    }

    if (idLength > 0) {
        if (stream.BytesLeft() < idLength || stream.Seek(idLength, 1) != 0) {
            stream.InSection(FileSection::IdField);
            stream.RefuseAt(kHeaderSize, "the file ends inside the ID field of %d bytes", idLength);
            return nullptr;
        }
    }

    const std::uint64_t byteCount = std::uint64_t(width) * std::uint64_t(height) * std::uint64_t(bytesPerPixel);
    if (imageType == 0) {
        if (width > kMaxBlankSide || height > kMaxBlankSide) {
            stream.InSection(FileSection::Header);
            stream.RefuseAt(12, "an image without pixel data may be at most %d pixels a side, not %dx%d",
                            static_cast<int>(kMaxBlankSide), static_cast<int>(width), static_cast<int>(height));
            return nullptr;
        }
    } else if (byteCount > static_cast<std::uint64_t>(stream.BytesLeft())) {
        stream.InSection(FileSection::PixelData);
        stream.Refuse(0, "%dx%d pixels of %d bytes need %llu bytes, the file has %lld", static_cast<int>(width),
                      static_cast<int>(height), bytesPerPixel, static_cast<unsigned long long>(byteCount),
                      static_cast<long long>(stream.BytesLeft()));
        return nullptr;
    }

    Image* image = new (std::nothrow) Image;
    if (image == nullptr || !image->Create(width, height, bytesPerPixel)) {
        delete image;
        stream.InSection(FileSection::PixelData);
        stream.Refuse(0, "not enough memory for %dx%d pixels", static_cast<int>(width), static_cast<int>(height));
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
        stream.InSection(FileSection::PixelData);
        stream.Refuse(0, "the file ends inside the pixel data");
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
