// GL texture objects and the texture registry, checked against the recording GL table.
#include "Fixtures.h"

#include "RecordingGl.h"
#include "orvex/scene/Material.h"
#include "orvex/texture/Texture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace fixtures;

namespace {

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearMaterials();
        ClearTextures();
        rec.Clear();
    }
    void TearDown() override
    {
        ClearMaterials();
        ClearTextures();
    }

    // Writes "<name>.TGA" into the temp folder; returns the texture name that finds it.
    std::string WriteTexture(const std::string& name, const TgaDesc& image)
    {
        WriteBytes(dir.File(name + ".TGA"), EncodeTga(image));
        return dir.File(name);
    }

    TgaDesc Rgb3x3()
    {
        std::vector<std::uint8_t> pixels(27);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint8_t>(i);
        return TgaFromPixels(3, 3, 3, pixels.data());
    }

    RecordingGl rec;
    TempDir dir;
};

const std::vector<std::string> kCreateCalls = {
    "glGenTextures(1, out)",
    "glBindTexture(GL_TEXTURE_2D, 1)",
    "glPixelStorei(GL_UNPACK_ALIGNMENT, 1)",
    "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
    "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
    "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
    "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
};

} // namespace

TEST_F(TextureTest, NamingCreatesTheObjectAndBindModulates)
{
    Texture texture;
    ASSERT_TRUE(texture.SetName("t"));
    EXPECT_EQ(rec.Calls(), kCreateCalls);
    EXPECT_EQ(texture.GetTextureId(), 1u);
    // A new name keeps the GL object it has.
    rec.Clear();
    ASSERT_TRUE(texture.SetName("renamed"));
    EXPECT_TRUE(rec.Calls().empty());
    EXPECT_STREQ(texture.GetName(), "renamed");
    rec.Clear();
    texture.Bind();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"glBindTexture(GL_TEXTURE_2D, 1)",
                                                     "glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)"}));
    rec.Clear();
    texture.Destroy();
    texture.Destroy();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"glDeleteTextures(1, [1])"}));
    EXPECT_EQ(texture.GetName(), nullptr);
}

TEST_F(TextureTest, UploadPicksTheGlFormatAndRefusesTwoBytePixels)
{
    Texture texture;
    ASSERT_TRUE(texture.SetName("t"));
    Image image;
    const std::pair<int, const char*> formats[] = {{1, "GL_ALPHA"}, {3, "GL_RGB"}, {4, "GL_RGBA"}};
    for (auto [bytes, name] : formats) {
        ASSERT_TRUE(image.Create(2, 1, bytes));
        rec.Clear();
        EXPECT_TRUE(texture.Upload(&image));
        ASSERT_EQ(rec.Records().size(), 2u);
        EXPECT_EQ(rec.Calls()[0], "glBindTexture(GL_TEXTURE_2D, 1)");
        EXPECT_EQ(rec.Calls()[1], std::string("glTexImage2D(GL_TEXTURE_2D, 0, ") + name + ", 2, 1, 0, " + name +
                                      ", GL_UNSIGNED_BYTE, <pixels>)");
        EXPECT_EQ(rec.Records()[1].args[8].bytes.size(), std::size_t(2 * bytes));
    }
    ASSERT_TRUE(image.Create(2, 1, 2));
    rec.Clear();
    EXPECT_FALSE(texture.Upload(&image));
    EXPECT_TRUE(rec.Calls().empty());
}

TEST_F(TextureTest, ThreeByThreeImageUploadsItsRowsWithoutGaps)
{
    Texture* texture = FindOrLoadTexture(WriteTexture("small", Rgb3x3()).c_str());
    ASSERT_NE(texture, nullptr);
    const GlCall* upload = rec.Last("glTexImage2D");
    ASSERT_NE(upload, nullptr);
    // Unpack alignment 1 was set when the texture was named, before the upload.
    EXPECT_EQ(rec.CallsTo({"glPixelStorei"}), (std::vector<std::string>{"glPixelStorei(GL_UNPACK_ALIGNMENT, 1)"}));
    std::vector<std::uint8_t> expected(27);
    for (std::size_t i = 0; i < 27; ++i)
        expected[i] = static_cast<std::uint8_t>(i); // stored BGR, decoded back to the RGB we wrote
    EXPECT_EQ(upload->args[8].bytes, expected);
}

TEST_F(TextureTest, SameNameLoadsOnceAndCaseMatters)
{
    const std::string name = WriteTexture("wood", Rgb3x3());
    Texture* first = FindOrLoadTexture(name.c_str());
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(name + ".TGA"); // a second request must not need the file
    // Written only now: on Windows "WOOD.TGA" and "wood.TGA" are one file.
    WriteTexture("WOOD", Rgb3x3());
    EXPECT_EQ(FindOrLoadTexture(name.c_str()), first);
    EXPECT_EQ(rec.Count("glGenTextures"), 1u);
    EXPECT_EQ(rec.Count("glTexImage2D"), 1u);

    Texture* upper = FindOrLoadTexture(dir.File("WOOD").c_str());
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(upper, first);
    EXPECT_EQ(GetTextureCount(), 2);
    EXPECT_EQ(GetTextures(), first);
    EXPECT_EQ(first->GetNext(), upper);
}

TEST_F(TextureTest, MissingOrRefusedFilesRegisterNothing)
{
    EXPECT_EQ(FindOrLoadTexture(dir.File("missing").c_str()), nullptr);
    EXPECT_EQ(GetTextureCount(), 0);
    // The object made for the name is deleted again rather than leaked.
    EXPECT_EQ(rec.Count("glGenTextures"), 1u);
    EXPECT_EQ(rec.Count("glDeleteTextures"), 1u);

    // A truncated file yields no texture (its missing bytes are not made up).
    std::vector<std::uint8_t> bytes = EncodeTga(Rgb3x3());
    bytes.pop_back();
    WriteBytes(dir.File("cut.TGA"), bytes);
    EXPECT_EQ(FindOrLoadTexture(dir.File("cut").c_str()), nullptr);
    TgaDesc rle = Rgb3x3();
    rle.imageType = 10;
    EXPECT_EQ(FindOrLoadTexture(WriteTexture("rle", rle).c_str()), nullptr);
    EXPECT_EQ(GetTextureCount(), 0);
    EXPECT_EQ(GetTextures(), nullptr);

    // A name that does not fit the 80-byte file name is refused before any GL work.
    rec.Clear();
    EXPECT_EQ(FindOrLoadTexture(std::string(76, 'x').c_str()), nullptr);
    EXPECT_TRUE(rec.Calls().empty());

    // A later request for an existing texture still succeeds.
    EXPECT_NE(FindOrLoadTexture(WriteTexture("good", Rgb3x3()).c_str()), nullptr);
    EXPECT_EQ(GetTextureCount(), 1);
}

TEST_F(TextureTest, NamesAreFilesRelativeToTheWorkingDirectory)
{
    WriteTexture("Relative", Rgb3x3());
    const std::string longest(75, 'L'); // with ".TGA" and the terminator: 80 bytes
    WriteTexture(longest, Rgb3x3());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    Texture* texture = FindOrLoadTexture("Relative");
    Texture* wrongCase = FindOrLoadTexture("relative");
    Texture* longestName = FindOrLoadTexture(longest.c_str());
    std::filesystem::current_path(previous);
    EXPECT_NE(texture, nullptr);
    EXPECT_NE(longestName, nullptr);
#ifdef _WIN32
    // Windows file names ignore letter case; the registry's names do not.
    EXPECT_NE(wrongCase, nullptr);
    EXPECT_NE(wrongCase, texture);
#else
    EXPECT_EQ(wrongCase, nullptr);
#endif
}

TEST_F(TextureTest, GreyscaleFileBecomesAnAlphaTexture)
{
    const std::uint8_t grey[4] = {0, 64, 128, 255};
    ASSERT_NE(FindOrLoadTexture(WriteTexture("grey", TgaFromPixels(2, 2, 1, grey)).c_str()), nullptr);
    const GlCall* upload = rec.Last("glTexImage2D");
    ASSERT_NE(upload, nullptr);
    EXPECT_EQ(upload->args[2].text, "GL_ALPHA");
    EXPECT_EQ(upload->args[6].text, "GL_ALPHA");
    EXPECT_EQ(upload->args[8].bytes, (std::vector<std::uint8_t>{0, 64, 128, 255}));
}
