/// @file
/// Keyframe animation (.knx): one key per frame for every animated bone, played at 20
/// frames per second and looped. Track i drives bone (node) i of the scene it is bound to;
/// the scene reads the time and the keys through the accessors and builds the bones.
#pragma once

#include "orvex/foundation/FileRefusal.h"
#include "orvex/foundation/FileRules.h"
#include "orvex/foundation/FileStream.h"
#include "orvex/math/MathLib.h"

#include <cstdint>

/// A bone's local pose at one frame, laid out exactly as the file's 28-byte key record so
/// a track's keys are read in one block.
struct AnimationKey {
    /// The bone's position in its parent's frame.
    Vector3 position;
    /// The bone's rotation in its parent's frame, x, y, z, w.
    Quaternion rotation;
};
static_assert(sizeof(AnimationKey) == FileRules::kKeySize, "keys are read as the file's records");

/// One animated bone: a name, its parent track and F keys.
class AnimationTrack {
public:
    AnimationTrack() = default;
    virtual ~AnimationTrack();
    AnimationTrack(const AnimationTrack&) = delete;
    AnimationTrack& operator=(const AnimationTrack&) = delete;

    /// Stores a copy of the text; false when it is null or memory ran out.
    virtual bool SetName(const char* text);
    /// Releases the name and the keys; safe to run any number of times.
    virtual void Destroy();
    /// Reads the track record at the stream's position: name, parent, frameCount keys.
    /// False on a name over 79 bytes or a file that ends inside the record.
    virtual bool Load(FileStream& stream, std::uint32_t frameCount);

    /// The name as read, or null before Load.
    const char* GetName() const { return name; }
    /// The parent track's index, -1 for a root.
    std::int32_t GetParent() const { return parent; }
    /// Key 0 of the track's frameCount keys; null until loaded.
    const AnimationKey* GetKeys() const { return keys; }

private:
    char* name = nullptr;
    std::int32_t parent = -1;
    AnimationKey* keys = nullptr;
};

/// A loaded keyframe animation and its playback time (see the file's description). The program
/// owns it; a scene it is bound to only points at it and must be deleted or unbound first.
class KeyframeAnimation {
public:
    /// The rate keys are played at.
    static constexpr float kFramesPerSecond = 20.0f;
    /// Longest step Advance takes: a stall moves the animation by at most 2 frames.
    static constexpr float kMaxStep = 0.1f;

    KeyframeAnimation() = default;
    virtual ~KeyframeAnimation();
    KeyframeAnimation(const KeyframeAnimation&) = delete;
    KeyframeAnimation& operator=(const KeyframeAnimation&) = delete;

    /// Releases the tracks; counts, time and speed keep their values.
    virtual void Destroy();
    /// Reads the .knx file at `path`. Refuses a wrong header, a negative track count, tracks
    /// without frames, a track whose parent is not -1 or below its own index, names over 79
    /// bytes, and a file shorter than its records. Loading again first releases the tracks
    /// and rewinds the time. Why a load failed stays in GetRefusal until the next Load.
    virtual bool Load(const char* path);
    /// Moves the time by `seconds` (at most 0.1) at 20 frames per second, looping over
    /// F - 1 frames; with F <= 1 the time stays 0. A step that is not a finite number is
    /// ignored.
    virtual void Advance(float seconds);

    /// Playback position in frames.
    float GetTime() const { return time; }
    /// Sets the playback position directly (tools that pose a scene at a given time).
    void SetTime(float frames) { time = frames; }
    /// The number of tracks read.
    std::int32_t GetTrackCount() const { return trackCount; }
    /// The tracks, contiguous; a track the load did not reach has no keys.
    AnimationTrack* GetTracks() const { return tracks; }
    /// Keys per track, from the file.
    std::uint32_t GetFrameCount() const { return frameCount; }
    /// The file's reserved value, kept as read.
    std::int32_t GetReserved() const { return reserved; }
    /// Playback rate in frames per second (kFramesPerSecond).
    float GetSpeed() const { return speed; }
    /// Why the last Load failed: section, records, byte offset and a sentence.
    const FileRefusal& GetRefusal() const { return refusal; }

private:
    bool LoadTracks(FileStream& stream);

    std::int32_t trackCount = 0;
    AnimationTrack* tracks = nullptr;
    std::uint32_t frameCount = 0;
    std::int32_t reserved = 0;
    float time = 0.0f;
    float speed = kFramesPerSecond;
    FileRefusal refusal;
};
