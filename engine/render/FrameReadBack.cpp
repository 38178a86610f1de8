#include "orvex/render/FrameReadBack.h"

#include <algorithm>
#include <cstddef>

std::vector<std::uint8_t> ReadTopDownRgba(const GlEntryPoints& gl, ReadPixelsFunction readPixels,
                                          PixelStoreFunction pixelStore, int width, int height)
{
    std::vector<std::uint8_t> rgba;
    if (readPixels == nullptr || pixelStore == nullptr || gl.glFinish == nullptr || width <= 0 || height <= 0)
        return rgba;
    gl.glFinish();
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
    pixelStore(GL_PACK_ALIGNMENT, 1);
    readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    rgba.resize(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * row, row,
                    rgba.data() + static_cast<std::size_t>(y) * row);
    return rgba;
}

std::array<std::uint8_t, 4> RgbaPixelAt(const std::vector<std::uint8_t>& rgba, int width, int height, int x, int y)
{
    std::array<std::uint8_t, 4> pixel{};
    if (x < 0 || y < 0 || x >= width || y >= height)
        return pixel;
    const std::size_t at =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    if (at + 4 > rgba.size())
        return pixel;
    std::copy_n(rgba.data() + at, 4, pixel.data());
    return pixel;
}
