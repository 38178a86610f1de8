#include "convert/import/ImageDecode.h"

#include <stb_image.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace convert {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// stb_image grows its buffer to a chunk's stated length before it finds the bytes missing:
// a 3 kB file stating a 1.5 GB chunk cost a 1.5 GB allocation, and seconds under the
// sanitizers. Every chunk's stated length must be in the file.
bool PngChunksFit(const std::vector<std::uint8_t>& bytes, std::string* error)
{
    std::size_t at = sizeof kPngSignature;
    while (bytes.size() - at >= 8) {
        const std::uint32_t length = BigEndian32(&bytes[at]);
        const std::size_t left = bytes.size() - at - 8;
        if (length > left) {
            std::string type(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
            for (char& c : type)
                c = std::isalpha(static_cast<unsigned char>(c)) ? c : '?';
            *error = "PNG chunk '" + type + "' states " + std::to_string(length) + " bytes, but only " +
                     std::to_string(left) + " follow";
            return false;
        }
        if (std::memcmp(&bytes[at + 4], "IEND", 4) == 0)
            break;                         // what follows the end is not read
        at += 8 + std::size_t{length} + 4; // and the chunk's check value
        if (at > bytes.size())
            break;
    }
    return true;
}

bool IsPng(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

} // namespace

bool DecodeImage(const Image& image, Pixels* out, std::string* error)
{
    if (image.encoded.empty()) {
        std::size_t need = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
        if (image.width <= 0 || image.height <= 0 || image.rgba.size() != need) {
            *error = "no picture data";
            return false;
        }
        out->width = image.width;
        out->height = image.height;
        out->rgba = image.rgba;
        return true;
    }
    if (image.encoded.size() > static_cast<std::size_t>(INT_MAX)) {
        *error = "encoded picture too large";
        return false;
    }
    if (IsPng(image.encoded) && !PngChunksFit(image.encoded, error))
        return false;
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(image.encoded.data(), static_cast<int>(image.encoded.size()), &w, &h, &channels, 4),
        stbi_image_free);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        *error = reason ? reason : "unknown picture format";
        return false;
    }
    out->width = w;
    out->height = h;
    out->rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(w) * h * 4);
    return true;
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>* bytes)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return false;
    bytes->clear();
    std::uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes->insert(bytes->end(), buffer, buffer + got);
    return !std::ferror(file.get());
}

} // namespace convert
