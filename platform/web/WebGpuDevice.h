// The GPU device on the current WebGL 2 context: one shader program that transforms, lights,
// textures and alpha-tests as GL 1.1's fixed function does (per-vertex lighting, colours
// clamped before they are interpolated), a vertex buffer that the planned spans are copied
// into, and an index buffer of 32-bit indices.
#pragma once

#include "orvex/web/GpuDevice.h"

#include <memory>
#include <string>
#include <vector>

class WebGpuDevice final : public GpuDevice {
public:
    // Builds the program and the buffers on the current context; null when WebGL refuses
    // them (the reason goes to the browser's console).
    static std::unique_ptr<WebGpuDevice> Create();
    // Releases them; the context must still be current.
    ~WebGpuDevice() override;
    WebGpuDevice(const WebGpuDevice&) = delete;
    WebGpuDevice& operator=(const WebGpuDevice&) = delete;

    void SetCapability(GLenum cap, bool on) override;
    void ClearColor(float r, float g, float b, float a) override;
    void ClearDepth(float depth) override;
    void Clear(GLbitfield mask) override;
    void BlendFunc(GLenum source, GLenum destination) override;
    void DepthFunc(GLenum func) override;
    void CullFace(GLenum face) override;
    void FrontFace(GLenum mode) override;
    void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) override;
    void PolygonOffset(float factor, float units) override;
    void StencilFunc(GLenum func, GLint ref, GLuint mask) override;
    void StencilMask(GLuint mask) override;
    void StencilOp(GLenum fail, GLenum zfail, GLenum zpass) override;
    void Finish() override;

    void GenTextures(GLsizei count, GLuint* names) override;
    void DeleteTextures(GLsizei count, const GLuint* names) override;
    void BindTexture(GLuint name) override;
    void TexImage2D(GLint level, GLenum format, GLsizei width, GLsizei height, const void* pixels,
                    int alignment) override;
    void TexParameter(GLenum pname, GLint value) override;

    bool GetIntegers(GLenum pname, GLint* out) override;
    bool GetFloats(GLenum pname, GLfloat* out) override;
    GLenum GetError() override;
    int MaxTextureSize() override;
    const char* Renderer() override;

    void UploadVertices(const std::vector<VertexSpan>& spans) override;
    void Draw(const ShadingInputs& shading, const std::array<AttributeSource, kAttributeCount>& attributes, GLenum mode,
              const std::uint32_t* indices, std::uint32_t count) override;

private:
    struct Uniforms;

    WebGpuDevice();
    bool Build();
    void SetUniforms(const ShadingInputs& shading);

    GLuint program = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    std::unique_ptr<Uniforms> uniforms;
    std::vector<std::size_t> spanOffsets; // where each span of the last upload begins
    int unpackAlignment = 4;
    int maxTextureSize = 0;
    std::string renderer;
};
