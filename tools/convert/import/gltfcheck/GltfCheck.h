// The reference check of a glTF file, made before the parser sees it. Every index the file
// holds is resolved, every accessor's byte range is measured against its buffer view and
// buffer, and each fault gets one of three outcomes, by what the conversion needs:
// - refused: the scene, its node hierarchy, its meshes, skins and materials, and the data
//   they read, would come out wrong;
// - dropped or substituted, with one warning line per part: a material's base colour
//   texture (the material keeps its colour), an animation channel;
// - noted: a fault in a part the conversion does not use (other scenes, unused objects,
//   cameras, texture samplers, textures other than the base colour).
// Every line is "<JSON path>: <fault>", with what happens to the part where it matters.
#pragma once

#include "convert/import/GltfFile.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace convert {

struct GltfCheck {
    std::vector<std::string> refusals;
    std::vector<std::string> warnings;
    // Per animation, its dropped or substituted channels; they count only when that
    // animation is the one converted.
    std::vector<std::vector<std::string>> clipWarnings;
    std::vector<std::string> notes;

    // What the reader takes from the check.
    // The document for the parser: buffers and images taken out (the reader has them
    // below), and every broken object the conversion leaves out replaced by a harmless
    // stand-in, so the parser meets nothing it could misread.
    std::string json;
    std::vector<std::vector<std::uint8_t>> buffers; // each at least its byteLength long
    struct Image {
        std::string name, uri;
        std::vector<std::uint8_t> bytes; // encoded; empty when unreadable
    };
    std::vector<Image> images;
    std::vector<int> baseColorImage;            // per material: the image it draws with, -1 for none
    std::vector<std::uint64_t> texCoordSet;     // per material: the TEXCOORD_n its texture reads
    std::vector<std::vector<char>> channelKept; // per animation, per channel
    // (mesh, primitive) pairs whose material's texture needs texture coordinates the
    // primitive does not have: they draw with the material's colour.
    std::set<std::pair<int, int>> untexturedPrimitives;
    std::vector<int> convertedNodes; // the nodes of the converted scene, in no particular order
};

// False when the file is refused (refusals then says why). The file's binary chunk moves
// into the check's first buffer.
bool CheckGltf(GltfFile& file, GltfCheck* out);

} // namespace convert
