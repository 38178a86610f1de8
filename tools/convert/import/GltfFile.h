// A glTF file's bytes before any parsing: the JSON text, the binary chunk of a .glb, and
// the resources its URIs name (data: URIs, or files beside the model when files may be
// read at all).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace convert {

struct GltfFile {
    std::string json;
    bool binary = false;           // a .glb container
    std::vector<std::uint8_t> bin; // its binary chunk, empty when it has none
    std::string folder;            // relative URIs are read from here...
    bool readsFiles = false;       // ...only when this is set
};

// A .glb container (magic "glTF", version 2, a JSON chunk, optionally a BIN chunk) or a
// JSON text. False with the reason when the container is broken.
bool SplitGltf(const std::uint8_t* data, std::size_t size, GltfFile* out, std::string* error);

// The bytes a URI names: a base64 data: URI, or (when the file allows it) a file relative
// to its folder, percent-escapes decoded. False with the reason otherwise.
bool ReadGltfUri(const GltfFile& file, const std::string& uri, std::vector<std::uint8_t>* bytes, std::string* why);

} // namespace convert
