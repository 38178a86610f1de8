// Importers: glTF 2.0 (.gltf, .glb) through tinygltf, whose samplers, skins and
// inverse-bind matrices are exact; every other format through Assimp. Both fill the same
// content model.
#pragma once

#include "convert/import/Content.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace convert {

enum class Importer { Automatic, Gltf, Assimp };

// Automatic picks tinygltf for .gltf and .glb (by extension, any letter case) and Assimp
// otherwise. False with a message naming the problem when the file cannot be read or is
// refused; a refused glTF file gets one line per fault, each starting with its JSON path.
// Parts dropped or replaced on the way are listed in Content::warnings (and, for an
// animation, in its Clip::dropped); faults in parts the conversion does not use in
// Content::notes.
bool Import(const std::string& path, Importer importer, Content* content, std::string* error);

bool ImportGltf(const std::string& path, Content* content, std::string* error);
// Without Assimp in the build (Windows), every file is refused with a message naming what
// the build reads.
bool ImportAssimp(const std::string& path, Content* content, std::string* error);

// The same from bytes in memory, reading no file at all: URIs that name files fail as
// missing files do. `hint` is the Assimp format's usual extension ("obj").
bool ImportGltfBytes(const std::uint8_t* data, std::size_t size, Content* content, std::string* error);
bool ImportAssimpBytes(const std::uint8_t* data, std::size_t size, const std::string& hint, Content* content,
                       std::string* error);

// Reads files of one Assimp format from memory, one after another, as ImportAssimpBytes
// does: the importer, with its reader and post-processing steps, is made once rather than
// for every file (most of the time a small file takes). The bytes are read as the only file
// there is, "input.<hint>"; every other file it names is missing.
class AssimpBytesReader {
public:
    explicit AssimpBytesReader(const std::string& hint);
    ~AssimpBytesReader();
    AssimpBytesReader(const AssimpBytesReader&) = delete;
    AssimpBytesReader& operator=(const AssimpBytesReader&) = delete;

    bool Read(const std::uint8_t* data, std::size_t size, Content* content, std::string* error);

private:
    struct State;
    std::unique_ptr<State> state;
};

// The formats this build reads, for the usage text: "glTF 2.0 (.gltf, .glb), FBX, ...".
const char* FormatsRead();

// Whether the path names a glTF file by its extension.
bool IsGltfPath(const std::string& path);

} // namespace convert
