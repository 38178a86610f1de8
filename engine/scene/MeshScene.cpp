#include "orvex/scene/MeshScene.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/foundation/FileRules.h"
#include "orvex/foundation/WorkingFolder.h"
#include "orvex/scene/Material.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

// Smallest records: a node is a name length byte, the parent and 7 floats; a mesh is a
// name length byte, the vertex count and the group count.
constexpr std::int64_t kMinNodeSize = 1 + FileRules::kNodeSize;
constexpr std::int64_t kMinMeshSize = 1 + 4 + 4;

bool ValidParent(std::int32_t parent, std::int32_t index)
{
    return FileRules::ParentAccepted(parent, index);
}

// Rotation from q, translation t.
void LocalMatrix(const Quaternion* q, float tx, float ty, float tz, Matrix4* out)
{
    QuaternionToMatrix(q, out);
    out->m[3] = tx;
    out->m[7] = ty;
    out->m[11] = tz;
}

} // namespace

MeshScene::~MeshScene()
{
    MeshScene::Destroy();
}

void MeshScene::ReleaseContents()
{
    delete[] nodes;
    nodes = nullptr;
    nodeCount = 0;
    delete[] bones;
    bones = nullptr;
    delete[] meshes;
    meshes = nullptr;
    meshCount = 0;
}

void MeshScene::Destroy()
{
    ReleaseContents();
    NamedObject::Destroy();
}

void MeshScene::StartLoad()
{
    if (nodes != nullptr || bones != nullptr || meshes != nullptr) {
        ReleaseContents();
        animation = nullptr; // bound against the previous skeleton
    }
    refusal.Clear();
}

bool MeshScene::Load(const char* path)
{
    StartLoad();

    FileStream stream;
    stream.SetRefusal(&refusal);
    if (!stream.OpenToRead(path))
        return false;

    if (!ReadFileHeader(stream))
        return false;

    if (!LoadMaterials(stream))
        return false;

    if (!LoadNodes(stream))
        return stream.InSection(FileSection::Nodes);

    bones = new (std::nothrow) Matrix4[static_cast<std::size_t>(nodeCount)];
    if (bones == nullptr) {
        stream.InSection(FileSection::Nodes);
        return stream.Refuse(0, "not enough memory for %d bone matrices", static_cast<int>(nodeCount));
    }
    for (std::int32_t i = 0; i < nodeCount; ++i)
        MatrixIdentity(&bones[i]);

    if (!LoadMeshes(stream))
        return stream.InSection(FileSection::Meshes);
    return true;
}

bool MeshScene::LoadInFolder(const char* path)
{
    const PathParts parts = SplitPath(path);
    const WorkingFolder folder(parts.folder);
    if (!folder.Entered()) {
        StartLoad();
        refusal.NoteReason(-1, "%s", folder.GetError());
        refusal.SetSection(FileSection::File);
        return false;
    }
    return Load(parts.name);
}

bool MeshScene::LoadNodes(FileStream& stream)
{
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1))
        return stream.Refuse(0, "the file ends before the node count");
    if (!stream.CountFits(count, kMinNodeSize, "node"))
        return false;
    nodes = new (std::nothrow) SceneNode[static_cast<std::size_t>(count)];
    if (nodes == nullptr)
        return stream.Refuse(0, "not enough memory for %d nodes", static_cast<int>(count));
    nodeCount = count;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!nodes[i].Load(stream))
            return stream.Within("node", i, nodes[i].GetName());
        if (!ValidParent(nodes[i].GetParent(), i)) {
            // The parent stands behind the name, before the position and rotation.
            stream.Refuse(sizeof(Vector3) + sizeof(Quaternion) + sizeof(std::int32_t),
                          "parent %d is neither -1 nor below the node's own index",
                          static_cast<int>(nodes[i].GetParent()));
            return stream.Within("node", i, nodes[i].GetName());
        }
    }
    return true;
}

bool MeshScene::LoadMeshes(FileStream& stream)
{
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1))
        return stream.Refuse(0, "the file ends before the mesh count");
    if (!stream.CountFits(count, kMinMeshSize, "mesh"))
        return false;
    meshes = new (std::nothrow) Mesh[static_cast<std::size_t>(count)];
    if (meshes == nullptr)
        return stream.Refuse(0, "not enough memory for %d meshes", static_cast<int>(count));
    meshCount = count;
    for (std::int32_t i = 0; i < count; ++i) {
        meshes[i].SetBoneMatrices(bones, nodeCount);
        if (!meshes[i].Load(stream))
            return stream.Within("mesh", i, meshes[i].GetName());
    }
    return true;
}

bool MeshScene::SetAnimation(KeyframeAnimation* bound)
{
    if (bound != nullptr) {
        const std::int32_t trackCount = bound->GetTrackCount();
        if (trackCount > nodeCount)
            return false;
        const AnimationTrack* tracks = bound->GetTracks();
        if (trackCount > 0 && (tracks == nullptr || bound->GetFrameCount() == 0))
            return false;
        for (std::int32_t i = 0; i < trackCount; ++i) {
            if (tracks[i].GetKeys() == nullptr || !ValidParent(tracks[i].GetParent(), i))
                return false;
        }
    }
    animation = bound;
    return true;
}

void MeshScene::PoseFromAnimation()
{
    const std::uint32_t frameCount = animation->GetFrameCount();
    const AnimationTrack* tracks = animation->GetTracks();
    std::int32_t trackCount = animation->GetTrackCount();
    if (trackCount > nodeCount)
        trackCount = nodeCount; // the scene writes its own bones only
    if (frameCount == 0 || tracks == nullptr || trackCount <= 0)
        return;

    // The key at the time truncated toward zero and the next one, the blend weight u
    // between them. The key indices stay within the track whatever the time.
    const float time = animation->GetTime();
    const float lastFrame = static_cast<float>(frameCount - 1);
    float whole = std::trunc(time);
    if (!(whole >= 0.0f))
        whole = 0.0f; // negative or not a number
    std::uint32_t frame = frameCount - 1;
    if (whole < lastFrame)
        frame = static_cast<std::uint32_t>(whole) < frame ? static_cast<std::uint32_t>(whole) : frame;
    else
        whole = lastFrame;
    const std::uint32_t next = frame + 1 < frameCount && lastFrame > time ? frame + 1 : frame;
    float u = time - whole;
    if (!(u >= 0.0f))
        u = 0.0f;
    if (u > 1.0f)
        u = 1.0f;
    const float v = 1.0f - u;

    Matrix4 local;
    for (std::int32_t i = 0; i < trackCount; ++i) {
        const AnimationKey* keys = tracks[i].GetKeys();
        if (keys == nullptr)
            continue;
        const AnimationKey& k0 = keys[frame];
        const AnimationKey& k1 = keys[next];
        Quaternion rotation;
        QuaternionSlerp(&k0.rotation, &k1.rotation, u, &rotation);
        LocalMatrix(&rotation, v * k0.position.x + u * k1.position.x, v * k0.position.y + u * k1.position.y,
                    v * k0.position.z + u * k1.position.z, &local);
        const std::int32_t parent = tracks[i].GetParent();
        if (parent >= 0 && parent < i)
            MatrixMultiply(&bones[parent], &local, &bones[i]);
        else
            MatrixCopy(&local, &bones[i]);
    }
}

void MeshScene::PoseFromNodes()
{
    Matrix4 local;
    for (std::int32_t i = 0; i < nodeCount; ++i) {
        const SceneNode& node = nodes[i];
        const Vector3& position = node.GetPosition();
        LocalMatrix(&node.GetRotation(), position.x, position.y, position.z, &local);
        const std::int32_t parent = node.GetParent();
        if (parent >= 0 && parent < i)
            MatrixMultiply(&bones[parent], &local, &bones[i]);
        else
            MatrixCopy(&local, &bones[i]);
    }
}

void MeshScene::Update()
{
    if (bones != nullptr) {
        if (animation != nullptr)
            PoseFromAnimation();
        else
            PoseFromNodes();
    }
    for (std::int32_t i = 0; i < meshCount; ++i)
        meshes[i].Update();
}

void MeshScene::Render()
{
    for (std::int32_t i = 0; i < meshCount; ++i)
        meshes[i].Render();
}
