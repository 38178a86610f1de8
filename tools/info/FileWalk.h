// A walk through the records of a file the engine has accepted, for the little the engine
// does not keep: the texture name of each material (the engine keeps only the texture it
// found) and the bytes after the last record, which no loader reads. The walk judges
// nothing: whether a file is accepted, and why not, is the engine loaders' to say. On a
// file they refused it stops wherever the bytes run out. It reads the file in pieces and
// seeks over the vertex, index and key arrays, so it holds a piece, never the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace info {

struct FileLayout {
    std::vector<std::string> textures; // .mes: each material's texture name, in order
    std::uint64_t trailingBytes = 0;   // bytes after the last record
    int imageType = 0;                 // .tga: the header's image type
};

FileLayout WalkMes(const std::string& path);
FileLayout WalkKnx(const std::string& path);
FileLayout WalkTga(const std::string& path);

} // namespace info
