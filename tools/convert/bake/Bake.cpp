#include "convert/bake/BakeParts.h"

#include "convert/Names.h"
#include "convert/bake/Pose.h"

#include <algorithm>
#include <map>

namespace convert {

Rigid RigidOrFallback(const Affine& world, const Quat& fallback)
{
    Rigid r;
    if (!RigidPart(world, &r))
        r = Rigid{fallback, {world.m[3], world.m[7], world.m[11]}};
    return r;
}

Rigid LocalRigid(const Rigid& parent, const Rigid& child)
{
    Quat inverse = Conjugate(parent.rotation);
    Vec3 d{child.translation.x - parent.translation.x, child.translation.y - parent.translation.y,
           child.translation.z - parent.translation.z};
    return Rigid{Normalized(Multiply(inverse, child.rotation)), Rotate(inverse, d)};
}

namespace {

bool ComputeRestFrame(const Content& content, double scale, RestFrame* rest, std::string* error)
{
    if (!ParentsFirstOrder(content, &rest->order, error))
        return false;
    PoseEvaluator pose(content, nullptr, rest->order, scale);
    pose.World(0, true, &rest->world);
    std::size_t n = content.nodes.size();
    rest->rigid.resize(n);
    rest->stretch.resize(n);
    for (int i : rest->order) {
        int p = content.nodes[i].parent;
        Quat fallback =
            p < 0 ? content.nodes[i].rest.rotation : Multiply(rest->rigid[p].rotation, content.nodes[i].rest.rotation);
        rest->rigid[i] = RigidOrFallback(rest->world[i], Normalized(fallback));
        Affine inverse;
        Inverse(FromRigid(rest->rigid[i]), &inverse);
        rest->stretch[i] = Multiply(inverse, rest->world[i]);
    }
    return true;
}

namespace fmt = orvex::format;

fmt::Vec3 ToFile(const Vec3& v)
{
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

fmt::Quat ToFile(const Quat& q)
{
    return {static_cast<float>(q.x), static_cast<float>(q.y), static_cast<float>(q.z), static_cast<float>(q.w)};
}

// Which joint of the skin carries each vertex: the heaviest, the first of equals; -1
// for a vertex without weights.
std::vector<int> HeaviestJoints(const Mesh& mesh, std::size_t* multi, std::size_t* unweighted)
{
    std::size_t count = mesh.positions.size();
    std::vector<int> carrier(count, -1);
    for (std::size_t v = 0; v < count; ++v) {
        std::uint32_t begin = mesh.weightStart[v], end = mesh.weightStart[v + 1];
        float best = 0;
        int influences = 0;
        for (std::uint32_t k = begin; k < end; ++k) {
            const Weight& w = mesh.weights[k];
            if (!(w.weight > 0))
                continue;
            ++influences;
            if (w.weight > best) {
                best = w.weight;
                carrier[v] = w.joint;
            }
        }
        if (influences > 1)
            ++*multi;
        if (influences == 0)
            ++*unweighted;
    }
    return carrier;
}

bool MeshIsConsistent(const Content& content, const Mesh& mesh, std::string* error)
{
    std::size_t count = mesh.positions.size();
    std::string where = "mesh '" + mesh.name + "'";
    if (mesh.node < 0 || mesh.node >= static_cast<int>(content.nodes.size())) {
        *error = where + " is held by no node";
        return false;
    }
    if ((!mesh.normals.empty() && mesh.normals.size() != count) ||
        (!mesh.texcoords.empty() && mesh.texcoords.size() != 2 * count)) {
        *error = where + " has attributes of different lengths";
        return false;
    }
    if (count > static_cast<std::size_t>(INT32_MAX) / 64) {
        *error = where + " has too many vertices";
        return false;
    }
    for (const MeshPart& part : mesh.parts)
        for (std::uint32_t i : part.triangles)
            if (i >= count) {
                *error = where + " has a triangle with a vertex that does not exist";
                return false;
            }
    if (mesh.skin >= 0) {
        if (mesh.skin >= static_cast<int>(content.skins.size()) || mesh.weightStart.size() != count + 1 ||
            mesh.weightStart.back() != mesh.weights.size()) {
            *error = where + " has inconsistent skin weights";
            return false;
        }
        const Skin& skin = content.skins[mesh.skin];
        if (skin.inverseBind.size() != skin.joints.size()) {
            *error = where + ": its skin has inconsistent joints";
            return false;
        }
        for (int j : skin.joints)
            if (j < 0 || j >= static_cast<int>(content.nodes.size())) {
                *error = where + ": its skin names a joint that does not exist";
                return false;
            }
        for (std::size_t v = 0; v < count; ++v)
            if (mesh.weightStart[v] > mesh.weightStart[v + 1]) {
                *error = where + " has inconsistent skin weights";
                return false;
            }
        for (const Weight& w : mesh.weights)
            if (w.joint < 0 || w.joint >= static_cast<int>(skin.joints.size())) {
                *error = where + " weighs a joint its skin does not have";
                return false;
            }
    }
    return true;
}

} // namespace

bool Bake(const Content& content, const BakeOptions& options, BakedScene* out, std::string* error)
{
    *out = BakedScene{};
    if (!(options.scale > 0) || !(options.framesPerSecond > 0)) {
        *error = "the scale and the frame rate must be positive";
        return false;
    }
    std::size_t triangleCount = 0;
    for (const Mesh& mesh : content.meshes) {
        if (!MeshIsConsistent(content, mesh, error))
            return false;
        for (const MeshPart& part : mesh.parts)
            triangleCount += part.triangles.size() / 3;
    }
    if (content.meshes.empty() || triangleCount == 0) {
        *error = "the file contains no meshes with triangles";
        return false;
    }
    RestFrame rest;
    if (!ComputeRestFrame(content, options.scale, &rest, error))
        return false;

    // Nodes, parents first.
    std::size_t n = content.nodes.size();
    out->contentNodeOfNode = rest.order;
    out->nodeOfContentNode.assign(n, -1);
    for (std::size_t k = 0; k < n; ++k)
        out->nodeOfContentNode[rest.order[k]] = static_cast<int>(k);
    for (int i : rest.order) {
        const Node& source = content.nodes[i];
        fmt::NodeDesc node;
        node.name = FitName(source.name, "node_" + std::to_string(i), MaxNameBytes, nullptr);
        node.parent = source.parent < 0 ? -1 : out->nodeOfContentNode[source.parent];
        Rigid local = source.parent < 0 ? rest.rigid[i] : LocalRigid(rest.rigid[source.parent], rest.rigid[i]);
        node.position = ToFile(local.translation);
        node.rotation = ToFile(local.rotation);
        out->files.scene.nodes.push_back(std::move(node));
    }

    // Materials in source order, the default one last, each only when a mesh uses it.
    std::vector<int> used;
    for (const Mesh& mesh : content.meshes)
        for (const MeshPart& part : mesh.parts)
            if (!part.triangles.empty())
                used.push_back(part.material >= 0 && part.material < static_cast<int>(content.materials.size())
                                   ? part.material
                                   : -1);
    std::sort(used.begin(), used.end(), [](int a, int b) { return (a < 0 ? INT32_MAX : a) < (b < 0 ? INT32_MAX : b); });
    used.erase(std::unique(used.begin(), used.end()), used.end());
    std::vector<std::string> names = BakeMaterials(content, used, options, out);
    std::map<int, std::string> materialName;
    for (std::size_t k = 0; k < used.size(); ++k)
        materialName[used[k]] = names[k];

    // Meshes.
    std::vector<char> carriesVertices(n, 0);
    for (std::size_t m = 0; m < content.meshes.size(); ++m) {
        const Mesh& source = content.meshes[m];
        fmt::MeshDesc mesh;
        mesh.name = FitName(source.name, "mesh_" + std::to_string(m), MaxNameBytes, nullptr);
        std::size_t count = source.positions.size();
        mesh.vertices.resize(count);
        mesh.nodeIndices.resize(count);

        std::vector<int> carrierJoint(count, -1);
        std::vector<Affine> jointPosition, jointNormal;
        if (source.skin >= 0) {
            const Skin& skin = content.skins[source.skin];
            carrierJoint = HeaviestJoints(source, &out->multiInfluenceVertices, &out->unweightedVertices);
            out->skinnedVertices += count;
            for (std::size_t j = 0; j < skin.joints.size(); ++j) {
                int node = skin.joints[j];
                // Mesh space to the joint's frame at bind pose, then the joint's own stretch.
                jointPosition.push_back(Multiply(rest.stretch[node], skin.inverseBind[j]));
                jointNormal.push_back(Multiply(rest.world[node], skin.inverseBind[j]));
            }
        }
        const Affine& rigidPosition = rest.stretch[source.node];
        const Affine& rigidNormal = rest.world[source.node];
        for (std::size_t v = 0; v < count; ++v) {
            int joint = carrierJoint[v];
            int node = joint >= 0 ? content.skins[source.skin].joints[joint] : source.node;
            const Affine& toPosition = joint >= 0 ? jointPosition[joint] : rigidPosition;
            const Affine& toNormal = joint >= 0 ? jointNormal[joint] : rigidNormal;
            fmt::VertexDesc& out_v = mesh.vertices[v];
            out_v.position = ToFile(TransformPoint(toPosition, source.positions[v]));
            Vec3 normal = source.normals.empty() ? Vec3{0, 0, 1} : source.normals[v];
            out_v.normal = ToFile(TransformNormal(toNormal, normal));
            if (!source.texcoords.empty()) {
                out_v.s = source.texcoords[2 * v];
                out_v.t = source.texcoords[2 * v + 1];
            }
            mesh.nodeIndices[v] = out->nodeOfContentNode[node];
            carriesVertices[node] = 1;
        }

        // A mirroring transform turns the source's counter-clockwise front faces clockwise
        // already; otherwise every triangle is reversed.
        bool mirrored = source.skin < 0 && Determinant(rest.world[source.node]) < 0;
        for (const MeshPart& part : source.parts) {
            if (part.triangles.size() < 3)
                continue;
            int material =
                part.material >= 0 && part.material < static_cast<int>(content.materials.size()) ? part.material : -1;
            const std::string& name = materialName[material];
            auto group = std::find_if(mesh.groups.begin(), mesh.groups.end(),
                                      [&](const fmt::GroupDesc& g) { return g.material == name; });
            if (group == mesh.groups.end()) {
                mesh.groups.push_back(fmt::GroupDesc{name, {}});
                group = mesh.groups.end() - 1;
            }
            fmt::TriangleListDesc list;
            list.indices.reserve(part.triangles.size());
            for (std::size_t t = 0; t + 2 < part.triangles.size(); t += 3) {
                std::uint32_t a = part.triangles[t], b = part.triangles[t + 1], c = part.triangles[t + 2];
                if (mirrored)
                    list.indices.insert(list.indices.end(), {std::int32_t(a), std::int32_t(b), std::int32_t(c)});
                else
                    list.indices.insert(list.indices.end(), {std::int32_t(a), std::int32_t(c), std::int32_t(b)});
            }
            group->lists.push_back(std::move(list));
        }
        out->files.scene.meshes.push_back(std::move(mesh));
    }
    if (out->unweightedVertices > 0)
        out->warnings.push_back(std::to_string(out->unweightedVertices) +
                                " skinned vertices have no weights and stay with their mesh's node");

    if (options.clip >= 0) {
        if (options.clip >= static_cast<int>(content.clips.size())) {
            *error = "animation " + std::to_string(options.clip) + " does not exist";
            return false;
        }
        if (!BakeAnimation(content, options, rest, carriesVertices, out, error))
            return false;
    }
    return true;
}

} // namespace convert
