// A record-by-record walk through .mes, .knx and .tga files that says where a file goes
// wrong. The engine's loaders decide whether a file is accepted; they answer only yes or
// no, so when one refuses a file this walk names the section and the record at fault.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace info {

struct WalkResult {
    bool ok = true;
    std::string where;  // "mesh section, mesh 0 \"body\", group 1, list 0"
    std::string what;   // "index 90 is not below the vertex count 24"
    std::uint64_t offset = 0; // byte offset at which the problem was found
    std::uint64_t trailingBytes = 0; // bytes after the last record (never read by the engine)
    std::vector<std::string> textures; // .mes: each material's texture name, in order
};

// Material names defined by earlier files count as registered, as they do in a program
// that loads several scenes: pass the names of the files walked before, and the walk adds
// this file's materials to them.
WalkResult WalkMes(const std::vector<std::uint8_t>& bytes, std::vector<std::string>* registeredMaterials);
WalkResult WalkKnx(const std::vector<std::uint8_t>& bytes);
WalkResult WalkTga(const std::vector<std::uint8_t>& bytes);

} // namespace info
