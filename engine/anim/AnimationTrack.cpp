#include "anim/KeyframeAnimation.h"
#include "foundation/NamedObject.h"

#include <cstring>
#include <new>

namespace {
constexpr std::size_t kNameBuffer = 80;
constexpr std::int64_t kKeySize = sizeof(AnimationKey);
} // namespace

AnimationTrack::~AnimationTrack()
{
    AnimationTrack::Destroy();
}

bool AnimationTrack::SetName(const char* text)
{
    return ReplaceName(name, text);
}

void AnimationTrack::Destroy()
{
    delete[] name;
    name = nullptr;
    delete[] keys;
    keys = nullptr;
}

bool AnimationTrack::Load(FileStream& stream, std::uint32_t frameCount)
{
    char text[kNameBuffer];
    if (stream.ReadString(text, sizeof text) < 0 || !SetName(text))
        return false;
    if (!stream.ReadExact(&parent, sizeof parent, 1))
        return false;
    if (static_cast<std::uint64_t>(frameCount) > static_cast<std::uint64_t>(stream.BytesLeft() / kKeySize))
        return false;
    AnimationKey* loaded = new (std::nothrow) AnimationKey[frameCount];
    if (loaded == nullptr)
        return false;
    if (!stream.ReadExact(loaded, sizeof(AnimationKey), frameCount)) {
        delete[] loaded;
        return false;
    }
    delete[] keys;
    keys = loaded;
    return true;
}
