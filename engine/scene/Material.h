/// @file
/// Materials and the program-wide material registry.
///
/// A material holds the colours and the optional texture a group of triangles is drawn
/// with. Mesh files register their materials in one chain shared by every scene of the
/// program; groups find theirs by name, and the first material of a name wins.
#pragma once

#include "orvex/foundation/FileStream.h"
#include "orvex/foundation/NamedObject.h"

#include <cstdint>

class Texture;

/// A material: colours, shininess and an optional texture (see the file's description). Owned by
/// the material registry once registered.
class Material : public NamedObject {
public:
    Material() = default;

    /// Reads a material record: name, ambient, diffuse and specular colours (RGBA), the
    /// shininess and a texture name. A texture name finds or loads "<name>.TGA"; a texture
    /// that cannot be loaded leaves the material untextured. False on a name over 79 bytes,
    /// a texture name over 75 bytes, or a file that ends inside the record.
    virtual bool Load(FileStream& stream);
    /// Sets the GL material state for the triangles that follow: binds the texture if the
    /// material has one (an untextured material leaves the binding alone), then ambient,
    /// diffuse, specular and shininess for front and back faces.
    virtual void Apply();

    /// @{
    /// The colours as read, red, green, blue and alpha each; the shininess.
    const float* GetAmbient() const { return ambient; }
    const float* GetDiffuse() const { return diffuse; }
    const float* GetSpecular() const { return specular; }
    float GetShininess() const { return shininess; }
    /// @}
    /// The registered texture drawn with the material, or null.
    Texture* GetTexture() const { return texture; }

private:
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float shininess = 0.0f;
    Texture* texture = nullptr; ///< belongs to the texture registry
};

/// Reads a material section (count, then the records) and registers its materials, all of
/// them or, when the section is refused, none.
bool LoadMaterials(FileStream& stream);
/// The first registered material of exactly that name, or null.
Material* FindMaterial(const char* name);
/// Deletes every registered material.
void ClearMaterials();

/// The registry: the first material (the rest follow through GetNext) and the count.
Material* GetMaterials();
/// How many materials are registered.
std::int32_t GetMaterialCount();
