#include "orvex/platform/LargeArray.h"
#include "orvex/scene/SceneElements.h"

#include "orvex/scene/CheckedRead.h"
#include "orvex/scene/Skinning.h"

#include "orvex/foundation/FileRules.h"

#include "orvex/render/GlApi.h"
#include "orvex/render/GlCapabilities.h"

#include <new>

namespace {
constexpr std::int64_t kVertexFileSize = FileRules::kVertexSize;
} // namespace

Mesh::~Mesh()
{
    Mesh::Destroy();
}

void Mesh::Destroy()
{
    ReleaseArrays();
    NamedObject::Destroy();
}

void Mesh::ReleaseArrays()
{
    delete[] restPositions;
    restPositions = nullptr;
    delete[] nodeIndices;
    nodeIndices = nullptr;
    delete[] vertices;
    vertices = nullptr;
    vertexCount = 0;
    delete[] groups;
    groups = nullptr;
    groupCount = 0;
}

void Mesh::SetBoneMatrices(const Matrix4* matrices, std::int32_t count)
{
    bones = matrices;
    boneCount = matrices != nullptr && count > 0 ? count : 0;
}

bool Mesh::Load(FileStream& stream)
{
    ReleaseArrays();
    char text[FileRules::kMaxNameLength + 1];
    if (!stream.ReadName(text, sizeof text, "name"))
        return false;
    if (!SetName(text))
        return stream.Refuse(0, "not enough memory for the name");

    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1))
        return stream.Refuse(0, "the file ends before the vertex count");
    // The vertices, their node indices and the group count must all be in the file.
    if (!stream.CountFits(count, kVertexFileSize, "vertex", 4))
        return false;
    const auto size = static_cast<std::size_t>(count);

    vertices = NewLargeArray<MeshVertex>(size);
    nodeIndices = vertices != nullptr ? NewLargeArray<std::int32_t>(size) : nullptr;
    restPositions = nodeIndices != nullptr ? NewLargeArray<Vector3>(size) : nullptr;
    if (restPositions == nullptr)
        return stream.Refuse(0, "not enough memory for %d vertices", static_cast<int>(count));
    if (!ReadVertices(stream, vertices, restPositions, size) ||
        !ReadIndicesBelow(stream, nodeIndices, size, static_cast<std::uint32_t>(boneCount),
                          IndexRule{"node index", "node indices", "vertex", "node count"}))
        return false;
    // Only a mesh whose every node index passed is skinned or drawn.
    vertexCount = count;

    std::int32_t groupTotal = 0;
    if (!stream.ReadExact(&groupTotal, sizeof groupTotal, 1))
        return stream.Refuse(0, "the file ends before the group count");
    // A group holds at least a name length and a list count.
    if (!stream.CountFits(groupTotal, 5, "group"))
        return false;
    groups = new (std::nothrow) MaterialGroup[static_cast<std::size_t>(groupTotal)];
    if (groups == nullptr)
        return stream.Refuse(0, "not enough memory for %d groups", static_cast<int>(groupTotal));
    groupCount = groupTotal;
    for (std::int32_t i = 0; i < groupTotal; ++i) {
        if (!groups[i].Load(stream, count))
            return stream.Within("group", i);
    }
    return true;
}

void Mesh::Update()
{
    if (bones == nullptr)
        return;
    SkinVertices(bones, restPositions, nodeIndices, vertices, vertexCount);
}

void Mesh::Render()
{
    if (vertices == nullptr)
        return;
    gl.glInterleavedArrays(GL_T2F_N3F_V3F, 0, vertices);
    // The driver may leave an entry point of an offered extension unresolved: lock only
    // when both are there. Locking no vertices is a GL error, and there is nothing to draw.
    const bool lock = glCapabilities.hasCompiledVertexArray != 0 && gl.glLockArraysEXT != nullptr &&
                      gl.glUnlockArraysEXT != nullptr && vertexCount > 0;
    if (lock)
        gl.glLockArraysEXT(0, vertexCount);
    for (std::int32_t i = 0; i < groupCount; ++i)
        groups[i].Render();
    if (lock)
        gl.glUnlockArraysEXT();
}
