// Driver loading, context creation and extension detection against the recording table
// and fake libraries.
#include "orvex/render/GlDriver.h"
#include "FakePlatform.h"
#include "RecordingGl.h"

#include <gtest/gtest.h>

namespace {

class GlDriverTest : public ::testing::Test {
protected:
    FakePlatform platform;
    RecordingGl rec;

    // The probe's answer: a hardware driver unless told otherwise.
    void Describe(std::uint32_t flags) { rec.SetDescribedFormat(FakePlatform::Format(flags)); }
};

TEST_F(GlDriverTest, SoftwareOnlySystemFallsToTheSoftwareDriver)
{
    Describe(PFD_GENERIC_FORMAT);
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    EXPECT_EQ(GetDriverKind(), DriverSgiSoftware);
    EXPECT_STREQ(GetDriverName(GetDriverKind()), "SGI Software OpenGL Driver");
    // Probe: load, choose and describe on the screen, free; then the software library.
    EXPECT_EQ(platform.libraries.log, (std::vector<std::string>{Load(kSystemGlLibrary), Free(kSystemGlLibrary),
                                                                "software", Load(kSgiSoftwareGlLibrary)}));
    EXPECT_EQ(platform.binding.log, (std::vector<std::string>{"get screen", "release screen"}));
    EXPECT_EQ(rec.Calls(),
              (std::vector<std::string>{
                  "choosePixelFormat(<handle>, {size=40, version=1, flags=0x25, type=0, color=0, depth=32, stencil=8, "
                  "layer=0})",
                  "describePixelFormat(<handle>, 1, 40, {size=40, version=1, flags=0x65, type=0, color=32, depth=24, "
                  "stencil=8, layer=0})"}));
    EXPECT_TRUE(platform.messages.shown.empty());
    // The software driver's pixel-format slots come from its own library.
    EXPECT_EQ(gl.choosePixelFormat,
              reinterpret_cast<decltype(gl.choosePixelFormat)>(RecordingGl::Entry("choosePixelFormat")));
    EXPECT_NE(gl.glAlphaFunc, nullptr);
    EXPECT_NE(gl.wglGetProcAddress, nullptr);
}

TEST_F(GlDriverTest, AcceleratedSystemKeepsTheDefaultDriver)
{
    for (std::uint32_t flags : {0u, unsigned(PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED)}) {
        UnloadDriver();
        ResetDriverState();
        Describe(flags);
        platform.libraries.log.clear();
        ASSERT_EQ(LoadDriver(DriverDefault), 1);
        EXPECT_EQ(GetDriverKind(), DriverDefault);
        EXPECT_STREQ(GetDriverName(GetDriverKind()), "Default OpenGL Driver");
        EXPECT_EQ(platform.libraries.log,
                  (std::vector<std::string>{Load(kSystemGlLibrary), Free(kSystemGlLibrary), Load(kSystemGlLibrary)}));
        EXPECT_NE(gl.swapBuffers, nullptr);
    }
}

TEST_F(GlDriverTest, LoadsOnceAndUnloadKeepsTheTable)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    platform.libraries.log.clear();
    EXPECT_EQ(LoadDriver(DriverSgiSoftware), 1); // already loaded: whatever kind is asked
    EXPECT_EQ(GetDriverKind(), DriverDefault);
    EXPECT_TRUE(platform.libraries.log.empty());

    UnloadDriver();
    EXPECT_EQ(platform.libraries.log, (std::vector<std::string>{Free(kSystemGlLibrary)}));
    EXPECT_NE(gl.glClear, nullptr);
    UnloadDriver(); // nothing left to free
    EXPECT_EQ(platform.libraries.log.size(), 1u);
}

TEST_F(GlDriverTest, ThreeDfxNeedsABoardAndAnAcceptedLibrary)
{
    // No Glide library: the default chain.
    ASSERT_EQ(LoadDriver(Driver3dfxStandalone), 1);
    EXPECT_EQ(GetDriverKind(), DriverDefault);
    EXPECT_EQ(platform.libraries.log.front(), Load(kGlideLibrary));
    UnloadDriver();
    ResetDriverState();

    // A board, but the first 3dfx library is absent: the second one is probed and taken.
    RecordingGl again;
    platform.libraries.present = {kSystemGlLibrary, kGlideLibrary, k3dfxGlLibrary};
    FakeLibraries::glideBoards = 1;
    platform.libraries.log.clear();
    ASSERT_EQ(LoadDriver(Driver3dfxStandalone), 1);
    EXPECT_EQ(GetDriverKind(), Driver3dfxStandalone);
    EXPECT_STREQ(GetDriverName(GetDriverKind()), "3dfx Standalone OpenGL Driver");
    EXPECT_EQ(platform.libraries.log,
              (std::vector<std::string>{Load(kGlideLibrary), Free(kGlideLibrary), Load(k3dfxVoodooGlLibrary),
                                        Load(k3dfxGlLibrary), Free(k3dfxGlLibrary), Load(k3dfxGlLibrary)}));
    FakeLibraries::glideBoards = 0;
}

TEST_F(GlDriverTest, GlideBoardProbe)
{
    EXPECT_EQ(ProbeGlideBoards(), 0); // no library
    platform.libraries.present.insert(kGlideLibrary);
    FakeLibraries::glideBoards = 0;
    EXPECT_EQ(ProbeGlideBoards(), 0);
    FakeLibraries::glideBoards = 2;
    EXPECT_EQ(ProbeGlideBoards(), 1);
    platform.libraries.missing.insert(kGlideQueryBoards);
    EXPECT_EQ(ProbeGlideBoards(), 0);
    FakeLibraries::glideBoards = 0;
}

TEST_F(GlDriverTest, ProbeRejectsWhatItCannotAsk)
{
    EXPECT_EQ(ProbeDriver("libnothing.so"), 0);
    Describe(0);
    EXPECT_EQ(ProbeDriver(kSystemGlLibrary), 1);
    rec.SetResult("choosePixelFormat", -1);
    EXPECT_EQ(ProbeDriver(kSystemGlLibrary), 0);
    rec.SetResult("choosePixelFormat", 1);
    rec.SetResult("describePixelFormat", 0);
    EXPECT_EQ(ProbeDriver(kSystemGlLibrary), 0);
    rec.SetResult("describePixelFormat", 1);
    platform.libraries.missing.insert("wglDescribePixelFormat");
    EXPECT_EQ(ProbeDriver(kSystemGlLibrary), 0);
    EXPECT_TRUE(platform.messages.shown.empty()); // plain lookups, no messages
}

TEST_F(GlDriverTest, NoUsableLibraryFailsQuietly)
{
    Describe(PFD_GENERIC_FORMAT);
    platform.libraries.present.clear();
    EXPECT_EQ(LoadDriver(DriverDefault), 0);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(LoadDriver(static_cast<GlDriverKind>(3)), 0);
    // Nothing was loaded, so a later attempt loads for real.
    platform.libraries.present = {kSystemGlLibrary, kSgiSoftwareGlLibrary};
    EXPECT_EQ(LoadDriver(DriverDefault), 1);
}

TEST_F(GlDriverTest, DefaultDriverNeedsTheWindowSystemModule)
{
    platform.libraries.windowSystem = false;
    EXPECT_EQ(LoadDriver(DriverDefault), 0);
    // The library stays loaded and the flag clear.
    EXPECT_EQ(platform.libraries.log.back(), Load(kSystemGlLibrary));
    EXPECT_EQ(CreateContext(&platform.binding.window), nullptr);
}

TEST_F(GlDriverTest, EachMissingEntryPointIsReportedAndTheLoadGoesOn)
{
    platform.libraries.missing = {"glTexGeniv", "wglGetCurrentDC", "SwapBuffers"};
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    EXPECT_EQ(platform.messages.shown, (std::vector<std::string>{"ERROR: GetProcAddress(\"glTexGeniv\") failed!",
                                                                 "ERROR: GetProcAddress(\"wglGetCurrentDC\") failed!",
                                                                 "ERROR: GetProcAddress(\"SwapBuffers\") failed!"}));
    EXPECT_EQ(gl.glTexGeniv, nullptr);
    EXPECT_EQ(gl.wglGetCurrentDC, nullptr);
    EXPECT_EQ(gl.swapBuffers, nullptr);
    EXPECT_NE(gl.glTexGenfv, nullptr);

    // A name too long for the 80-character text is cut, not overrun.
    platform.messages.shown.clear();
    EXPECT_EQ(GetEntryPoint(platform.libraries.Load(kSystemGlLibrary), std::string(200, 'x').c_str()), nullptr);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].size(), std::string("ERROR: ").size() + 79);
}

TEST_F(GlDriverTest, DriverNames)
{
    EXPECT_STREQ(GetDriverName(0), "Default OpenGL Driver");
    EXPECT_STREQ(GetDriverName(1), "3dfx Standalone OpenGL Driver");
    EXPECT_STREQ(GetDriverName(2), "SGI Software OpenGL Driver");
    EXPECT_EQ(GetDriverName(3), nullptr);
    EXPECT_EQ(GetDriverName(-1), nullptr);
    EXPECT_EQ(GetDriverName(4), nullptr);
}

TEST_F(GlDriverTest, CreateContextSetsTheFormatAndDetectsExtensions)
{
    EXPECT_EQ(CreateContext(&platform.binding.window), nullptr); // no driver yet
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    rec.SetIntegers(GL_MAX_TEXTURE_SIZE, {4096});
    rec.Clear();
    GlContextHandle context = CreateContext(&platform.binding.window);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(rec.CurrentContext(), context);
    EXPECT_EQ(rec.Calls(),
              (std::vector<std::string>{
                  "choosePixelFormat(<handle>, {size=40, version=1, flags=0x25, type=0, color=0, depth=32, stencil=8, "
                  "layer=0})",
                  "describePixelFormat(<handle>, 1, 40, {size=40, version=1, flags=0x25, type=0, color=32, depth=24, "
                  "stencil=8, layer=0})",
                  "setPixelFormat(<handle>, 1, {size=40, version=1, flags=0x25, type=0, color=32, depth=24, stencil=8, "
                  "layer=0})",
                  "wglCreateContext(<handle>)", "wglMakeCurrent(<handle>, <handle>)", "glGetString(GL_EXTENSIONS)",
                  "glGetIntegerv(GL_MAX_TEXTURE_SIZE, out)"}));
    EXPECT_EQ(glCapabilities.maxTextureSize, 4096);
    EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 1);
    EXPECT_EQ(glCapabilities.pixelFormatMiniport, 0);

    rec.Clear();
    DeleteContext(context);
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"wglMakeCurrent(null, null)", "wglDeleteContext(<handle>)"}));
    EXPECT_EQ(rec.CurrentContext(), nullptr);
}

TEST_F(GlDriverTest, PixelFormatFlagsOfTheWindow)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    // A software format is taken and leaves the flags clear.
    Describe(PFD_GENERIC_FORMAT);
    EXPECT_NE(CreateContext(&platform.binding.window), nullptr);
    EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 0);
    EXPECT_EQ(glCapabilities.pixelFormatMiniport, 0);
    // Generic accelerated: accelerated and miniport; flags are never cleared afterwards.
    Describe(PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED);
    EXPECT_NE(CreateContext(&platform.binding.window), nullptr);
    EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 1);
    EXPECT_EQ(glCapabilities.pixelFormatMiniport, 1);
    Describe(PFD_GENERIC_FORMAT);
    EXPECT_NE(CreateContext(&platform.binding.window), nullptr);
    EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 1);
    EXPECT_EQ(glCapabilities.pixelFormatMiniport, 1);
}

TEST_F(GlDriverTest, CreateContextFailsAtEachStep)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    struct Step {
        const char* slot;
        std::intptr_t failure;
        const char* lastCall;
    };
    for (Step step :
         {Step{"choosePixelFormat", -1, "choosePixelFormat"}, Step{"describePixelFormat", 0, "describePixelFormat"},
          Step{"setPixelFormat", 0, "setPixelFormat"}, Step{"wglCreateContext", 0, "wglCreateContext"}}) {
        SCOPED_TRACE(step.slot);
        rec.SetResult(step.slot, step.failure);
        rec.Clear();
        EXPECT_EQ(CreateContext(&platform.binding.window), nullptr);
        ASSERT_FALSE(rec.Records().empty());
        EXPECT_EQ(rec.Records().back().name, step.lastCall);
        rec.SetResult(step.slot, step.slot == std::string("wglCreateContext") ? 0x2000 : 1);
    }
    // Index 0 is not negative, so the describe step decides.
    rec.SetResult("choosePixelFormat", 0);
    rec.SetResult("describePixelFormat", 0);
    EXPECT_EQ(CreateContext(&platform.binding.window), nullptr);
}

TEST_F(GlDriverTest, EveryExtensionRow)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    rec.SetString(GL_EXTENSIONS,
                  "GL_ARB_multitexture GL_ARB_texture_compression GL_ARB_texture_cube_map GL_ARB_texture_env_add "
                  "GL_EXT_compiled_vertex_array GL_EXT_packed_pixels GL_EXT_paletted_texture GL_EXT_point_parameters "
                  "GL_EXT_texture_compression_s3tc GL_EXT_texture_env_combine GL_EXT_vertex_array GL_EXT_cull_vertex "
                  "GL_EXT_vertex_weighting GL_S3_s3tc WGL_EXT_swap_control WGL_3DFX_gamma_control");
    rec.SetIntegers(GL_MAX_TEXTURE_UNITS_ARB, {4});
    rec.SetIntegers(GL_MAX_TEXTURE_SIZE, {1024});
    rec.Clear();
    DetectExtensions();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glGetString(GL_EXTENSIONS)",
                               "wglGetProcAddress(\"glActiveTextureARB\")",
                               "wglGetProcAddress(\"glClientActiveTextureARB\")",
                               "wglGetProcAddress(\"glMultiTexCoord2fARB\")",
                               "wglGetProcAddress(\"glMultiTexCoord2fvARB\")",
                               "glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, out)",
                               "wglGetProcAddress(\"glCompressedTexImage2DARB\")",
                               "wglGetProcAddress(\"glCompressedTexSubImage2DARB\")",
                               "wglGetProcAddress(\"glGetCompressedTexImageARB\")",
                               "wglGetProcAddress(\"glLockArraysEXT\")",
                               "wglGetProcAddress(\"glUnlockArraysEXT\")",
                               "wglGetProcAddress(\"glColorTableEXT\")",
                               "wglGetProcAddress(\"glPointParameterfEXT\")",
                               "wglGetProcAddress(\"glPointParameterfvEXT\")",
                               "wglGetProcAddress(\"glColorPointerEXT\")",
                               "wglGetProcAddress(\"glNormalPointerEXT\")",
                               "wglGetProcAddress(\"glTexCoordPointerEXT\")",
                               "wglGetProcAddress(\"glVertexPointerEXT\")",
                               "wglGetProcAddress(\"glArrayElementEXT\")",
                               "wglGetProcAddress(\"glDrawArraysEXT\")",
                               "wglGetProcAddress(\"glCullParameterfvEXT\")",
                               "glEnable(GL_CULL_VERTEX_EXT)",
                               "glCullParameterfvEXT(GL_CULL_VERTEX_EYE_POSITION_EXT, [0, 0, 1, 0])",
                               "wglGetProcAddress(\"glVertexWeightfEXT\")",
                               "wglGetProcAddress(\"glVertexWeightfvEXT\")",
                               "wglGetProcAddress(\"glVertexWeightPointerEXT\")",
                               "wglGetProcAddress(\"wglSwapIntervalEXT\")",
                               "wglGetProcAddress(\"wglGetSwapIntervalEXT\")",
                               "wglSwapIntervalEXT(1)",
                               "glGetIntegerv(GL_MAX_TEXTURE_SIZE, out)",
                           }));
    for (std::int32_t flag :
         {glCapabilities.hasMultitexture, glCapabilities.hasTextureCompression, glCapabilities.hasTextureCubeMap,
          glCapabilities.hasTextureEnvAdd, glCapabilities.hasCompiledVertexArray, glCapabilities.hasPackedPixels,
          glCapabilities.hasPalettedTexture, glCapabilities.hasPointParameters,
          glCapabilities.hasTextureCompressionS3tc, glCapabilities.hasTextureEnvCombine, glCapabilities.hasVertexArray,
          glCapabilities.hasVertexWeighting, glCapabilities.hasS3s3tc, glCapabilities.hasSwapControl,
          glCapabilities.has3dfxGammaControl})
        EXPECT_EQ(flag, 1);
    EXPECT_EQ(glCapabilities.maxTextureUnits, 4);
    EXPECT_EQ(glCapabilities.maxTextureSize, 1024);
    EXPECT_EQ(rec.SwapInterval(), 1);
    EXPECT_NE(gl.glLockArraysEXT, nullptr);
}

TEST_F(GlDriverTest, EachExtensionSetsItsOwnFlagAndNoOther)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    using Flag = std::int32_t GlCapabilities::*;
    const std::pair<const char*, Flag> rows[] = {
        {"GL_ARB_multitexture", &GlCapabilities::hasMultitexture},
        {"GL_ARB_texture_compression", &GlCapabilities::hasTextureCompression},
        {"GL_ARB_texture_cube_map", &GlCapabilities::hasTextureCubeMap},
        {"GL_ARB_texture_env_add", &GlCapabilities::hasTextureEnvAdd},
        {"GL_EXT_compiled_vertex_array", &GlCapabilities::hasCompiledVertexArray},
        {"GL_EXT_packed_pixels", &GlCapabilities::hasPackedPixels},
        {"GL_EXT_paletted_texture", &GlCapabilities::hasPalettedTexture},
        {"GL_EXT_point_parameters", &GlCapabilities::hasPointParameters},
        {"GL_EXT_texture_compression_s3tc", &GlCapabilities::hasTextureCompressionS3tc},
        {"GL_EXT_texture_env_combine", &GlCapabilities::hasTextureEnvCombine},
        {"GL_EXT_vertex_array", &GlCapabilities::hasVertexArray},
        {"GL_EXT_cull_vertex", nullptr},
        {"GL_EXT_vertex_weighting", &GlCapabilities::hasVertexWeighting},
        {"GL_S3_s3tc", &GlCapabilities::hasS3s3tc},
        {"WGL_EXT_swap_control", &GlCapabilities::hasSwapControl},
        {"WGL_3DFX_gamma_control", &GlCapabilities::has3dfxGammaControl},
    };
    for (const auto& [name, flag] : rows) {
        SCOPED_TRACE(name);
        glCapabilities = GlCapabilities{};
        rec.SetString(GL_EXTENSIONS, name);
        DetectExtensions();
        for (const auto& [other, otherFlag] : rows) {
            if (otherFlag == nullptr)
                continue;
            EXPECT_EQ(glCapabilities.*otherFlag, otherFlag == flag ? 1 : 0) << other;
        }
    }
}

TEST_F(GlDriverTest, ExtensionNamesAreFoundAsPlainSubstrings)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    // Only longer names that begin with searched ones.
    rec.SetString(GL_EXTENSIONS, "GL_EXT_compiled_vertex_array_plus GL_ARB_texture_env_addition");
    rec.SetMissingProc("glUnlockArraysEXT");
    DetectExtensions();
    EXPECT_EQ(glCapabilities.hasCompiledVertexArray, 1);
    EXPECT_EQ(glCapabilities.hasTextureEnvAdd, 1);
    EXPECT_EQ(glCapabilities.hasMultitexture, 0);
    // A missing extension entry point stays null, the flag is set, nothing is shown.
    EXPECT_NE(gl.glLockArraysEXT, nullptr);
    EXPECT_EQ(gl.glUnlockArraysEXT, nullptr);
    EXPECT_TRUE(platform.messages.shown.empty());

    // No extension string at all: only the texture size is read.
    rec.SetString(GL_EXTENSIONS, "");
    rec.Clear();
    DetectExtensions();
    EXPECT_EQ(rec.Calls(),
              (std::vector<std::string>{"glGetString(GL_EXTENSIONS)", "glGetIntegerv(GL_MAX_TEXTURE_SIZE, out)"}));
}

} // namespace
