// The engine's loaders read back into the writers' descriptions: what the writer wrote comes
// back field for field, textures as the engine uploads them, refusals with the file at fault.
#include "SceneCompare.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "format/EngineRead.h"
#include "format/TgaWriter.h"

#include "orvex/render/GlApi.h"
#include "orvex/scene/Material.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tooltest;
namespace fmt = orvex::format;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

fmt::TextureDesc Picture(const std::string& name, int width, int height, int channels)
{
    fmt::TextureDesc t{name, width, height, channels, {}};
    for (int i = 0; i < width * height * channels; ++i)
        t.pixels.push_back(static_cast<std::uint8_t>(17 * i + 3));
    return t;
}

// Two nodes, one mesh of two groups over five materials: three textured (24-bit, 8-bit
// greyscale, 32-bit), one without a texture, one whose picture is missing; three frames.
fmt::SceneFiles Sample()
{
    fmt::SceneFiles files;
    files.textures = {Picture("rgb", 3, 2, 3), Picture("grey", 2, 2, 1), Picture("rgba", 1, 3, 4)};
    const char* textures[] = {"rgb", "grey", "rgba", "", "missing"};
    for (int m = 0; m < 5; ++m) {
        fmt::MaterialDesc& d = files.scene.materials.emplace_back();
        d.name = "m" + std::to_string(m);
        d.ambient = {0.1f * m, 0.2f, 0.3f, 1};
        d.diffuse = {0.5f, 0.25f * m, 0.125f, 0.5f};
        d.specular = {0, 0, 0.75f, 1};
        d.shininess = 16.0f * m;
        d.texture = textures[m];
    }
    files.scene.nodes.push_back({"root", -1, {1, 2, 3}, {0, 0, 0.70710678f, 0.70710678f}});
    files.scene.nodes.push_back({"arm", 0, {0, 1, 0}, {0.5f, 0.5f, 0.5f, 0.5f}});
    fmt::MeshDesc& mesh = files.scene.meshes.emplace_back();
    mesh.name = "body";
    for (int v = 0; v < 6; ++v)
        mesh.vertices.push_back({0.1f * v, 1 - 0.1f * v, {0, 0, 1}, {float(v), float(v % 2), -float(v)}});
    mesh.nodeIndices = {0, 0, 1, 1, 1, 0};
    mesh.groups.push_back({"m0", {{{0, 1, 2}}, {{3, 4, 5, 0, 2, 4}}}});
    mesh.groups.push_back({"m3", {{{5, 4, 3}}}});
    fmt::AnimationDesc& animation = files.animation.emplace();
    animation.reserved = 7;
    animation.frameCount = 3;
    for (int t = 0; t < 2; ++t) {
        fmt::TrackDesc& track = animation.tracks.emplace_back();
        track.name = files.scene.nodes[t].name;
        track.parent = t - 1;
        for (int k = 0; k < 3; ++k)
            track.keys.push_back({{float(k), float(t), 0}, {0, 0, 0, 1}});
    }
    return files;
}

void Write(const fmt::SceneFiles& files, const TempDir& dir)
{
    std::string error;
    ASSERT_TRUE(fmt::WriteScene(dir.File("scene.mes"), files.scene, &error)) << error;
    ASSERT_TRUE(fmt::WriteAnimation(dir.File("scene.knx"), *files.animation, &error)) << error;
    for (const fmt::TextureDesc& t : files.textures)
        ASSERT_TRUE(fmt::WriteTga(
            dir.File(t.name + ".TGA"),
            fmt::TgaFromPixels(std::uint16_t(t.width), std::uint16_t(t.height), t.channels, t.pixels.data()), &error))
            << error;
}

} // namespace

TEST(EngineRead, GivesBackWhatTheWriterWroteAndLeavesNoTrace)
{
    TempDir dir("engine-read");
    const fmt::SceneFiles written = Sample();
    ASSERT_NO_FATAL_FAILURE(Write(written, dir));

    auto* const genTextures = gl.glGenTextures;
    const auto folder = std::filesystem::current_path();
    fmt::SceneFiles read;
    std::string error;
    ASSERT_TRUE(fmt::ReadWithEngine(dir.File("scene.mes"), dir.File("scene.knx"), &read, &error)) << error;

    // The engine draws a material whose picture is missing without a texture.
    fmt::SceneFiles expected = written;
    expected.scene.materials[4].texture = "";
    for (const std::string& difference : SceneDifferences(expected, read, {}))
        ADD_FAILURE() << difference;
    EXPECT_EQ(read.textures.size(), 3u);
    EXPECT_EQ(read.animation->reserved, 7);

    // Nothing of the read stays behind: the GL table, the working folder, the registries.
    EXPECT_EQ(gl.glGenTextures, genTextures);
    EXPECT_EQ(std::filesystem::current_path(), folder);
    EXPECT_EQ(GetMaterialCount(), 0);

    // Without an animation the scene alone.
    ASSERT_TRUE(fmt::ReadWithEngine(dir.File("scene.mes"), "", &read, &error)) << error;
    EXPECT_FALSE(read.animation);
    EXPECT_EQ(read.scene.meshes.size(), 1u);
}

TEST(EngineRead, RefusalsNameTheFile)
{
    TempDir dir("engine-read-refusals");
    fmt::SceneFiles files = Sample();
    ASSERT_NO_FATAL_FAILURE(Write(files, dir));
    fmt::SceneFiles read;
    std::string error;

    EXPECT_FALSE(fmt::ReadWithEngine(dir.File("none.mes"), "", &read, &error));
    EXPECT_TRUE(Contains(error, "none.mes: no such file")) << error;

    std::vector<std::uint8_t> bytes = fmt::EncodeScene(files.scene);
    bytes.resize(bytes.size() - 5);
    ASSERT_TRUE(fmt::WriteBytes(dir.File("short.mes"), bytes));
    EXPECT_FALSE(fmt::ReadWithEngine(dir.File("short.mes"), "", &read, &error));
    EXPECT_TRUE(Contains(error, "short.mes: refused by the engine's scene loader")) << error;

    ASSERT_TRUE(fmt::WriteBytes(dir.File("short.knx"), {4, 'R', 'I', 'F', 'F'}));
    EXPECT_FALSE(fmt::ReadWithEngine(dir.File("scene.mes"), dir.File("short.knx"), &read, &error));
    EXPECT_TRUE(Contains(error, "short.knx: refused by the engine's animation loader")) << error;

    // One track more than the scene has nodes.
    fmt::AnimationDesc more = *files.animation;
    more.tracks.push_back(more.tracks.back());
    more.tracks.back().parent = 1;
    ASSERT_TRUE(fmt::WriteAnimation(dir.File("more.knx"), more, &error)) << error;
    EXPECT_FALSE(fmt::ReadWithEngine(dir.File("scene.mes"), dir.File("more.knx"), &read, &error));
    EXPECT_TRUE(Contains(error, "does not bind it")) << error;
    EXPECT_TRUE(Contains(error, "3 tracks, the scene 2 nodes")) << error;
    EXPECT_EQ(GetMaterialCount(), 0);
}
