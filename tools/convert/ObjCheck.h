// A guard for Assimp's OBJ reader. Assimp 5.2 refuses a face that names a vertex the file
// does not have, but only after it has built the meshes of the groups before it, and those
// it never frees. Such a file is refused here, before Assimp reads it, with the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace convert {

// False with "line N: ..." when a face, line or point element (f, l, p) names a vertex
// that is not there: a positive index beyond the file's vertices, or a relative (negative)
// one reaching before the first vertex. Index 0 is left to Assimp, which refuses it
// before building anything.
bool CheckObjVertexIndices(const std::uint8_t* text, std::size_t size, std::string* error);

} // namespace convert
