// Whether the format writer's checks and the engine's loaders accept exactly the same files.
//
// The writer checks descriptions and the loaders read bytes, so a file is taken back to a
// description first: its records are decoded by the format's layout alone, judging nothing
// (a count that is negative or whose records run past the end of the file has no
// description). The writer would write the file when that description passes its check.
// Left out of the comparison are the bytes no loader reads and the writer never writes:
// anything after the last record, and a TGA header's colour-map specification and origin.
#pragma once

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace agreement {

enum class FileKind : std::uint8_t { Scene, Animation, Texture };

struct Verdicts {
    bool decoded = false;      // the records follow the format's layout
    bool writer = false;       // decoded, and the writer's check passes the description
    bool loader = false;       // the engine's loader accepts the file
    bool roundTrip = false;    // the description encodes back to the bytes it came from
    std::string writerProblem; // why the writer would not write the file
    std::string loaderReason;  // the loader's reason when it refuses, in its own words
};

// The records of `bytes` as a description; false when they do not follow the layout.
// `used` receives the number of bytes the records take.
bool DecodeScene(const std::vector<std::uint8_t>& bytes, orvex::format::SceneDesc* scene, std::size_t* used);
bool DecodeAnimation(const std::vector<std::uint8_t>& bytes, orvex::format::AnimationDesc* animation,
                     std::size_t* used);
bool DecodeTga(const std::vector<std::uint8_t>& bytes, orvex::format::TgaDesc* image, std::size_t* used);

// Both verdicts on one file. The loaders take paths: `path` names a file that holds
// `bytes`. The material and texture registries are emptied before and after, and GL must
// be a table that does no harm (a recording or no-op table), as a scene loads textures.
Verdicts Judge(FileKind kind, const std::vector<std::uint8_t>& bytes, const char* path);

// One line for a failure message: both verdicts and their reasons.
std::string Describe(const Verdicts& verdicts);

} // namespace agreement
