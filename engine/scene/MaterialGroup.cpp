#include "orvex/platform/LargeArray.h"
#include "orvex/scene/CheckedRead.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/SceneElements.h"

#include "orvex/foundation/FileRules.h"
#include "orvex/render/GlApi.h"

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
    if (!stream.ReadExact(&count, sizeof count, 1))
        return stream.Refuse(0, "the file ends before the index count");
    if (!stream.CountFits(count, sizeof(std::int32_t), "index"))
        return false;
    std::int32_t* loaded = NewLargeArray<std::int32_t>(static_cast<std::size_t>(count));
    if (loaded == nullptr)
        return stream.Refuse(0, "not enough memory for %d indices", static_cast<int>(count));
    delete[] indices;
    indices = loaded;
    if (!ReadIndicesBelow(stream, loaded, static_cast<std::size_t>(count),
                          static_cast<std::uint32_t>(vertexCount < 0 ? 0 : vertexCount),
                          IndexRule{"index", "indices", "", "vertex count"}))
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
    char name[FileRules::kMaxNameLength + 1];
    std::size_t nameLength = 0;
    if (!stream.ReadName(name, sizeof name, "material name", &nameLength))
        return false;
    material = FindMaterial(name);
    if (material == nullptr)
        return stream.Refuse(1 + nameLength, "material \"%s\" is not defined", name);
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1))
        return stream.Refuse(0, "the file ends before the list count");
    if (!stream.CountFits(count, 4, "list")) // every list holds at least its index count
        return false;
    TriangleList* loaded = new (std::nothrow) TriangleList[static_cast<std::size_t>(count)];
    if (loaded == nullptr)
        return stream.Refuse(0, "not enough memory for %d lists", static_cast<int>(count));
    delete[] lists;
    lists = loaded;
    listCount = count;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!lists[i].Load(stream, vertexCount))
            return stream.Within("list", i);
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
