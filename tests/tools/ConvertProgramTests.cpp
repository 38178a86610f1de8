// orvex-convert run as a program: what it writes, how it fails, and that a failure leaves
// nothing behind.
#include "TempDir.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tooltest;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

// The models travel with the repository, each with its licence: a clone alone runs every
// tool test (a missing model fails here once, with its path, rather than as a skip).
TEST(ConvertProgram, ModelsAreInTheRepositoryWithTheirLicences)
{
    for (const std::string& model : AllModels()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(ModelPath(model))) << ModelPath(model);
        EXPECT_TRUE(std::filesystem::is_regular_file(AssetsDir() / model / "LICENSE.md")) << model;
        if (model != "AnimatedCube") { // the one model without a .glb
            EXPECT_TRUE(std::filesystem::is_regular_file(ModelPath(model, true))) << ModelPath(model, true);
        }
    }
}

TEST(ConvertProgram, WritesSceneAnimationAndTextures)
{
    TempDir dir("convert-ok");
    RunResult r = RunTool("orvex-convert", {ModelPath("CesiumMan", true), "-o", dir.File("man")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The .glb's picture has no file name: the texture is named after its material.
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"man.knx", "man.mes", "man_Cesium_Man-effect.TGA"}));
    EXPECT_TRUE(Contains(r.out, "3273 vertices"));
    EXPECT_TRUE(Contains(r.out, "41 frames"));
    EXPECT_TRUE(Contains(r.out, "more than one influence"));
    EXPECT_TRUE(r.err.empty()) << r.err;

    // A clip chosen by name; the unrepresentable scale clip warns on stderr, naming the node.
    r = RunTool("orvex-convert",
                {ModelPath("InterpolationTest"), "-o", dir.File("interp"), "--animation", "Linear Rotation"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "animation 5 \"Linear Rotation\" of 9"));
    r = RunTool("orvex-convert", {ModelPath("InterpolationTest"), "-o", dir.File("interp"), "--animation=2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "warning: node 'Cube.002': animated scale")) << r.err;

    // A static model writes no animation.
    r = RunTool("orvex-convert", {ModelPath("BoxTextured"), "-o", dir.File("box")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("box.knx")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("box_CesiumLogoFlat.TGA")));

    // --center says how far it moved the scene.
    r = RunTool("orvex-convert", {ModelPath("CesiumMan"), "-o", dir.File("centred"), "--scale", "2", "--center"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "centered: moved by (")) << r.out;
    EXPECT_FALSE(Contains(r.out, ", 0, 0)")) << r.out;
}

// Every failure exits non-zero with a message on stderr and leaves the folder as it was.
TEST(ConvertProgram, FailuresLeaveNothingBehind)
{
    TempDir dir("convert-fail");
    {
        std::ofstream text(dir.File("notes.obj"));
        text << "these are notes, not a model\n";
    }
    {
        std::ofstream empty(dir.File("empty.gltf"));
        empty << R"({"asset": {"version": "2.0"}, "scenes": [{"nodes": [0]}], "nodes": [{"name": "lonely"}]})";
    }
    std::filesystem::create_directory(dir.File("occupied_inner_color.TGA"));
    const std::vector<std::string> before = dir.Files();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{dir.File("missing.gltf"), "-o", dir.File("out")}, "no such file"},
        {{dir.File("notes.obj"), "-o", dir.File("out")}, "notes.obj"},
        {{dir.File("empty.gltf"), "-o", dir.File("out")}, "no meshes"},
        {{(AssetsDir() / "CesiumMan" / "README.md").string(), "-o", dir.File("out")}, "README.md"},
        {{ModelPath("InterpolationTest"), "-o", dir.File("out"), "--animation", "Bounce"}, "no animation \"Bounce\""},
        {{ModelPath("BoxTextured"), "-o", dir.File(std::string(80, 'n'))}, "cannot be made to fit"},
        {{ModelPath("BoxTextured"), "-o", dir.File("no-such-folder/out")}, "does not exist"},
        // The last texture cannot take its place: the scene and animation already moved in
        // are taken back out.
        {{ModelPath("BoxAnimated"), "-o", dir.File("occupied")}, "occupied_inner_color.TGA"},
    };
    for (const Case& c : cases) {
        RunResult r = RunTool("orvex-convert", c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args[0];
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_EQ(dir.Files(), before) << c.args[0];
    }
}

TEST(ConvertProgram, UsageErrorsExitWithTwo)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--scale", "-1", "a.gltf"},
                                                 {"a.gltf", "--bogus"},
                                                 {"a.gltf", "b.gltf"},
                                                 {"a.gltf", "-o"},
                                                 {"a.gltf", "--scale=x"}}) {
        RunResult r = RunTool("orvex-convert", args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "(none)" : args.back());
        EXPECT_TRUE(Contains(r.err, "usage: orvex-convert"));
    }
    EXPECT_EQ(RunTool("orvex-convert", {"--help"}).exitCode, 0);
}
