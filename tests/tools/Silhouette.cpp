#include "Silhouette.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdlib>

namespace tooltest {

std::size_t Mask::Count() const
{
    return static_cast<std::size_t>(std::count(inside.begin(), inside.end(), 1));
}

Mask Silhouette(const std::string& png, const std::uint8_t background[3], int tolerance, int ignoreRows)
{
    Mask mask;
    int channels = 0;
    stbi_uc* pixels = stbi_load(png.c_str(), &mask.width, &mask.height, &channels, 3);
    if (!pixels)
        return {};
    mask.inside.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
    const int rows = std::max(0, mask.height - ignoreRows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const stbi_uc* p = pixels + 3 * (static_cast<std::size_t>(y) * mask.width + x);
            for (int c = 0; c < 3; ++c)
                if (std::abs(p[c] - background[c]) > tolerance)
                    mask.inside[static_cast<std::size_t>(y) * mask.width + x] = 1;
        }
    stbi_image_free(pixels);
    return mask;
}

double IntersectionOverUnion(const Mask& a, const Mask& b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    std::size_t both = 0, either = 0;
    for (std::size_t i = 0; i < a.inside.size(); ++i) {
        both += a.inside[i] & b.inside[i];
        either += a.inside[i] | b.inside[i];
    }
    return either ? static_cast<double>(both) / static_cast<double>(either) : -1;
}

} // namespace tooltest
