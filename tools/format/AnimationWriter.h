// Writer for keyframe animation files (.knx).
//
// An animation holds one key per frame for every track; track i drives node (bone) i of
// the scene it is bound to, and plays at 20 frames per second. Typical use:
//
//     AnimationDesc anim;
//     anim.frameCount = 2;
//     anim.tracks.push_back(TrackDesc{"root", -1, {key0, key1}});
//     WriteAnimation("walk.knx", anim, &error);
//
// WriteAnimation refuses what the engine would refuse (CheckAnimation says why);
// EncodeAnimation writes whatever it is given.
#pragma once

#include "format/ByteWriter.h"
#include "format/FormatCommon.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::format {

// The 28-byte key record: the bone's local pose at one frame.
struct KeyDesc {
    Vec3 position;
    Quat rotation;
};
static_assert(sizeof(KeyDesc) == FileRules::kKeySize, "keys are written as the file's records");

struct TrackDesc {
    std::string name;
    std::int32_t parent = -1;  // -1 for a root, else a track index below this one
    std::vector<KeyDesc> keys; // exactly frameCount keys, key 0 first
};

struct AnimationDesc {
    FileHeader header;
    std::int32_t reserved = 0; // kept by the engine, never interpreted
    std::uint32_t frameCount = 0;
    std::vector<TrackDesc> tracks;
};

// "" when the engine would load the animation, else the first problem found. The engine
// additionally refuses to bind it to a scene with fewer nodes than tracks.
std::string CheckAnimation(const AnimationDesc& animation);

std::uint64_t AnimationFileSize(const AnimationDesc& animation);

// Encodes as given: the header's frame count is `frameCount`, and each track writes the
// keys it holds, however many that is.
void EncodeAnimation(const AnimationDesc& animation, ByteWriter& writer);
std::vector<std::uint8_t> EncodeAnimation(const AnimationDesc& animation);

bool WriteAnimation(const std::string& path, const AnimationDesc& animation, std::string* error = nullptr);

} // namespace orvex::format
