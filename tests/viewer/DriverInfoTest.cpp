// The driver information page: every line's position, colour, label and value, the
// Hangul syllables in UTF-8, and the extension list in its fixed order.
#include "ViewerFakes.h"

#include "orvex/render/GlDriver.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class DriverInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDriverState(); // also empties `gl`, so the recording table comes after it
        rec.emplace();
        font = new RecordingFont;
        viewerFont = font;
        rec->SetString(GL_RENDERER, "llvmpipe (LLVM 15.0.6, 256 bits)");
        rec->SetString(GL_VENDOR, "Mesa");
        rec->SetString(GL_VERSION, "2.1 Mesa 22.3.6");
        rec->SetIntegers(GL_DEPTH_BITS, {24});
        rec->SetIntegers(GL_STENCIL_BITS, {8});
        glCapabilities.maxTextureSize = 16384;
        glCapabilities.maxTextureUnits = 8;
    }
    void TearDown() override
    {
        delete viewerFont;
        viewerFont = nullptr;
        rec.reset();
        ResetDriverState();
    }

    std::optional<RecordingGl> rec;
    RecordingFont* font = nullptr;
    ProbeApplication app;
};

TEST_F(DriverInfo, DrawsEveryLineAtItsPlaceInItsColour)
{
    glCapabilities.pixelFormatAccelerated = 0;
    glCapabilities.pixelFormatMiniport = 0;
    glCapabilities.hasMultitexture = 1;
    glCapabilities.hasCompiledVertexArray = 1;
    glCapabilities.hasTextureEnvCombine = 1;
    glCapabilities.hasSwapControl = 1;
    app.DrawDriverInfo();
    EXPECT_EQ(font->Texts(), (std::vector<std::string>{"color 0xffff00",
                                                       "draw 10,40 GL_RENDERER:",
                                                       "draw 220,40 llvmpipe (LLVM 15.0.6, 256 bits)",
                                                       "draw 10,58 GL_VENDOR:",
                                                       "draw 220,58 Mesa",
                                                       "draw 10,76 GL_VERSION:",
                                                       "draw 220,76 2.1 Mesa 22.3.6",
                                                       "draw 10,94 GL_DEPTH_BITS:",
                                                       "draw 220,94 24",
                                                       "draw 10,112 GL_STENCIL_BITS:",
                                                       "draw 220,112 8",
                                                       "draw 10,130 GL_MAX_TEXTURE_SIZE:",
                                                       "draw 220,130 16384",
                                                       "draw 10,148 GL_MAX_ACTIVE_TEXTURES_ARB:",
                                                       "draw 220,148 8",
                                                       "color 0xff00ff",
                                                       "draw 10,172 PFD_GENERIC_ACCELERATED:",
                                                       "draw 220,172 FALSE [\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90 ]",
                                                       "color 0xff0000",
                                                       "draw 10,196 GL_EXTENSIONS:",
                                                       "draw 220,196 GL_ARB_multitexture",
                                                       "draw 220,214 GL_EXT_compiled_vertex_array",
                                                       "draw 220,232 GL_EXT_texture_env_combine",
                                                       "draw 220,250 WGL_EXT_swap_control"}));
}

TEST_F(DriverInfo, ListsEveryFlaggedExtensionInOrderAndMarksAMiniportFormat)
{
    glCapabilities.pixelFormatAccelerated = 1;
    glCapabilities.pixelFormatMiniport = 1;
    for (std::int32_t* flag :
         {&glCapabilities.hasMultitexture, &glCapabilities.hasTextureCompression, &glCapabilities.hasTextureCubeMap,
          &glCapabilities.hasTextureEnvAdd, &glCapabilities.hasCompiledVertexArray, &glCapabilities.hasPackedPixels,
          &glCapabilities.hasPalettedTexture, &glCapabilities.hasPointParameters,
          &glCapabilities.hasTextureCompressionS3tc, &glCapabilities.hasTextureEnvCombine,
          &glCapabilities.hasVertexArray, &glCapabilities.hasVertexWeighting, &glCapabilities.hasS3s3tc,
          &glCapabilities.hasSwapControl, &glCapabilities.has3dfxGammaControl})
        *flag = 1;
    app.DrawDriverInfo();
    const std::vector<std::string> texts = font->Texts();
    ASSERT_EQ(texts.size(), 20u + 15u);
    EXPECT_EQ(texts[17], "draw 220,172 TRUE (Miniport)[\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90 ]");
    const std::vector<std::string> extensions(texts.begin() + 20, texts.end());
    EXPECT_EQ(extensions,
              (std::vector<std::string>{
                  "draw 220,196 GL_ARB_multitexture", "draw 220,214 GL_ARB_texture_compression",
                  "draw 220,232 GL_ARB_texture_cube_map", "draw 220,250 GL_ARB_texture_env_add",
                  "draw 220,268 GL_EXT_compiled_vertex_array", "draw 220,286 GL_EXT_paletted_texture",
                  "draw 220,304 GL_EXT_packed_pixels", "draw 220,322 GL_EXT_point_parameters",
                  "draw 220,340 GL_EXT_texture_compression_s3tc", "draw 220,358 GL_EXT_texture_env_combine",
                  "draw 220,376 GL_EXT_vertex_array", "draw 220,394 GL_EXT_vertex_weighting", "draw 220,412 GL_S3_s3tc",
                  "draw 220,430 WGL_EXT_swap_control", "draw 220,448 WGL_3DFX_gamma_control"}));
}

TEST_F(DriverInfo, ValuesLongerThanTheBufferAreCutAndMissingStringsAreEmpty)
{
    rec->SetString(GL_RENDERER, std::string(400, 'r'));
    rec->SetString(GL_VENDOR, "");
    app.DrawDriverInfo();
    const std::vector<std::string> texts = font->Texts();
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts[2], "draw 220,40 " + std::string(255, 'r'));
    EXPECT_EQ(texts[4], "draw 220,58 ");
    // No extension flag set: only the heading.
    EXPECT_EQ(texts.back(), "draw 10,196 GL_EXTENSIONS:");
}

} // namespace
