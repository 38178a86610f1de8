#include "format/TgaWriter.h"

#include "orvex/texture/Texture.h"

namespace orvex::format {

TgaDesc TgaFromPixels(std::uint16_t width, std::uint16_t height, int channels, const std::uint8_t* pixels)
{
    TgaDesc image;
    image.width = width;
    image.height = height;
    const std::size_t count = std::size_t(width) * height;
    if (channels == 1) {
        image.imageType = 3;
        image.depth = 8;
        image.data.assign(pixels, pixels + count);
        return image;
    }
    image.imageType = 2;
    image.depth = channels == 4 ? 32 : 24;
    image.descriptor = channels == 4 ? 8 : 0; // alpha bits
    const int stored = channels == 4 ? 4 : 3;
    image.data.resize(count * stored);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* in = pixels + i * channels;
        std::uint8_t* out = image.data.data() + i * stored;
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        if (stored == 4)
            out[3] = in[3];
    }
    return image;
}

std::string CheckTga(const TgaDesc& image)
{
    if (image.colorMapType != 0)
        return "colour-mapped images are not supported";
    if (image.id.size() > 255)
        return "ID field longer than 255 bytes";
    // The engine's loader decides which kinds it reads.
    const int bytesPerPixel = TgaLoader::BytesPerPixel(image.imageType, image.depth);
    if (bytesPerPixel == 0) {
        switch (image.imageType) {
        case 2:
            return "true-colour images must have 24 or 32 bits per pixel";
        case 3:
            return "greyscale images must have 8 bits per pixel";
        case 0:
            return "data-less images must declare 8, 24 or 32 bits per pixel";
        default:
            return "image type " + std::to_string(image.imageType) + " is not supported";
        }
    }
    if (image.imageType == 0) {
        if (image.width > TgaLoader::kMaxBlankSide || image.height > TgaLoader::kMaxBlankSide)
            return "data-less images may be at most " + std::to_string(TgaLoader::kMaxBlankSide) + " pixels a side";
        if (!image.data.empty())
            return "data-less images carry no pixel data";
        return {};
    }
    if (image.data.size() != std::size_t(image.width) * image.height * std::size_t(bytesPerPixel))
        return "pixel data does not match width x height x bytes per pixel";
    return {};
}

void EncodeTga(const TgaDesc& image, ByteWriter& writer)
{
    writer.U8(static_cast<std::uint8_t>(image.id.size()));
    writer.U8(image.colorMapType);
    writer.U8(image.imageType);
    for (int i = 0; i < 5; ++i) // colour map specification
        writer.U8(0);
    writer.U16(0); // x origin
    writer.U16(0); // y origin
    writer.U16(image.width);
    writer.U16(image.height);
    writer.U8(image.depth);
    writer.U8(image.descriptor);
    writer.Raw(image.id.data(), image.id.size() > 255 ? 255 : image.id.size());
    writer.Raw(image.data.data(), image.data.size());
}

std::vector<std::uint8_t> EncodeTga(const TgaDesc& image)
{
    ByteWriter writer;
    EncodeTga(image, writer);
    return writer.TakeBytes();
}

bool WriteTga(const std::string& path, const TgaDesc& image, std::string* error)
{
    std::string problem = CheckTga(image);
    if (problem.empty() && !WriteStreamed(path, [&](ByteWriter& writer) { EncodeTga(image, writer); }))
        problem = "cannot write " + path;
    if (!problem.empty() && error != nullptr)
        *error = problem;
    return problem.empty();
}

} // namespace orvex::format
