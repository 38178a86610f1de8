// The GL 1.1 state that WebGL 2 does not keep and the fixed-function layer keeps itself:
// matrix stacks, the current colour, normal and texture coordinates, lights, materials and
// colour material, the texture environment, alpha test, shade model, hints, every enable
// flag, the texture objects' formats and levels (for the environment and for completeness),
// pixel unpacking and the error flag. Each operation checks its arguments as GL does and
// records GL's error for a refused one, changing nothing then.
//
// What the layer does not draw is refused as a GL without the feature would refuse it
// (GL_INVALID_ENUM): fog, texture coordinate generation, smoothed points, lines and
// polygons, polygon modes other than GL_FILL, texture borders, and pixel types other than
// GL_UNSIGNED_BYTE.
#pragma once

#include "orvex/render/GlApi.h"
#include "orvex/web/FixedFunctionMath.h"
#include "orvex/web/TexturePixels.h"

#include <array>
#include <map>
#include <vector>

inline constexpr int kMaxLights = 8;
inline constexpr int kModelViewStackDepth = 32;
inline constexpr int kProjectionStackDepth = 32;
inline constexpr int kTextureStackDepth = 10;

using Color4 = std::array<float, 4>;

struct LightState {
    Color4 ambient{0, 0, 0, 1};
    Color4 diffuse{0, 0, 0, 1}; // light 0: white
    Color4 specular{0, 0, 0, 1};
    std::array<float, 4> position{0, 0, 1, 0};    // eye space, as the modelview matrix placed it
    std::array<float, 3> spotDirection{0, 0, -1}; // eye space
    float spotExponent = 0;
    float spotCutoff = 180; // degrees; 180: no spot
    float constantAttenuation = 1;
    float linearAttenuation = 0;
    float quadraticAttenuation = 0;
    bool enabled = false;
};

struct MaterialState {
    Color4 ambient{0.2f, 0.2f, 0.2f, 1};
    Color4 diffuse{0.8f, 0.8f, 0.8f, 1};
    Color4 specular{0, 0, 0, 1};
    Color4 emission{0, 0, 0, 1};
    float shininess = 0;
};

// Which material colours take the vertex colour (colour material on the front face).
struct ColorMaterialUse {
    bool ambient = false, diffuse = false, specular = false, emission = false;
};

// Everything the shader needs of the state for one draw.
struct ShadingInputs {
    GlMatrix modelView, projection, texture;
    std::array<float, 9> normalMatrix{};
    bool lighting = false;
    bool normalize = false;
    bool flat = false;
    int lightCount = 0; // the enabled lights, in order, packed at the front
    std::array<LightState, kMaxLights> lights{};
    MaterialState material; // the front face's: lighting is one-sided
    ColorMaterialUse colorMaterial;
    Color4 sceneAmbient{0.2f, 0.2f, 0.2f, 1};
    bool texturing = false; // GL_TEXTURE_2D on and the bound texture complete
    TextureBase textureBase = TextureBase::None;
    GLenum envMode = GL_MODULATE;
    Color4 envColor{0, 0, 0, 0};
    GLenum alphaFunc = GL_ALWAYS; // GL_ALWAYS while the test is off
    float alphaRef = 0;
};

enum class CapabilityKind {
    Unknown,       // refused
    FixedFunction, // the layer's own: lighting, lights, colour material, texturing, alpha test, normalize
    Raster,        // WebGL has it too: blending, depth and stencil tests, culling, dither, offset, scissor
};
CapabilityKind KindOfCapability(GLenum cap);

class FixedFunctionState {
public:
    FixedFunctionState();

    // --- errors ---
    // Keeps the first error until it is taken, as GL does.
    void RecordError(GLenum error);
    GLenum TakeError();

    // --- matrices ---
    void MatrixMode(GLenum mode);
    GLenum GetMatrixMode() const { return matrixMode; }
    void LoadMatrix(const GlMatrix& m);
    void MultiplyMatrix(const GlMatrix& m);
    void PushMatrix();
    void PopMatrix();
    const GlMatrix& Top(GLenum mode) const;

    // --- current vertex attributes ---
    void Color(float r, float g, float b, float a);
    void Normal(float x, float y, float z);
    void TexCoord(float s, float t, float r, float q);
    const Color4& CurrentColor() const { return color; }
    const std::array<float, 3>& CurrentNormal() const { return normal; }
    const std::array<float, 4>& CurrentTexCoord() const { return texCoord; }

    // --- lighting ---
    // `params` holds as many values as the parameter takes (4 colours and positions, 3
    // directions, 1 scalar); `scalarOnly` refuses parameters of more than one value, as
    // glLightf and glMaterialf do.
    void Light(GLenum light, GLenum pname, const float* params, bool scalarOnly);
    void Material(GLenum face, GLenum pname, const float* params, bool scalarOnly);
    void ColorMaterial(GLenum face, GLenum mode);
    const LightState& GetLight(int index) const { return lights[index]; }
    const MaterialState& FrontMaterial() const { return front; }
    const MaterialState& BackMaterial() const { return back; }

    // --- enables ---
    // False, with GL_INVALID_ENUM recorded, for a capability the layer does not have.
    bool SetCapability(GLenum cap, bool on);
    bool IsEnabled(GLenum cap) const;

    // --- texturing ---
    void TexEnv(GLenum target, GLenum pname, const float* params, bool scalarOnly);
    GLenum EnvMode() const { return envMode; }
    // Forgets deleted texture names; the binding of a deleted name falls back to 0.
    void DeleteTextures(int count, const GLuint* names);
    void BindTexture(GLenum target, GLuint name);
    GLuint BoundTexture() const { return bound; }
    // The WebGL value of a texture parameter (GL_CLAMP becomes GL_CLAMP_TO_EDGE: with no
    // border they sample alike except under linear filtering at the very edge); false, with
    // the error recorded, for a refused parameter or value.
    bool TexParameter(GLenum target, GLenum pname, GLint value, GLint* webValue);
    // Checks a glTexImage2D and records the level's size and base format. False, with the
    // error recorded, when GL refuses it (or the layer cannot take it); *base receives the
    // base of the image.
    bool TexImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, int maxTextureSize, TextureBase* base);
    // Whether the bound texture can be sampled: level 0 is there and, when the minifying
    // filter uses mipmaps, every level down to 1x1 in the same base.
    bool BoundTextureComplete() const;

    // --- pixel unpacking ---
    void PixelStore(GLenum pname, GLint value);
    const PixelUnpack& Unpack() const { return unpack; }

    // --- the rest of the fixed-function state ---
    void AlphaFunc(GLenum func, float ref);
    void ShadeModel(GLenum mode);
    GLenum GetShadeModel() const { return shadeModel; }
    void Hint(GLenum target, GLenum mode);
    void PolygonMode(GLenum face, GLenum mode);

    // The layer's answer to glGetIntegerv / glGetFloatv for the state it keeps: false for a
    // parameter it does not keep (the caller asks WebGL). Writes up to 16 values.
    bool GetFloats(GLenum pname, float* out) const;

    ShadingInputs Shading() const;

private:
    struct Stack {
        std::vector<GlMatrix> matrices;
        std::size_t depth;
    };
    struct TextureObject {
        std::vector<std::array<int, 2>> levels; // width, height; 0 x 0 where none was given
        std::vector<TextureBase> bases;
        GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    };

    Stack& Current();
    const Stack& StackOf(GLenum mode) const;
    void TrackColor(); // colour material: the current colour into the tracked material colours

    GLenum error = GL_NO_ERROR;
    GLenum matrixMode = GL_MODELVIEW;
    Stack modelView{{GlMatrix{}}, kModelViewStackDepth};
    Stack projection{{GlMatrix{}}, kProjectionStackDepth};
    Stack texture{{GlMatrix{}}, kTextureStackDepth};

    Color4 color{1, 1, 1, 1};
    std::array<float, 3> normal{0, 0, 1};
    std::array<float, 4> texCoord{0, 0, 0, 1};

    std::array<LightState, kMaxLights> lights{};
    MaterialState front, back;
    GLenum colorMaterialFace = GL_FRONT_AND_BACK;
    GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;

    std::map<GLenum, bool> enabled;

    GLenum envMode = GL_MODULATE;
    Color4 envColor{0, 0, 0, 0};
    std::map<GLuint, TextureObject> textures;
    GLuint bound = 0;

    PixelUnpack unpack;
    GLenum alphaFunc = GL_ALWAYS;
    float alphaRef = 0;
    GLenum shadeModel = GL_SMOOTH;
    std::map<GLenum, GLenum> hints;
};
