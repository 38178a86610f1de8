// Guards for Assimp's OBJ reader, which a few damaged files break. Assimp 5.2:
// - refuses a face that names a vertex the file does not have, but only after it has
//   built the meshes of the groups before it, and those it never frees;
// - crashes on a material library in which a statement (map_Kd, bump, a colour, ...)
//   comes before its first newmtl: it writes through a material it has not made. Every
//   statement of a library describes the material of the last newmtl, so before the
//   first only comments have a meaning.
// Such files are refused here, before Assimp reads them, with the line of the fault. The
// checks read the text the way Assimp 5.2 reads it, quirks included (which character
// starts a statement, how a backslash joins lines, how the digits of an index are
// stepped over): where they read it differently, a file they pass could still break it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace convert {

// False with "line N: ..." when a face, line or point element (f, l, p) names a vertex
// that is not there: a positive index beyond the file's vertices, or a relative (negative)
// one reaching before the first vertex. Index 0 is left to Assimp, which refuses it
// before building anything.
bool CheckObjVertexIndices(const std::uint8_t* text, std::size_t size, std::string* error);

// False with "line N: ..." when a statement other than a comment comes before the first
// newmtl that Assimp reads as one.
bool CheckMaterialLibrary(const std::uint8_t* text, std::size_t size, std::string* error);

// The material library names an OBJ text gives (each mtllib line's words, and the whole
// rest of the line, trimmed and as it is, as Assimp may read any of them).
std::vector<std::string> MaterialLibraries(const std::uint8_t* text, std::size_t size);

} // namespace convert
