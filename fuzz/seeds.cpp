// Writes the fuzzers' seed files with the format writer: orvex_fuzz_seeds <folder> fills
// <folder>/mes, <folder>/knx and <folder>/tga, and <folder>/agree with each of them behind
// a byte that names its kind (0 scene, 1 animation, 2 texture). Nothing binary is kept in
// the repository.
#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

using namespace orvex::format;

namespace {

SceneDesc Triangle()
{
    SceneDesc scene;
    scene.materials.emplace_back().name = "m";
    scene.nodes.emplace_back().name = "n";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "s";
    mesh.vertices = {{0, 0, {0, 0, 1}, {0, 0, 0}}, {1, 0, {0, 0, 1}, {1, 0, 0}}, {0, 1, {0, 0, 1}, {0, 1, 0}}};
    mesh.nodeIndices = {0, 0, 0};
    mesh.groups.push_back(GroupDesc{"m", {TriangleListDesc{{0, 1, 2}}}});
    return scene;
}

SceneDesc Skeleton()
{
    SceneDesc scene = Triangle();
    MaterialDesc& textured = scene.materials.emplace_back();
    textured.name = "skin";
    textured.texture = "skin";
    textured.shininess = 32;
    for (int i = 1; i < 5; ++i) {
        NodeDesc& node = scene.nodes.emplace_back();
        node.name = "bone" + std::to_string(i);
        node.parent = i - 1;
        node.position = {0, 1, 0};
        node.rotation = {0, 0, 0.38268343f, 0.92387953f};
    }
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "limb";
    TriangleListDesc list;
    for (int i = 0; i < 10; ++i) {
        mesh.vertices.push_back({0.1f * i, 0, {1, 0, 0}, {0.5f, 0.1f * i, 0}});
        mesh.nodeIndices.push_back(i % 5);
        list.indices.push_back(i);
    }
    list.indices.resize(9);
    mesh.groups.push_back(GroupDesc{"skin", {list, TriangleListDesc{{9, 8, 7, 6}}}});
    mesh.groups.push_back(GroupDesc{"m", {}});
    return scene;
}

AnimationDesc Walk(int tracks, std::uint32_t frames)
{
    AnimationDesc animation;
    animation.frameCount = frames;
    for (int t = 0; t < tracks; ++t) {
        TrackDesc& track = animation.tracks.emplace_back();
        track.name = "bone" + std::to_string(t);
        track.parent = t - 1;
        for (std::uint32_t k = 0; k < frames; ++k) {
            const float angle = 0.3f * static_cast<float>(k);
            track.keys.push_back(KeyDesc{{0, 1, 0}, {0, 0, std::sin(angle / 2), std::cos(angle / 2)}});
        }
    }
    return animation;
}

bool Save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (!WriteBytes(path.string(), bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    // The same file for the agreement harness, behind its kind.
    const std::string format = path.parent_path().filename().string();
    std::vector<std::uint8_t> tagged(1, static_cast<std::uint8_t>(format == "mes" ? 0 : format == "knx" ? 1 : 2));
    tagged.insert(tagged.end(), bytes.begin(), bytes.end());
    const std::filesystem::path agree = path.parent_path().parent_path() / "agree" / path.filename();
    if (WriteBytes(agree.string(), tagged))
        return true;
    std::fprintf(stderr, "cannot write %s\n", agree.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* format : {"mes", "knx", "tga", "agree"})
        std::filesystem::create_directories(root / format);

    SceneDesc empty;
    SceneDesc longSignature = Triangle();
    longSignature.header.signature = "RIFF-orvex";
    bool ok = Save(root / "mes" / "empty.mes", EncodeScene(empty)) &&
              Save(root / "mes" / "triangle.mes", EncodeScene(Triangle())) &&
              Save(root / "mes" / "skeleton.mes", EncodeScene(Skeleton())) &&
              Save(root / "mes" / "signature.mes", EncodeScene(longSignature));

    ok = ok && Save(root / "knx" / "none.knx", EncodeAnimation(Walk(0, 0))) &&
         Save(root / "knx" / "single.knx", EncodeAnimation(Walk(1, 1))) &&
         Save(root / "knx" / "walk.knx", EncodeAnimation(Walk(5, 6))) &&
         Save(root / "knx" / "long.knx", EncodeAnimation(Walk(8, 40)));

    std::vector<std::uint8_t> pixels(4 * 4 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 7);
    TgaDesc withId = TgaFromPixels(3, 3, 3, pixels.data());
    withId.id = "orvex";
    TgaDesc blank;
    blank.imageType = 0;
    blank.width = 8;
    blank.height = 8;
    blank.depth = 32;
    ok = ok && Save(root / "tga" / "rgb.tga", EncodeTga(TgaFromPixels(4, 4, 3, pixels.data()))) &&
         Save(root / "tga" / "rgba.tga", EncodeTga(TgaFromPixels(4, 4, 4, pixels.data()))) &&
         Save(root / "tga" / "grey.tga", EncodeTga(TgaFromPixels(4, 4, 1, pixels.data()))) &&
         Save(root / "tga" / "id.tga", EncodeTga(withId)) && Save(root / "tga" / "blank.tga", EncodeTga(blank));
    return ok ? 0 : 1;
}
