#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/foundation/FileRules.h"
#include "orvex/foundation/NamedObject.h"

#include <cstring>
#include <new>

namespace {
constexpr std::size_t kNameBuffer = FileRules::kMaxNameLength + 1;
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
    if (!stream.ReadName(text, sizeof text, "name"))
        return false;
    if (!SetName(text))
        return stream.Refuse(0, "not enough memory for the name");
    if (!stream.ReadExact(&parent, sizeof parent, 1))
        return stream.Refuse(0, "the file ends before the parent");
    if (static_cast<std::uint64_t>(frameCount) > static_cast<std::uint64_t>(stream.BytesLeft() / kKeySize))
        return stream.Refuse(0, "the file ends inside the keys");
    AnimationKey* loaded = new (std::nothrow) AnimationKey[frameCount];
    if (loaded == nullptr)
        return stream.Refuse(0, "not enough memory for %u keys", static_cast<unsigned>(frameCount));
    if (!stream.ReadExact(loaded, sizeof(AnimationKey), frameCount)) {
        delete[] loaded;
        return stream.Refuse(0, "the file ends inside the keys");
    }
    delete[] keys;
    keys = loaded;
    return true;
}
