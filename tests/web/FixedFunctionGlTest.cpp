// The engine's own driver, device, font and scene drawing through the web backend's library
// loader and fixed-function layer, onto a recording GPU device.
#include "RecordingDevice.h"
#include "WebScenes.h"

#include "orvex/platform/Platform.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/Camera.h"
#include "orvex/render/GlDevice.h"
#include "orvex/render/GlDriver.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"
#include "orvex/web/FixedFunctionGl.h"
#include "orvex/web/WebLibraries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A window system whose contexts are fixed-function contexts on recording devices.
class LayerBinding final : public GlBinding {
public:
    std::vector<std::unique_ptr<FixedFunctionContext>> contexts;
    char surface = 0;

    RecordingDevice& Device() { return static_cast<RecordingDevice&>(contexts.back()->Device()); }

    GlSurfaceHandle GetSurface(WindowHandle) override { return &surface; }
    void ReleaseSurface(WindowHandle, GlSurfaceHandle) override {}
    int ChoosePixelFormat(GlSurfaceHandle, const PixelFormatDescriptor&) override { return 1; }
    int DescribePixelFormat(GlSurfaceHandle, int index, unsigned size, PixelFormatDescriptor* out) override
    {
        if (index != 1)
            return 0;
        DescribeBindingFormat(false, size, out);
        return 1;
    }
    int GetPixelFormat(GlSurfaceHandle) override { return 1; }
    bool SetPixelFormat(GlSurfaceHandle, int, const PixelFormatDescriptor&) override { return true; }
    GlContextHandle CreateContext(GlSurfaceHandle) override
    {
        contexts.push_back(std::make_unique<FixedFunctionContext>(std::make_unique<RecordingDevice>()));
        return contexts.back().get();
    }
    bool DeleteContext(GlContextHandle) override { return true; }
    bool MakeCurrent(GlSurfaceHandle, GlContextHandle context) override
    {
        MakeFixedFunctionCurrent(static_cast<FixedFunctionContext*>(context));
        return true;
    }
    GlContextHandle CurrentContext() override { return CurrentFixedFunction(); }
    GlSurfaceHandle CurrentSurface() override { return &surface; }
    GlProc GetProcAddress(const char* name) override { return FixedFunctionProc(name); }
    bool SwapBuffers(GlSurfaceHandle) override { return true; }
    const char* Extensions() override { return ""; }
    bool SetSwapInterval(int) override { return false; }
    int GetSwapInterval() override { return 0; }
};

struct Messages final : MessageBox {
    std::vector<std::string> shown;
    void Show(const char* caption, const char* text) override { shown.push_back(std::string(caption) + ": " + text); }
};

class WebLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDriverState();
        SetPlatform(Platform{&WebGlLibraries(), &messages, nullptr, &binding, nullptr});
        ASSERT_TRUE(device.Create(&window));
    }
    void TearDown() override
    {
        ClearMaterials();
        ClearTextures();
        device.Destroy();
        MakeFixedFunctionCurrent(nullptr);
        SetPlatform(previous);
        ResetDriverState();
    }

    FixedFunctionContext& Layer() { return *CurrentFixedFunction(); }
    RecordingDevice& Gpu() { return binding.Device(); }

    Platform previous = GetPlatform();
    Messages messages;
    LayerBinding binding;
    GlDevice device;
    char window = 0;
};

TEST_F(WebLayerTest, TheDriverLoadsTheLayerAsTheDefaultDriverWithEveryEntryPoint)
{
    EXPECT_EQ(GetDriverKind(), DriverDefault);
    EXPECT_STREQ(device.GetDriverName(), "Default OpenGL Driver");
    // Every core name of the table resolved: no "GetProcAddress failed" message.
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_EQ(glCapabilities.hasCompiledVertexArray, 1);
    EXPECT_EQ(glCapabilities.hasTextureEnvAdd, 1);
    EXPECT_EQ(glCapabilities.hasSwapControl, 0);
    EXPECT_EQ(glCapabilities.maxTextureSize, 4096);
    EXPECT_NE(gl.glLockArraysEXT, nullptr);
    EXPECT_NE(std::string(reinterpret_cast<const char*>(gl.glGetString(GL_RENDERER))).find("recording"),
              std::string::npos);
}

TEST_F(WebLayerTest, TheDefaultStateLightsAsTheDesktopDoes)
{
    device.SetDefaultState();
    // Without the vertex-weighting extension its array is refused, as a desktop GL refuses it.
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const ShadingInputs s = Layer().State().Shading();
    EXPECT_TRUE(s.lighting);
    ASSERT_EQ(s.lightCount, 1);
    // A point light at (0, 0, 10) in eye space, behind the viewer.
    EXPECT_EQ(s.lights[0].position, (std::array<float, 4>{0, 0, 10, 1}));
    EXPECT_EQ(s.lights[0].diffuse, (Color4{0.8f, 0.8f, 0.8f, 1}));
    EXPECT_EQ(s.lights[0].ambient, (Color4{0.2f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(s.material.shininess, 128);
    EXPECT_TRUE(s.colorMaterial.diffuse);
    EXPECT_FALSE(s.colorMaterial.ambient);
    EXPECT_EQ(s.envMode, static_cast<GLenum>(GL_ADD));
    EXPECT_FALSE(s.texturing); // enabled, but nothing is bound yet

    const std::vector<std::string>& calls = Gpu().calls;
    for (const char* expected : {"enable 0x0B71", "depth 0x0203", "enable 0x0B44", "front 0x0900", "cull 0x0405",
                                 "disable 0x0BE2", "disable 0x0BD0"})
        EXPECT_NE(std::find(calls.begin(), calls.end(), expected), calls.end()) << expected;
    // The fixed-function capabilities never reach WebGL.
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "enable 0x0B50"), calls.end());
    EXPECT_EQ(gl.glIsEnabled(GL_LIGHTING), GL_TRUE);
    EXPECT_EQ(gl.glIsEnabled(GL_VERTEX_ARRAY), GL_TRUE);
    EXPECT_EQ(gl.glIsEnabled(GL_FOG), GL_FALSE);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
}

TEST_F(WebLayerTest, AMeshBeyondSixteenBitIndicesDrawsFromOneLockedUpload)
{
    device.SetDefaultState();
    gl.glGetError();
    const fs::path folder = fs::temp_directory_path() / ("orvex-web-layer-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::string error;
    ASSERT_TRUE(orvex::format::WriteScene((folder / "grid.mes").string(), webscenes::GridScene(260, 260), &error))
        << error;
    ASSERT_TRUE(orvex::format::WriteTga((folder / "checker.TGA").string(), webscenes::CheckerTexture(), &error));
    const fs::path saved = fs::current_path();
    fs::current_path(folder);
    MeshScene scene;
    const bool loaded = scene.Load("grid.mes");
    fs::current_path(saved);
    fs::remove_all(folder);
    ASSERT_TRUE(loaded);

    // The texture: 100 x 75 RGB rows handed over without gaps (unpack alignment 1).
    ASSERT_EQ(Gpu().images.size(), 1u);
    EXPECT_EQ(Gpu().images[0].format, static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(Gpu().images[0].width, 100);
    EXPECT_EQ(Gpu().images[0].alignment, 1);
    EXPECT_EQ(Gpu().images[0].pixels.size(), 100u * 75u * 3u);

    scene.Update();
    Gpu().uploads.clear();
    Gpu().draws.clear();
    scene.Render();
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // One upload per mesh; the grid's 67,600 vertices in one span.
    ASSERT_EQ(Gpu().uploads.size(), 3u);
    ASSERT_EQ(Gpu().uploads[1].size(), 1u);
    EXPECT_EQ(Gpu().uploads[1][0].size(), 260u * 260u * 32u);
    ASSERT_EQ(Gpu().draws.size(), 3u);

    // The quad's material has no texture: it draws with what loading left bound, the checker,
    // in the default state's environment.
    const RecordedDraw& quad = Gpu().draws[0];
    EXPECT_EQ(quad.indices, (std::vector<std::uint32_t>{0, 2, 1, 1, 2, 3}));
    EXPECT_TRUE(quad.shading.texturing);
    EXPECT_EQ(quad.shading.envMode, static_cast<GLenum>(GL_ADD));
    EXPECT_EQ(quad.shading.material.ambient, (Color4{0.2f, 0.2f, 0.2f, 1}));

    const RecordedDraw& grid = Gpu().draws[1];
    EXPECT_EQ(grid.mode, static_cast<GLenum>(GL_TRIANGLES));
    EXPECT_EQ(grid.indices.size(), 259u * 259u * 6u);
    EXPECT_EQ(*std::max_element(grid.indices.begin(), grid.indices.end()), 67599u);
    // The last vertex is read where the engine put it: the grid's top right corner.
    const std::vector<float> corner = Gpu().Vertex(grid, AttributePosition, 67599);
    EXPECT_EQ(corner, (std::vector<float>{4, 3, 0}));
    EXPECT_TRUE(grid.shading.texturing);
    EXPECT_EQ(grid.shading.textureBase, TextureBase::Rgb);
    EXPECT_EQ(grid.shading.envMode, static_cast<GLenum>(GL_MODULATE));
    EXPECT_EQ(grid.shading.material.specular, (Color4{0.5f, 0.5f, 0.5f, 1}));
}

TEST_F(WebLayerTest, TheOverlayTextIsAReplacingQuadOfTheWholeTextureWidth)
{
    device.SetDefaultState();
    device.SetOrtho(1024, 768);
    BitmapFont font;
    ASSERT_TRUE(font.Create("Comic Sans MS", 16));
    font.SetColor(0x00FFFF);
    font.DrawString(0, 16, "FPS: 060");
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_ENUM)); // the weight array, as above
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The bitmap goes up as it is: RGBA rows of 4096 pixels.
    ASSERT_EQ(Gpu().images.size(), 1u);
    EXPECT_EQ(Gpu().images[0].format, static_cast<GLenum>(GL_RGBA));
    EXPECT_EQ(Gpu().images[0].width, 4096);
    EXPECT_EQ(Gpu().images[0].height, 16);
    const std::vector<std::string>& calls = Gpu().calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "parameter 0x2802 0x812F"), calls.end()); // GL_CLAMP

    ASSERT_EQ(Gpu().draws.size(), 1u);
    const RecordedDraw& quad = Gpu().draws[0];
    EXPECT_EQ(quad.mode, static_cast<GLenum>(GL_TRIANGLES));
    EXPECT_EQ(quad.indices, (std::vector<std::uint32_t>{0, 1, 3, 1, 2, 3}));
    EXPECT_EQ(quad.shading.envMode, static_cast<GLenum>(GL_REPLACE));
    EXPECT_EQ(quad.shading.textureBase, TextureBase::Rgba);
    EXPECT_TRUE(quad.shading.texturing);
    EXPECT_EQ(Gpu().Vertex(quad, AttributePosition, 2), (std::vector<float>{4096, 32, 0, 1}));
    EXPECT_EQ(Gpu().Vertex(quad, AttributeTexCoord, 2), (std::vector<float>{1, 1, 0, 1}));
}

TEST_F(WebLayerTest, CallsOutOfPlaceAreRefusedAndCallsWithoutAContextDoNothing)
{
    gl.glBegin(GL_TRIANGLES);
    gl.glEnable(GL_BLEND); // not allowed between glBegin and glEnd
    gl.glVertex3f(0, 0, 0);
    gl.glEnd();
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
    EXPECT_FALSE(Layer().State().IsEnabled(GL_BLEND));
    gl.glEnd();
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
    gl.glFrustum(-1, 1, -1, 1, 0, 10);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));

    // Queries the layer answers itself, and those it leaves to WebGL.
    Camera camera;
    camera.Apply();
    GLfloat m[16];
    gl.glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[14], -5.0f);
    GLint bits = 0;
    gl.glGetIntegerv(GL_DEPTH_BITS, &bits);
    EXPECT_EQ(bits, 24);
    gl.glGetIntegerv(GL_STENCIL_BITS, &bits);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));

    MakeFixedFunctionCurrent(nullptr);
    gl.glEnable(GL_BLEND);
    gl.glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(gl.glGetString(GL_VENDOR), nullptr);
}

} // namespace
