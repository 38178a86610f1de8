#include "convert/import/ImageDecode.h"

#include <stb_image.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace convert {

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
