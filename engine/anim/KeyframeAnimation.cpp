#include "anim/KeyframeAnimation.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

// Smallest track record: an empty name's length byte, the parent, then the keys.
constexpr std::int64_t kTrackHeadSize = 1 + 4;

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

    FileStream stream;
    if (!stream.Open(path, FileStreamRead))
        return false;

    if (!ReadFileHeader(stream))
        return false;

    // The track count, the reserved value and the frame count stand together in front of
    // the tracks; all three are read before anything is allocated from them.
    std::int32_t count = 0;
    std::int32_t reservedValue = 0;
    std::uint32_t frames = 0;
    if (!stream.ReadExact(&count, sizeof count, 1) || !stream.ReadExact(&reservedValue, sizeof reservedValue, 1) ||
        !stream.ReadExact(&frames, sizeof frames, 1))
        return false;
    reserved = reservedValue;
    frameCount = frames;
    if (count < 0)
        return false;
    if (count > 0) {
        if (frames == 0)
            return false; // tracks without a single key have no pose to show
        const std::int64_t trackSize = kTrackHeadSize + std::int64_t(frames) * std::int64_t(sizeof(AnimationKey));
        if (count > stream.BytesLeft() / trackSize)
            return false;
    }

    tracks = new (std::nothrow) AnimationTrack[static_cast<std::size_t>(count)];
    if (tracks == nullptr)
        return false;
    trackCount = count;

    for (std::int32_t i = 0; i < count; ++i) {
        if (!tracks[i].Load(stream, frames))
            return false;
        const std::int32_t parent = tracks[i].GetParent();
        if (parent != -1 && (parent < 0 || parent >= i))
            return false;
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
