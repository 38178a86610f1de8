#include "format/MeshWriter.h"

#include <bit>
#include <unordered_set>

namespace orvex::format {

namespace {

std::string Where(const char* kind, std::size_t index, const std::string& name)
{
    return std::string(kind) + " " + std::to_string(index) + " (\"" + name + "\")";
}

void WriteHeader(const FileHeader& header, ByteWriter& writer)
{
    writer.String(header.signature);
    writer.I32(header.version);
}

void WriteVertices(const std::vector<VertexDesc>& vertices, ByteWriter& writer)
{
    if constexpr (std::endian::native == std::endian::little) {
        writer.Raw(vertices.data(), vertices.size() * sizeof(VertexDesc));
    } else {
        for (const VertexDesc& v : vertices) {
            for (float f : {v.s, v.t, v.normal.x, v.normal.y, v.normal.z, v.position.x, v.position.y, v.position.z})
                writer.F32(f);
        }
    }
}

void WriteIndices(const std::vector<std::int32_t>& indices, ByteWriter& writer)
{
    if constexpr (std::endian::native == std::endian::little) {
        writer.Raw(indices.data(), indices.size() * sizeof(std::int32_t));
    } else {
        for (std::int32_t index : indices)
            writer.I32(index);
    }
}

} // namespace

std::string CheckScene(const SceneDesc& scene)
{
    if (std::string problem = CheckHeader(scene.header); !problem.empty())
        return problem;

    std::unordered_set<std::string> materialNames;
    for (std::size_t i = 0; i < scene.materials.size(); ++i) {
        const MaterialDesc& material = scene.materials[i];
        if (material.name.size() > kMaxNameLength)
            return Where("material", i, material.name) + ": name longer than 79 bytes";
        if (material.texture.size() > kMaxTextureNameLength)
            return Where("material", i, material.name) + ": texture name longer than 75 bytes";
        materialNames.insert(StoredName(material.name)); // groups find materials as the engine does
    }
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        const NodeDesc& node = scene.nodes[i];
        if (node.name.size() > kMaxNameLength)
            return Where("node", i, node.name) + ": name longer than 79 bytes";
        if (!FileRules::ParentAccepted(node.parent, static_cast<std::int64_t>(i)))
            return Where("node", i, node.name) + ": parent must be -1 or below the node's own index";
    }
    const std::size_t nodeCount = scene.nodes.size();
    for (std::size_t m = 0; m < scene.meshes.size(); ++m) {
        const MeshDesc& mesh = scene.meshes[m];
        const std::string where = Where("mesh", m, mesh.name);
        if (mesh.name.size() > kMaxNameLength)
            return where + ": name longer than 79 bytes";
        if (mesh.vertices.size() > 0x7fffffff)
            return where + ": too many vertices";
        if (mesh.nodeIndices.size() != mesh.vertices.size())
            return where + ": needs one node index per vertex";
        for (std::int32_t node : mesh.nodeIndices) {
            if (node < 0 || static_cast<std::size_t>(node) >= nodeCount)
                return where + ": node index " + std::to_string(node) + " out of range";
        }
        for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
            const GroupDesc& group = mesh.groups[g];
            if (group.material.size() > kMaxNameLength)
                return where + ", group " + std::to_string(g) + ": material name longer than 79 bytes";
            if (materialNames.count(StoredName(group.material)) == 0)
                return where + ", group " + std::to_string(g) + ": material \"" + group.material + "\" is not defined";
            for (const TriangleListDesc& list : group.lists) {
                if (list.indices.size() > 0x7fffffff)
                    return where + ", group " + std::to_string(g) + ": too many indices";
                for (std::int32_t index : list.indices) {
                    if (index < 0 || static_cast<std::size_t>(index) >= mesh.vertices.size())
                        return where + ", group " + std::to_string(g) + ": vertex index " + std::to_string(index) +
                               " out of range";
                }
            }
        }
    }
    return {};
}

std::uint64_t SceneFileSize(const SceneDesc& scene)
{
    std::uint64_t size = 1 + scene.header.signature.size() + 4 + 12;
    for (const MaterialDesc& material : scene.materials)
        size += 2 + material.name.size() + FileRules::kMaterialColoursSize + material.texture.size();
    for (const NodeDesc& node : scene.nodes)
        size += 1 + node.name.size() + FileRules::kNodeSize;
    for (const MeshDesc& mesh : scene.meshes) {
        size += 9 + mesh.name.size() + FileRules::kVertexRecordSize * std::uint64_t(mesh.vertices.size()) +
                4 * std::uint64_t(mesh.nodeIndices.size());
        for (const GroupDesc& group : mesh.groups) {
            size += 5 + group.material.size();
            for (const TriangleListDesc& list : group.lists)
                size += 4 + 4 * std::uint64_t(list.indices.size());
        }
    }
    return size;
}

void EncodeScene(const SceneDesc& scene, ByteWriter& writer)
{
    WriteHeader(scene.header, writer);

    writer.I32(static_cast<std::int32_t>(scene.materials.size()));
    for (const MaterialDesc& material : scene.materials) {
        writer.String(material.name);
        for (const auto* colour : {&material.ambient, &material.diffuse, &material.specular}) {
            for (float channel : *colour)
                writer.F32(channel);
        }
        writer.F32(material.shininess);
        writer.String(material.texture);
    }

    writer.I32(static_cast<std::int32_t>(scene.nodes.size()));
    for (const NodeDesc& node : scene.nodes) {
        writer.String(node.name);
        writer.I32(node.parent);
        for (float f : {node.position.x, node.position.y, node.position.z, node.rotation.x, node.rotation.y,
                        node.rotation.z, node.rotation.w})
            writer.F32(f);
    }

    writer.I32(static_cast<std::int32_t>(scene.meshes.size()));
    for (const MeshDesc& mesh : scene.meshes) {
        writer.String(mesh.name);
        writer.I32(static_cast<std::int32_t>(mesh.vertices.size()));
        WriteVertices(mesh.vertices, writer);
        WriteIndices(mesh.nodeIndices, writer);
        writer.I32(static_cast<std::int32_t>(mesh.groups.size()));
        for (const GroupDesc& group : mesh.groups) {
            writer.String(group.material);
            writer.I32(static_cast<std::int32_t>(group.lists.size()));
            for (const TriangleListDesc& list : group.lists) {
                writer.I32(static_cast<std::int32_t>(list.indices.size()));
                WriteIndices(list.indices, writer);
            }
        }
    }
}

std::vector<std::uint8_t> EncodeScene(const SceneDesc& scene)
{
    ByteWriter writer;
    EncodeScene(scene, writer);
    return writer.TakeBytes();
}

bool WriteScene(const std::string& path, const SceneDesc& scene, std::string* error)
{
    std::string problem = CheckScene(scene);
    if (problem.empty() && !WriteStreamed(path, [&](ByteWriter& writer) { EncodeScene(scene, writer); }))
        problem = "cannot write " + path;
    if (!problem.empty() && error != nullptr)
        *error = problem;
    return problem.empty();
}

} // namespace orvex::format
