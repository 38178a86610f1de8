// Writer for the uncompressed TGA images the engine loads as textures ("<name>.TGA").
//
// The engine reads true-colour (type 2, 24 or 32 bits), greyscale (type 3, 8 bits, loaded
// as an alpha-only texture) and data-less (type 0) images. Rows are uploaded in file
// order whatever the descriptor's origin bits say: the first row stored is the texture's
// row at t = 0. Typical use:
//
//     TgaDesc image = TgaFromPixels(width, height, 4, rgba.data()); // RGBA in, BGRA stored
//     WriteTga("skin.TGA", image, &error);
#pragma once

#include "format/ByteWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::format {

struct TgaDesc {
    std::uint8_t imageType = 2;    // 2 true colour, 3 greyscale, 0 no pixel data
    std::uint8_t colorMapType = 0; // the engine only reads 0
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 24;        // bits per pixel
    std::uint8_t descriptor = 0;    // written as given; the engine ignores it
    std::string id;                 // optional ID field, at most 255 bytes, skipped by readers
    std::vector<std::uint8_t> data; // pixel bytes exactly as stored: blue, green, red(, alpha)
};

// Builds a type 2 (3 or 4 channels: red, green, blue(, alpha)) or type 3 (1 channel)
// image from top-to-bottom pixel rows, reordering the channels into the file's order.
TgaDesc TgaFromPixels(std::uint16_t width, std::uint16_t height, int channels, const std::uint8_t* pixels);

// "" when the engine would load the image, else why not.
std::string CheckTga(const TgaDesc& image);

// Encodes as given: 18-byte header, ID field, then `data` unchanged.
void EncodeTga(const TgaDesc& image, ByteWriter& writer);
std::vector<std::uint8_t> EncodeTga(const TgaDesc& image);

bool WriteTga(const std::string& path, const TgaDesc& image, std::string* error = nullptr);

} // namespace orvex::format
