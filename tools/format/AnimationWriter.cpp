#include "format/AnimationWriter.h"

#include <bit>

namespace orvex::format {

std::string CheckAnimation(const AnimationDesc& animation)
{
    if (std::string problem = CheckHeader(animation.header); !problem.empty())
        return problem;
    if (animation.tracks.size() > 0x7fffffff)
        return "too many tracks";
    if (!animation.tracks.empty() && animation.frameCount == 0)
        return "an animation with tracks needs at least one frame";
    for (std::size_t i = 0; i < animation.tracks.size(); ++i) {
        const TrackDesc& track = animation.tracks[i];
        const std::string where = "track " + std::to_string(i) + " (\"" + track.name + "\")";
        if (track.name.size() > kMaxNameLength)
            return where + ": name longer than 79 bytes";
        if (!FileRules::ParentAccepted(track.parent, static_cast<std::int64_t>(i)))
            return where + ": parent must be -1 or below the track's own index";
        if (track.keys.size() != animation.frameCount)
            return where + ": needs exactly one key per frame";
    }
    return {};
}

std::uint64_t AnimationFileSize(const AnimationDesc& animation)
{
    std::uint64_t size = 1 + animation.header.signature.size() + 4 + 12;
    for (const TrackDesc& track : animation.tracks)
        size += 1 + track.name.size() + FileRules::kTrackParentSize +
                FileRules::kKeySize * std::uint64_t(track.keys.size());
    return size;
}

void EncodeAnimation(const AnimationDesc& animation, ByteWriter& writer)
{
    writer.String(animation.header.signature);
    writer.I32(animation.header.version);
    writer.I32(static_cast<std::int32_t>(animation.tracks.size()));
    writer.I32(animation.reserved);
    writer.U32(animation.frameCount);
    for (const TrackDesc& track : animation.tracks) {
        writer.String(track.name);
        writer.I32(track.parent);
        if constexpr (std::endian::native == std::endian::little) {
            writer.Raw(track.keys.data(), track.keys.size() * sizeof(KeyDesc));
        } else {
            for (const KeyDesc& key : track.keys) {
                for (float f : {key.position.x, key.position.y, key.position.z, key.rotation.x, key.rotation.y,
                                key.rotation.z, key.rotation.w})
                    writer.F32(f);
            }
        }
    }
}

std::vector<std::uint8_t> EncodeAnimation(const AnimationDesc& animation)
{
    ByteWriter writer;
    EncodeAnimation(animation, writer);
    return writer.TakeBytes();
}

bool WriteAnimation(const std::string& path, const AnimationDesc& animation, std::string* error)
{
    std::string problem = CheckAnimation(animation);
    if (problem.empty() && !WriteStreamed(path, [&](ByteWriter& writer) { EncodeAnimation(animation, writer); }))
        problem = "cannot write " + path;
    if (!problem.empty() && error != nullptr)
        *error = problem;
    return problem.empty();
}

} // namespace orvex::format
