#include "orvex/render/HeadlessSurface.h"

#include "orvex/render/FrameReadBack.h"

std::array<std::uint8_t, 4> HeadlessSurface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    return RgbaPixelAt(ReadPixels(), width, height, x, y);
}
