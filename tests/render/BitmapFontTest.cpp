// The font's GL sequences and uploaded bitmaps on the recording table.
#include "orvex/render/BitmapFont.h"
#include "RecordingGl.h"
#include "orvex/platform/TextRasterizer.h"
#include "orvex/render/GlCapabilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

class BitmapFontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSize = glCapabilities.maxTextureSize;
        glCapabilities.maxTextureSize = 256;
    }
    void TearDown() override { glCapabilities.maxTextureSize = savedSize; }

    // The pixels of the last upload.
    const std::vector<std::uint8_t>& Upload()
    {
        const GlCall* upload = rec.Last("glTexImage2D");
        static const std::vector<std::uint8_t> none;
        return upload ? upload->args[8].bytes : none;
    }

    RecordingGl rec;
    std::int32_t savedSize = 0;
};

TEST_F(BitmapFontTest, CreateMakesAClampedNearestTexture)
{
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glGenTextures(1, out)",
                               "glBindTexture(GL_TEXTURE_2D, 1)",
                               "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP)",
                               "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP)",
                               "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)",
                               "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)",
                           }));
    rec.Clear();
    font.Destroy();
    font.Destroy();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"glDeleteTextures(1, [1])"}));
}

TEST_F(BitmapFontTest, DrawStringUploadsTheLineAndDrawsOneQuad)
{
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    rec.Clear();
    font.DrawString(10, 20, "Orvex");
    EXPECT_EQ(rec.Calls(),
              (std::vector<std::string>{
                  "glBindTexture(GL_TEXTURE_2D, 1)",
                  "glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE)",
                  "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 256, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, <pixels>)",
                  "glBegin(GL_QUADS)",
                  "glTexCoord2f(0, 0)",
                  "glVertex2f(10, 20)",
                  "glTexCoord2f(1, 0)",
                  "glVertex2f(266, 20)",
                  "glTexCoord2f(1, 1)",
                  "glVertex2f(266, 36)",
                  "glTexCoord2f(0, 1)",
                  "glVertex2f(10, 36)",
                  "glEnd()",
              }));
    ASSERT_EQ(Upload().size(), 256u * 16u * 4u);
}

TEST_F(BitmapFontTest, RedAndBlueAreExchangedAndAlphaStaysZero)
{
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    EXPECT_EQ(font.SetColor(0x00FFFF), 0u); // text starts black
    font.DrawString(0, 0, "Orvex");
    // Texel bytes are the bitmap's blue, green, red, reserved: red 255 + green 255 of the
    // colour arrive as green and blue of the texture, cyan on screen.
    const std::vector<std::uint8_t> cyan = Upload();
    ASSERT_FALSE(cyan.empty());
    int lit = 0;
    for (std::size_t i = 0; i < cyan.size(); i += 4) {
        EXPECT_EQ(cyan[i], 0);
        EXPECT_EQ(cyan[i + 1], cyan[i + 2]);
        EXPECT_EQ(cyan[i + 3], 0);
        lit += cyan[i + 1] > 128;
    }
    EXPECT_GT(lit, 10);

    EXPECT_EQ(font.SetColor(0xFFFF00), 0x00FFFFu);
    font.DrawString(0, 0, "Orvex");
    const std::vector<std::uint8_t>& yellow = Upload();
    for (std::size_t i = 0; i < yellow.size(); i += 4) {
        EXPECT_EQ(yellow[i], yellow[i + 1]); // texture red and green
        EXPECT_EQ(yellow[i + 2], 0);
    }
    // Same glyphs, same coverage.
    for (std::size_t i = 0; i < yellow.size(); i += 4)
        ASSERT_EQ(yellow[i], cyan[i + 1]);
}

TEST_F(BitmapFontTest, EmptyAndOverlongStrings)
{
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    font.SetColor(0xFFFFFF);
    font.DrawString(0, 0, "Orvex");
    font.DrawString(0, 0, "");
    EXPECT_TRUE(std::all_of(Upload().begin(), Upload().end(), [](std::uint8_t b) { return b == 0; }));

    // Cut at the texture's right edge; nothing is written beyond the bitmap (ASan watches).
    font.DrawString(0, 0, std::string(400, 'W').c_str());
    const std::vector<std::uint8_t>& full = Upload();
    EXPECT_EQ(full.size(), 256u * 16u * 4u);
    // Control characters are drawn, not interpreted: a newline does not start a second line.
    font.DrawString(0, 0, "a\nb");
    EXPECT_EQ(rec.Count("glTexImage2D"), 4u);
}

TEST_F(BitmapFontTest, NothingIsDrawnWithoutCreate)
{
    BitmapFont font;
    font.DrawString(0, 0, "Orvex");
    font.Destroy();
    EXPECT_TRUE(rec.Calls().empty());

    glCapabilities.maxTextureSize = 0; // no texture width: the bitmap cannot be made
    EXPECT_FALSE(font.Create("Comic Sans MS", 16));
    glCapabilities.maxTextureSize = 256;
    BitmapFont flat;
    EXPECT_FALSE(flat.Create("Comic Sans MS", 0));
    EXPECT_TRUE(rec.Calls().empty());
}

TEST_F(BitmapFontTest, ColoredDrawGoesThroughTheVirtualSlots)
{
    struct Spy : BitmapFont {
        std::vector<std::string> order;
        std::uint32_t SetColor(std::uint32_t color) override
        {
            order.push_back("SetColor " + std::to_string(color));
            return BitmapFont::SetColor(color);
        }
        void DrawString(int x, int y, const char* text) override
        {
            order.push_back("DrawString " + std::to_string(x) + " " + std::to_string(y) + " " + text);
        }
    } spy;
    spy.DrawStringColored(3, 4, "hi", 0xFF);
    EXPECT_EQ(spy.order, (std::vector<std::string>{"SetColor 255", "DrawString 3 4 hi"}));
}

} // namespace
