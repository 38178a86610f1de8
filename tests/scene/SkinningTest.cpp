// Skinning paths: every vector path this processor has gives the scalar reference's bytes,
// for vertex counts around and between the vector widths, bones that change anywhere in a
// pair, and values that round, overflow or underflow; nothing outside the positions changes.
#include "orvex/scene/Skinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t kBones = 5;

// Restores the path chosen before the test.
class SkinningTest : public ::testing::TestWithParam<SkinningPath> {
protected:
    void SetUp() override
    {
        if (!SkinningPathAvailable(GetParam()))
            GTEST_SKIP() << SkinningPathName(GetParam()) << " is not available here";
    }
    void TearDown() override { SetSkinningPath(before); }

    SkinningPath before = GetSkinningPath();
};

struct Input {
    std::vector<Matrix4> bones;
    std::vector<Vector3> rest;
    std::vector<std::int32_t> nodes;
    // One record more than the count: a marker that no path may touch.
    std::vector<MeshVertex> vertices;
};

// Random poses and rest positions; `pattern` picks how node indices change from vertex to
// vertex: 0 runs of random length, 1 a new bone at every vertex, 2 one bone throughout.
Input MakeInput(std::int32_t count, int pattern, std::mt19937& random)
{
    std::uniform_real_distribution<float> value(-4.0f, 4.0f);
    Input input;
    input.bones.resize(kBones);
    for (Matrix4& bone : input.bones) {
        for (float& element : bone.m)
            element = value(random);
    }
    std::uniform_int_distribution<std::int32_t> anyBone(0, kBones - 1);
    std::uniform_int_distribution<int> runLength(1, 7);
    std::int32_t bone = anyBone(random);
    int left = runLength(random);
    for (std::int32_t i = 0; i < count; ++i) {
        if (pattern == 1 || (pattern == 0 && --left == 0)) {
            bone = (bone + 1 + anyBone(random) % (kBones - 1)) % kBones;
            left = runLength(random);
        }
        input.nodes.push_back(bone);
        input.rest.push_back({value(random), value(random), value(random)});
    }
    // Exactly as long as their contents, so that AddressSanitizer sees a read past the end.
    input.rest.shrink_to_fit();
    input.nodes.shrink_to_fit();
    input.vertices.resize(static_cast<std::size_t>(count) + 1);
    std::memset(input.vertices.data(), 0xA5, input.vertices.size() * sizeof(MeshVertex));
    for (std::int32_t i = 0; i < count; ++i) {
        MeshVertex& vertex = input.vertices[static_cast<std::size_t>(i)];
        vertex.s = static_cast<float>(i);
        vertex.t = -static_cast<float>(i);
        vertex.normal = {value(random), value(random), 1.0f + static_cast<float>(i)};
    }
    return input;
}

// Skins a copy of the input's vertices on the path under test and on the reference, and
// compares every byte, the marker record included.
void ExpectSameAsReference(const Input& input)
{
    const auto count = static_cast<std::int32_t>(input.rest.size());
    std::vector<MeshVertex> fast = input.vertices;
    std::vector<MeshVertex> reference = input.vertices;
    SkinVertices(input.bones.data(), input.rest.data(), input.nodes.data(), fast.data(), count);
    SkinVerticesScalar(input.bones.data(), input.rest.data(), input.nodes.data(), reference.data(), count);
    for (std::int32_t i = 0; i <= count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        ASSERT_EQ(std::memcmp(&fast[at], &reference[at], sizeof(MeshVertex)), 0)
            << "vertex " << i << " of " << count << ": (" << fast[at].position.x << ", " << fast[at].position.y << ", "
            << fast[at].position.z << ") against (" << reference[at].position.x << ", " << reference[at].position.y
            << ", " << reference[at].position.z << ")";
    }
    EXPECT_EQ(std::memcmp(&reference[static_cast<std::size_t>(count)], &input.vertices[static_cast<std::size_t>(count)],
                          sizeof(MeshVertex)),
              0)
        << "the record after the last vertex was written";
}

} // namespace

TEST_P(SkinningTest, EveryCountAroundTheVectorWidthsGivesTheReferenceBytes)
{
    ASSERT_TRUE(SetSkinningPath(GetParam()));
    EXPECT_EQ(GetSkinningPath(), GetParam());
    std::mt19937 random(25);
    for (int pattern = 0; pattern < 3; ++pattern) {
        for (std::int32_t count : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 16, 17, 31, 33, 1001, 4099}) {
            SCOPED_TRACE(testing::Message() << "pattern " << pattern << ", " << count << " vertices");
            ExpectSameAsReference(MakeInput(count, pattern, random));
        }
    }
}

TEST_P(SkinningTest, RoundingOverflowAndTinyValuesGiveTheReferenceBytes)
{
    ASSERT_TRUE(SetSkinningPath(GetParam()));
    std::mt19937 random(7);
    Input input = MakeInput(23, 0, random);
    const float huge = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::denorm_min();
    // Sums whose order decides the result (1e8 + 1 - 1e8), overflow to infinity, infinities
    // meeting in a sum (not a number), signed zeros and subnormal products.
    input.bones[0] = {{1e8f, 1.0f, -1e8f, 0.5f, huge, huge, 0.0f, 0.0f, -0.0f, -0.0f, -0.0f, -0.0f}};
    input.bones[1] = {{tiny, 1e-30f, 3.0f, -tiny, 1.0f, -1.0f, 1e-20f, 0.0f, 0.1f, 0.2f, 0.3f, 1e-38f}};
    input.rest[0] = {1.0f, 1.0f, 1.0f};
    input.rest[1] = {huge, -huge, 0.0f};
    input.rest[2] = {-0.0f, 0.0f, -0.0f};
    input.rest[3] = {1e-10f, tiny, 0.5f};
    input.rest[4] = {huge, -huge, 0.0f};
    input.rest[22] = {0.1f, 0.7f, -0.3f};
    for (std::int32_t i : {0, 1, 2, 3, 4, 22})
        input.nodes[static_cast<std::size_t>(i)] = i % 2;
    ExpectSameAsReference(input);
}

INSTANTIATE_TEST_SUITE_P(Paths, SkinningTest,
                         ::testing::Values(SkinningPath::Scalar, SkinningPath::Sse2, SkinningPath::Avx2),
                         [](const ::testing::TestParamInfo<SkinningPath>& info) {
                             return std::string(SkinningPathName(info.param));
                         });

TEST(SkinningChoice, TheReferenceIsAlwaysThereAndAMissingPathIsRefused)
{
    const SkinningPath before = GetSkinningPath();
    EXPECT_TRUE(SkinningPathAvailable(SkinningPath::Scalar));
    EXPECT_TRUE(SkinningPathAvailable(before));
    ASSERT_TRUE(SetSkinningPath(SkinningPath::Scalar));
    EXPECT_EQ(GetSkinningPath(), SkinningPath::Scalar);
    for (SkinningPath path : {SkinningPath::Sse2, SkinningPath::Avx2}) {
        if (!SkinningPathAvailable(path)) {
            EXPECT_FALSE(SetSkinningPath(path));
            EXPECT_EQ(GetSkinningPath(), SkinningPath::Scalar);
        }
    }
    // A vector path implies the ones below it.
    if (SkinningPathAvailable(SkinningPath::Avx2)) {
        EXPECT_TRUE(SkinningPathAvailable(SkinningPath::Sse2));
    }
    EXPECT_TRUE(SetSkinningPath(before));
}
