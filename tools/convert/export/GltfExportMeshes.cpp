// Meshes and skins of the glTF exporter.
#include "convert/export/GltfExportParts.h"

#include "convert/Names.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace convert {

namespace fmt = orvex::format;

namespace {

struct Primitive {
    int material = -1;
    std::vector<std::uint32_t> indices; // counter-clockwise
    std::uint32_t low = 0, high = 0;    // smallest and largest index
};

// Where a mesh goes: on the one node that carries all its vertices, or skinned to the nodes
// that carry them.
struct Placement {
    int holder = -1;
    bool skinned = false;
    std::vector<int> joints;  // file nodes, ascending
    std::vector<int> jointOf; // file node -> joint slot, -1
};

// The triangle lists in group order, turned round; a last incomplete triangle is dropped,
// as the engine never draws it.
std::vector<Primitive> Primitives(const fmt::MeshDesc& mesh, const GltfBuild& build)
{
    std::vector<Primitive> out;
    for (const fmt::GroupDesc& group : mesh.groups) {
        auto material = build.materialOfName.find(group.material);
        for (const fmt::TriangleListDesc& list : group.lists) {
            const std::size_t count = list.indices.size() - list.indices.size() % 3;
            if (count == 0)
                continue;
            Primitive p;
            p.material = material == build.materialOfName.end() ? -1 : material->second;
            p.indices.reserve(count);
            for (std::size_t t = 0; t < count; t += 3)
                for (std::size_t k : {t, t + 2, t + 1})
                    p.indices.push_back(static_cast<std::uint32_t>(list.indices[k]));
            auto [low, high] = std::minmax_element(p.indices.begin(), p.indices.end());
            p.low = *low;
            p.high = *high;
            out.push_back(std::move(p));
        }
    }
    return out;
}

// When the lists use separate, ascending runs of the vertex array, each primitive gets its
// own run, so that a reader that gives every primitive its own vertices (as most do) gets the
// mesh's vertex array back unchanged. Returns the run starts (one per primitive, in the new
// order, plus the end), or nothing when the lists share vertices.
std::vector<std::uint32_t> SeparateRuns(std::vector<Primitive>* primitives, std::uint32_t vertexCount)
{
    std::vector<Primitive> sorted = *primitives;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Primitive& a, const Primitive& b) { return a.low < b.low; });
    std::vector<std::uint32_t> starts{0};
    for (std::size_t k = 1; k < sorted.size(); ++k) {
        if (sorted[k].low <= sorted[k - 1].high)
            return {};
        starts.push_back(sorted[k].low);
    }
    starts.push_back(vertexCount);
    *primitives = std::move(sorted);
    return starts;
}

Placement Place(const fmt::SceneDesc& scene, const fmt::MeshDesc& mesh, const std::vector<char>& carries,
                const std::vector<char>& hasChildren, std::vector<char>* holds, GltfBuild* build)
{
    Placement p;
    std::set<int> carriers(mesh.nodeIndices.begin(), mesh.nodeIndices.end());
    if (carriers.size() == 1 && !(*holds)[*carriers.begin()]) {
        p.holder = *carriers.begin();
        (*holds)[p.holder] = 1;
        return p;
    }
    p.skinned = true;
    p.joints.assign(carriers.begin(), carriers.end());
    p.jointOf.assign(scene.nodes.size(), -1);
    for (std::size_t j = 0; j < p.joints.size(); ++j)
        p.jointOf[p.joints[j]] = static_cast<int>(j);
    // glTF ignores where a skinned mesh hangs. An empty leaf named after the mesh is the node
    // that held it in the file it came from: keep it there; else it gets a root of its own.
    for (std::size_t n = 0; n < scene.nodes.size(); ++n)
        if (scene.nodes[n].name == mesh.name && !carries[n] && !hasChildren[n] && !(*holds)[n]) {
            p.holder = static_cast<int>(n);
            (*holds)[n] = 1;
            return p;
        }
    p.holder = build->AddNode(mesh.name, -1);
    return p;
}

// Column-major 4x4, as glTF stores matrices.
void PutMatrix(const Affine& a, std::vector<float>* out)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            out->push_back(r < 3 ? static_cast<float>(a.m[4 * r + c]) : (c == 3 ? 1.0f : 0.0f));
}

fmt::Vec3 Unit(Vec3 v, std::size_t* degenerate)
{
    const double length = std::sqrt(Dot(v, v));
    if (!(length > 1e-12) || !std::isfinite(length)) {
        ++*degenerate;
        return {0, 0, 1};
    }
    return {static_cast<float>(v.x / length), static_cast<float>(v.y / length), static_cast<float>(v.z / length)};
}

Vec3 ToVec3(const fmt::Vec3& v)
{
    return {v.x, v.y, v.z};
}

int RootOf(const GltfBuild& build, int node)
{
    while (build.parent[node] >= 0)
        node = build.parent[node];
    return node;
}

// A skin's joints need a common root. When the nodes a mesh follows belong to separate
// hierarchies, every root of the file is hung under one new root without a transform.
void JoinRoots(const std::vector<int>& joints, const std::string& mesh, GltfBuild* build)
{
    const int root = RootOf(*build, joints.front());
    if (std::all_of(joints.begin(), joints.end(), [&](int j) { return RootOf(*build, j) == root; }))
        return;
    const int common = build->AddNode("scene", -1);
    for (int n = 0; n < static_cast<int>(build->restWorld.size()); ++n)
        if (build->parent[n] < 0)
            build->parent[n] = common;
    build->warnings.push_back("mesh '" + mesh + "' follows nodes of separate hierarchies; their roots are hung under " +
                              "a new root node 'scene'");
}

} // namespace

void AddMeshes(const fmt::SceneDesc& scene, GltfBuild* build, GltfJson* meshes, GltfJson* skins)
{
    const std::size_t nodeCount = scene.nodes.size();
    std::vector<char> carries(nodeCount, 0), hasChildren(nodeCount, 0), holds(nodeCount, 0);
    for (const fmt::MeshDesc& mesh : scene.meshes)
        for (std::int32_t n : mesh.nodeIndices)
            carries[n] = 1;
    for (const fmt::NodeDesc& node : scene.nodes)
        if (node.parent >= 0)
            hasChildren[node.parent] = 1;

    std::size_t degenerateNormals = 0;
    for (const fmt::MeshDesc& mesh : scene.meshes) {
        std::vector<Primitive> primitives = Primitives(mesh, *build);
        const auto vertexCount = static_cast<std::uint32_t>(mesh.vertices.size());
        if (primitives.empty()) {
            build->warnings.push_back("mesh '" + mesh.name + "' has no triangles to draw and is left out");
            continue;
        }
        Placement place = Place(scene, mesh, carries, hasChildren, &holds, build);
        if (place.skinned)
            JoinRoots(place.joints, mesh.name, build);

        // Vertices: in the holding node's frame for a rigid mesh; in the scene's frame at the
        // rest pose for a skinned one, where the engine's normals already are.
        std::vector<float> positions, normals, texcoords, weights;
        std::vector<std::uint8_t> joints8;
        std::vector<std::uint16_t> joints16;
        const bool wideJoints = place.joints.size() > 256;
        const Quat toHolder = Conjugate(place.skinned ? Quat{} : build->restWorld[place.holder].rotation);
        for (std::uint32_t v = 0; v < vertexCount; ++v) {
            const fmt::VertexDesc& vertex = mesh.vertices[v];
            const int node = mesh.nodeIndices[v];
            Vec3 position = ToVec3(vertex.position);
            if (place.skinned) {
                const Rigid& world = build->restWorld[node];
                position = Add(world.translation, Rotate(world.rotation, position));
            }
            positions.insert(positions.end(), {static_cast<float>(position.x), static_cast<float>(position.y),
                                               static_cast<float>(position.z)});
            const fmt::Vec3 n = Unit(Rotate(toHolder, ToVec3(vertex.normal)), &degenerateNormals);
            normals.insert(normals.end(), {n.x, n.y, n.z});
            texcoords.insert(texcoords.end(), {vertex.s, vertex.t});
            if (place.skinned) {
                const int joint = place.jointOf[node];
                if (wideJoints)
                    joints16.insert(joints16.end(), {static_cast<std::uint16_t>(joint), 0, 0, 0});
                else
                    joints8.insert(joints8.end(), {static_cast<std::uint8_t>(joint), 0, 0, 0});
                weights.insert(weights.end(), {1, 0, 0, 0});
            }
        }

        GltfExportBuffer& buffer = build->buffer;
        const int positionView = buffer.AddView(positions.data(), positions.size() * 4, gltf::ArrayBuffer);
        const int normalView = buffer.AddView(normals.data(), normals.size() * 4, gltf::ArrayBuffer);
        const int texcoordView = buffer.AddView(texcoords.data(), texcoords.size() * 4, gltf::ArrayBuffer);
        int jointView = -1, weightView = -1;
        if (place.skinned) {
            jointView = wideJoints ? buffer.AddView(joints16.data(), joints16.size() * 2, gltf::ArrayBuffer)
                                   : buffer.AddView(joints8.data(), joints8.size(), gltf::ArrayBuffer);
            weightView = buffer.AddView(weights.data(), weights.size() * 4, gltf::ArrayBuffer);
        }

        // The attributes of the vertices [first, first + count).
        auto attributesOf = [&](std::uint32_t first, std::uint32_t count) {
            GltfJson attributes = {
                {"POSITION", buffer.AddAccessor(positionView, first * 12u, gltf::Float, count, "VEC3", true)},
                {"NORMAL", buffer.AddAccessor(normalView, first * 12u, gltf::Float, count, "VEC3")},
                {"TEXCOORD_0", buffer.AddAccessor(texcoordView, first * 8u, gltf::Float, count, "VEC2")}};
            if (place.skinned) {
                attributes["JOINTS_0"] =
                    buffer.AddAccessor(jointView, first * (wideJoints ? 8u : 4u),
                                       wideJoints ? gltf::UnsignedShort : gltf::UnsignedByte, count, "VEC4");
                attributes["WEIGHTS_0"] = buffer.AddAccessor(weightView, first * 16u, gltf::Float, count, "VEC4");
            }
            return attributes;
        };
        std::vector<std::uint32_t> runs = SeparateRuns(&primitives, vertexCount);
        const GltfJson shared = runs.empty() ? attributesOf(0, vertexCount) : GltfJson();
        GltfJson jsonPrimitives = GltfJson::array();
        for (std::size_t k = 0; k < primitives.size(); ++k) {
            Primitive& p = primitives[k];
            const std::uint32_t first = runs.empty() ? 0 : runs[k];
            const std::uint32_t count = runs.empty() ? vertexCount : runs[k + 1] - first;
            GltfJson attributes = runs.empty() ? shared : attributesOf(first, count);
            for (std::uint32_t& index : p.indices)
                index -= first;
            // 0xFFFF restarts strips in some APIs: short indices only below it.
            int indices;
            if (count < 0xFFFF) {
                std::vector<std::uint16_t> shorts(p.indices.begin(), p.indices.end());
                indices =
                    buffer.Add(shorts.data(), shorts.size(), gltf::UnsignedShort, "SCALAR", gltf::ElementArrayBuffer);
            } else {
                indices = buffer.Add(p.indices.data(), p.indices.size(), gltf::UnsignedInt, "SCALAR",
                                     gltf::ElementArrayBuffer);
            }
            GltfJson primitive = {{"attributes", std::move(attributes)}, {"indices", indices}};
            if (p.material >= 0)
                primitive["material"] = p.material;
            jsonPrimitives.push_back(std::move(primitive));
        }

        GltfJson& node = build->nodes[place.holder];
        node["mesh"] = meshes->size();
        meshes->push_back({{"name", AsUtf8(mesh.name)}, {"primitives", std::move(jsonPrimitives)}});
        if (place.skinned) {
            std::vector<float> inverseBinds;
            for (int joint : place.joints) {
                Affine inverse;
                Inverse(FromRigid(build->restWorld[joint]), &inverse);
                PutMatrix(inverse, &inverseBinds);
            }
            const int accessor = buffer.Add(inverseBinds.data(), place.joints.size(), gltf::Float, "MAT4", 0);
            node["skin"] = skins->size();
            skins->push_back({{"inverseBindMatrices", accessor}, {"joints", place.joints}});
        }
    }
    if (degenerateNormals > 0)
        build->warnings.push_back(std::to_string(degenerateNormals) +
                                  " vertex normals of zero length are written as (0, 0, 1)");
}

} // namespace convert
