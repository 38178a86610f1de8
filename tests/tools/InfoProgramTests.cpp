// orvex-info run as a program: every converted model is accepted with the source's counts,
// and damaged files are refused in the engine loaders' words: section, record, sentence and
// byte offset.
#include "GltfReference.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <fstream>

using namespace tooltest;
using nlohmann::json;
namespace fmt = orvex::format;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// One material "m", nodes "root" and "arm", one mesh "tri" of three vertices on the arm.
fmt::SceneDesc SmallScene()
{
    fmt::SceneDesc scene;
    fmt::MaterialDesc material;
    material.name = "m";
    scene.materials.push_back(material);
    fmt::NodeDesc root, arm;
    root.name = "root";
    arm.name = "arm";
    arm.parent = 0;
    scene.nodes.push_back(root);
    scene.nodes.push_back(arm);
    fmt::MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "tri";
    mesh.vertices.resize(3);
    mesh.nodeIndices = {1, 1, 1};
    mesh.groups.push_back({.material = "m", .lists = {{.indices = {0, 1, 2}}}});
    return scene;
}

void PutI32(std::vector<std::uint8_t>* bytes, std::size_t at, std::int32_t value)
{
    std::memcpy(bytes->data() + at, &value, 4);
}

} // namespace

// Every model converts and orvex-info accepts the result; its counts are the source's.
TEST(InfoProgram, AcceptsEveryConvertedModelWithTheSourceCounts)
{
    TempDir dir("info-models");
    for (const std::string& model : AllModels()) {
        SCOPED_TRACE(model);
        std::string base = dir.File(model);
        RunResult c = RunTool("orvex-convert", {ModelPath(model), "-o", base});
        ASSERT_EQ(c.exitCode, 0) << c.err;
        std::vector<std::string> files{base + ".mes"};
        for (const std::string& f : dir.Files())
            if (f.rfind(model + "_", 0) == 0 && f.size() > 4 && f.substr(f.size() - 4) == ".TGA")
                files.push_back(dir.File(f));
        bool animated = std::filesystem::exists(base + ".knx");
        if (animated)
            files.push_back(base + ".knx");
        files.push_back("--json");
        RunResult r = RunTool("orvex-info", files);
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        json report = json::parse(r.out);
        ASSERT_EQ(report.size(), files.size() - 1);

        GltfReference source;
        ASSERT_TRUE(source.Load(ModelPath(model)));
        const json& scene = report[0];
        EXPECT_EQ(scene["kind"], "scene");
        EXPECT_EQ(scene["nodes"].size(), static_cast<std::size_t>(source.NodeCount()));
        long long vertices = 0, triangles = 0;
        for (const json& mesh : scene["meshes"]) {
            vertices += mesh["vertices"].get<long long>();
            triangles += mesh["triangles"].get<long long>();
        }
        EXPECT_EQ(vertices, source.SceneVertexCount());
        EXPECT_EQ(triangles, source.SceneTriangleCount());
        for (const json& material : scene["materials"]) {
            EXPECT_FALSE(material["texture"].get<std::string>().empty());
            EXPECT_TRUE(material["textureLoaded"].get<bool>()) << material["texture"];
        }
        if (animated) {
            const json& anim = report.back();
            EXPECT_EQ(anim["kind"], "animation");
            EXPECT_EQ(anim["tracks"].size(), static_cast<std::size_t>(source.NodeCount()));
            EXPECT_GE(anim["frames"].get<int>(), 2);
        }
    }
}

// The text report names what a user looks for first.
TEST(InfoProgram, TextReportShowsHierarchyMeshesAndDuration)
{
    TempDir dir("info-text");
    ASSERT_EQ(RunTool("orvex-convert", {ModelPath("CesiumMan"), "-o", dir.File("man")}).exitCode, 0);
    RunResult r = RunTool("orvex-info", {dir.File("man.mes"), dir.File("man.knx")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "22 nodes:"));
    EXPECT_TRUE(Contains(r.out, "  0 \"Z_UP\""));
    EXPECT_TRUE(Contains(r.out, "    1 \"Armature\"")) << "children are indented under their parent";
    EXPECT_TRUE(Contains(r.out, "\"Cesium_Man\": 3273 vertices, 4672 triangles on 19 nodes"));
    EXPECT_TRUE(Contains(r.out, "texture \"man_CesiumMan_img0\": 1024x1024, 24-bit"));
    EXPECT_TRUE(Contains(r.out, "41 frames, 2.000 s at 20 fps, 22 tracks"));
}

// The record walk reads files in pieces and seeks over the big arrays: texture names, the
// bytes after the last record and the nodes carrying a mesh come out right when the arrays
// span several pieces and a record straddles two.
TEST(InfoProgram, FilesLargerThanAReadPieceAreWalkedToTheirLastByte)
{
    TempDir dir("info-large");
    fmt::SceneDesc scene = SmallScene();
    scene.nodes.push_back({.name = "hand", .parent = 1, .position = {}, .rotation = {}});
    scene.nodes.push_back({.name = "unused", .parent = 0, .position = {}, .rotation = {}});
    scene.materials.push_back({.name = "after", .texture = "late"});
    fmt::MeshDesc& big = scene.meshes.emplace_back();
    big.name = "big";
    big.vertices.resize(5001); // 180 kB of vertex records and node indices
    for (std::size_t i = 0; i < big.vertices.size(); ++i)
        big.nodeIndices.push_back(i % 3 == 0 ? 0 : 2);
    big.groups.push_back({.material = "after", .lists = {{.indices = std::vector<std::int32_t>(30000, 7)}}});
    big.groups.push_back({.material = "m", .lists = {{.indices = {1, 2, 3}}, {.indices = {4, 5, 6, 7}}}});
    std::vector<std::uint8_t> bytes = fmt::EncodeScene(scene);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
    WriteFile(dir.File("large.mes"), bytes);

    fmt::AnimationDesc animation;
    animation.frameCount = 3001; // 84 kB of keys per track
    for (const char* name : {"root", "arm"})
        animation.tracks.push_back({.name = name,
                                    .parent = animation.tracks.empty() ? -1 : 0,
                                    .keys = std::vector<fmt::KeyDesc>(animation.frameCount)});
    bytes = fmt::EncodeAnimation(animation);
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9});
    WriteFile(dir.File("large.knx"), bytes);

    bytes = fmt::EncodeTga(fmt::TgaFromPixels(200, 150, 3, std::vector<std::uint8_t>(200 * 150 * 3, 5).data()));
    bytes.insert(bytes.end(), {0, 0, 0});
    WriteFile(dir.File("late.TGA"), bytes);

    RunResult r = RunTool("orvex-info", {dir.File("large.mes"), dir.File("large.knx"), dir.File("late.TGA"), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    json report = json::parse(r.out);
    EXPECT_EQ(report[0]["trailingBytes"], 7);
    EXPECT_EQ(report[0]["materials"][0]["texture"], "");
    EXPECT_EQ(report[0]["materials"][1]["texture"], "late");
    EXPECT_EQ(report[0]["materials"][1]["textureWidth"], 200);
    EXPECT_EQ(report[0]["meshes"][0]["nodesUsed"], 1);
    EXPECT_EQ(report[0]["meshes"][1]["nodesUsed"], 2);
    EXPECT_EQ(report[0]["meshes"][1]["triangles"], 10000 + 1 + 1);
    EXPECT_EQ(report[1]["trailingBytes"], 5);
    EXPECT_EQ(report[1]["frames"], 3001);
    EXPECT_EQ(report[2]["trailingBytes"], 3);
    EXPECT_EQ(report[2]["imageType"], 2);
    EXPECT_EQ(report[2]["size"], 18 + 200 * 150 * 3 + 3);
}

// Damaged files: exit 1, and the report gives the loader's reason: the section, the record,
// the sentence and the byte at which the fault was found.
TEST(InfoProgram, RefusesDamagedFilesSayingWhere)
{
    TempDir dir("info-bad");
    std::vector<std::uint8_t> good = fmt::EncodeScene(SmallScene());
    // Offsets in the small scene: header 9, material count at 9, material "m" 55 bytes,
    // node count at 68, "root" 37 bytes, "arm" 36 bytes (its parent at 113), mesh count at
    // 145, mesh "tri" at 149 with its vertex count at 153 and node indices at 253, group 0's
    // material name at 269, its indices at 279.
    struct Case {
        const char* file;
        std::function<std::vector<std::uint8_t>()> make;
        const char* where;
    };
    const Case cases[] = {
        {"truncated.mes", [&] { return std::vector<std::uint8_t>(good.begin(), good.begin() + 170); },
         "mesh section, mesh 0 \"tri\": vertex count 3 needs at least 112 bytes, the file has 13 left (byte 153)"},
        {"header.mes",
         [&] {
             auto b = good;
             PutI32(&b, 5, 101);
             return b;
         },
         "header: the version is 101; only version 100 is read (byte 5)"},
        {"materials.mes",
         [&] {
             auto b = good;
             PutI32(&b, 9, 1000000);
             return b;
         },
         "material section: material count 1000000 needs at least 54000000 bytes, the file has 278 left (byte 9)"},
        {"nodes.mes",
         [&] {
             auto b = good;
             PutI32(&b, 68, -2);
             return b;
         },
         "node section: negative node count -2 (byte 68)"},
        {"parent.mes",
         [&] {
             fmt::SceneDesc s = SmallScene();
             s.nodes[1].parent = 1;
             return fmt::EncodeScene(s);
         },
         "node section, node 1 \"arm\": parent 1 is neither -1 nor below the node's own index (byte 113)"},
        {"index.mes",
         [&] {
             fmt::SceneDesc s = SmallScene();
             s.meshes[0].groups[0].lists[0].indices[2] = 9;
             return fmt::EncodeScene(s);
         },
         "mesh section, mesh 0 \"tri\", group 0, list 0: index 9 is not below the vertex count 3 (byte 287)"},
        {"material.mes",
         [&] {
             fmt::SceneDesc s = SmallScene();
             s.meshes[0].groups[0].material = "chalk";
             return fmt::EncodeScene(s);
         },
         "mesh section, mesh 0 \"tri\", group 0: material \"chalk\" is not defined (byte 269)"},
        {"carrier.mes",
         [&] {
             fmt::SceneDesc s = SmallScene();
             s.meshes[0].nodeIndices[1] = 2;
             return fmt::EncodeScene(s);
         },
         "mesh section, mesh 0 \"tri\": node index 2 of vertex 1 is not below the node count 2 (byte 257)"},
        {"keys.knx",
         [&] {
             fmt::AnimationDesc a;
             a.frameCount = 4;
             a.tracks.push_back({.name = "root", .parent = -1, .keys = std::vector<fmt::KeyDesc>(4)});
             a.tracks.push_back({.name = "arm", .parent = 0, .keys = std::vector<fmt::KeyDesc>(4)});
             auto b = fmt::EncodeAnimation(a);
             b.resize(b.size() - 30);
             return b;
         },
         "track section: track count 2 of 4 frames each needs at least 234 bytes, the file has 211 left (byte 9)"},
        {"frames.knx",
         [&] {
             fmt::AnimationDesc a;
             fmt::TrackDesc track;
             track.name = "root";
             a.tracks.push_back(track);
             return fmt::EncodeAnimation(a);
         },
         "track section: frame count 0 leaves the tracks without a single key (track count 1) (byte 17)"},
        {"palette.tga",
         [&] {
             fmt::TgaDesc t = fmt::TgaFromPixels(1, 1, 3, std::vector<std::uint8_t>(3, 7).data());
             t.colorMapType = 1;
             return fmt::EncodeTga(t);
         },
         "header: colour-mapped images (colour map type 1) are not read (byte 1)"},
        {"short.tga",
         [&] {
             auto b = fmt::EncodeTga(fmt::TgaFromPixels(4, 4, 4, std::vector<std::uint8_t>(64, 7).data()));
             b.resize(b.size() - 1);
             return b;
         },
         "pixel data: 4x4 pixels of 4 bytes need 64 bytes, the file has 63 (byte 18)"},
    };
    for (const Case& c : cases) {
        WriteFile(dir.File(c.file), c.make());
        RunResult r = RunTool("orvex-info", {dir.File(c.file)});
        EXPECT_EQ(r.exitCode, 1) << c.file << ": " << r.out;
        EXPECT_TRUE(Contains(r.out, "refused: " + std::string(c.where))) << c.file << ": " << r.out;
    }
    // The intact scene loads; one bad file among good ones still makes the exit status 1,
    // and the JSON report carries the reason.
    WriteFile(dir.File("good.mes"), good);
    EXPECT_EQ(RunTool("orvex-info", {dir.File("good.mes")}).exitCode, 0);
    RunResult mixed = RunTool("orvex-info", {dir.File("good.mes"), dir.File("index.mes"), "--json"});
    EXPECT_EQ(mixed.exitCode, 1);
    json report = json::parse(mixed.out);
    EXPECT_TRUE(report[0]["ok"].get<bool>());
    EXPECT_FALSE(report[1]["ok"].get<bool>());
    const json& error = report[1]["error"];
    EXPECT_EQ(error["where"], "mesh section, mesh 0 \"tri\", group 0, list 0");
    EXPECT_EQ(error["section"], "mesh section");
    EXPECT_EQ(error["record"], "mesh 0 \"tri\", group 0, list 0");
    EXPECT_EQ(error["reason"], "index 9 is not below the vertex count 3");
    EXPECT_EQ(error["offset"], 287);
}

// A texture the engine could not load leaves its material untextured; the report gives the
// TGA loader's reason for each.
TEST(InfoProgram, TexturesTheEngineLeftOutAreExplained)
{
    TempDir dir("info-textures");
    fmt::SceneDesc scene = SmallScene();
    scene.materials[0].texture = "missing";
    scene.materials.push_back({.name = "paletted", .texture = "paletted"});
    scene.materials.push_back({.name = "fine", .texture = "fine"});
    WriteFile(dir.File("textured.mes"), fmt::EncodeScene(scene));
    fmt::TgaDesc paletted = fmt::TgaFromPixels(1, 1, 3, std::vector<std::uint8_t>(3, 7).data());
    paletted.colorMapType = 1;
    WriteFile(dir.File("paletted.TGA"), fmt::EncodeTga(paletted));
    WriteFile(dir.File("fine.TGA"),
              fmt::EncodeTga(fmt::TgaFromPixels(2, 1, 3, std::vector<std::uint8_t>(6, 7).data())));

    RunResult r = RunTool("orvex-info", {dir.File("textured.mes")});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out,
                         "texture \"missing\": missing.TGA: the file cannot be opened (No such file or directory); "
                         "drawn untextured"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "texture \"paletted\": paletted.TGA: header: colour-mapped images (colour map type 1) "
                                "are not read; drawn untextured"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "texture \"fine\": 2x1, 24-bit")) << r.out;

    RunResult j = RunTool("orvex-info", {dir.File("textured.mes"), "--json"});
    json materials = json::parse(j.out)[0]["materials"];
    EXPECT_FALSE(materials[1]["textureLoaded"].get<bool>());
    EXPECT_EQ(materials[1]["textureProblem"], "header: colour-mapped images (colour map type 1) are not read");
    EXPECT_FALSE(materials[2].contains("textureProblem"));
}

TEST(InfoProgram, MissingFilesAndUsageErrors)
{
    RunResult missing = RunTool("orvex-info", {"/nonexistent/scene.mes"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Contains(missing.out, "no such file"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--bogus", "a.mes"}, {"notes.txt"}, {"--json"}}) {
        RunResult r = RunTool("orvex-info", args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(Contains(r.err, "usage: orvex-info"));
    }
}
