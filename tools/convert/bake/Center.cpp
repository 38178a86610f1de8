#include "convert/bake/Center.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace convert {

namespace {

namespace fmt = orvex::format;

Vec3 ToVec3(const fmt::Vec3& v)
{
    return {v.x, v.y, v.z};
}

Quat ToQuat(const fmt::Quat& q)
{
    return Normalized(Quat{q.x, q.y, q.z, q.w});
}

// World frames of the nodes as the engine composes them: parent on the left. Parents come
// before their children in the file, so one pass suffices.
std::vector<Rigid> NodeWorlds(const fmt::SceneDesc& scene)
{
    std::vector<Rigid> world(scene.nodes.size());
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        const fmt::NodeDesc& node = scene.nodes[i];
        Rigid local{ToQuat(node.rotation), ToVec3(node.position)};
        if (node.parent < 0 || static_cast<std::size_t>(node.parent) >= i) {
            world[i] = local;
            continue;
        }
        const Rigid& parent = world[node.parent];
        world[i].rotation = Normalized(Multiply(parent.rotation, local.rotation));
        world[i].translation = Add(parent.translation, Rotate(parent.rotation, local.translation));
    }
    return world;
}

void Shift(fmt::Vec3* position, const Vec3& offset)
{
    position->x = static_cast<float>(position->x + offset.x);
    position->y = static_cast<float>(position->y + offset.y);
    position->z = static_cast<float>(position->z + offset.z);
}

} // namespace

Vec3 CenterScene(fmt::SceneFiles* files)
{
    fmt::SceneDesc& scene = files->scene;
    const std::vector<Rigid> world = NodeWorlds(scene);
    constexpr double inf = std::numeric_limits<double>::infinity();
    Vec3 low{inf, inf, inf}, high{-inf, -inf, -inf};
    bool any = false;
    for (const fmt::MeshDesc& mesh : scene.meshes) {
        for (std::size_t v = 0; v < mesh.vertices.size() && v < mesh.nodeIndices.size(); ++v) {
            const int node = mesh.nodeIndices[v];
            if (node < 0 || static_cast<std::size_t>(node) >= world.size())
                continue;
            const Rigid& frame = world[node];
            const Vec3 p = Add(frame.translation, Rotate(frame.rotation, ToVec3(mesh.vertices[v].position)));
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
            any = true;
        }
    }
    if (!any)
        return {};
    const Vec3 offset = Scale(Add(low, high), -0.5);
    // A root's position is in scene space: moving the roots moves everything they carry.
    for (fmt::NodeDesc& node : scene.nodes)
        if (node.parent < 0)
            Shift(&node.position, offset);
    if (files->animation)
        for (fmt::TrackDesc& track : files->animation->tracks)
            if (track.parent < 0)
                for (fmt::KeyDesc& key : track.keys)
                    Shift(&key.position, offset);
    return offset;
}

} // namespace convert
