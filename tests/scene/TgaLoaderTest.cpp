// Decoding TGA files into images: channel order, the ID field, data-less images, rows kept
// in file order, and every kind of file the loader refuses.
#include "Fixtures.h"

#include "orvex/texture/Texture.h"

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
    for (std::size_t length : {0, 1, 200, 255}) {
        TgaDesc image = Raw(2, 1, 1, 24, {10, 20, 30});
        image.id.assign(length, '\xAB');
        auto loaded = LoadTga(dir, image);
        ASSERT_NE(loaded, nullptr) << length;
        EXPECT_EQ(Pixels(*loaded, 3), (std::vector<std::uint8_t>{30, 20, 10})) << length;
    }
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
    EXPECT_NE(LoadTga(dir, Raw(0, 1, TgaLoader::kMaxBlankSide, 8, {})), nullptr);
    EXPECT_EQ(LoadTga(dir, Raw(0, 1, TgaLoader::kMaxBlankSide + 1, 8, {})), nullptr);
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
        {9, 0, 8},   {11, 0, 8}, {4, 0, 8},  {2, 0, 16}, {2, 0, 8},  {2, 0, 31}, {2, 0, 0}, {2, 0, 40},
        {3, 0, 16},  {3, 0, 4},  {3, 0, 24}, {3, 0, 0},  {0, 0, 16}, {0, 0, 0},  {0, 0, 4},
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
        EXPECT_TRUE(loader.GetRefusal().IsSet()) << size;
        EXPECT_LE(loader.GetRefusal().GetOffset(), static_cast<std::int64_t>(size)) << size;
    }
    // A header that promises far more pixels than the file holds allocates nothing.
    const std::string huge = dir.Write("huge.TGA", EncodeTga(Raw(2, 65535, 65535, 32, {1, 2, 3, 4})));
    EXPECT_EQ(loader.Load(huge.c_str()), nullptr);
}

// Each refusal names the part of the file at fault and the byte where it was found.
TEST(TgaLoader, RefusalsSayWhyAndWhere)
{
    TempDir dir;
    TgaDesc identified = Raw(2, 3, 3, 24, std::vector<std::uint8_t>(27, 9));
    identified.id = "identity"; // 8 bytes from 18; the pixels from 26
    const std::vector<std::uint8_t> bytes = EncodeTga(identified);
    TgaDesc mapped = Raw(2, 1, 1, 24, {1, 2, 3});
    mapped.colorMapType = 1;
    const struct {
        std::vector<std::uint8_t> file;
        const char* reason;
        std::int64_t at;
    } cases[] = {
        {{}, "the file is empty", 0},
        {{bytes.begin(), bytes.begin() + 10}, "header: the file ends inside the header, after 10 of its 18 bytes", 10},
        {EncodeTga(mapped), "header: colour-mapped images (colour map type 1) are not read", 1},
        {EncodeTga(Raw(10, 1, 1, 24, {1, 2, 3})),
         "header: image type 10 with 24 bits per pixel is not read (only true colour of 24 or 32 bits, greyscale of 8 "
         "bits, or no pixel data)",
         2},
        {{bytes.begin(), bytes.begin() + 22}, "ID field: the file ends inside the ID field of 8 bytes", 18},
        {EncodeTga(Raw(0, TgaLoader::kMaxBlankSide + 1, 1, 8, {})),
         "header: an image without pixel data may be at most 4096 pixels a side, not 4097x1", 12},
        {{bytes.begin(), bytes.begin() + 40}, "pixel data: 3x3 pixels of 3 bytes need 27 bytes, the file has 14", 26},
    };
    TgaLoader loader;
    for (const auto& c : cases) {
        const std::string path = dir.Write("refused.TGA", c.file);
        std::unique_ptr<Image> image(loader.Load(path.c_str()));
        EXPECT_EQ(image, nullptr) << c.reason;
        char text[FileRefusal::kTextSize];
        loader.GetRefusal().Format(text, sizeof text);
        EXPECT_STREQ(text, c.reason);
        EXPECT_EQ(loader.GetRefusal().GetOffset(), c.at) << c.reason;
    }
    EXPECT_EQ(loader.Load(dir.File("missing.TGA").c_str()), nullptr);
    EXPECT_STREQ(loader.GetRefusal().GetReason(), "the file cannot be opened (No such file or directory)");

    // A load that succeeds leaves no reason behind.
    std::unique_ptr<Image> fine(loader.Load(dir.Write("fine.TGA", bytes).c_str()));
    ASSERT_NE(fine, nullptr);
    EXPECT_FALSE(loader.GetRefusal().IsSet());
}

TEST(Image, CreatePicksTheFormatFromBytesPerPixel)
{
    Image image;
    const std::pair<int, ImageFormat> cases[] = {{1, ImageFormatAlpha},
                                                 {2, ImageFormatTwoByte},
                                                 {3, ImageFormatRgb},
                                                 {4, ImageFormatRgba},
                                                 {5, ImageFormatAlpha}};
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
