// The fixed-function layer: the GL 1.1 the engine calls, on WebGL 2. Each GL context of the
// web backend has a FixedFunctionContext (the state WebGL lacks, the client arrays, glBegin
// and glEnd, and a GpuDevice that draws); the GL functions of the engine's entry-point table
// act on the current one and, without one, do nothing and answer zero, as GL calls without
// a current context do.
//
// Offered extensions: GL_ARB_texture_env_add (the GL_ADD environment) and
// GL_EXT_compiled_vertex_array (a locked range is copied into the vertex buffer once, at its
// first draw, and every draw inside it reuses the copy).
#pragma once

#include "orvex/render/GlApi.h"
#include "orvex/web/FixedFunctionState.h"
#include "orvex/web/GpuDevice.h"
#include "orvex/web/VertexArrays.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline constexpr const char* kFixedFunctionExtensions = "GL_ARB_texture_env_add GL_EXT_compiled_vertex_array";

class FixedFunctionContext {
public:
    explicit FixedFunctionContext(std::unique_ptr<GpuDevice> device);

    FixedFunctionState& State() { return state; }
    ClientArrays& Arrays() { return arrays; }
    ImmediateVertices& Immediate() { return immediate; }
    GpuDevice& Device() { return *device; }

    CurrentAttributes Current() const;
    void DrawArrays(GLenum mode, GLint first, GLsizei count);
    void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
    void End();
    // GL_VENDOR, GL_RENDERER, GL_VERSION, GL_EXTENSIONS; null for another name.
    const char* String(GLenum name);

private:
    // Vertices [first, first + count) in the vertex buffer; the attributes, and the vertex
    // that became the buffer's first in *base.
    std::array<AttributeSource, kAttributeCount> Upload(std::uint32_t first, std::uint32_t count, std::uint32_t* base);
    void DrawIndexed(GLenum mode, std::vector<std::uint32_t>& indices,
                     const std::array<AttributeSource, kAttributeCount>& attributes);

    std::unique_ptr<GpuDevice> device;
    FixedFunctionState state;
    ClientArrays arrays;
    ImmediateVertices immediate;

    // The locked range's copy in the vertex buffer, valid while the arrays are unchanged
    // (their version) and nothing else has been copied over it.
    bool lockedUploaded = false;
    std::uint64_t lockedVersion = 0;
    std::array<AttributeSource, kAttributeCount> lockedAttributes{};

    std::string renderer;
    std::vector<std::uint32_t> indexScratch;
};

// The context the GL functions act on; null for none.
void MakeFixedFunctionCurrent(FixedFunctionContext* context);
FixedFunctionContext* CurrentFixedFunction();

// The layer's function of that GL name (the core of the engine's table and the offered
// extensions' functions); null for any other name.
GlProc FixedFunctionProc(const char* name);
