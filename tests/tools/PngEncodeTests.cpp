// The exporter's PNG encoder, read back by stb_image: every pixel of every channel count
// survives, whatever filter each row chose.
#include "convert/export/PngEncode.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cmath>
#include <cstdlib>

namespace {

// Smooth ramps with noise and flat runs, so that rows favour different filters.
std::vector<std::uint8_t> Pixels(int width, int height, int channels)
{
    std::vector<std::uint8_t> p;
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                noise = noise * 1103515245u + 12345u;
                int v = y % 3 == 0 ? 200 : (x * 7 + y * 3 + c * 50) + (y % 3 == 1 ? int(noise >> 28) : 0);
                p.push_back(static_cast<std::uint8_t>(v));
            }
    return p;
}

} // namespace

TEST(PngEncode, DecodesToTheSamePixels)
{
    struct Size {
        int width, height;
    };
    for (int channels = 1; channels <= 4; ++channels)
        for (Size s : {Size{1, 1}, Size{7, 5}, Size{33, 2}, Size{2, 40}, Size{300, 17}}) {
            SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) + "x" + std::to_string(channels));
            std::vector<std::uint8_t> pixels = Pixels(s.width, s.height, channels);
            std::vector<std::uint8_t> png = convert::EncodePng(s.width, s.height, channels, pixels.data());
            ASSERT_FALSE(png.empty());
            int w = 0, h = 0, c = 0;
            stbi_uc* decoded = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &c, 0);
            ASSERT_NE(decoded, nullptr) << stbi_failure_reason();
            EXPECT_EQ(w, s.width);
            EXPECT_EQ(h, s.height);
            EXPECT_EQ(c, channels);
            EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), decoded));
            stbi_image_free(decoded);
        }
}

TEST(PngEncode, RefusesWhatItCannotEncode)
{
    const std::uint8_t pixel[4] = {1, 2, 3, 4};
    EXPECT_TRUE(convert::EncodePng(0, 1, 3, pixel).empty());
    EXPECT_TRUE(convert::EncodePng(1, -1, 3, pixel).empty());
    EXPECT_TRUE(convert::EncodePng(1, 1, 5, pixel).empty());
    EXPECT_TRUE(convert::EncodePng(1, 1, 0, pixel).empty());
    EXPECT_TRUE(convert::EncodePng(1, 1, 3, nullptr).empty());
}
