// Plain value types and limits shared by the .mes, .knx and .tga writers.
//
// Every engine file (.mes, .knx) starts with the same header: a length-prefixed signature
// beginning with "RIFF" and the i32 version 100. The engine reads names into 80-byte
// buffers and texture file names ("%s.TGA") into 80 bytes, hence the name limits.
#pragma once

#include "orvex/foundation/FileRules.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvex::format {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

// Rotation quaternion, scalar last; the default is the identity.
struct Quat {
    float x = 0, y = 0, z = 0, w = 1;
};

struct FileHeader {
    std::string signature = "RIFF"; // the engine compares its first 4 bytes only
    std::int32_t version = 100;
};

// The engine's own limits (engine/foundation/FileRules.h), which the checks below share
// with its loaders.
constexpr std::size_t kMaxNameLength = FileRules::kMaxNameLength;               // node, mesh, material, track names
constexpr std::size_t kMaxTextureNameLength = FileRules::kMaxTextureNameLength; // room for ".TGA" and the terminator
constexpr std::int32_t kFileVersion = FileRules::kVersion;

// "" when the header is one the engine accepts, else what is wrong with it.
std::string CheckHeader(const FileHeader& header);

// The name the engine keeps for a name as written: up to its first zero byte.
std::string StoredName(const std::string& name);

} // namespace orvex::format
