#include "Fixtures.h"

#include <cmath>

namespace fixtures {

SceneDesc TriangleScene()
{
    SceneDesc scene;
    scene.materials.emplace_back().name = "m";
    scene.nodes.emplace_back().name = "n";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "s";
    mesh.vertices = {
        {0, 0, {0, 0, 1}, {0, 0, 0}},
        {1, 0, {0, 0, 1}, {1, 0, 0}},
        {0, 1, {0, 0, 1}, {0, 1, 0}},
    };
    mesh.nodeIndices = {0, 0, 0};
    mesh.groups.push_back(GroupDesc{"m", {TriangleListDesc{{0, 1, 2}}}});
    return scene;
}

MeshDesc LineMesh(const std::string& name, int vertexCount, std::int32_t node, const std::string& material)
{
    MeshDesc mesh;
    mesh.name = name;
    TriangleListDesc list;
    for (int i = 0; i < vertexCount; ++i) {
        const float f = static_cast<float>(i);
        mesh.vertices.push_back({f, -f, {0, 0, 1}, {f, 0, 0}});
        mesh.nodeIndices.push_back(node);
        list.indices.push_back(i);
    }
    list.indices.resize(list.indices.size() / 3 * 3);
    mesh.groups.push_back(GroupDesc{material, {list}});
    return mesh;
}

AnimationDesc StepAnimation(int trackCount, std::uint32_t frameCount)
{
    AnimationDesc animation;
    animation.frameCount = frameCount;
    for (int t = 0; t < trackCount; ++t) {
        TrackDesc& track = animation.tracks.emplace_back();
        track.name = "track" + std::to_string(t);
        for (std::uint32_t k = 0; k < frameCount; ++k)
            track.keys.push_back(KeyDesc{{static_cast<float>(k), 0, 0}, {0, 0, 0, 1}});
    }
    return animation;
}

Quat RotationZ(float degrees)
{
    const double half = degrees * 3.14159265358979323846 / 360.0;
    return {0, 0, static_cast<float>(std::sin(half)), static_cast<float>(std::cos(half))};
}

} // namespace fixtures
