#include "orvex/web/VertexArrays.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

int TypeBytes(GLenum type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
        return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
        return 2;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
        return 4;
    case GL_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

// The sizes and types GL 1.1 takes for each array.
bool SizeAccepted(VertexAttribute attribute, GLint size)
{
    switch (attribute) {
    case AttributePosition:
        return size >= 2 && size <= 4;
    case AttributeNormal:
        return size == 3;
    case AttributeColor:
        return size == 3 || size == 4;
    default:
        return size >= 1 && size <= 4;
    }
}

bool TypeAccepted(VertexAttribute attribute, GLenum type)
{
    switch (type) {
    case GL_SHORT:
    case GL_INT:
    case GL_FLOAT:
    case GL_DOUBLE:
        return true;
    case GL_BYTE:
        return attribute == AttributeNormal || attribute == AttributeColor;
    case GL_UNSIGNED_BYTE:
    case GL_UNSIGNED_SHORT:
    case GL_UNSIGNED_INT:
        return attribute == AttributeColor;
    default:
        return false;
    }
}

// One row of GL 1.1's table of interleaved formats: which arrays it holds, their sizes and
// offsets in floats (colour bytes count as one float), and the whole vertex.
struct InterleavedFormat {
    GLenum format;
    int texSize, colorSize, vertexSize; // 0: no such array
    GLenum colorType;
    int colorAt, normalAt, vertexAt; // in floats; -1: none
    bool normal;
    int floats; // the vertex's size in floats
};

// clang-format off
constexpr InterleavedFormat kInterleaved[] = {
    {GL_V2F,             0, 0, 2, 0,                -1, -1,  0, false,  2},
    {GL_V3F,             0, 0, 3, 0,                -1, -1,  0, false,  3},
    {GL_C4UB_V2F,        0, 4, 2, GL_UNSIGNED_BYTE,  0, -1,  1, false,  3},
    {GL_C4UB_V3F,        0, 4, 3, GL_UNSIGNED_BYTE,  0, -1,  1, false,  4},
    {GL_C3F_V3F,         0, 3, 3, GL_FLOAT,          0, -1,  3, false,  6},
    {GL_N3F_V3F,         0, 0, 3, 0,                -1,  0,  3, true,   6},
    {GL_C4F_N3F_V3F,     0, 4, 3, GL_FLOAT,          0,  4,  7, true,  10},
    {GL_T2F_V3F,         2, 0, 3, 0,                -1, -1,  2, false,  5},
    {GL_T4F_V4F,         4, 0, 4, 0,                -1, -1,  4, false,  8},
    {GL_T2F_C4UB_V3F,    2, 4, 3, GL_UNSIGNED_BYTE,  2, -1,  3, false,  6},
    {GL_T2F_C3F_V3F,     2, 3, 3, GL_FLOAT,          2, -1,  5, false,  8},
    {GL_T2F_N3F_V3F,     2, 0, 3, 0,                -1,  2,  5, true,   8},
    {GL_T2F_C4F_N3F_V3F, 2, 4, 3, GL_FLOAT,          2,  6,  9, true,  12},
    {GL_T4F_C4F_N3F_V4F, 4, 4, 4, GL_FLOAT,          4,  8, 11, true,  15},
};
// clang-format on

std::array<float, 4> Constant(VertexAttribute attribute, const CurrentAttributes& current)
{
    switch (attribute) {
    case AttributeNormal:
        return {current.normal[0], current.normal[1], current.normal[2], 1};
    case AttributeColor:
        return current.color;
    case AttributeTexCoord:
        return current.texCoord;
    default:
        return {0, 0, 0, 1};
    }
}

} // namespace

int ClientArray::ElementBytes() const
{
    return size * TypeBytes(type);
}

int ClientArray::Stride() const
{
    return stride != 0 ? stride : ElementBytes();
}

bool* ClientArrays::Flag(GLenum array)
{
    switch (array) {
    case GL_VERTEX_ARRAY:
        return &arrays[AttributePosition].enabled;
    case GL_NORMAL_ARRAY:
        return &arrays[AttributeNormal].enabled;
    case GL_COLOR_ARRAY:
        return &arrays[AttributeColor].enabled;
    case GL_TEXTURE_COORD_ARRAY:
        return &arrays[AttributeTexCoord].enabled;
    case GL_INDEX_ARRAY:
        return &colorIndexArray;
    case GL_EDGE_FLAG_ARRAY:
        return &edgeFlagArray;
    default:
        return nullptr;
    }
}

GLenum ClientArrays::EnableClientState(GLenum array, bool on)
{
    bool* flag = Flag(array);
    if (flag == nullptr)
        return GL_INVALID_ENUM;
    *flag = on;
    ++version;
    return GL_NO_ERROR;
}

int ClientArrays::IsClientStateEnabled(GLenum array) const
{
    const bool* flag = const_cast<ClientArrays*>(this)->Flag(array);
    return flag == nullptr ? -1 : *flag ? 1 : 0;
}

GLenum ClientArrays::Pointer(VertexAttribute attribute, GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    if (!TypeAccepted(attribute, type))
        return GL_INVALID_ENUM;
    if (!SizeAccepted(attribute, size) || stride < 0)
        return GL_INVALID_VALUE;
    ++version;
    arrays[attribute].size = size;
    arrays[attribute].type = type;
    arrays[attribute].stride = stride;
    arrays[attribute].pointer = pointer;
    return GL_NO_ERROR;
}

GLenum ClientArrays::InterleavedArrays(GLenum format, GLsizei stride, const void* pointer)
{
    const InterleavedFormat* f = nullptr;
    for (const InterleavedFormat& row : kInterleaved)
        if (row.format == format)
            f = &row;
    if (f == nullptr)
        return GL_INVALID_ENUM;
    if (stride < 0)
        return GL_INVALID_VALUE;
    const int bytes = stride != 0 ? stride : f->floats * static_cast<int>(sizeof(float));
    const auto* base = static_cast<const std::uint8_t*>(pointer);
    auto at = [base](int floats) { return base + floats * static_cast<int>(sizeof(float)); };

    EnableClientState(GL_EDGE_FLAG_ARRAY, false);
    EnableClientState(GL_INDEX_ARRAY, false);
    EnableClientState(GL_TEXTURE_COORD_ARRAY, f->texSize != 0);
    if (f->texSize != 0)
        Pointer(AttributeTexCoord, f->texSize, GL_FLOAT, bytes, at(0));
    EnableClientState(GL_COLOR_ARRAY, f->colorSize != 0);
    if (f->colorSize != 0)
        Pointer(AttributeColor, f->colorSize, f->colorType, bytes, at(f->colorAt));
    EnableClientState(GL_NORMAL_ARRAY, f->normal);
    if (f->normal)
        Pointer(AttributeNormal, 3, GL_FLOAT, bytes, at(f->normalAt));
    EnableClientState(GL_VERTEX_ARRAY, true);
    Pointer(AttributePosition, f->vertexSize, GL_FLOAT, bytes, at(f->vertexAt));
    return GL_NO_ERROR;
}

GLenum ClientArrays::Lock(GLint first, GLsizei count)
{
    if (first < 0 || count <= 0)
        return GL_INVALID_VALUE;
    if (Locked())
        return GL_INVALID_OPERATION;
    lockFirst = first;
    lockCount = count;
    ++version;
    return GL_NO_ERROR;
}

GLenum ClientArrays::Unlock()
{
    if (!Locked())
        return GL_INVALID_OPERATION;
    lockFirst = 0;
    lockCount = 0;
    ++version;
    return GL_NO_ERROR;
}

bool ClientArrays::InLockedRange(std::uint32_t first, std::uint32_t count) const
{
    if (!Locked())
        return false;
    const std::uint64_t begin = LockFirst(), end = begin + LockCount();
    return first >= begin && std::uint64_t{first} + count <= end;
}

VertexPlan ClientArrays::Plan(std::uint32_t first, std::uint32_t count, const CurrentAttributes& current) const
{
    VertexPlan plan;
    // Each array's bytes for the range; arrays that share memory (interleaved ones) share one
    // span, so every byte is copied once.
    struct Piece {
        VertexAttribute attribute;
        const std::uint8_t* begin;
        const std::uint8_t* end;
    };
    std::vector<Piece> pieces;
    for (int a = 0; a < kAttributeCount; ++a) {
        const auto attribute = static_cast<VertexAttribute>(a);
        const ClientArray& array = arrays[a];
        AttributeSource& source = plan.attributes[a];
        source.constant = Constant(attribute, current);
        if (!array.enabled || array.pointer == nullptr || count == 0)
            continue;
        source.fromArray = true;
        source.size = array.size;
        // Normals and colours of integer types reach the shader scaled to [-1, 1] or [0, 1].
        source.normalized = array.type != GL_FLOAT && array.type != GL_DOUBLE &&
                            (attribute == AttributeNormal || attribute == AttributeColor);
        const std::size_t stride = static_cast<std::size_t>(array.Stride());
        const auto* start = static_cast<const std::uint8_t*>(array.pointer) + stride * first;
        if (array.type == GL_DOUBLE) {
            std::vector<float>& floats = plan.converted.emplace_back();
            floats.reserve(static_cast<std::size_t>(count) * static_cast<std::size_t>(array.size));
            for (std::uint32_t v = 0; v < count; ++v) {
                for (int c = 0; c < array.size; ++c) {
                    double value;
                    std::memcpy(&value, start + stride * v + sizeof(double) * static_cast<std::size_t>(c),
                                sizeof value);
                    floats.push_back(static_cast<float>(value));
                }
            }
            source.type = GL_FLOAT;
            source.stride = array.size * static_cast<int>(sizeof(float));
            source.span = plan.spans.size();
            source.offset = 0;
            plan.spans.push_back({reinterpret_cast<const std::uint8_t*>(floats.data()), floats.size() * sizeof(float)});
            continue;
        }
        source.type = array.type;
        source.stride = array.Stride();
        const std::uint8_t* end = start + stride * (count - 1) + static_cast<std::size_t>(array.ElementBytes());
        pieces.push_back({attribute, start, end});
    }
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.begin < b.begin; });
    for (std::size_t i = 0; i < pieces.size();) {
        const std::uint8_t* begin = pieces[i].begin;
        const std::uint8_t* end = pieces[i].end;
        std::size_t j = i;
        while (j < pieces.size() && pieces[j].begin <= end) {
            end = std::max(end, pieces[j].end);
            ++j;
        }
        const std::size_t span = plan.spans.size();
        plan.spans.push_back({begin, static_cast<std::size_t>(end - begin)});
        for (; i < j; ++i) {
            AttributeSource& source = plan.attributes[pieces[i].attribute];
            source.span = span;
            source.offset = static_cast<std::size_t>(pieces[i].begin - begin);
        }
    }
    return plan;
}

void SetConstants(std::array<AttributeSource, kAttributeCount>& attributes, const CurrentAttributes& current)
{
    for (int a = 0; a < kAttributeCount; ++a)
        attributes[a].constant = Constant(static_cast<VertexAttribute>(a), current);
}

bool ReadIndices(GLenum type, GLsizei count, const void* indices, std::vector<std::uint32_t>* out,
                 std::uint32_t* smallest, std::uint32_t* largest)
{
    const int bytes = type == GL_UNSIGNED_BYTE ? 1 : type == GL_UNSIGNED_SHORT ? 2 : type == GL_UNSIGNED_INT ? 4 : 0;
    if (bytes == 0)
        return false;
    out->resize(static_cast<std::size_t>(std::max(count, 0)));
    std::uint32_t lo = std::numeric_limits<std::uint32_t>::max(), hi = 0;
    const auto* p = static_cast<const std::uint8_t*>(indices);
    for (std::size_t i = 0; i < out->size(); ++i) {
        std::uint32_t value = 0;
        if (bytes == 1) {
            value = p[i];
        } else if (bytes == 2) {
            std::uint16_t v16;
            std::memcpy(&v16, p + 2 * i, 2);
            value = v16;
        } else {
            std::memcpy(&value, p + 4 * i, 4);
        }
        (*out)[i] = value;
        lo = std::min(lo, value);
        hi = std::max(hi, value);
    }
    *smallest = out->empty() ? 0 : lo;
    *largest = out->empty() ? 0 : hi;
    return true;
}

bool IsPrimitiveMode(GLenum mode)
{
    return mode <= GL_POLYGON;
}

GLenum DrawnMode(GLenum mode)
{
    return mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON ? GL_TRIANGLES : mode;
}

void ExpandToTriangles(GLenum mode, std::vector<std::uint32_t>& v)
{
    std::vector<std::uint32_t> t;
    if (mode == GL_QUADS) {
        // Quad a b c d: a b d and b c d, both ending on d.
        for (std::size_t q = 0; q + 3 < v.size(); q += 4)
            t.insert(t.end(), {v[q], v[q + 1], v[q + 3], v[q + 1], v[q + 2], v[q + 3]});
    } else if (mode == GL_QUAD_STRIP) {
        // Quad k runs 2k, 2k+1, 2k+3, 2k+2 and takes its colour from 2k+3.
        for (std::size_t k = 0; 2 * k + 3 < v.size(); ++k) {
            const std::uint32_t a = v[2 * k], b = v[2 * k + 1], c = v[2 * k + 3], d = v[2 * k + 2];
            t.insert(t.end(), {a, b, c, d, a, c});
        }
    } else if (mode == GL_POLYGON) {
        // A fan about the first vertex, each triangle turned so that it ends on it.
        for (std::size_t i = 1; v.size() >= 3 && i + 1 < v.size(); ++i)
            t.insert(t.end(), {v[i], v[i + 1], v[0]});
    } else {
        return;
    }
    v = std::move(t);
}

void ImmediateVertices::Begin(GLenum primitive)
{
    inside = true;
    mode = primitive;
    data.clear();
}

void ImmediateVertices::Vertex(const std::array<float, 4>& p, const CurrentAttributes& c)
{
    data.insert(data.end(), {p[0], p[1], p[2], p[3], c.normal[0], c.normal[1], c.normal[2], c.color[0], c.color[1],
                             c.color[2], c.color[3], c.texCoord[0], c.texCoord[1], c.texCoord[2], c.texCoord[3]});
}

VertexPlan ImmediateVertices::End(std::uint32_t* count)
{
    inside = false;
    VertexPlan plan;
    *count = static_cast<std::uint32_t>(data.size() / kFloatsPerVertex);
    plan.spans.push_back({reinterpret_cast<const std::uint8_t*>(data.data()), data.size() * sizeof(float)});
    const int offsets[kAttributeCount] = {0, 4, 7, 11};
    const int sizes[kAttributeCount] = {4, 3, 4, 4};
    for (int a = 0; a < kAttributeCount; ++a) {
        AttributeSource& source = plan.attributes[a];
        source.fromArray = true;
        source.span = 0;
        source.offset = static_cast<std::size_t>(offsets[a]) * sizeof(float);
        source.size = sizes[a];
        source.type = GL_FLOAT;
        source.stride = kFloatsPerVertex * static_cast<int>(sizeof(float));
    }
    return plan;
}
