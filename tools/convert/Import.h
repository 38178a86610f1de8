// Importers: glTF 2.0 (.gltf, .glb) through tinygltf, whose samplers, skins and
// inverse-bind matrices are exact; every other format through Assimp. Both fill the same
// content model.
#pragma once

#include "convert/Content.h"

#include <string>

namespace convert {

enum class Importer { Automatic, Gltf, Assimp };

// Automatic picks tinygltf for .gltf and .glb (by extension, any letter case) and Assimp
// otherwise. False with a message naming the problem when the file cannot be read.
bool Import(const std::string& path, Importer importer, Content* content, std::string* error);

bool ImportGltf(const std::string& path, Content* content, std::string* error);
// Without Assimp in the build (Windows), every file is refused with a message naming what
// the build reads.
bool ImportAssimp(const std::string& path, Content* content, std::string* error);

// The formats this build reads, for the usage text: "glTF 2.0 (.gltf, .glb), FBX, ...".
const char* FormatsRead();

// Whether the path names a glTF file by its extension.
bool IsGltfPath(const std::string& path);

} // namespace convert
