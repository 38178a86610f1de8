// A walk through the records of a file the engine has accepted, for the little the engine
// does not keep: the texture name of each material (the engine keeps only the texture it
// found) and the bytes after the last record, which no loader reads. The walk judges
// nothing: whether a file is accepted, and why not, is the engine loaders' to say. On a
// file they refused it stops wherever the bytes run out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace info {

struct FileLayout {
    std::vector<std::string> textures; // .mes: each material's texture name, in order
    std::uint64_t trailingBytes = 0;   // bytes after the last record
};

FileLayout WalkMes(const std::vector<std::uint8_t>& bytes);
FileLayout WalkKnx(const std::vector<std::uint8_t>& bytes);
FileLayout WalkTga(const std::vector<std::uint8_t>& bytes);

} // namespace info
