#include "orvex/web/WebGpuDevice.h"

// After the engine's GL vocabulary: the WebGL header's macros then only repeat the values
// the engine's enumerators already have.
#include <GLES3/gl3.h>
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdio>

namespace {

const char* const kVertexShader = R"(#version 300 es
precision highp float;
precision highp int;

layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColor;
layout(location = 3) in vec4 aTexCoord;

uniform mat4 uModelView;
uniform mat4 uProjection;
uniform mat4 uTextureMatrix;
uniform mat3 uNormalMatrix;
uniform bool uLighting;
uniform bool uNormalize;
uniform int uLightCount;
uniform vec4 uLightPosition[8];    // eye space
uniform vec4 uLightAmbient[8];
uniform vec4 uLightDiffuse[8];
uniform vec4 uLightSpecular[8];
uniform vec4 uLightSpot[8];        // direction (eye space), exponent
uniform vec4 uLightAttenuation[8]; // constant, linear, quadratic; cosine of the cutoff, -2 for none
uniform vec4 uMaterialAmbient;
uniform vec4 uMaterialDiffuse;
uniform vec4 uMaterialSpecular;
uniform vec4 uMaterialEmission;
uniform float uMaterialShininess;
uniform bvec4 uColorMaterial; // ambient, diffuse, specular, emission take the vertex colour
uniform vec4 uSceneAmbient;

out vec4 vColor;
flat out vec4 vFlatColor;
out vec4 vTexCoord;

// GL 1.1's lighting of one vertex: one-sided, infinite viewer.
vec4 Lit(vec4 eye)
{
    vec4 ambient = uColorMaterial.x ? aColor : uMaterialAmbient;
    vec4 diffuse = uColorMaterial.y ? aColor : uMaterialDiffuse;
    vec4 specular = uColorMaterial.z ? aColor : uMaterialSpecular;
    vec4 emission = uColorMaterial.w ? aColor : uMaterialEmission;
    vec3 n = uNormalMatrix * aNormal;
    if (uNormalize)
        n = normalize(n);
    vec3 v = eye.xyz / eye.w;
    vec3 sum = emission.rgb + uSceneAmbient.rgb * ambient.rgb;
    for (int i = 0; i < 8; ++i) {
        if (i >= uLightCount)
            break;
        vec4 p = uLightPosition[i];
        vec3 l = vec3(0.0);
        float attenuation = 1.0;
        if (p.w != 0.0) {
            vec3 toLight = p.xyz / p.w - v;
            float d = length(toLight);
            if (d > 0.0)
                l = toLight / d;
            vec3 k = uLightAttenuation[i].xyz;
            attenuation = 1.0 / (k.x + k.y * d + k.z * d * d);
        } else {
            l = normalize(p.xyz);
        }
        float spot = 1.0;
        float cutoff = uLightAttenuation[i].w;
        if (cutoff > -1.5) {
            float c = dot(-l, normalize(uLightSpot[i].xyz));
            float exponent = uLightSpot[i].w;
            spot = c < cutoff ? 0.0 : exponent == 0.0 ? 1.0 : pow(max(c, 0.0), exponent);
        }
        float nl = max(dot(n, l), 0.0);
        vec3 h = l + vec3(0.0, 0.0, 1.0);
        float nh = dot(h, h) > 0.0 ? max(dot(n, normalize(h)), 0.0) : 0.0;
        float highlight = nl > 0.0 ? (uMaterialShininess == 0.0 ? 1.0 : pow(nh, uMaterialShininess)) : 0.0;
        sum += attenuation * spot *
               (uLightAmbient[i].rgb * ambient.rgb + nl * uLightDiffuse[i].rgb * diffuse.rgb +
                highlight * uLightSpecular[i].rgb * specular.rgb);
    }
    return vec4(sum, diffuse.a);
}

void main()
{
    vec4 eye = uModelView * aPosition;
    gl_Position = uProjection * eye;
    gl_PointSize = 1.0;
    vColor = clamp(uLighting ? Lit(eye) : aColor, 0.0, 1.0);
    vFlatColor = vColor;
    vTexCoord = uTextureMatrix * aTexCoord;
}
)";

const char* const kFragmentShader = R"(#version 300 es
precision highp float;
precision highp int;

uniform bool uFlat;
uniform bool uTexturing;
uniform sampler2D uTexture;
uniform int uTextureBase; // 1 alpha, 2 luminance, 3 luminance and alpha, 4 RGB, 5 RGBA
uniform int uEnvMode;     // 0 modulate, 1 replace, 2 decal, 3 blend, 4 add
uniform vec4 uEnvColor;
uniform int uAlphaFunc;   // GL_NEVER + 0 .. 7
uniform float uAlphaRef;

in vec4 vColor;
flat in vec4 vFlatColor;
in vec4 vTexCoord;
out vec4 fragColor;

void main()
{
    vec4 f = uFlat ? vFlatColor : vColor;
    vec4 c = f;
    if (uTexturing) {
        // GL 1.1's texture functions, by the texture's base format.
        vec4 s = textureProj(uTexture, vTexCoord.xyw);
        bool hasColor = uTextureBase != 1;
        bool hasAlpha = uTextureBase == 1 || uTextureBase == 3 || uTextureBase == 5;
        vec3 ct = (uTextureBase == 2 || uTextureBase == 3) ? s.rrr : s.rgb;
        float at = s.a;
        if (uEnvMode == 1) {
            c = vec4(hasColor ? ct : f.rgb, hasAlpha ? at : f.a);
        } else if (uEnvMode == 0) {
            c = vec4(hasColor ? f.rgb * ct : f.rgb, hasAlpha ? f.a * at : f.a);
        } else if (uEnvMode == 2) {
            if (uTextureBase == 4)
                c = vec4(ct, f.a);
            else if (uTextureBase == 5)
                c = vec4(mix(f.rgb, ct, at), f.a);
        } else if (uEnvMode == 3) {
            c = vec4(hasColor ? mix(f.rgb, uEnvColor.rgb, ct) : f.rgb, hasAlpha ? f.a * at : f.a);
        } else {
            c = vec4(hasColor ? min(f.rgb + ct, vec3(1.0)) : f.rgb, hasAlpha ? f.a * at : f.a);
        }
    }
    float a = c.a;
    bool pass = uAlphaFunc == 7 || (uAlphaFunc == 1 && a < uAlphaRef) || (uAlphaFunc == 2 && a == uAlphaRef) ||
                (uAlphaFunc == 3 && a <= uAlphaRef) || (uAlphaFunc == 4 && a > uAlphaRef) ||
                (uAlphaFunc == 5 && a != uAlphaRef) || (uAlphaFunc == 6 && a >= uAlphaRef);
    if (!pass)
        discard;
    fragColor = c;
}
)";

// The renderer string of the current WebGL context: the unmasked one where the browser tells it.
EM_JS(void, OrvexWebGlRenderer, (char* out, int size), {
    var ext = GLctx.getExtension('WEBGL_debug_renderer_info');
    var text = ext ? GLctx.getParameter(ext.UNMASKED_RENDERER_WEBGL) : GLctx.getParameter(GLctx.RENDERER);
    stringToUTF8(String(text || ""), out, size);
});

GLuint Compile(GLenum type, const char* source)
{
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "fixed-function shader refused: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

int TextureBaseCode(TextureBase base)
{
    switch (base) {
    case TextureBase::Alpha:
        return 1;
    case TextureBase::Luminance:
        return 2;
    case TextureBase::LuminanceAlpha:
        return 3;
    case TextureBase::Rgb:
        return 4;
    default:
        return 5;
    }
}

int EnvModeCode(GLenum mode)
{
    switch (mode) {
    case GL_REPLACE:
        return 1;
    case GL_DECAL:
        return 2;
    case GL_BLEND:
        return 3;
    case GL_ADD:
        return 4;
    default:
        return 0;
    }
}

} // namespace

struct WebGpuDevice::Uniforms {
    GLint modelView, projection, textureMatrix, normalMatrix, lighting, normalize, lightCount;
    GLint lightPosition, lightAmbient, lightDiffuse, lightSpecular, lightSpot, lightAttenuation;
    GLint materialAmbient, materialDiffuse, materialSpecular, materialEmission, materialShininess;
    GLint colorMaterial, sceneAmbient;
    GLint flat, texturing, texture, textureBase, envMode, envColor, alphaFunc, alphaRef;
};

WebGpuDevice::WebGpuDevice() : uniforms(std::make_unique<Uniforms>()) {}

std::unique_ptr<WebGpuDevice> WebGpuDevice::Create()
{
    std::unique_ptr<WebGpuDevice> device(new WebGpuDevice);
    if (!device->Build())
        return nullptr;
    return device;
}

bool WebGpuDevice::Build()
{
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (vertex == 0 || fragment == 0)
        return false;
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[1024] = "";
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "fixed-function program refused: %s\n", log);
        return false;
    }
    glUseProgram(program);
    Uniforms& u = *uniforms;
    auto at = [this](const char* name) { return glGetUniformLocation(program, name); };
    u.modelView = at("uModelView"), u.projection = at("uProjection"), u.textureMatrix = at("uTextureMatrix");
    u.normalMatrix = at("uNormalMatrix"), u.lighting = at("uLighting"), u.normalize = at("uNormalize");
    u.lightCount = at("uLightCount"), u.lightPosition = at("uLightPosition"), u.lightAmbient = at("uLightAmbient");
    u.lightDiffuse = at("uLightDiffuse"), u.lightSpecular = at("uLightSpecular"), u.lightSpot = at("uLightSpot");
    u.lightAttenuation = at("uLightAttenuation"), u.materialAmbient = at("uMaterialAmbient");
    u.materialDiffuse = at("uMaterialDiffuse"), u.materialSpecular = at("uMaterialSpecular");
    u.materialEmission = at("uMaterialEmission"), u.materialShininess = at("uMaterialShininess");
    u.colorMaterial = at("uColorMaterial"), u.sceneAmbient = at("uSceneAmbient"), u.flat = at("uFlat");
    u.texturing = at("uTexturing"), u.texture = at("uTexture"), u.textureBase = at("uTextureBase");
    u.envMode = at("uEnvMode"), u.envColor = at("uEnvColor"), u.alphaFunc = at("uAlphaFunc");
    u.alphaRef = at("uAlphaRef");
    glUniform1i(u.texture, 0);

    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    char text[256] = "";
    OrvexWebGlRenderer(text, sizeof text);
    renderer = text;
    return true;
}

WebGpuDevice::~WebGpuDevice()
{
    if (indexBuffer != 0)
        glDeleteBuffers(1, &indexBuffer);
    if (vertexBuffer != 0)
        glDeleteBuffers(1, &vertexBuffer);
    if (vertexArray != 0)
        glDeleteVertexArrays(1, &vertexArray);
    if (program != 0)
        glDeleteProgram(program);
}

void WebGpuDevice::SetCapability(GLenum cap, bool on)
{
    on ? glEnable(cap) : glDisable(cap);
}

void WebGpuDevice::ClearColor(float r, float g, float b, float a)
{
    glClearColor(r, g, b, a);
}

void WebGpuDevice::ClearDepth(float depth)
{
    glClearDepthf(depth);
}

void WebGpuDevice::Clear(GLbitfield mask)
{
    glClear(mask);
}

void WebGpuDevice::BlendFunc(GLenum source, GLenum destination)
{
    glBlendFunc(source, destination);
}

void WebGpuDevice::DepthFunc(GLenum func)
{
    glDepthFunc(func);
}

void WebGpuDevice::CullFace(GLenum face)
{
    glCullFace(face);
}

void WebGpuDevice::FrontFace(GLenum mode)
{
    glFrontFace(mode);
}

void WebGpuDevice::Viewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    glViewport(x, y, width, height);
}

void WebGpuDevice::PolygonOffset(float factor, float units)
{
    glPolygonOffset(factor, units);
}

void WebGpuDevice::StencilFunc(GLenum func, GLint ref, GLuint mask)
{
    glStencilFunc(func, ref, mask);
}

void WebGpuDevice::StencilMask(GLuint mask)
{
    glStencilMask(mask);
}

void WebGpuDevice::StencilOp(GLenum fail, GLenum zfail, GLenum zpass)
{
    glStencilOp(fail, zfail, zpass);
}

void WebGpuDevice::Finish()
{
    glFinish();
}

void WebGpuDevice::GenTextures(GLsizei count, GLuint* names)
{
    glGenTextures(count, names);
}

void WebGpuDevice::DeleteTextures(GLsizei count, const GLuint* names)
{
    glDeleteTextures(count, names);
}

void WebGpuDevice::BindTexture(GLuint name)
{
    glBindTexture(GL_TEXTURE_2D, name);
}

void WebGpuDevice::TexImage2D(GLint level, GLenum format, GLsizei width, GLsizei height, const void* pixels,
                              int alignment)
{
    if (alignment != unpackAlignment) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        unpackAlignment = alignment;
    }
    glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
}

void WebGpuDevice::TexParameter(GLenum pname, GLint value)
{
    glTexParameteri(GL_TEXTURE_2D, pname, value);
}

bool WebGpuDevice::GetIntegers(GLenum pname, GLint* out)
{
    switch (pname) {
    case GL_VIEWPORT:
    case GL_MAX_VIEWPORT_DIMS:
    case GL_SCISSOR_BOX:
    case GL_RED_BITS:
    case GL_GREEN_BITS:
    case GL_BLUE_BITS:
    case GL_ALPHA_BITS:
    case GL_DEPTH_BITS:
    case GL_STENCIL_BITS:
    case GL_CULL_FACE_MODE:
    case GL_FRONT_FACE:
    case GL_DEPTH_FUNC:
    case GL_DEPTH_WRITEMASK:
    case GL_PACK_ALIGNMENT:
        glGetIntegerv(pname, out);
        return true;
    default:
        return false;
    }
}

bool WebGpuDevice::GetFloats(GLenum pname, GLfloat* out)
{
    if (pname == GL_COLOR_CLEAR_VALUE || pname == GL_DEPTH_RANGE) {
        glGetFloatv(pname, out);
        return true;
    }
    GLint values[4] = {};
    if (!GetIntegers(pname, values))
        return false;
    const int count = pname == GL_VIEWPORT || pname == GL_SCISSOR_BOX ? 4 : pname == GL_MAX_VIEWPORT_DIMS ? 2 : 1;
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<GLfloat>(values[i]);
    return true;
}

GLenum WebGpuDevice::GetError()
{
    return glGetError();
}

int WebGpuDevice::MaxTextureSize()
{
    return maxTextureSize;
}

const char* WebGpuDevice::Renderer()
{
    return renderer.c_str();
}

void WebGpuDevice::UploadVertices(const std::vector<VertexSpan>& spans)
{
    // Each span keeps its address's offset within four bytes, so every attribute stays as
    // aligned in the buffer as it was in memory.
    spanOffsets.clear();
    std::size_t size = 0;
    for (const VertexSpan& span : spans) {
        const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(span.data) % 4;
        const std::size_t offset = (size + 3) / 4 * 4 + misalignment;
        spanOffsets.push_back(offset);
        size = offset + span.bytes;
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(size), nullptr, GL_STREAM_DRAW);
    for (std::size_t i = 0; i < spans.size(); ++i)
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(spanOffsets[i]), static_cast<GLsizeiptr>(spans[i].bytes),
                        spans[i].data);
}

void WebGpuDevice::SetUniforms(const ShadingInputs& s)
{
    const Uniforms& u = *uniforms;
    glUniformMatrix4fv(u.modelView, 1, GL_FALSE, s.modelView.m.data());
    glUniformMatrix4fv(u.projection, 1, GL_FALSE, s.projection.m.data());
    glUniformMatrix4fv(u.textureMatrix, 1, GL_FALSE, s.texture.m.data());
    glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, s.normalMatrix.data());
    glUniform1i(u.lighting, s.lighting);
    glUniform1i(u.normalize, s.normalize);
    glUniform1i(u.lightCount, s.lightCount);
    if (s.lighting && s.lightCount > 0) {
        float position[kMaxLights][4], ambient[kMaxLights][4], diffuse[kMaxLights][4], specular[kMaxLights][4];
        float spot[kMaxLights][4], attenuation[kMaxLights][4];
        for (int i = 0; i < s.lightCount; ++i) {
            const LightState& l = s.lights[static_cast<std::size_t>(i)];
            for (int c = 0; c < 4; ++c) {
                position[i][c] = l.position[c];
                ambient[i][c] = l.ambient[c];
                diffuse[i][c] = l.diffuse[c];
                specular[i][c] = l.specular[c];
            }
            spot[i][0] = l.spotDirection[0], spot[i][1] = l.spotDirection[1], spot[i][2] = l.spotDirection[2];
            spot[i][3] = l.spotExponent;
            attenuation[i][0] = l.constantAttenuation, attenuation[i][1] = l.linearAttenuation;
            attenuation[i][2] = l.quadraticAttenuation;
            attenuation[i][3] = l.spotCutoff == 180 ? -2.0f : std::cos(l.spotCutoff * 3.14159265358979f / 180.0f);
        }
        glUniform4fv(u.lightPosition, s.lightCount, &position[0][0]);
        glUniform4fv(u.lightAmbient, s.lightCount, &ambient[0][0]);
        glUniform4fv(u.lightDiffuse, s.lightCount, &diffuse[0][0]);
        glUniform4fv(u.lightSpecular, s.lightCount, &specular[0][0]);
        glUniform4fv(u.lightSpot, s.lightCount, &spot[0][0]);
        glUniform4fv(u.lightAttenuation, s.lightCount, &attenuation[0][0]);
    }
    glUniform4fv(u.materialAmbient, 1, s.material.ambient.data());
    glUniform4fv(u.materialDiffuse, 1, s.material.diffuse.data());
    glUniform4fv(u.materialSpecular, 1, s.material.specular.data());
    glUniform4fv(u.materialEmission, 1, s.material.emission.data());
    glUniform1f(u.materialShininess, s.material.shininess);
    glUniform4i(u.colorMaterial, s.colorMaterial.ambient, s.colorMaterial.diffuse, s.colorMaterial.specular,
                s.colorMaterial.emission);
    glUniform4fv(u.sceneAmbient, 1, s.sceneAmbient.data());
    glUniform1i(u.flat, s.flat);
    glUniform1i(u.texturing, s.texturing);
    glUniform1i(u.textureBase, TextureBaseCode(s.textureBase));
    glUniform1i(u.envMode, EnvModeCode(s.envMode));
    glUniform4fv(u.envColor, 1, s.envColor.data());
    glUniform1i(u.alphaFunc, static_cast<GLint>(s.alphaFunc - GL_NEVER));
    glUniform1f(u.alphaRef, s.alphaRef);
}

void WebGpuDevice::Draw(const ShadingInputs& shading, const std::array<AttributeSource, kAttributeCount>& attributes,
                        GLenum mode, const std::uint32_t* indices, std::uint32_t count)
{
    glUseProgram(program);
    glBindVertexArray(vertexArray);
    SetUniforms(shading);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    for (int i = 0; i < kAttributeCount; ++i) {
        const GLuint a = static_cast<GLuint>(i);
        const AttributeSource& source = attributes[a];
        if (!source.fromArray || source.span >= spanOffsets.size()) {
            glDisableVertexAttribArray(a);
            glVertexAttrib4fv(a, source.constant.data());
            continue;
        }
        glEnableVertexAttribArray(a);
        const std::uintptr_t offset = spanOffsets[source.span] + source.offset;
        glVertexAttribPointer(a, source.size, source.type, source.normalized ? GL_TRUE : GL_FALSE, source.stride,
                              reinterpret_cast<const void*>(offset));
    }
    if (indices == nullptr) {
        glDrawArrays(mode, 0, static_cast<GLsizei>(count));
        return;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(std::uint32_t)), indices,
                 GL_STREAM_DRAW);
    glDrawElements(mode, static_cast<GLsizei>(count), GL_UNSIGNED_INT, nullptr);
}
