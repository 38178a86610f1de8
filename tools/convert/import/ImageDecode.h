// Decodes source textures (PNG including palettised ones, JPEG, and whatever else
// stb_image reads) into 8-bit RGBA rows, top row first.
#pragma once

#include "convert/import/Content.h"

#include <cstdint>
#include <string>
#include <vector>

namespace convert {

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
};

// False with the decoder's reason when the bytes are not a picture it can read.
bool DecodeImage(const Image& image, Pixels* out, std::string* error);

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>* bytes);

} // namespace convert
