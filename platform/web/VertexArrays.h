// Where the fixed-function layer's vertices come from: the client arrays (glVertexPointer
// and its kin, glInterleavedArrays, with the locked range of GL_EXT_compiled_vertex_array)
// and glBegin/glEnd. WebGL 2 draws from buffers only, so each draw becomes a plan: the spans
// of client memory to copy into the vertex buffer, where each attribute then lies in it, and
// 32-bit indices (GL 1.1's quads, quad strips and polygons turned into triangles).
#pragma once

#include "orvex/render/GlApi.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The shader's vertex inputs, which are also its attribute locations.
enum VertexAttribute { AttributePosition = 0, AttributeNormal, AttributeColor, AttributeTexCoord, kAttributeCount };

struct ClientArray {
    bool enabled = false;
    int size = 4;
    GLenum type = GL_FLOAT;
    int stride = 0; // as given: 0 means tightly packed
    const void* pointer = nullptr;

    int ElementBytes() const;
    int Stride() const; // the bytes from one element to the next
};

// A piece of client memory to copy into the vertex buffer.
struct VertexSpan {
    const std::uint8_t* data = nullptr;
    std::size_t bytes = 0;
};

// Where one shader input reads from: an array in the vertex buffer, or one value for all.
struct AttributeSource {
    bool fromArray = false;
    std::size_t span = 0;   // the span it lies in
    std::size_t offset = 0; // bytes from the span's first byte to the first vertex's element
    int size = 4;
    GLenum type = GL_FLOAT;
    bool normalized = false;
    int stride = 0;
    std::array<float, 4> constant{0, 0, 0, 1};
};

// The vertices of one draw: vertex 0 of the plan is the first vertex of its range.
struct VertexPlan {
    std::vector<VertexSpan> spans;
    std::array<AttributeSource, kAttributeCount> attributes{};
    // Double-precision arrays are converted to floats; their spans point in here.
    std::vector<std::vector<float>> converted;
};

// The values of attributes whose array is off: the current normal, colour and texture
// coordinates.
struct CurrentAttributes {
    std::array<float, 4> color{1, 1, 1, 1};
    std::array<float, 3> normal{0, 0, 1};
    std::array<float, 4> texCoord{0, 0, 0, 1};
};

class ClientArrays {
public:
    // Each returns GL's error for refused arguments (GL_NO_ERROR when taken).
    GLenum EnableClientState(GLenum array, bool on);
    GLenum Pointer(VertexAttribute attribute, GLint size, GLenum type, GLsizei stride, const void* pointer);
    GLenum InterleavedArrays(GLenum format, GLsizei stride, const void* pointer);
    GLenum Lock(GLint first, GLsizei count);
    GLenum Unlock();

    const ClientArray& Array(VertexAttribute attribute) const { return arrays[attribute]; }
    // 1 or 0 for an array's enable flag, -1 for a name that is no client array.
    int IsClientStateEnabled(GLenum array) const;
    bool Locked() const { return lockCount > 0; }
    // Whether vertices [first, first + count) lie in the locked range.
    bool InLockedRange(std::uint32_t first, std::uint32_t count) const;
    std::uint32_t LockFirst() const { return static_cast<std::uint32_t>(lockFirst); }
    std::uint32_t LockCount() const { return static_cast<std::uint32_t>(lockCount); }
    // Counts every change of the arrays, so a plan of the locked range knows when it is stale.
    std::uint64_t Version() const { return version; }

    // The plan for vertices [first, first + count) of the enabled arrays; attributes whose
    // array is off take `current`.
    VertexPlan Plan(std::uint32_t first, std::uint32_t count, const CurrentAttributes& current) const;

private:
    bool* Flag(GLenum array);

    std::array<ClientArray, kAttributeCount> arrays{};
    bool colorIndexArray = false, edgeFlagArray = false; // accepted; RGBA fill drawing never reads them
    GLint lockFirst = 0;
    GLsizei lockCount = 0;
    std::uint64_t version = 0;
};

// Sets the constant values of the attributes whose array is off.
void SetConstants(std::array<AttributeSource, kAttributeCount>& attributes, const CurrentAttributes& current);

// The indices of a glDrawElements (GL_UNSIGNED_BYTE, GL_UNSIGNED_SHORT or GL_UNSIGNED_INT) as
// 32-bit values, with the smallest and largest. False for another type.
bool ReadIndices(GLenum type, GLsizei count, const void* indices, std::vector<std::uint32_t>* out,
                 std::uint32_t* smallest, std::uint32_t* largest);

// Whether GL 1.1 knows the primitive mode.
bool IsPrimitiveMode(GLenum mode);
// The WebGL mode a GL mode is drawn with: GL_TRIANGLES for quads, quad strips and polygons.
GLenum DrawnMode(GLenum mode);
// Turns the indices of a quad, quad strip or polygon draw into triangles that keep the
// winding and end on the vertex GL takes a flat-shaded primitive's colour from (the last
// vertex of a quad, the fourth of a quad-strip quad, the first of a polygon). Vertices that
// make no whole primitive are dropped, as GL drops them. Other modes stay as they are.
void ExpandToTriangles(GLenum mode, std::vector<std::uint32_t>& indices);

// glBegin/glEnd: each vertex with the current normal, colour and texture coordinates.
class ImmediateVertices {
public:
    static constexpr int kFloatsPerVertex = 15; // position 4, normal 3, colour 4, texture 4

    void Begin(GLenum mode);
    bool Inside() const { return inside; }
    GLenum Mode() const { return mode; }
    void Vertex(const std::array<float, 4>& position, const CurrentAttributes& current);
    // Ends the primitive; the plan of its vertices, and their count in *count.
    VertexPlan End(std::uint32_t* count);

private:
    bool inside = false;
    GLenum mode = GL_POINTS;
    std::vector<float> data;
};
