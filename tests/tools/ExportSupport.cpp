#include "ExportSupport.h"

#include "format/SceneFiles.h"
#include "format/TgaWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tooltest {

void ImportModel(const std::string& model, const std::string& base, EngineFiles* out)
{
    RunResult r = RunTool("orvex-convert", {model, "-o", base});
    ASSERT_EQ(r.exitCode, 0) << model << ": " << r.err;
    out->scene = base + ".mes";
    out->animation = std::filesystem::exists(base + ".knx") ? base + ".knx" : "";
}

void ExportScene(const EngineFiles& files, const std::string& output)
{
    std::vector<std::string> args{files.scene, "-o", output};
    if (!files.animation.empty())
        args.insert(args.end(), {"--anim", files.animation});
    RunResult r = RunTool("orvex-convert", args);
    ASSERT_EQ(r.exitCode, 0) << files.scene << ": " << r.err;
}

EngineFiles Sample()
{
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    std::filesystem::path samples = std::filesystem::path(source ? source : ".") / "samples";
    return {(samples / "2.MES").string(), (samples / "2.KNX").string()};
}

namespace {

namespace fmt = orvex::format;

// A textured material, as the converter writes every one: a 2x2 picture of its colour,
// darker towards the bottom right.
void AddMaterial(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b, fmt::SceneFiles* files)
{
    fmt::MaterialDesc& material = files->scene.materials.emplace_back();
    material.name = name;
    material.texture = name + "_picture";
    material.shininess = 20;
    fmt::TextureDesc& texture = files->textures.emplace_back();
    texture.name = material.texture;
    texture.width = texture.height = 2;
    for (std::uint8_t shade : {255, 200, 200, 120})
        texture.pixels.insert(texture.pixels.end(), {std::uint8_t(r * shade / 255), std::uint8_t(g * shade / 255),
                                                     std::uint8_t(b * shade / 255)});
}

// A quad of four vertices carried by `node`, facing +z, drawn by `group`.
void AddQuad(fmt::MeshDesc* mesh, int node, float x, float y, fmt::GroupDesc* group)
{
    const auto first = static_cast<std::int32_t>(mesh->vertices.size());
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& c : corners) {
        mesh->vertices.push_back({c[0], c[1], {0, 0, 1}, {x + c[0], y + c[1], 0}});
        mesh->nodeIndices.push_back(node);
    }
    // Clockwise seen from +z: the engine's front faces.
    group->lists.push_back({{first, first + 2, first + 1, first, first + 3, first + 2}});
}

fmt::SceneFiles GroupsScene()
{
    fmt::SceneFiles f;
    AddMaterial("red", 220, 40, 30, &f);
    AddMaterial("green", 40, 200, 60, &f);
    AddMaterial("blue", 30, 60, 210, &f);
    f.scene.nodes.push_back({"stand", -1, {0, 1, 0}, {0, 0.70710678f, 0, 0.70710678f}});
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "panels";
    for (int g = 0; g < 3; ++g) {
        fmt::GroupDesc& group = mesh.groups.emplace_back();
        group.material = f.scene.materials[g].name;
        AddQuad(&mesh, 0, 1.5f * g, 0, &group);
    }
    return f;
}

fmt::SceneFiles RigScene()
{
    fmt::SceneFiles f;
    AddMaterial("skin", 200, 160, 120, &f);
    const fmt::Quat bent{0.38268343f, 0, 0, 0.92387953f}; // 45 degrees about x
    f.scene.nodes = {{"rig", -1, {0, 0, 0}, {0, 0, 0, 1}},
                     {"hip", 0, {0, 1, 0}, {0, 0, 0, 1}},
                     {"knee", 1, {0, 1, 0}, bent},
                     {"toe_end", 2, {0, 0.5f, 0}, {0, 0, 0, 1}},
                     {"figure", 0, {0.5f, 0, 0}, {0, 0, 0, 1}}};
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "legs"; // not the name of the node that held it
    fmt::GroupDesc& group = mesh.groups.emplace_back();
    group.material = "skin";
    AddQuad(&mesh, 1, -0.5f, 0, &group);
    AddQuad(&mesh, 2, -0.5f, 0, &group);

    fmt::AnimationDesc& animation = f.animation.emplace();
    animation.frameCount = 3;
    for (const fmt::NodeDesc& node : f.scene.nodes) {
        fmt::TrackDesc& track = animation.tracks.emplace_back();
        track.name = node.name;
        track.parent = node.parent;
        track.keys.assign(animation.frameCount, {node.position, node.rotation});
    }
    animation.tracks[2].keys[1].rotation = {0.70710678f, 0, 0, 0.70710678f};
    animation.tracks[2].keys[2].rotation = {0, 0, 0, 1};
    animation.tracks[1].keys[2].position = {0, 1.25f, 0};
    return f;
}

} // namespace

const std::vector<std::string>& MadeScenes()
{
    static const std::vector<std::string> names{"groups", "rig"};
    return names;
}

EngineFiles WriteMadeScene(const std::string& name, const std::string& folder)
{
    const fmt::SceneFiles f = name == "rig" ? RigScene() : GroupsScene();
    const std::filesystem::path base = std::filesystem::path(folder) / name;
    EngineFiles out{base.string() + ".mes", ""};
    std::string error;
    EXPECT_TRUE(fmt::WriteScene(out.scene, f.scene, &error)) << error;
    if (f.animation) {
        out.animation = base.string() + ".knx";
        EXPECT_TRUE(fmt::WriteAnimation(out.animation, *f.animation, &error)) << error;
    }
    for (const fmt::TextureDesc& t : f.textures) {
        const fmt::TgaDesc image =
            fmt::TgaFromPixels(std::uint16_t(t.width), std::uint16_t(t.height), t.channels, t.pixels.data());
        EXPECT_TRUE(fmt::WriteTga((std::filesystem::path(folder) / (t.name + ".TGA")).string(), image, &error))
            << error;
    }
    return out;
}

} // namespace tooltest
