#include "orvex/anim/KeyframeAnimation.h"

#include "orvex/foundation/FileRules.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

// Smallest track record: an empty name's length byte, the parent, then the keys.
constexpr std::int64_t kTrackHeadSize = 1 + FileRules::kTrackParentSize;

} // namespace

KeyframeAnimation::~KeyframeAnimation()
{
    KeyframeAnimation::Destroy();
}

void KeyframeAnimation::Destroy()
{
    delete[] tracks;
    tracks = nullptr;
}

bool KeyframeAnimation::Load(const char* path)
{
    Destroy();
    trackCount = 0;
    frameCount = 0;
    time = 0.0f;
    refusal.Clear();

    FileStream stream;
    stream.SetRefusal(&refusal);
    if (!stream.OpenToRead(path))
        return false;

    if (!ReadFileHeader(stream))
        return false;
    if (!LoadTracks(stream))
        return stream.InSection(FileSection::Tracks);
    return true;
}

bool KeyframeAnimation::LoadTracks(FileStream& stream)
{
    // The track count, the reserved value and the frame count stand together in front of
    // the tracks; all three are read before anything is allocated from them.
    std::int32_t count = 0;
    std::int32_t reservedValue = 0;
    std::uint32_t frames = 0;
    if (!stream.ReadExact(&count, sizeof count, 1) || !stream.ReadExact(&reservedValue, sizeof reservedValue, 1) ||
        !stream.ReadExact(&frames, sizeof frames, 1))
        return stream.Refuse(0, "the file ends inside the track and frame counts");
    reserved = reservedValue;
    frameCount = frames;
    // The track count stands 8 bytes before the current position.
    if (count < 0)
        return stream.Refuse(12, "negative track count %d", static_cast<int>(count));
    if (count > 0) {
        if (frames == 0)
            return stream.Refuse(4, "frame count 0 leaves the tracks without a single key (track count %d)",
                                 static_cast<int>(count));
        const std::int64_t trackSize = kTrackHeadSize + std::int64_t(frames) * std::int64_t(sizeof(AnimationKey));
        if (count > stream.BytesLeft() / trackSize) {
            // Saturating: 2^31 tracks of 2^32 frames do not fit 64 bits.
            const auto size = static_cast<unsigned long long>(trackSize);
            const auto tracksWanted = static_cast<unsigned long long>(count);
            const unsigned long long need = tracksWanted > ~0ULL / size ? ~0ULL : tracksWanted * size;
            return stream.Refuse(12,
                                 "track count %d of %u frames each needs at least %llu bytes, the file has %lld left",
                                 static_cast<int>(count), static_cast<unsigned>(frames), need,
                                 static_cast<long long>(stream.BytesLeft()));
        }
    }

    tracks = new (std::nothrow) AnimationTrack[static_cast<std::size_t>(count)];
    if (tracks == nullptr)
        return stream.Refuse(0, "not enough memory for %d tracks", static_cast<int>(count));
    trackCount = count;

    for (std::int32_t i = 0; i < count; ++i) {
        if (!tracks[i].Load(stream, frames))
            return stream.Within("track", i, tracks[i].GetName());
        const std::int32_t parent = tracks[i].GetParent();
        if (!FileRules::ParentAccepted(parent, i)) {
            // The parent stands in front of the keys just read.
            stream.Refuse(std::size_t(frames) * sizeof(AnimationKey) + sizeof parent,
                          "parent %d is neither -1 nor below the track's own index", static_cast<int>(parent));
            return stream.Within("track", i, tracks[i].GetName());
        }
    }
    return true;
}

void KeyframeAnimation::Advance(float seconds)
{
    if (!std::isfinite(seconds))
        return;
    if (seconds > kMaxStep)
        seconds = kMaxStep;
    time = time + seconds * speed;
    if (frameCount <= 1) {
        time = 0.0f;
        return;
    }
    // time - trunc(time / n) * n, computed exactly.
    const float loopLength = static_cast<float>(frameCount - 1);
    time = std::fmod(time, loopLength);
}
