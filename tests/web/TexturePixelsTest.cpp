// Texture images converted between the client's pixel format and the texture's base format.
#include "orvex/web/TexturePixels.h"

#include <gtest/gtest.h>

namespace {

TEST(TexturePixels, BasesOfTheInternalFormatsGl11Takes)
{
    EXPECT_EQ(BaseOfInternalFormat(1), TextureBase::Luminance);
    EXPECT_EQ(BaseOfInternalFormat(2), TextureBase::LuminanceAlpha);
    EXPECT_EQ(BaseOfInternalFormat(3), TextureBase::Rgb);
    EXPECT_EQ(BaseOfInternalFormat(GL_RGBA8), TextureBase::Rgba);
    EXPECT_EQ(BaseOfInternalFormat(GL_ALPHA), TextureBase::Alpha);
    EXPECT_EQ(BaseOfInternalFormat(GL_BGRA_EXT), TextureBase::None);
    EXPECT_EQ(FormatOfBase(TextureBase::Alpha), static_cast<GLenum>(GL_ALPHA));
}

TEST(TexturePixels, RowsFollowTheUnpackAlignmentAndRowLength)
{
    EXPECT_EQ(RowStride(3, 3, PixelUnpack{4, 0}), 12u); // 9 bytes padded to 12
    EXPECT_EQ(RowStride(3, 3, PixelUnpack{1, 0}), 9u);  // the engine's textures
    EXPECT_EQ(RowStride(3, 1, PixelUnpack{8, 10}), 16u);

    // A 3 x 2 RGB picture with 4-byte rows becomes packed RGBA with opaque alpha.
    const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
    const std::vector<std::uint8_t> rgba = ConvertTexels(rgb, 3, 2, GL_RGB, PixelUnpack{4, 0}, TextureBase::Rgba);
    EXPECT_EQ(rgba, (std::vector<std::uint8_t>{1,  2,  3,  255, 4,  5,  6,  255, 7,  8,  9,  255,
                                               11, 12, 13, 255, 14, 15, 16, 255, 17, 18, 19, 255}));
}

TEST(TexturePixels, ConversionsTakeTheComponentsGlTakes)
{
    const std::uint8_t luminance[] = {40, 200};
    EXPECT_EQ(ConvertTexels(luminance, 2, 1, GL_LUMINANCE, PixelUnpack{1, 0}, TextureBase::Rgb),
              (std::vector<std::uint8_t>{40, 40, 40, 200, 200, 200}));
    const std::uint8_t rgba[] = {10, 20, 30, 40};
    EXPECT_EQ(ConvertTexels(rgba, 1, 1, GL_RGBA, PixelUnpack{1, 0}, TextureBase::Alpha),
              (std::vector<std::uint8_t>{40}));
    EXPECT_EQ(ConvertTexels(rgba, 1, 1, GL_RGBA, PixelUnpack{1, 0}, TextureBase::Luminance),
              (std::vector<std::uint8_t>{10}));
    const std::uint8_t alpha[] = {77};
    EXPECT_EQ(ConvertTexels(alpha, 1, 1, GL_ALPHA, PixelUnpack{1, 0}, TextureBase::LuminanceAlpha),
              (std::vector<std::uint8_t>{0, 77}));
    const std::uint8_t green[] = {99};
    EXPECT_EQ(ConvertTexels(green, 1, 1, GL_GREEN, PixelUnpack{1, 0}, TextureBase::Rgba),
              (std::vector<std::uint8_t>{0, 99, 0, 255}));
    EXPECT_TRUE(ConvertTexels(green, 1, 1, GL_BGR_EXT, PixelUnpack{1, 0}, TextureBase::Rgb).empty());
}

} // namespace
