// One scene as every tool hands it around: the records of its .mes file, of its .knx file
// when it animates, and the pictures its materials name. The importer fills it, the writers
// write it and the glTF exporter reads it, so a field is added here and nowhere else.
#pragma once

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex::format {

// A texture's pixels as the engine uploads them: rows in stored order, so the first row is
// the one at t = 0. A pixel is 1 byte (alpha only: an 8-bit greyscale file), 3 (red, green,
// blue) or 4 (red, green, blue, alpha).
struct TextureDesc {
    std::string name; // what materials name; the file is name + ".TGA"
    int width = 0, height = 0;
    int channels = 3;
    std::vector<std::uint8_t> pixels;
};

struct SceneFiles {
    SceneDesc scene;
    std::optional<AnimationDesc> animation; // track i drives node i
    std::vector<TextureDesc> textures;      // each texture named by a material, once

    // The texture of that name, or null.
    const TextureDesc* FindTexture(const std::string& name) const;
};

} // namespace orvex::format
