#pragma once
// Pictures made in code for icons, toolbar buttons and image lists: 32-bit pixels, rows from the
// top, each pixel 0xAARRGGBB with straight (not premultiplied) alpha. Either toolkit turns them
// into its own images.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // width * height, row by row from the top

    Image() = default;
    // width x height pixels of one value (transparent black by default); empty for a size that
    // is not positive.
    Image(int w, int h, uint32_t fill = 0);

    bool IsNull() const { return width <= 0 || height <= 0 || pixels.empty(); }
    uint32_t At(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
    }
    uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; }
    // The picture resampled to w x h (box filter when shrinking, nearest pixel when growing).
    Image Scaled(int w, int h) const;
};

constexpr uint32_t MakeArgb(int a, int r, int g, int b)
{
    return (static_cast<uint32_t>(a & 0xFF) << 24) | (static_cast<uint32_t>(r & 0xFF) << 16) |
           (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
}
constexpr int AlphaOf(uint32_t argb)
{
    return static_cast<int>(argb >> 24);
}

} // namespace fw
