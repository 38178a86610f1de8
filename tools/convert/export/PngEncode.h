// PNG encoding for the glTF exporter: 8-bit pixels, no interlacing, deflated by zlib.
#pragma once

#include <cstdint>
#include <vector>

namespace convert {

// `channels` is 1 (grey), 2 (grey, alpha), 3 (red, green, blue) or 4 (with alpha); rows come
// first to last, the first is the picture's top. Empty when the size or channel count cannot
// be encoded or memory runs out.
std::vector<std::uint8_t> EncodePng(int width, int height, int channels, const std::uint8_t* pixels);

} // namespace convert
