// Writer for mesh scene files (.mes).
//
// A scene is described by plain structs and written in one pass, in file order: header,
// materials, nodes, meshes. Typical use:
//
//     SceneDesc scene;
//     MaterialDesc& skin = scene.materials.emplace_back();
//     skin.name = "skin";
//     skin.texture = "skin";            // loads skin.TGA
//     scene.nodes.emplace_back().name = "root";
//     MeshDesc& mesh = scene.meshes.emplace_back();
//     mesh.name = "body";
//     mesh.vertices = {...};            // positions relative to the carrying node
//     mesh.nodeIndices = {0, 0, 0};     // one per vertex
//     mesh.groups.push_back(GroupDesc{"skin", {TriangleListDesc{{0, 1, 2}}}});
//     std::string error;
//     if (!WriteScene("body.mes", scene, &error)) ...
//
// WriteScene refuses a description the engine would refuse (CheckScene says why).
// EncodeScene writes whatever it is given, which is how malformed test files are made.
#pragma once

#include "format/ByteWriter.h"
#include "format/FormatCommon.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex::format {

struct MaterialDesc {
    std::string name;
    std::array<float, 4> ambient{0.2f, 0.2f, 0.2f, 1.0f}; // red, green, blue, alpha
    std::array<float, 4> diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f; // GL specular exponent, 0 to 128
    std::string texture;    // "" for none; else the image "<texture>.TGA" relative to the working directory
};

// One node of the skeleton. Node i is bone i; its parent must come before it.
struct NodeDesc {
    std::string name;
    std::int32_t parent = -1; // -1 for a root, else an index below this node's own
    Vec3 position;            // origin in the parent's frame
    Quat rotation;            // orientation in the parent's frame (unit length)
};

// The 32-byte vertex record, laid out as GL_T2F_N3F_V3F.
struct VertexDesc {
    float s = 0, t = 0;
    Vec3 normal;
    Vec3 position; // in the frame of the node that carries the vertex
};
static_assert(sizeof(VertexDesc) == FileRules::kVertexRecordSize, "vertices are written as the file's records");

struct TriangleListDesc {
    std::vector<std::int32_t> indices; // three per triangle, each below the mesh's vertex count
};

struct GroupDesc {
    std::string material; // a material of this file or of a file loaded earlier
    std::vector<TriangleListDesc> lists;
};

struct MeshDesc {
    std::string name;
    std::vector<VertexDesc> vertices;
    std::vector<std::int32_t> nodeIndices; // one per vertex: the node that carries it
    std::vector<GroupDesc> groups;
};

struct SceneDesc {
    FileHeader header;
    std::vector<MaterialDesc> materials;
    std::vector<NodeDesc> nodes;
    std::vector<MeshDesc> meshes;
};

// "" when the engine would load the scene on its own, else the first problem found.
// Group materials must be defined in the same scene.
std::string CheckScene(const SceneDesc& scene);

// The exact size of the encoded file in bytes.
std::uint64_t SceneFileSize(const SceneDesc& scene);

// Encodes the scene as given, without CheckScene: counts are taken from the vectors, and a
// mesh's node indices are written as they are even when their number differs from the
// vertex count. Only a string over 255 bytes cannot be encoded (writer.Ok() turns false).
void EncodeScene(const SceneDesc& scene, ByteWriter& writer);
std::vector<std::uint8_t> EncodeScene(const SceneDesc& scene);

// CheckScene, then streams the file to `path`. False with a message in `error` (when
// given) if the scene is refused or the file cannot be written.
bool WriteScene(const std::string& path, const SceneDesc& scene, std::string* error = nullptr);

} // namespace orvex::format
