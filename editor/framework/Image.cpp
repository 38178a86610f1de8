#include "framework/Image.h"

#include <algorithm>

namespace fw {

Image::Image(int w, int h, uint32_t fill)
{
    if (w <= 0 || h <= 0)
        return;
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), fill);
}

Image Image::Scaled(int w, int h) const
{
    Image out(w, h);
    if (out.IsNull() || IsNull())
        return out;
    for (int y = 0; y < h; ++y) {
        // The source rows and columns under the target pixel; at least one each.
        const int y0 = static_cast<int>(static_cast<int64_t>(y) * height / h);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<int64_t>(y + 1) * height / h));
        for (int x = 0; x < w; ++x) {
            const int x0 = static_cast<int>(static_cast<int64_t>(x) * width / w);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<int64_t>(x + 1) * width / w));
            // Averaged with premultiplied colours, so transparent pixels add no colour.
            uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t p = At(sx, sy);
                    const uint32_t pa = p >> 24;
                    a += pa;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                }
            }
            const uint64_t count = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
            const uint32_t outA = static_cast<uint32_t>((a + count / 2) / count);
            if (a == 0) {
                out.At(x, y) = 0;
                continue;
            }
            out.At(x, y) = MakeArgb(static_cast<int>(outA), static_cast<int>((r + a / 2) / a),
                                    static_cast<int>((g + a / 2) / a), static_cast<int>((b + a / 2) / a));
        }
    }
    return out;
}

} // namespace fw
