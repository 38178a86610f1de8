// What the fixed-function layer asks of the GPU: the raster state and textures that WebGL 2
// keeps as GL 1.1 does, queries, and drawing with the layer's shader from planned vertices.
// WebGpuDevice is the one on a WebGL 2 context; tests put a recording one in its place.
#pragma once

#include "orvex/render/GlApi.h"
#include "orvex/web/FixedFunctionState.h"
#include "orvex/web/VertexArrays.h"

#include <array>
#include <cstdint>
#include <vector>

class GpuDevice {
public:
    virtual ~GpuDevice() = default;

    // --- raster state, as GL 1.1 names it (GL_CLAMP never arrives: the layer maps it) ---
    virtual void SetCapability(GLenum cap, bool on) = 0;
    virtual void ClearColor(float r, float g, float b, float a) = 0;
    virtual void ClearDepth(float depth) = 0;
    virtual void Clear(GLbitfield mask) = 0;
    virtual void BlendFunc(GLenum source, GLenum destination) = 0;
    virtual void DepthFunc(GLenum func) = 0;
    virtual void CullFace(GLenum face) = 0;
    virtual void FrontFace(GLenum mode) = 0;
    virtual void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) = 0;
    virtual void PolygonOffset(float factor, float units) = 0;
    virtual void StencilFunc(GLenum func, GLint ref, GLuint mask) = 0;
    virtual void StencilMask(GLuint mask) = 0;
    virtual void StencilOp(GLenum fail, GLenum zfail, GLenum zpass) = 0;
    virtual void Finish() = 0;

    // --- textures ---
    virtual void GenTextures(GLsizei count, GLuint* names) = 0;
    virtual void DeleteTextures(GLsizei count, const GLuint* names) = 0;
    virtual void BindTexture(GLuint name) = 0;
    // Level `level` of the bound texture: `format` (GL_ALPHA, GL_LUMINANCE,
    // GL_LUMINANCE_ALPHA, GL_RGB or GL_RGBA) is both the texture's format and the pixels',
    // unsigned bytes in rows that start on multiples of `alignment` bytes; null pixels leave
    // the image undefined.
    virtual void TexImage2D(GLint level, GLenum format, GLsizei width, GLsizei height, const void* pixels,
                            int alignment) = 0;
    virtual void TexParameter(GLenum pname, GLint value) = 0;

    // --- queries ---
    // WebGL's answer for a parameter the layer does not keep; false when WebGL has no such
    // parameter. Writes up to 16 values.
    virtual bool GetIntegers(GLenum pname, GLint* out) = 0;
    virtual bool GetFloats(GLenum pname, GLfloat* out) = 0;
    virtual GLenum GetError() = 0;
    virtual int MaxTextureSize() = 0;
    // What draws WebGL: the unmasked renderer when the browser tells it, else its renderer.
    virtual const char* Renderer() = 0;

    // --- drawing ---
    // Copies the spans into the vertex buffer, replacing what it held.
    virtual void UploadVertices(const std::vector<VertexSpan>& spans) = 0;
    // Draws with the shader set up from `shading`, the attributes read from the vertex buffer
    // as `attributes` place them (span numbers of the last upload), in `mode` (a WebGL mode):
    // `count` indices from `indices`, or without indices vertices [0, count).
    virtual void Draw(const ShadingInputs& shading, const std::array<AttributeSource, kAttributeCount>& attributes,
                      GLenum mode, const std::uint32_t* indices, std::uint32_t count) = 0;
};
