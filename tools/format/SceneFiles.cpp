#include "format/SceneFiles.h"

namespace orvex::format {

const TextureDesc* SceneFiles::FindTexture(const std::string& name) const
{
    for (const TextureDesc& texture : textures)
        if (texture.name == name)
            return &texture;
    return nullptr;
}

} // namespace orvex::format
