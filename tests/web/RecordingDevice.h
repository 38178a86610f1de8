// A GpuDevice that keeps what the fixed-function layer hands to it, for tests without WebGL:
// the raster calls as text, the texture images, every vertex upload (copied) and every draw
// with its shading inputs, attribute layout and indices.
#pragma once

#include "orvex/web/GpuDevice.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

struct RecordedDraw {
    ShadingInputs shading;
    std::array<AttributeSource, kAttributeCount> attributes{};
    GLenum mode = 0;
    std::vector<std::uint32_t> indices; // empty for a draw without indices
    std::uint32_t count = 0;
    std::size_t upload = 0; // the upload it reads (index into uploads)
};

struct RecordedImage {
    GLuint texture = 0;
    GLint level = 0;
    GLenum format = 0;
    GLsizei width = 0, height = 0;
    int alignment = 0;
    std::vector<std::uint8_t> pixels; // as many bytes as the rows take
};

class RecordingDevice final : public GpuDevice {
public:
    std::vector<std::string> calls;                              // raster and texture calls, as text
    std::vector<std::vector<std::vector<std::uint8_t>>> uploads; // each upload's spans
    std::vector<RecordedDraw> draws;
    std::vector<RecordedImage> images;
    GLuint nextName = 1;
    GLuint bound = 0;
    int maxTextureSize = 4096;

    void SetCapability(GLenum cap, bool on) override { Log((on ? "enable " : "disable ") + Hex(cap)); }
    void ClearColor(float, float, float, float) override { Log("clear colour"); }
    void ClearDepth(float) override { Log("clear depth"); }
    void Clear(GLbitfield) override { Log("clear"); }
    void BlendFunc(GLenum s, GLenum d) override { Log("blend " + Hex(s) + " " + Hex(d)); }
    void DepthFunc(GLenum f) override { Log("depth " + Hex(f)); }
    void CullFace(GLenum f) override { Log("cull " + Hex(f)); }
    void FrontFace(GLenum f) override { Log("front " + Hex(f)); }
    void Viewport(GLint, GLint, GLsizei w, GLsizei h) override
    {
        Log("viewport " + std::to_string(w) + "x" + std::to_string(h));
    }
    void PolygonOffset(float, float) override { Log("polygon offset"); }
    void StencilFunc(GLenum, GLint, GLuint) override { Log("stencil func"); }
    void StencilMask(GLuint) override { Log("stencil mask"); }
    void StencilOp(GLenum, GLenum, GLenum) override { Log("stencil op"); }
    void Finish() override { Log("finish"); }

    void GenTextures(GLsizei n, GLuint* names) override
    {
        for (GLsizei i = 0; i < n; ++i)
            names[i] = nextName++;
    }
    void DeleteTextures(GLsizei n, const GLuint*) override { Log("delete " + std::to_string(n)); }
    void BindTexture(GLuint name) override { bound = name; }
    void TexImage2D(GLint level, GLenum format, GLsizei w, GLsizei h, const void* pixels, int alignment) override
    {
        RecordedImage image{bound, level, format, w, h, alignment, {}};
        if (pixels != nullptr) {
            const int components = ComponentsOfFormat(format);
            const std::size_t bytes =
                RowStride(w, components, PixelUnpack{alignment, 0}) * static_cast<std::size_t>(h > 0 ? h - 1 : 0) +
                static_cast<std::size_t>(w * components);
            const auto* p = static_cast<const std::uint8_t*>(pixels);
            image.pixels.assign(p, p + (h > 0 ? bytes : 0));
        }
        images.push_back(std::move(image));
    }
    void TexParameter(GLenum pname, GLint value) override { Log("parameter " + Hex(pname) + " " + Hex(value)); }

    bool GetIntegers(GLenum pname, GLint* out) override
    {
        if (pname != GL_DEPTH_BITS)
            return false;
        out[0] = 24;
        return true;
    }
    bool GetFloats(GLenum, GLfloat*) override { return false; }
    GLenum GetError() override { return GL_NO_ERROR; }
    int MaxTextureSize() override { return maxTextureSize; }
    const char* Renderer() override { return "recording"; }

    void UploadVertices(const std::vector<VertexSpan>& spans) override
    {
        auto& copy = uploads.emplace_back();
        for (const VertexSpan& span : spans)
            copy.emplace_back(span.data, span.data + span.bytes);
    }
    void Draw(const ShadingInputs& shading, const std::array<AttributeSource, kAttributeCount>& attributes, GLenum mode,
              const std::uint32_t* indices, std::uint32_t count) override
    {
        RecordedDraw draw{shading, attributes, mode, {}, count, uploads.empty() ? 0 : uploads.size() - 1};
        if (indices != nullptr)
            draw.indices.assign(indices, indices + count);
        draws.push_back(std::move(draw));
    }

    // Attribute `a` of vertex `v` of a draw, as floats (float arrays only).
    std::vector<float> Vertex(const RecordedDraw& draw, VertexAttribute a, std::uint32_t v) const
    {
        const AttributeSource& source = draw.attributes[a];
        if (!source.fromArray)
            return {source.constant.begin(), source.constant.end()};
        const std::vector<std::uint8_t>& span = uploads[draw.upload][source.span];
        std::vector<float> values(static_cast<std::size_t>(source.size));
        const std::size_t at = source.offset + static_cast<std::size_t>(source.stride) * v;
        for (int c = 0; c < source.size; ++c)
            std::memcpy(&values[static_cast<std::size_t>(c)], span.data() + at + 4 * static_cast<std::size_t>(c), 4);
        return values;
    }

private:
    void Log(const std::string& text) { calls.push_back(text); }
    static std::string Hex(unsigned value)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X", value);
        return text;
    }
};
