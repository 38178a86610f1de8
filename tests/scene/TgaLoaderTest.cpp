// Decoding TGA files into images: channel order, the ID field, data-less images, rows kept
// in file order, and every kind of file the loader refuses.
#include "Fixtures.h"

#include "texture/Texture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace fixtures;

namespace {

std::unique_ptr<Image> LoadTga(const TempDir& dir, const TgaDesc& image)
{
    const std::string path = dir.Write("image.TGA", EncodeTga(image));
    TgaLoader loader;
    return std::unique_ptr<Image>(loader.Load(path.c_str()));
}

std::vector<std::uint8_t> Pixels(const Image& image, std::size_t bytesPerPixel)
{
    return {image.GetPixels(), image.GetPixels() + std::size_t(image.GetWidth()) * image.GetHeight() * bytesPerPixel};
}

TgaDesc Raw(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth,
            std::vector<std::uint8_t> data)
{
    TgaDesc image;
    image.imageType = type;
    image.width = width;
    image.height = height;
    image.depth = depth;
    image.data = std::move(data);
    return image;
}

} // namespace

TEST(TgaLoader, TrueColourComesOutRedGreenBlue)
{
    TempDir dir;
    auto rgb = LoadTga(dir, Raw(2, 1, 1, 24, {10, 20, 30}));
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->GetFormat(), ImageFormatRgb);
    EXPECT_EQ(Pixels(*rgb, 3), (std::vector<std::uint8_t>{30, 20, 10}));

    auto rgba = LoadTga(dir, Raw(2, 2, 1, 32, {10, 20, 30, 40, 1, 2, 3, 4}));
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->GetFormat(), ImageFormatRgba);
    EXPECT_EQ(Pixels(*rgba, 4), (std::vector<std::uint8_t>{30, 20, 10, 40, 3, 2, 1, 4}));
}

TEST(TgaLoader, GreyscaleIsOneBytePerPixelAndRowsKeepFileOrder)
{
    TempDir dir;
    TgaDesc grey = Raw(3, 2, 3, 8, {1, 2, 3, 4, 5, 6});
    grey.descriptor = 0x20; // "top-left origin": rows are not flipped for it
    auto image = LoadTga(dir, grey);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetFormat(), ImageFormatAlpha);
    EXPECT_EQ(image->GetWidth(), 2);
    EXPECT_EQ(image->GetHeight(), 3);
    EXPECT_EQ(Pixels(*image, 1), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(TgaLoader, IdFieldIsSkipped)
{
    TempDir dir;
    TgaDesc image = Raw(2, 1, 1, 24, {10, 20, 30});
    image.id.assign(200, '\xAB');
    auto loaded = LoadTga(dir, image);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Pixels(*loaded, 3), (std::vector<std::uint8_t>{30, 20, 10}));
}

TEST(TgaLoader, DataLessImagesAreZeroFilledAtTheirDeclaredSize)
{
    TempDir dir;
    for (auto [depth, format] : {std::pair{8, ImageFormatAlpha}, {24, ImageFormatRgb}, {32, ImageFormatRgba}}) {
        auto image = LoadTga(dir, Raw(0, 3, 2, static_cast<std::uint8_t>(depth), {}));
        ASSERT_NE(image, nullptr) << depth;
        EXPECT_EQ(image->GetFormat(), format);
        EXPECT_EQ(Pixels(*image, depth / 8), std::vector<std::uint8_t>(6 * (depth / 8), 0));
    }
    EXPECT_NE(LoadTga(dir, Raw(0, TgaLoader::kMaxBlankSide, 1, 8, {})), nullptr);
    EXPECT_EQ(LoadTga(dir, Raw(0, TgaLoader::kMaxBlankSide + 1, 1, 8, {})), nullptr);
    EXPECT_EQ(LoadTga(dir, Raw(0, 1, 65535, 32, {})), nullptr);
}

TEST(TgaLoader, EmptyImageLoads)
{
    TempDir dir;
    auto image = LoadTga(dir, Raw(2, 0, 0, 24, {}));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 0);
}

TEST(TgaLoader, RefusesKindsWhoseBufferWouldNotMatchDecodingOrUpload)
{
    TempDir dir;
    struct Case {
        std::uint8_t type, colorMap, depth;
    };
    const Case refused[] = {
        {2, 1, 24},  // colour-mapped
        {1, 0, 8},   // colour-mapped image type
        {10, 0, 24}, // run-length encoded true colour
        {9, 0, 8}, {11, 0, 8}, {4, 0, 8},
        {2, 0, 16}, {2, 0, 8}, {2, 0, 31}, {2, 0, 0}, {2, 0, 40},
        {3, 0, 16}, {3, 0, 4}, {3, 0, 24}, {3, 0, 0},
        {0, 0, 16}, {0, 0, 0}, {0, 0, 4},
    };
    for (const Case& c : refused) {
        TgaDesc image = Raw(c.type, 2, 2, c.depth, std::vector<std::uint8_t>(2 * 2 * 4, 7));
        image.colorMapType = c.colorMap;
        EXPECT_EQ(LoadTga(dir, image), nullptr) << "type " << int(c.type) << " depth " << int(c.depth);
    }
}

TEST(TgaLoader, RefusesFilesThatEndEarly)
{
    TempDir dir;
    TgaLoader loader;
    EXPECT_EQ(loader.Load(dir.File("missing.TGA").c_str()), nullptr);

    TgaDesc image = Raw(2, 3, 3, 24, std::vector<std::uint8_t>(27, 9));
    image.id = "identity";
    const std::vector<std::uint8_t> bytes = EncodeTga(image);
    {
        const std::string path = dir.Write("whole.TGA", bytes);
        std::unique_ptr<Image> whole(loader.Load(path.c_str()));
        EXPECT_NE(whole, nullptr);
    }
    // Every shorter prefix: inside the header, inside the ID field, inside the pixels.
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::string path = dir.Write("short.TGA", {bytes.begin(), bytes.begin() + std::ptrdiff_t(size)});
        std::unique_ptr<Image> loaded(loader.Load(path.c_str()));
        EXPECT_EQ(loaded, nullptr) << "file cut to " << size << " bytes";
    }
    // A header that promises far more pixels than the file holds allocates nothing.
    const std::string huge = dir.Write("huge.TGA", EncodeTga(Raw(2, 65535, 65535, 32, {1, 2, 3, 4})));
    EXPECT_EQ(loader.Load(huge.c_str()), nullptr);
}

TEST(Image, CreatePicksTheFormatFromBytesPerPixel)
{
    Image image;
    const std::pair<int, ImageFormat> cases[] = {
        {1, ImageFormatAlpha}, {2, ImageFormatTwoByte}, {3, ImageFormatRgb}, {4, ImageFormatRgba}, {5, ImageFormatAlpha}};
    for (auto [bytes, format] : cases) {
        ASSERT_TRUE(image.Create(2, 2, bytes));
        EXPECT_EQ(image.GetFormat(), format);
        EXPECT_NE(image.GetPixels(), nullptr);
    }
    EXPECT_FALSE(image.Create(-1, 2, 3));
    EXPECT_EQ(image.GetPixels(), nullptr);
    image.Destroy();
    image.Destroy();
}
