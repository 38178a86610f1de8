#include "ViewerScenes.h"

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

using namespace orvex::format;

namespace {

constexpr float kHalf = 2.0f;
constexpr float kPi = 3.14159265358979f;

Vec3 Add(Vec3 a, Vec3 b, float sb, Vec3 c, float sc)
{
    return {a.x + b.x * sb + c.x * sc, a.y + b.y * sb + c.y * sc, a.z + b.z * sb + c.z * sc};
}

// Six faces, each two triangles wound clockwise as seen from outside (the front faces of
// the engine's default state). For a face with outward normal n, u x v = n.
void AddBox(MeshDesc& mesh)
{
    struct Face {
        Vec3 n, u, v;
    };
    const Face faces[] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    TriangleListDesc list;
    for (const Face& face : faces) {
        const Vec3 centre{face.n.x * kHalf, face.n.y * kHalf, face.n.z * kHalf};
        const std::int32_t first = static_cast<std::int32_t>(mesh.vertices.size());
        // Corners: top-left, top-right, bottom-right, bottom-left.
        const float corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
        for (const auto& corner : corners) {
            VertexDesc vertex;
            vertex.s = (corner[0] + 1) / 2;
            vertex.t = (1 - corner[1]) / 2;
            vertex.normal = face.n;
            vertex.position = Add(centre, face.u, corner[0] * kHalf, face.v, corner[1] * kHalf);
            mesh.vertices.push_back(vertex);
            mesh.nodeIndices.push_back(0);
        }
        for (int i : {0, 1, 2, 0, 2, 3})
            list.indices.push_back(first + i);
    }
    mesh.groups.push_back(GroupDesc{"box", {list}});
}

// 64 x 64, squares of 16 pixels in orange and blue.
TgaDesc Checker()
{
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool odd = ((x / 16) + (y / 16)) % 2 != 0;
            const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(odd ? 40 : 240),
                                           static_cast<std::uint8_t>(odd ? 90 : 140),
                                           static_cast<std::uint8_t>(odd ? 220 : 20)};
            rgb.insert(rgb.end(), pixel, pixel + 3);
        }
    return TgaFromPixels(64, 64, 3, rgb.data());
}

// A rotation by `degrees` about the tilted axis (0.4, 1, 0.3).
Quat Turn(float degrees)
{
    const float length = std::sqrt(0.4f * 0.4f + 1.0f + 0.3f * 0.3f);
    const float half = degrees * kPi / 360.0f;
    const float s = std::sin(half) / length;
    return {0.4f * s, 1.0f * s, 0.3f * s, std::cos(half)};
}

AnimationDesc BoxAnimation(BoxMotion motion, int tracks)
{
    AnimationDesc animation;
    animation.frameCount = motion == BoxMotion::Turning ? 41 : 2;
    for (int t = 0; t < tracks; ++t) {
        TrackDesc track;
        track.name = t == 0 ? "root" : "extra" + std::to_string(t);
        track.parent = t == 0 ? -1 : 0;
        for (std::uint32_t k = 0; k < animation.frameCount; ++k) {
            KeyDesc key;
            // Still: both keys are the identity, which any blend of the two keeps exactly, so
            // the picture only changes when the camera does.
            if (motion == BoxMotion::Turning)
                key.rotation = Turn(9.0f * static_cast<float>(k));
            track.keys.push_back(key);
        }
        animation.tracks.push_back(track);
    }
    return animation;
}

} // namespace

bool WriteBoxScene(const std::string& dir, BoxMotion motion, std::string* error)
{
    SceneDesc scene;
    MaterialDesc& material = scene.materials.emplace_back();
    material.name = "box";
    material.texture = "box";
    NodeDesc& root = scene.nodes.emplace_back();
    root.name = "root";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "box";
    AddBox(mesh);
    return WriteTga(dir + "/box.TGA", Checker(), error) && WriteScene(dir + "/2.MES", scene, error) &&
           WriteAnimation(dir + "/2.KNX", BoxAnimation(motion, 1), error);
}

bool WriteTwoTrackAnimation(const std::string& dir, std::string* error)
{
    return WriteAnimation(dir + "/2.KNX", BoxAnimation(BoxMotion::Turning, 2), error);
}

bool WriteSceneWithIndexOutOfRange(const std::string& dir, std::string* error)
{
    SceneDesc scene;
    scene.materials.emplace_back().name = "m";
    scene.nodes.emplace_back().name = "root";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "tri";
    mesh.vertices.resize(3);
    mesh.nodeIndices = {0, 0, 0};
    mesh.groups.push_back(GroupDesc{"m", {TriangleListDesc{{0, 1, 9}}}});
    if (!WriteBytes(dir + "/2.MES", EncodeScene(scene))) {
        *error = "cannot write 2.MES";
        return false;
    }
    return WriteAnimation(dir + "/2.KNX", BoxAnimation(BoxMotion::Still, 1), error);
}

bool TruncateFile(const std::string& path, unsigned keep)
{
    std::vector<char> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (bytes.size() > keep)
        bytes.resize(keep);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
