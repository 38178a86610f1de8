// Client arrays and glBegin/glEnd turned into vertex-buffer plans and 32-bit indices.
#include "orvex/web/VertexArrays.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The engine's vertex record: GL_T2F_N3F_V3F.
struct EngineVertex {
    float s, t, nx, ny, nz, x, y, z;
};

TEST(VertexArrays, InterleavedEngineVerticesShareOneSpanFromTheFirstVertex)
{
    std::vector<EngineVertex> vertices(10);
    for (int i = 0; i < 10; ++i)
        vertices[i] = {float(i), 0, 0, 0, 1, float(i), 1, 2};
    ClientArrays arrays;
    ASSERT_EQ(arrays.EnableClientState(GL_COLOR_ARRAY, true), GL_NO_ERROR);
    ASSERT_EQ(arrays.InterleavedArrays(GL_T2F_N3F_V3F, 0, vertices.data()), GL_NO_ERROR);
    EXPECT_FALSE(arrays.Array(AttributeColor).enabled); // the format has no colours

    const VertexPlan plan = arrays.Plan(4, 3, CurrentAttributes{});
    ASSERT_EQ(plan.spans.size(), 1u);
    EXPECT_EQ(plan.spans[0].data, reinterpret_cast<const std::uint8_t*>(&vertices[4]));
    EXPECT_EQ(plan.spans[0].bytes, 3 * sizeof(EngineVertex));
    const AttributeSource& texCoord = plan.attributes[AttributeTexCoord];
    const AttributeSource& normal = plan.attributes[AttributeNormal];
    const AttributeSource& position = plan.attributes[AttributePosition];
    EXPECT_TRUE(texCoord.fromArray && normal.fromArray && position.fromArray);
    EXPECT_EQ(texCoord.offset, 0u);
    EXPECT_EQ(normal.offset, 8u);
    EXPECT_EQ(position.offset, 20u);
    EXPECT_EQ(position.stride, 32);
    EXPECT_EQ(position.size, 3);
    EXPECT_FALSE(normal.normalized);
    // The colour comes from the current colour.
    EXPECT_FALSE(plan.attributes[AttributeColor].fromArray);
    EXPECT_EQ(plan.attributes[AttributeColor].constant, (std::array<float, 4>{1, 1, 1, 1}));
}

TEST(VertexArrays, InterleavedByteColoursAreNormalised)
{
    std::vector<std::uint8_t> memory(16 * 2);
    ClientArrays arrays;
    arrays.InterleavedArrays(GL_C4UB_V3F, 0, memory.data());
    const VertexPlan plan = arrays.Plan(0, 2, CurrentAttributes{});
    const AttributeSource& color = plan.attributes[AttributeColor];
    EXPECT_EQ(color.type, static_cast<GLenum>(GL_UNSIGNED_BYTE));
    EXPECT_TRUE(color.normalized);
    EXPECT_EQ(color.size, 4);
    EXPECT_EQ(plan.attributes[AttributePosition].offset, 4u);
    EXPECT_EQ(plan.attributes[AttributePosition].stride, 16);
    EXPECT_FALSE(plan.attributes[AttributeTexCoord].fromArray);
    EXPECT_EQ(arrays.InterleavedArrays(0x1234, 0, memory.data()), static_cast<GLenum>(GL_INVALID_ENUM));
}

TEST(VertexArrays, SeparateArraysGetSpansOfTheirOwnAndDoublesBecomeFloats)
{
    const float positions[] = {0, 0, 1, 1, 2, 2, 3, 3};
    const double texCoords[] = {0.5, 0.25, 1.5, 1.25, 2.5, 2.25, 3.5, 3.25};
    ClientArrays arrays;
    arrays.EnableClientState(GL_VERTEX_ARRAY, true);
    arrays.EnableClientState(GL_TEXTURE_COORD_ARRAY, true);
    ASSERT_EQ(arrays.Pointer(AttributePosition, 2, GL_FLOAT, 0, positions), GL_NO_ERROR);
    ASSERT_EQ(arrays.Pointer(AttributeTexCoord, 2, GL_DOUBLE, 0, texCoords), GL_NO_ERROR);
    CurrentAttributes current;
    current.normal = {0, 1, 0};
    const VertexPlan plan = arrays.Plan(1, 2, current);
    ASSERT_EQ(plan.spans.size(), 2u);
    const AttributeSource& position = plan.attributes[AttributePosition];
    EXPECT_EQ(plan.spans[position.span].data, reinterpret_cast<const std::uint8_t*>(positions + 2));
    EXPECT_EQ(plan.spans[position.span].bytes, 4 * sizeof(float));
    const AttributeSource& texCoord = plan.attributes[AttributeTexCoord];
    EXPECT_EQ(texCoord.type, static_cast<GLenum>(GL_FLOAT));
    float converted[4];
    std::memcpy(converted, plan.spans[texCoord.span].data, sizeof converted);
    EXPECT_EQ(converted[0], 1.5f);
    EXPECT_EQ(converted[3], 2.25f);
    EXPECT_EQ(plan.attributes[AttributeNormal].constant, (std::array<float, 4>{0, 1, 0, 1}));
}

TEST(VertexArrays, PointersAreCheckedAsGlChecksThem)
{
    ClientArrays arrays;
    const float data[4] = {};
    EXPECT_EQ(arrays.Pointer(AttributePosition, 1, GL_FLOAT, 0, data), static_cast<GLenum>(GL_INVALID_VALUE));
    EXPECT_EQ(arrays.Pointer(AttributePosition, 3, GL_FLOAT, -4, data), static_cast<GLenum>(GL_INVALID_VALUE));
    EXPECT_EQ(arrays.Pointer(AttributeNormal, 3, GL_UNSIGNED_BYTE, 0, data), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(arrays.Pointer(AttributeColor, 4, GL_UNSIGNED_INT, 0, data), static_cast<GLenum>(GL_NO_ERROR));
    // The vertex-weighting extension's array is not offered.
    EXPECT_EQ(arrays.EnableClientState(GL_VERTEX_WEIGHT_ARRAY_EXT, true), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(arrays.IsClientStateEnabled(GL_VERTEX_WEIGHT_ARRAY_EXT), -1);
}

TEST(VertexArrays, LockedRangesFollowTheExtensionsRules)
{
    ClientArrays arrays;
    EXPECT_EQ(arrays.Unlock(), static_cast<GLenum>(GL_INVALID_OPERATION));
    EXPECT_EQ(arrays.Lock(0, 0), static_cast<GLenum>(GL_INVALID_VALUE));
    const std::uint64_t before = arrays.Version();
    ASSERT_EQ(arrays.Lock(10, 70000), GL_NO_ERROR);
    EXPECT_NE(arrays.Version(), before);
    EXPECT_EQ(arrays.Lock(0, 1), static_cast<GLenum>(GL_INVALID_OPERATION));
    EXPECT_TRUE(arrays.InLockedRange(10, 70000));
    EXPECT_TRUE(arrays.InLockedRange(69999, 1));
    EXPECT_FALSE(arrays.InLockedRange(9, 2));
    EXPECT_FALSE(arrays.InLockedRange(70000, 11));
    ASSERT_EQ(arrays.Unlock(), GL_NO_ERROR);
    EXPECT_FALSE(arrays.InLockedRange(10, 1));
}

TEST(VertexArrays, IndicesOfEveryTypeBecome32BitValues)
{
    std::vector<std::uint32_t> out;
    std::uint32_t lo = 0, hi = 0;
    const std::uint32_t wide[] = {70000, 3, 65536, 65535};
    ASSERT_TRUE(ReadIndices(GL_UNSIGNED_INT, 4, wide, &out, &lo, &hi));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{70000, 3, 65536, 65535})); // nothing wraps at 16 bits
    EXPECT_EQ(lo, 3u);
    EXPECT_EQ(hi, 70000u);
    const std::uint16_t narrow[] = {9, 65535};
    ASSERT_TRUE(ReadIndices(GL_UNSIGNED_SHORT, 2, narrow, &out, &lo, &hi));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{9, 65535}));
    const std::uint8_t bytes[] = {200, 7, 7};
    ASSERT_TRUE(ReadIndices(GL_UNSIGNED_BYTE, 3, bytes, &out, &lo, &hi));
    EXPECT_EQ(lo, 7u);
    EXPECT_EQ(hi, 200u);
    EXPECT_FALSE(ReadIndices(GL_INT, 3, bytes, &out, &lo, &hi));
}

TEST(VertexArrays, QuadsStripsAndPolygonsBecomeTrianglesEndingOnTheirColourVertex)
{
    // Quads: each ends on its fourth vertex; a trailing partial quad is dropped.
    std::vector<std::uint32_t> v{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ExpandToTriangles(GL_QUADS, v);
    EXPECT_EQ(v, (std::vector<std::uint32_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}));
    // Quad strip 0 1 2 3 4 5: quads 0 1 3 2 and 2 3 5 4, ending on 3 and 5.
    v = {0, 1, 2, 3, 4, 5};
    ExpandToTriangles(GL_QUAD_STRIP, v);
    EXPECT_EQ(v, (std::vector<std::uint32_t>{0, 1, 3, 2, 0, 3, 2, 3, 5, 4, 2, 5}));
    // A polygon is a fan that ends on its first vertex.
    v = {10, 11, 12, 13, 14};
    ExpandToTriangles(GL_POLYGON, v);
    EXPECT_EQ(v, (std::vector<std::uint32_t>{11, 12, 10, 12, 13, 10, 13, 14, 10}));
    v = {10, 11};
    ExpandToTriangles(GL_POLYGON, v);
    EXPECT_TRUE(v.empty());
    // WebGL draws the other modes itself.
    v = {0, 1, 2, 3};
    ExpandToTriangles(GL_TRIANGLE_STRIP, v);
    EXPECT_EQ(v, (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(DrawnMode(GL_QUADS), static_cast<GLenum>(GL_TRIANGLES));
    EXPECT_EQ(DrawnMode(GL_LINE_LOOP), static_cast<GLenum>(GL_LINE_LOOP));
    EXPECT_FALSE(IsPrimitiveMode(GL_POLYGON + 1));
}

TEST(VertexArrays, ImmediateVerticesKeepTheirOwnAttributes)
{
    ImmediateVertices immediate;
    immediate.Begin(GL_QUADS);
    CurrentAttributes current;
    for (int i = 0; i < 4; ++i) {
        current.texCoord = {float(i), 0, 0, 1};
        current.color = {1, float(i) / 4, 0, 1};
        immediate.Vertex({float(i), 2, 0, 1}, current);
    }
    std::uint32_t count = 0;
    const VertexPlan plan = immediate.End(&count);
    EXPECT_FALSE(immediate.Inside());
    ASSERT_EQ(count, 4u);
    const AttributeSource& color = plan.attributes[AttributeColor];
    float green = 0;
    std::memcpy(&green, plan.spans[0].data + color.offset + 3 * static_cast<std::size_t>(color.stride) + 4, 4);
    EXPECT_EQ(green, 0.75f);
    EXPECT_EQ(plan.attributes[AttributePosition].size, 4);
}

} // namespace
