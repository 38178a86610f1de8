// A textured, skinned quad drawn with real GL (SDL offscreen, Mesa): the interleaved
// layout, the unpack alignment of an odd-width texture, the compiled-array lock and the
// skinned positions all have to agree with what the driver does. And the camera: a scene
// behind the eye is not drawn at all.
#include "Fixtures.h"

#include "orvex/render/Camera.h"
#include "orvex/render/GlCapabilities.h"
#include "orvex/render/HeadlessSurface.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

using Rgba = std::array<std::uint8_t, 4>;

// A 33 x 33 pixel quad at the origin, clockwise on screen, textured with a 3 x 3 image
// whose first stored row is red, green, blue, then white, grey, white, then black. Each
// texel covers 11 x 11 pixels, so pixels 5, 16 and 27 sample texel centres exactly.
SceneDesc TexturedQuad(const std::string& texture)
{
    SceneDesc scene;
    MaterialDesc& material = scene.materials.emplace_back();
    material.name = "quad";
    material.texture = texture;
    scene.nodes.emplace_back().name = "root";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "quad";
    mesh.vertices = {
        {0, 0, {0, 0, 1}, {0, 0, 0}},
        {1, 0, {0, 0, 1}, {33, 0, 0}},
        {1, 1, {0, 0, 1}, {33, 33, 0}},
        {0, 1, {0, 0, 1}, {0, 33, 0}},
    };
    mesh.nodeIndices = {0, 0, 0, 0};
    mesh.groups.push_back(GroupDesc{"quad", {TriangleListDesc{{0, 1, 2, 0, 2, 3}}}});
    return scene;
}

std::vector<std::uint8_t> TexturePixels()
{
    return {255, 0,   0,   0,   255, 0,   0,   0,   255, // first row stored
            255, 255, 255, 128, 128, 128, 255, 255, 255, //
            0,   0,   0,   0,   0,   0,   0,   0,   0};
}

} // namespace

TEST(RealGlScene, TexturedQuadDrawsWhereTheBonePutsIt)
{
    const auto surface = MakeHeadlessSurface(80, 40);
    ASSERT_TRUE(surface->Ready());
    TempDir dir;
    const std::vector<std::uint8_t> pixels = TexturePixels();
    ASSERT_TRUE(WriteTga(dir.File("checker.TGA"), TgaFromPixels(3, 3, 3, pixels.data())));
    SceneDesc desc = TexturedQuad(dir.File("checker"));
    ASSERT_TRUE(WriteScene(dir.File("quad.mes"), desc));

    while (gl.glGetError() != GL_NO_ERROR) {
    } // whatever the surface's set-up left behind
    {
        MeshScene scene;
        ASSERT_TRUE(scene.Load(dir.File("quad.mes").c_str()));
        ASSERT_NE(FindMaterial("quad")->GetTexture(), nullptr);
        EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "texture creation and upload";
        GlDevice& device = surface->Device();
        auto draw = [&] {
            device.BeginFrame();
            device.SetOrtho(surface->Width(), surface->Height());
            gl.glDisable(GL_LIGHTING); // the texture's own colours, unlit
            scene.Update();
            scene.Render();
            std::vector<std::uint8_t> rgba = surface->ReadPixels();
            device.EndFrame();
            EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            return rgba;
        };
        auto at = [&](const std::vector<std::uint8_t>& rgba, int x, int y) {
            const std::size_t i = (static_cast<std::size_t>(y) * surface->Width() + x) * 4;
            return Rgba{rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
        };

        // Rest pose: texel centres give the stored colours, the first stored row at the top
        // (t = 0).
        std::vector<std::uint8_t> frame = draw();
        EXPECT_EQ(at(frame, 5, 5), (Rgba{255, 0, 0, 255}));
        EXPECT_EQ(at(frame, 16, 5), (Rgba{0, 255, 0, 255}));
        EXPECT_EQ(at(frame, 27, 5), (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(at(frame, 16, 16), (Rgba{128, 128, 128, 255}));
        EXPECT_EQ(at(frame, 27, 27), (Rgba{0, 0, 0, 255}));
        EXPECT_EQ(at(frame, 60, 16), (Rgba{51, 51, 51, 255})) << "clear colour right of the quad";

        // Move the root node 40 pixels right: the skinned vertices follow.
        desc.nodes[0].position = {40, 0, 0};
        ASSERT_TRUE(WriteScene(dir.File("moved.mes"), desc));
        ASSERT_TRUE(scene.Load(dir.File("moved.mes").c_str()));
        frame = draw();
        EXPECT_EQ(at(frame, 5, 5), (Rgba{51, 51, 51, 255}));
        EXPECT_EQ(at(frame, 45, 5), (Rgba{255, 0, 0, 255}));
        EXPECT_EQ(at(frame, 67, 5), (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(glCapabilities.hasCompiledVertexArray, 1) << "the lock path ran";
    }
    // Textures go while the context is still current.
    ClearMaterials();
    ClearTextures();
}

// The camera moves the scene away from the eye by its position: at z = 10 a 4-unit quad at
// the origin fills the middle of the picture; at z = -10 the same quad lies 10 units behind
// the eye and not one pixel of it is drawn. Culling is off, so only the view can hide it.
TEST(RealGlScene, ANegativeCameraZPutsTheSceneBehindTheEye)
{
    const auto surface = MakeHeadlessSurface(64, 48);
    ASSERT_TRUE(surface->Ready());
    TempDir dir;
    SceneDesc desc = TexturedQuad("");
    for (VertexDesc& vertex : desc.meshes[0].vertices) {
        vertex.position.x = vertex.position.x / 33 * 4 - 2;
        vertex.position.y = vertex.position.y / 33 * 4 - 2;
    }
    ASSERT_TRUE(WriteScene(dir.File("quad.mes"), desc));
    {
        MeshScene scene;
        ASSERT_TRUE(scene.Load(dir.File("quad.mes").c_str()));
        GlDevice& device = surface->Device();
        Camera camera;
        auto draw = [&](float z) {
            camera.positionZ = z;
            device.BeginFrame();
            device.SetPerspective(surface->Width(), surface->Height());
            camera.Apply();
            gl.glDisable(GL_LIGHTING);
            gl.glDisable(GL_CULL_FACE);
            gl.glColor3f(1, 1, 1);
            scene.Update();
            scene.Render();
            std::vector<std::uint8_t> rgba = surface->ReadPixels();
            device.EndFrame();
            gl.glEnable(GL_CULL_FACE);
            return rgba;
        };
        // Pixels that are not the clear colour (0.2 grey).
        auto drawn = [](const std::vector<std::uint8_t>& rgba) {
            int count = 0;
            for (std::size_t i = 0; i < rgba.size(); i += 4)
                count += rgba[i] != 51 || rgba[i + 1] != 51 || rgba[i + 2] != 51;
            return count;
        };

        const std::vector<std::uint8_t> inFront = draw(10.0f);
        EXPECT_GT(drawn(inFront), 64 * 48 / 8) << "the quad fills the middle";
        const std::size_t middle = (24 * 64 + 32) * 4;
        EXPECT_EQ(inFront[middle], 255);
        EXPECT_EQ(drawn(draw(-10.0f)), 0) << "behind the eye nothing is drawn";
        EXPECT_EQ(drawn(draw(-0.5f)), 0) << "nor just behind it";
        EXPECT_GT(drawn(draw(10.0f)), 0) << "and back in front it shows again";
    }
    ClearMaterials();
    ClearTextures();
}
