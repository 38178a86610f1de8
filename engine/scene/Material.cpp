#include "orvex/scene/Material.h"

#include "orvex/foundation/FileRules.h"
#include "orvex/render/GlApi.h"
#include "orvex/texture/Texture.h"

#include <cstring>
#include <new>

namespace {

Material* registryHead = nullptr;
std::int32_t registryCount = 0;

constexpr std::size_t kNameBuffer = FileRules::kMaxNameLength + 1;
constexpr std::size_t kTextureNameBuffer = FileRules::kMaxTextureNameLength + 1; // "%s.TGA" must fit 80
// Smallest material record: two empty strings' length bytes and the colours.
constexpr std::int64_t kMinMaterialSize = 2 + FileRules::kMaterialColoursSize;

} // namespace

bool Material::Load(FileStream& stream)
{
    char text[kNameBuffer];
    if (!stream.ReadName(text, sizeof text, "name"))
        return false;
    if (!SetName(text))
        return stream.Refuse(0, "not enough memory for the name");
    if (!stream.ReadExact(ambient, sizeof ambient, 1) || !stream.ReadExact(diffuse, sizeof diffuse, 1) ||
        !stream.ReadExact(specular, sizeof specular, 1) || !stream.ReadExact(&shininess, sizeof shininess, 1))
        return stream.Refuse(0, "the file ends inside the colours");
    char textureName[kTextureNameBuffer];
    if (!stream.ReadName(textureName, sizeof textureName, "texture name"))
        return false;
    if (textureName[0] != '\0')
        texture = FindOrLoadTexture(textureName);
    return true;
}

void Material::Apply()
{
    if (texture != nullptr)
        texture->Bind();
    gl.glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    gl.glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    gl.glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    gl.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

bool LoadMaterials(FileStream& stream)
{
    std::int32_t count = 0;
    if (!stream.ReadExact(&count, sizeof count, 1)) {
        stream.InSection(FileSection::Materials);
        return stream.Refuse(0, "the file ends before the material count");
    }
    if (!stream.CountFits(count, kMinMaterialSize, "material"))
        return stream.InSection(FileSection::Materials);

    // The section's materials are gathered in a chain of their own and registered together
    // once all have loaded, so a refused section leaves nothing behind for lookups to find.
    Material* first = nullptr;
    Material* last = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        Material* material = new (std::nothrow) Material;
        if (material == nullptr || !material->Load(stream)) {
            if (material == nullptr)
                stream.Refuse(0, "not enough memory for a material");
            stream.Within("material", i, material != nullptr ? material->GetName() : nullptr);
            stream.InSection(FileSection::Materials);
            delete material;
            delete first;
            return false;
        }
        if (first == nullptr)
            first = material;
        else
            last->SetNext(material);
        last = material;
    }
    if (first != nullptr) {
        if (registryHead == nullptr)
            registryHead = first;
        else
            registryHead->Append(first);
    }
    registryCount += count;
    return true;
}

Material* FindMaterial(const char* name)
{
    if (name == nullptr)
        return nullptr;
    NamedObject* object = registryHead;
    for (std::int32_t i = 0; i < registryCount && object != nullptr; ++i, object = object->GetNext()) {
        if (object->GetName() != nullptr && std::strcmp(object->GetName(), name) == 0)
            return static_cast<Material*>(object);
    }
    return nullptr;
}

void ClearMaterials()
{
    delete registryHead;
    registryHead = nullptr;
    registryCount = 0;
}

Material* GetMaterials()
{
    return registryHead;
}

std::int32_t GetMaterialCount()
{
    return registryCount;
}
