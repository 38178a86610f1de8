// Keyframe animation files and playback time: what loads, the step clamp and the loop,
// and every file the loader refuses.
#include "Fixtures.h"

#include "orvex/anim/KeyframeAnimation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace fixtures;

namespace {

bool LoadBytes(KeyframeAnimation& animation, const TempDir& dir, const std::vector<std::uint8_t>& bytes)
{
    return animation.Load(dir.Write("anim.knx", bytes).c_str());
}

// A file whose header and track count, reserved value and frame count are written by
// hand, followed by `rest`.
std::vector<std::uint8_t> Handmade(std::int32_t tracks, std::uint32_t frames,
                                   const std::vector<std::uint8_t>& rest = {})
{
    ByteWriter writer;
    writer.String("RIFF");
    writer.I32(100);
    writer.I32(tracks);
    writer.I32(0);
    writer.U32(frames);
    writer.Raw(rest.data(), rest.size());
    return writer.TakeBytes();
}

} // namespace

TEST(KeyframeAnimation, LoadsTracksKeysAndReservedValue)
{
    TempDir dir;
    AnimationDesc desc = StepAnimation(3, 4);
    desc.reserved = -7;
    desc.tracks[1].parent = 0;
    desc.tracks[2].parent = 1;
    desc.tracks[2].keys[3] = KeyDesc{{1, 2, 3}, {0.5f, 0.5f, 0.5f, 0.5f}};
    KeyframeAnimation animation;
    EXPECT_EQ(animation.GetSpeed(), 20.0f);
    ASSERT_TRUE(LoadBytes(animation, dir, EncodeAnimation(desc)));
    EXPECT_EQ(animation.GetTrackCount(), 3);
    EXPECT_EQ(animation.GetFrameCount(), 4u);
    EXPECT_EQ(animation.GetReserved(), -7);
    EXPECT_EQ(animation.GetTime(), 0.0f);
    const AnimationTrack* tracks = animation.GetTracks();
    EXPECT_STREQ(tracks[2].GetName(), "track2");
    EXPECT_EQ(tracks[0].GetParent(), -1);
    EXPECT_EQ(tracks[2].GetParent(), 1);
    const AnimationKey& key = tracks[2].GetKeys()[3];
    EXPECT_EQ(key.position.y, 2.0f);
    EXPECT_EQ(key.rotation.w, 0.5f);
    EXPECT_EQ(tracks[0].GetKeys()[2].position.x, 2.0f);

    // Loading again replaces the tracks and rewinds the time.
    animation.SetTime(2.5f);
    ASSERT_TRUE(LoadBytes(animation, dir, EncodeAnimation(StepAnimation(1, 2))));
    EXPECT_EQ(animation.GetTrackCount(), 1);
    EXPECT_EQ(animation.GetTime(), 0.0f);

    animation.Destroy();
    animation.Destroy();
    EXPECT_EQ(animation.GetTracks(), nullptr);
}

TEST(KeyframeAnimation, HeaderVariants)
{
    TempDir dir;
    KeyframeAnimation animation;
    AnimationDesc desc = StepAnimation(0, 0);
    EXPECT_TRUE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "no tracks";
    EXPECT_EQ(animation.GetTrackCount(), 0);

    desc.header.signature = "RIFFX";
    EXPECT_TRUE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "5-byte signature";
    desc.header.signature = "RIF";
    EXPECT_FALSE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "3-byte signature";
    desc.header.signature = "RIFF";
    desc.header.version = 101;
    EXPECT_FALSE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "version 101";
    EXPECT_FALSE(animation.Load(dir.File("missing.knx").c_str()));

    // Why a load failed stays until the next load, which forgets it.
    EXPECT_TRUE(animation.GetRefusal().IsSet());
    desc.header.version = 100;
    EXPECT_TRUE(LoadBytes(animation, dir, EncodeAnimation(desc)));
    EXPECT_FALSE(animation.GetRefusal().IsSet());
}

TEST(KeyframeAnimation, AdvanceStepsAtTwentyFramesAndLoopsOverFMinusOne)
{
    TempDir dir;
    KeyframeAnimation animation;
    ASSERT_TRUE(LoadBytes(animation, dir, EncodeAnimation(StepAnimation(1, 10))));

    animation.SetTime(8.5f);
    animation.Advance(0.05f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.5f); // 9.5 - 9

    struct Step {
        float seconds, frames;
    };
    for (Step step : {Step{1.0f, 2.0f}, Step{0.1f, 2.0f}, Step{0.05f, 1.0f}, Step{0.0f, 0.0f}}) {
        animation.SetTime(1.0f);
        animation.Advance(step.seconds);
        EXPECT_FLOAT_EQ(animation.GetTime(), 1.0f + step.frames) << step.seconds << " s";
    }

    // Reaching F - 1 exactly wraps to 0.
    animation.SetTime(8.0f);
    animation.Advance(0.05f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.0f);

    // Steps that are not numbers are ignored.
    animation.SetTime(3.0f);
    animation.Advance(std::numeric_limits<float>::quiet_NaN());
    animation.Advance(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(animation.GetTime(), 3.0f);
}

TEST(KeyframeAnimation, OneOrNoFramePinsTheTimeAtZeroAndTwoFramesStayBelowOne)
{
    TempDir dir;
    KeyframeAnimation one;
    ASSERT_TRUE(LoadBytes(one, dir, EncodeAnimation(StepAnimation(1, 1))));
    KeyframeAnimation none; // constructed: F = 0
    for (KeyframeAnimation* animation : {&one, &none}) {
        for (int i = 0; i < 5; ++i) {
            animation->Advance(0.07f);
            EXPECT_EQ(animation->GetTime(), 0.0f);
        }
    }

    KeyframeAnimation two;
    ASSERT_TRUE(LoadBytes(two, dir, EncodeAnimation(StepAnimation(1, 2))));
    float previous = 0.0f;
    bool wrapped = false;
    for (int i = 0; i < 40; ++i) {
        two.Advance(0.015f);
        EXPECT_GE(two.GetTime(), 0.0f);
        EXPECT_LT(two.GetTime(), 1.0f);
        wrapped = wrapped || two.GetTime() < previous;
        previous = two.GetTime();
    }
    EXPECT_TRUE(wrapped);
}

TEST(KeyframeAnimation, RefusesBadCountsAndNames)
{
    TempDir dir;
    KeyframeAnimation animation;
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(-1, 1))) << "negative track count";
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(1, 0, {0, 0xFF, 0xFF, 0xFF, 0xFF}))) << "tracks without frames";
    // Counts whose records could never fit the file, including ones whose byte size
    // overflows 64 bits when multiplied naively.
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(2, 1, std::vector<std::uint8_t>(33, 0)))) << "second track missing";
    // Two smallest tracks (empty name, root, one key) fill 2 x 33 bytes exactly: the count
    // limit lets them through, and one byte fewer is refused.
    std::vector<std::uint8_t> smallest;
    for (int i = 0; i < 2; ++i) {
        smallest.insert(smallest.end(), {0, 0xFF, 0xFF, 0xFF, 0xFF});
        smallest.insert(smallest.end(), 28, 0);
    }
    EXPECT_TRUE(LoadBytes(animation, dir, Handmade(2, 1, smallest))) << "smallest tracks filling the file";
    smallest.pop_back();
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(2, 1, smallest))) << "one byte short";
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(0x7FFFFFFF, 0xFFFFFFFF))) << "overflowing size";
    EXPECT_FALSE(LoadBytes(animation, dir, Handmade(1, 0xFFFFFFFF, std::vector<std::uint8_t>(64, 0))))
        << "keys missing";

    AnimationDesc desc = StepAnimation(2, 2);
    desc.tracks[1].name.assign(80, 'n');
    EXPECT_FALSE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "80-byte name";
    desc.tracks[1].name.assign(79, 'n');
    EXPECT_TRUE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "79-byte name";

    for (std::int32_t parent : {1, 2, -2, 1000}) {
        desc = StepAnimation(2, 2);
        desc.tracks[1].parent = parent;
        EXPECT_FALSE(LoadBytes(animation, dir, EncodeAnimation(desc))) << "parent " << parent;
    }
}

// Offsets: the track count at 9, the frame count at 17, track 0 at 21. StepAnimation(2, 2)
// has tracks "track0" and "track1" of 67 bytes each: track 1 at 88, its parent at 95, its
// keys at 99.
TEST(KeyframeAnimation, RefusalsSayWhyAndWhere)
{
    TempDir dir;
    const auto described = [](const KeyframeAnimation& animation) {
        char text[FileRefusal::kTextSize];
        animation.GetRefusal().Format(text, sizeof text);
        return std::string(text);
    };
    AnimationDesc named = StepAnimation(2, 2);
    named.tracks[1].name.assign(80, 'n');
    AnimationDesc parented = StepAnimation(2, 2);
    parented.tracks[1].parent = 1;
    AnimationDesc version = StepAnimation(1, 1);
    version.header.version = 99;
    std::vector<std::uint8_t> cut = EncodeAnimation(StepAnimation(2, 2));
    cut.resize(cut.size() - 1);
    const struct {
        std::vector<std::uint8_t> file;
        const char* reason;
        std::int64_t at;
    } cases[] = {
        {EncodeAnimation(version), "header: the version is 99; only version 100 is read", 5},
        {Handmade(-1, 1), "track section: negative track count -1", 9},
        {Handmade(1, 0, {0, 0xFF, 0xFF, 0xFF, 0xFF}),
         "track section: frame count 0 leaves the tracks without a single key (track count 1)", 17},
        {Handmade(0x7FFFFFFF, 0xFFFFFFFF),
         "track section: track count 2147483647 of 4294967295 frames each needs at least 18446744073709551615 bytes, "
         "the file has 0 left",
         9},
        {EncodeAnimation(named), "track 1: name of 80 bytes, at most 79 fit", 88},
        {EncodeAnimation(parented), "track 1 \"track1\": parent 1 is neither -1 nor below the track's own index", 95},
        {cut, "track 1 \"track1\": the file ends inside the keys", 99},
    };
    for (const auto& c : cases) {
        KeyframeAnimation animation;
        EXPECT_FALSE(LoadBytes(animation, dir, c.file)) << c.reason;
        EXPECT_EQ(described(animation), c.reason);
        EXPECT_EQ(animation.GetRefusal().GetOffset(), c.at) << c.reason;
    }
}

TEST(KeyframeAnimation, RefusesEveryTruncation)
{
    TempDir dir;
    AnimationDesc desc = StepAnimation(2, 3);
    desc.tracks[1].parent = 0;
    const std::vector<std::uint8_t> bytes = EncodeAnimation(desc);
    KeyframeAnimation animation;
    ASSERT_TRUE(LoadBytes(animation, dir, bytes));
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        KeyframeAnimation cut;
        EXPECT_FALSE(LoadBytes(cut, dir, {bytes.begin(), bytes.begin() + std::ptrdiff_t(size)})) << size << " bytes";
        EXPECT_TRUE(cut.GetRefusal().IsSet()) << size;
    }
    // Bytes after the last track are never read.
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0xEE);
    EXPECT_TRUE(LoadBytes(animation, dir, longer));
}
