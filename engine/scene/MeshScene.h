/// @file
/// A loaded mesh scene (.mes): materials (registered program-wide), the node hierarchy
/// with one bone matrix per node, and skinned meshes. Update poses the bones, from the
/// bound animation or from the nodes' rest pose, and skins every mesh; Render draws them
/// under whatever model-view matrix the caller has set. Neither allocates.
#pragma once

#include "orvex/foundation/FileRefusal.h"
#include "orvex/foundation/FileStream.h"
#include "orvex/foundation/NamedObject.h"
#include "orvex/math/MathLib.h"
#include "orvex/scene/SceneElements.h"

#include <cstdint>

class KeyframeAnimation;

/// A loaded mesh scene (see the file's description). The program owns it; it owns its nodes,
/// bone matrices and meshes, and points at its animation without owning it.
class MeshScene : public NamedObject {
public:
    MeshScene() = default;
    ~MeshScene() override;

    /// Releases the nodes, bones and meshes; the animation is not the scene's.
    void Destroy() override;
    /// Reads the mesh file at `path`: header ("RIFF" signature, version 100), materials,
    /// nodes, meshes. Refuses bad counts, names that do not fit, a parent index that is not
    /// -1 or below its node's own, out-of-range node and vertex indices, unregistered
    /// materials and a file that ends early. What loaded before a refusal stays in the
    /// scene until it is destroyed (and materials stay registered, see LoadMaterials);
    /// Update and Render stay safe on it. Loading again first releases the previous scene and
    /// unbinds the animation. Why a load failed stays in GetRefusal until the next Load.
    virtual bool Load(const char* path);
    /// Load, with the textures the scene names found in the scene file's own folder rather
    /// than in the working folder: the folder of `path` is the working folder while the file
    /// loads, and the previous one comes back before this returns. A bare file name loads as
    /// Load does. A folder that cannot be entered fails the load, with GetRefusal saying why.
    bool LoadInFolder(const char* path);
    /// Bone matrices, then skinning of every mesh.
    virtual void Update();
    /// Every mesh in order.
    virtual void Render();

    /// Binds the animation (not owned; null unbinds). Refused, leaving the binding as it
    /// was, when the animation has more tracks than the scene has nodes or holds a track
    /// without keys or with a parent that is not -1 or below its own index.
    bool SetAnimation(KeyframeAnimation* animation);
    /// The bound animation, or null.
    KeyframeAnimation* GetAnimation() const { return animation; }

    /// @{
    /// The nodes, in file order (node i is bone i), and how many.
    std::int32_t GetNodeCount() const { return nodeCount; }
    SceneNode* GetNodes() const { return nodes; }
    /// @}
    /// Bone i is node i's world matrix as of the last Update (identity before the first).
    const Matrix4* GetBoneMatrices() const { return bones; }
    /// @{
    /// The meshes, in file order, and how many; owned by the scene.
    std::int32_t GetMeshCount() const { return meshCount; }
    Mesh* GetMeshes() const { return meshes; }
    /// @}

    /// Why the last Load failed: section, records, byte offset and a sentence.
    const FileRefusal& GetRefusal() const { return refusal; }

private:
    void ReleaseContents();
    /// What every load does first: the previous scene released and unbound, no refusal.
    void StartLoad();
    bool LoadNodes(FileStream& stream);
    bool LoadMeshes(FileStream& stream);
    void PoseFromAnimation();
    void PoseFromNodes();

    std::int32_t nodeCount = 0;
    SceneNode* nodes = nullptr;
    Matrix4* bones = nullptr;
    std::int32_t meshCount = 0;
    Mesh* meshes = nullptr;
    KeyframeAnimation* animation = nullptr; ///< not owned
    FileRefusal refusal;
};
