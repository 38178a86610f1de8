// Turns a scene as the engine holds it (the .mes and .knx records and the texture pixels)
// into a glTF 2.0 document that looks and plays as the viewer shows it:
// - node i of the file is glTF node i, with its rest pose as translation and rotation;
// - a mesh whose vertices all hang on one node is that node's mesh, in its frame; a mesh
//   whose vertices follow several nodes is skinned: each vertex is bound with weight 1 to the
//   node that carries it, at the rest pose, as the engine skins it;
// - triangles are turned round (the engine's front faces are clockwise, glTF's
//   counter-clockwise); the axes and texture coordinates already agree (y up, t = 0 at the
//   first row of the picture, which is the top row of the PNG);
// - each material's texture becomes its base colour texture, and its colours are mapped as
//   MaterialMapping below describes;
// - the animation has one translation and one rotation channel per track, LINEAR, with key k
//   at k / 20 s.
#pragma once

#include "convert/export/GltfExportJson.h"

#include "format/SceneFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace convert {

// What a material becomes, for --help and the README.
extern const char* const MaterialMapping;

struct GltfExportOptions {
    std::string animationName; // the animation's name: the .knx file's, without extension
    // .glb keeps the images in the binary buffer; .gltf refers to the buffer and to one PNG
    // file per texture by these names (the images' names come from their textures').
    bool binary = true;
    std::string bufferUri; // .gltf only
    std::string generator = "orvex-convert";
};

struct GltfImageFile {
    std::string uri; // a file name beside the .gltf
    std::vector<std::uint8_t> png;
};

struct GltfDocument {
    GltfJson json;
    std::vector<std::uint8_t> buffer;
    std::vector<GltfImageFile> images; // .gltf only
    std::vector<std::string> warnings;
};

// False with a message when the engine would refuse the scene or the animation (see
// CheckScene and CheckAnimation), or the scene cannot be represented: an animation track that
// hangs under a different track than its node under its parent, or a texture that cannot be
// encoded.
bool BuildGltf(const orvex::format::SceneFiles& files, const GltfExportOptions& options, GltfDocument* out,
               std::string* error);

// The document as one .glb file: header, JSON chunk, binary chunk. Empty when it does not
// fit the container's 32-bit length.
std::vector<std::uint8_t> GlbBytes(const GltfDocument& document);

// The document's JSON text for a .gltf file.
std::string GltfText(const GltfDocument& document);

} // namespace convert
