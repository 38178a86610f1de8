#include "scene/CheckedRead.h"
#include "scene/Material.h"
#include "scene/SceneElements.h"

#include "render/GlApi.h"

#include <new>

TriangleList::~TriangleList()
{
    TriangleList::Destroy();
}

void TriangleList::Destroy()
{
    delete[] indices;
    indices = nullptr;
    indexCount = 0;
}

bool TriangleList::Load(FileStream& stream, std::int32_t vertexCount)
{
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1) || count < 0)
        return false;
    if (count > stream.BytesLeft() / std::int64_t(sizeof(std::int32_t)))
        return false;
    std::int32_t* loaded = new (std::nothrow) std::int32_t[static_cast<std::size_t>(count)];
    if (loaded == nullptr)
        return false;
    delete[] indices;
    indices = loaded;
    if (!ReadIndicesBelow(stream, loaded, static_cast<std::size_t>(count),
                          static_cast<std::uint32_t>(vertexCount < 0 ? 0 : vertexCount)))
        return false;
    indexCount = count; // only indices that passed the check are ever drawn
    return true;
}

void TriangleList::Render()
{
    gl.glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, indices);
}

MaterialGroup::~MaterialGroup()
{
    MaterialGroup::Destroy();
}

void MaterialGroup::Destroy()
{
    delete[] lists;
    lists = nullptr;
    listCount = 0;
}

bool MaterialGroup::Load(FileStream& stream, std::int32_t vertexCount)
{
    char name[80];
    if (stream.ReadString(name, sizeof name) < 0)
        return false;
    material = FindMaterial(name);
    if (material == nullptr)
        return false;
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1) || count < 0)
        return false;
    if (count > stream.BytesLeft() / 4) // every list holds at least its index count
        return false;
    TriangleList* loaded = new (std::nothrow) TriangleList[static_cast<std::size_t>(count)];
    if (loaded == nullptr)
        return false;
    delete[] lists;
    lists = loaded;
    listCount = count;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!lists[i].Load(stream, vertexCount))
            return false;
    }
    return true;
}

void MaterialGroup::Render()
{
    if (material != nullptr)
        material->Apply();
    for (std::int32_t i = 0; i < listCount; ++i)
        lists[i].Render();
}
