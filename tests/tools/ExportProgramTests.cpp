// orvex-convert exporting, run as a program: what it writes and says, how it refuses, and
// that a failure leaves nothing behind.
#include "ExportSupport.h"
#include "TempDir.h"

#include "format/AnimationWriter.h"
#include "format/EngineRead.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace tooltest;
namespace fmt = orvex::format;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ExportProgram, WritesGlbOrGltfWithItsFiles)
{
    TempDir dir("export-program");
    const EngineFiles sample = Sample();
    RunResult r = RunTool("orvex-convert", {sample.scene, "--anim", sample.animation, "-o", dir.File("man.glb")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"man.glb"}));
    EXPECT_TRUE(Contains(r.out, "22 nodes, 1 mesh (1 skinned; 3273 vertices, 4672 triangles), 1 material, 1 texture"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "animation \"2\": 41 frames (2.000 s), 44 channels")) << r.out;
    EXPECT_TRUE(r.err.empty()) << r.err;

    std::filesystem::create_directories(dir.File("text"));
    r = RunTool("orvex-convert", {sample.scene, "-o", dir.File("text/man.gltf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("text")))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"2_CesiumMan_img0.png", "man.bin", "man.gltf"}));
    EXPECT_FALSE(Contains(r.out, "animation")) << r.out;
    std::ifstream in(dir.File("text/man.gltf"));
    nlohmann::json gltf = nlohmann::json::parse(in);
    EXPECT_EQ(gltf["buffers"][0]["uri"], "man.bin");
    EXPECT_EQ(gltf["images"][0]["uri"], "2_CesiumMan_img0.png");
    EXPECT_FALSE(gltf.contains("animations"));
    EXPECT_EQ(std::filesystem::file_size(dir.File("text/man.bin")),
              gltf["buffers"][0]["byteLength"].get<std::size_t>());
}

TEST(ExportProgram, RefusesWithTheReasonAndLeavesNothing)
{
    TempDir dir("export-refusals");
    const EngineFiles sample = Sample();

    // A scene the engine refuses.
    {
        std::ofstream broken(dir.File("broken.mes"), std::ios::binary);
        broken << "RIFX";
    }
    RunResult r = RunTool("orvex-convert", {dir.File("broken.mes"), "-o", dir.File("out.glb")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "broken.mes: refused by the engine's scene loader")) << r.err;

    // An animation with more tracks than the scene has nodes.
    fmt::SceneFiles files;
    std::string error;
    ASSERT_TRUE(fmt::ReadWithEngine(sample.scene, sample.animation, &files, &error)) << error;
    files.animation->tracks.push_back(files.animation->tracks.back());
    ASSERT_TRUE(fmt::WriteAnimation(dir.File("more.knx"), *files.animation, &error)) << error;
    r = RunTool("orvex-convert", {sample.scene, "--anim", dir.File("more.knx"), "-o", dir.File("out.glb")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "more.knx: the engine does not bind it")) << r.err;

    // Fewer tracks than nodes: written, with a warning.
    files.animation->tracks.resize(3);
    ASSERT_TRUE(fmt::WriteAnimation(dir.File("fewer.knx"), *files.animation, &error)) << error;
    r = RunTool("orvex-convert", {sample.scene, "--anim", dir.File("fewer.knx"), "-o", dir.File("fewer.glb")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "warning: the animation has 3 tracks for 22 nodes")) << r.err;
    std::filesystem::remove(dir.File("fewer.glb"));

    // Outputs it cannot write.
    r = RunTool("orvex-convert", {sample.scene, "-o", dir.File("out.obj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "must end in .glb or .gltf")) << r.err;
    r = RunTool("orvex-convert", {sample.scene, "-o", dir.File("nowhere/out.glb")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "does not exist")) << r.err;
    // The picture's name is taken by a folder: neither the .gltf nor its .bin stays.
    std::filesystem::create_directories(dir.File("2_CesiumMan_img0.png"));
    r = RunTool("orvex-convert", {sample.scene, "-o", dir.File("man.gltf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "2_CesiumMan_img0.png: cannot be written")) << r.err;
    std::filesystem::remove(dir.File("2_CesiumMan_img0.png"));

    // Options of the other direction.
    r = RunTool("orvex-convert", {sample.scene, "--scale", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Contains(r.err, "--scale is for importing")) << r.err;
    r = RunTool("orvex-convert", {ModelPath("BoxTextured"), "--anim", sample.animation});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Contains(r.err, "--anim goes with a .mes scene")) << r.err;

    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"broken.mes", "fewer.knx", "more.knx"}));
}

TEST(ExportProgram, HelpSaysWhatMapsToWhat)
{
    RunResult r = RunTool("orvex-convert", {"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* text : {"SCENE.mes [--anim ANIMATION.knx]", "baseColorTexture", "roughnessFactor", "extras"})
        EXPECT_TRUE(Contains(r.out, text)) << text;
}
