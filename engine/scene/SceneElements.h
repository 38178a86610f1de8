/// @file
/// The elements of a loaded scene: skeleton nodes, skinned meshes, the material groups of
/// a mesh and their triangle lists. Each reads its own record of the mesh file.
#pragma once

#include "orvex/foundation/FileRules.h"
#include "orvex/foundation/FileStream.h"
#include "orvex/foundation/NamedObject.h"
#include "orvex/math/MathLib.h"

#include <cstdint>

class Material;

/// One vertex as stored in the file and handed to GL (GL_T2F_N3F_V3F).
struct MeshVertex {
    /// @{
    /// Texture coordinates; t = 0 is the first row of the TGA file.
    float s, t;
    /// @}
    /// The normal, used as stored.
    Vector3 normal;
    /// The position: the node-relative one in the file, the skinned one after Update.
    Vector3 position;
};
static_assert(sizeof(MeshVertex) == FileRules::kVertexRecordSize, "vertices are read as the file's records");

/// One node of the skeleton: its rest pose relative to its parent.
class SceneNode {
public:
    SceneNode() = default;
    virtual ~SceneNode();
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    /// Stores a copy of the text; false when it is null or memory ran out.
    virtual bool SetName(const char* text);
    /// Releases the name; safe any number of times.
    virtual void Destroy();
    /// Reads the node record: name (at most 79 bytes), parent index, position, rotation.
    /// The scene checks the parent index against the node's own index.
    virtual bool Load(FileStream& stream);

    /// @{
    /// The node's name, parent index (-1 for a root), position and rotation in its parent's frame.
    const char* GetName() const { return name; }
    std::int32_t GetParent() const { return parent; }
    const Vector3& GetPosition() const { return position; }
    const Quaternion& GetRotation() const { return rotation; }
    /// @}

private:
    char* name = nullptr;
    std::int32_t parent = -1;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Quaternion rotation{0.0f, 0.0f, 0.0f, 1.0f};
};

/// A run of vertex indices drawn as independent triangles with one draw call.
class TriangleList {
public:
    TriangleList() = default;
    virtual ~TriangleList();
    TriangleList(const TriangleList&) = delete;
    TriangleList& operator=(const TriangleList&) = delete;

    /// Releases the indices; safe any number of times.
    virtual void Destroy();
    /// Reads the index count and the indices; false unless every index is below
    /// `vertexCount` and the file holds them all.
    virtual bool Load(FileStream& stream, std::int32_t vertexCount);
    /// glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, indices).
    virtual void Render();

    /// @{
    /// The indices as read (all below the mesh's vertex count) and how many.
    std::int32_t GetIndexCount() const { return indexCount; }
    const std::int32_t* GetIndices() const { return indices; }
    /// @}

private:
    std::int32_t indexCount = 0;
    std::int32_t* indices = nullptr;
};

/// The part of a mesh drawn with one material.
class MaterialGroup {
public:
    MaterialGroup() = default;
    virtual ~MaterialGroup();
    MaterialGroup(const MaterialGroup&) = delete;
    MaterialGroup& operator=(const MaterialGroup&) = delete;

    /// Releases the lists; safe any number of times. The material is the registry's.
    virtual void Destroy();
    /// Reads the material name, which must be registered already, and the triangle lists,
    /// whose indices must be below `vertexCount`.
    virtual bool Load(FileStream& stream, std::int32_t vertexCount);
    /// Applies the material, then draws every list.
    virtual void Render();

    /// @{
    /// The registered material the group draws with (not owned), and its lists.
    Material* GetMaterial() const { return material; }
    std::int32_t GetListCount() const { return listCount; }
    TriangleList* GetLists() const { return lists; }
    /// @}

private:
    Material* material = nullptr; ///< belongs to the material registry
    std::int32_t listCount = 0;
    TriangleList* lists = nullptr;
};

/// A named mesh whose every vertex is carried by one bone. Update writes the skinned
/// positions into the same interleaved array Render hands to GL.
class Mesh : public NamedObject {
public:
    Mesh() = default;
    ~Mesh() override;

    void Destroy() override;
    /// Reads the mesh record. Refuses a name over 79 bytes, a negative count, a node index
    /// that is not below the bone count given to SetBoneMatrices, a vertex index that is not
    /// below the vertex count, an unregistered material, and a file shorter than its records.
    virtual bool Load(FileStream& stream);
    /// Skinning: each vertex position = its bone's matrix applied to its rest position.
    virtual void Update();
    /// Interleaved array, then every group; with compiled vertex arrays the array is locked
    /// once around all groups.
    virtual void Render();

    /// The scene's bone matrices (not owned) and how many there are; call before Load.
    void SetBoneMatrices(const Matrix4* matrices, std::int32_t count);

    /// @{
    /// The vertices (skinned by the last Update), their positions as read, the node carrying
    /// each, and the groups; owned by the mesh.
    std::int32_t GetVertexCount() const { return vertexCount; }
    const MeshVertex* GetVertices() const { return vertices; }
    const Vector3* GetRestPositions() const { return restPositions; }
    const std::int32_t* GetNodeIndices() const { return nodeIndices; }
    std::int32_t GetGroupCount() const { return groupCount; }
    MaterialGroup* GetGroups() const { return groups; }
    /// @}

private:
    void ReleaseArrays();

    Vector3* restPositions = nullptr;
    std::int32_t vertexCount = 0;
    MeshVertex* vertices = nullptr;
    std::int32_t* nodeIndices = nullptr;
    std::int32_t groupCount = 0;
    MaterialGroup* groups = nullptr;
    const Matrix4* bones = nullptr; ///< the scene's
    std::int32_t boneCount = 0;
};
