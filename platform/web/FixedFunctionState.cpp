#include "orvex/web/FixedFunctionState.h"

#include <algorithm>

namespace {

bool IsFace(GLenum face)
{
    return face == GL_FRONT || face == GL_BACK || face == GL_FRONT_AND_BACK;
}

bool IsCompareFunc(GLenum func)
{
    return func >= GL_NEVER && func <= GL_ALWAYS;
}

float Clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

// Values a light or material parameter takes; 0 for one the command does not know.
int LightValues(GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
        return 4;
    case GL_SPOT_DIRECTION:
        return 3;
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
        return 1;
    default:
        return 0;
    }
}

int MaterialValues(GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
        return 4;
    case GL_COLOR_INDEXES:
        return 3;
    case GL_SHININESS:
        return 1;
    default:
        return 0;
    }
}

Color4 ToColor(const float* p)
{
    return {p[0], p[1], p[2], p[3]};
}

// The material colours that a colour-material mode names.
ColorMaterialUse UseOfMode(GLenum mode)
{
    ColorMaterialUse use;
    use.ambient = mode == GL_AMBIENT || mode == GL_AMBIENT_AND_DIFFUSE;
    use.diffuse = mode == GL_DIFFUSE || mode == GL_AMBIENT_AND_DIFFUSE;
    use.specular = mode == GL_SPECULAR;
    use.emission = mode == GL_EMISSION;
    return use;
}

bool NamesFront(GLenum face)
{
    return face == GL_FRONT || face == GL_FRONT_AND_BACK;
}

bool NamesBack(GLenum face)
{
    return face == GL_BACK || face == GL_FRONT_AND_BACK;
}

bool UsesMipmaps(GLint minFilter)
{
    return minFilter != GL_NEAREST && minFilter != GL_LINEAR;
}

} // namespace

CapabilityKind KindOfCapability(GLenum cap)
{
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights)
        return CapabilityKind::FixedFunction;
    switch (cap) {
    case GL_LIGHTING:
    case GL_COLOR_MATERIAL:
    case GL_TEXTURE_2D:
    case GL_ALPHA_TEST:
    case GL_NORMALIZE:
        return CapabilityKind::FixedFunction;
    case GL_BLEND:
    case GL_DEPTH_TEST:
    case GL_CULL_FACE:
    case GL_DITHER:
    case GL_POLYGON_OFFSET_FILL:
    case GL_STENCIL_TEST:
    case GL_SCISSOR_TEST:
        return CapabilityKind::Raster;
    default:
        return CapabilityKind::Unknown;
    }
}

FixedFunctionState::FixedFunctionState()
{
    lights[0].diffuse = {1, 1, 1, 1};
    lights[0].specular = {1, 1, 1, 1};
    enabled[GL_DITHER] = true;
}

void FixedFunctionState::RecordError(GLenum e)
{
    if (error == GL_NO_ERROR)
        error = e;
}

GLenum FixedFunctionState::TakeError()
{
    const GLenum e = error;
    error = GL_NO_ERROR;
    return e;
}

// --- matrices ---

FixedFunctionState::Stack& FixedFunctionState::Current()
{
    return const_cast<Stack&>(StackOf(matrixMode));
}

const FixedFunctionState::Stack& FixedFunctionState::StackOf(GLenum mode) const
{
    return mode == GL_PROJECTION ? projection : mode == GL_TEXTURE ? texture : modelView;
}

void FixedFunctionState::MatrixMode(GLenum mode)
{
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE)
        return RecordError(GL_INVALID_ENUM);
    matrixMode = mode;
}

void FixedFunctionState::LoadMatrix(const GlMatrix& m)
{
    Current().matrices.back() = m;
}

void FixedFunctionState::MultiplyMatrix(const GlMatrix& m)
{
    GlMatrix& top = Current().matrices.back();
    top = Multiply(top, m);
}

void FixedFunctionState::PushMatrix()
{
    Stack& stack = Current();
    if (stack.matrices.size() >= stack.depth)
        return RecordError(GL_STACK_OVERFLOW);
    stack.matrices.push_back(stack.matrices.back());
}

void FixedFunctionState::PopMatrix()
{
    Stack& stack = Current();
    if (stack.matrices.size() <= 1)
        return RecordError(GL_STACK_UNDERFLOW);
    stack.matrices.pop_back();
}

const GlMatrix& FixedFunctionState::Top(GLenum mode) const
{
    return StackOf(mode).matrices.back();
}

// --- current vertex attributes ---

void FixedFunctionState::Color(float r, float g, float b, float a)
{
    color = {r, g, b, a};
    TrackColor();
}

void FixedFunctionState::Normal(float x, float y, float z)
{
    normal = {x, y, z};
}

void FixedFunctionState::TexCoord(float s, float t, float r, float q)
{
    texCoord = {s, t, r, q};
}

void FixedFunctionState::TrackColor()
{
    if (!IsEnabled(GL_COLOR_MATERIAL))
        return;
    const ColorMaterialUse use = UseOfMode(colorMaterialMode);
    for (MaterialState* m :
         {NamesFront(colorMaterialFace) ? &front : nullptr, NamesBack(colorMaterialFace) ? &back : nullptr}) {
        if (m == nullptr)
            continue;
        if (use.ambient)
            m->ambient = color;
        if (use.diffuse)
            m->diffuse = color;
        if (use.specular)
            m->specular = color;
        if (use.emission)
            m->emission = color;
    }
}

// --- lighting ---

void FixedFunctionState::Light(GLenum light, GLenum pname, const float* p, bool scalarOnly)
{
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kMaxLights)
        return RecordError(GL_INVALID_ENUM);
    const int values = LightValues(pname);
    if (values == 0 || (scalarOnly && values != 1))
        return RecordError(GL_INVALID_ENUM);
    LightState& l = lights[light - GL_LIGHT0];
    const GlMatrix& mv = Top(GL_MODELVIEW);
    switch (pname) {
    case GL_AMBIENT:
        l.ambient = ToColor(p);
        break;
    case GL_DIFFUSE:
        l.diffuse = ToColor(p);
        break;
    case GL_SPECULAR:
        l.specular = ToColor(p);
        break;
    case GL_POSITION:
        // Placed by the modelview matrix of the moment, and kept in eye space.
        l.position = Transform(mv, {p[0], p[1], p[2], p[3]});
        break;
    case GL_SPOT_DIRECTION: {
        const std::array<float, 4> d = Transform(mv, {p[0], p[1], p[2], 0});
        l.spotDirection = {d[0], d[1], d[2]};
        break;
    }
    case GL_SPOT_EXPONENT:
        if (p[0] < 0 || p[0] > 128)
            return RecordError(GL_INVALID_VALUE);
        l.spotExponent = p[0];
        break;
    case GL_SPOT_CUTOFF:
        if ((p[0] < 0 || p[0] > 90) && p[0] != 180)
            return RecordError(GL_INVALID_VALUE);
        l.spotCutoff = p[0];
        break;
    default: // the three attenuation factors
        if (p[0] < 0)
            return RecordError(GL_INVALID_VALUE);
        (pname == GL_CONSTANT_ATTENUATION ? l.constantAttenuation
         : pname == GL_LINEAR_ATTENUATION ? l.linearAttenuation
                                          : l.quadraticAttenuation) = p[0];
        break;
    }
}

void FixedFunctionState::Material(GLenum face, GLenum pname, const float* p, bool scalarOnly)
{
    if (!IsFace(face))
        return RecordError(GL_INVALID_ENUM);
    const int values = MaterialValues(pname);
    if (values == 0 || (scalarOnly && values != 1))
        return RecordError(GL_INVALID_ENUM);
    if (pname == GL_SHININESS && (p[0] < 0 || p[0] > 128))
        return RecordError(GL_INVALID_VALUE);
    if (pname == GL_COLOR_INDEXES)
        return; // colour-index lighting only; RGBA drawing never reads them

    // While colour material is on, the colours it tracks follow the current colour only.
    ColorMaterialUse tracked;
    if (IsEnabled(GL_COLOR_MATERIAL))
        tracked = UseOfMode(colorMaterialMode);
    for (MaterialState* m : {NamesFront(face) ? &front : nullptr, NamesBack(face) ? &back : nullptr}) {
        if (m == nullptr)
            continue;
        const bool trackedFace =
            (m == &front && NamesFront(colorMaterialFace)) || (m == &back && NamesBack(colorMaterialFace));
        auto set = [&](Color4& target, bool isTracked) {
            if (!(trackedFace && isTracked))
                target = ToColor(p);
        };
        switch (pname) {
        case GL_AMBIENT:
            set(m->ambient, tracked.ambient);
            break;
        case GL_DIFFUSE:
            set(m->diffuse, tracked.diffuse);
            break;
        case GL_AMBIENT_AND_DIFFUSE:
            set(m->ambient, tracked.ambient);
            set(m->diffuse, tracked.diffuse);
            break;
        case GL_SPECULAR:
            set(m->specular, tracked.specular);
            break;
        case GL_EMISSION:
            set(m->emission, tracked.emission);
            break;
        default: // GL_SHININESS
            m->shininess = p[0];
            break;
        }
    }
}

void FixedFunctionState::ColorMaterial(GLenum face, GLenum mode)
{
    if (!IsFace(face))
        return RecordError(GL_INVALID_ENUM);
    if (mode != GL_EMISSION && mode != GL_AMBIENT && mode != GL_DIFFUSE && mode != GL_SPECULAR &&
        mode != GL_AMBIENT_AND_DIFFUSE)
        return RecordError(GL_INVALID_ENUM);
    colorMaterialFace = face;
    colorMaterialMode = mode;
    TrackColor();
}

// --- enables ---

bool FixedFunctionState::SetCapability(GLenum cap, bool on)
{
    if (KindOfCapability(cap) == CapabilityKind::Unknown) {
        RecordError(GL_INVALID_ENUM);
        return false;
    }
    enabled[cap] = on;
    if (cap == GL_COLOR_MATERIAL && on)
        TrackColor();
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights)
        lights[cap - GL_LIGHT0].enabled = on;
    return true;
}

bool FixedFunctionState::IsEnabled(GLenum cap) const
{
    auto it = enabled.find(cap);
    return it != enabled.end() && it->second;
}

// --- texturing ---

void FixedFunctionState::TexEnv(GLenum target, GLenum pname, const float* p, bool scalarOnly)
{
    if (target != GL_TEXTURE_ENV)
        return RecordError(GL_INVALID_ENUM);
    if (pname == GL_TEXTURE_ENV_MODE) {
        const GLenum mode = static_cast<GLenum>(p[0]);
        if (mode != GL_MODULATE && mode != GL_DECAL && mode != GL_BLEND && mode != GL_REPLACE && mode != GL_ADD)
            return RecordError(GL_INVALID_ENUM);
        envMode = mode;
    } else if (pname == GL_TEXTURE_ENV_COLOR && !scalarOnly) {
        envColor = {Clamp01(p[0]), Clamp01(p[1]), Clamp01(p[2]), Clamp01(p[3])};
    } else {
        RecordError(GL_INVALID_ENUM);
    }
}

void FixedFunctionState::DeleteTextures(int count, const GLuint* names)
{
    if (count < 0)
        return RecordError(GL_INVALID_VALUE);
    for (int i = 0; i < count; ++i) {
        if (names[i] == 0)
            continue;
        textures.erase(names[i]);
        if (bound == names[i])
            bound = 0;
    }
}

void FixedFunctionState::BindTexture(GLenum target, GLuint name)
{
    if (target != GL_TEXTURE_2D)
        return RecordError(GL_INVALID_ENUM);
    bound = name;
}

bool FixedFunctionState::TexParameter(GLenum target, GLenum pname, GLint value, GLint* webValue)
{
    if (target != GL_TEXTURE_2D) {
        RecordError(GL_INVALID_ENUM);
        return false;
    }
    bool accepted = false;
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
        accepted = value == GL_NEAREST || value == GL_LINEAR || value == GL_NEAREST_MIPMAP_NEAREST ||
                   value == GL_LINEAR_MIPMAP_NEAREST || value == GL_NEAREST_MIPMAP_LINEAR ||
                   value == GL_LINEAR_MIPMAP_LINEAR;
        if (accepted)
            textures[bound].minFilter = value;
        break;
    case GL_TEXTURE_MAG_FILTER:
        accepted = value == GL_NEAREST || value == GL_LINEAR;
        break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
        accepted = value == GL_CLAMP || value == GL_REPEAT || value == GL_CLAMP_TO_EDGE;
        if (value == GL_CLAMP)
            value = GL_CLAMP_TO_EDGE;
        break;
    default:
        break;
    }
    if (!accepted) {
        RecordError(GL_INVALID_ENUM);
        return false;
    }
    *webValue = value;
    return true;
}

bool FixedFunctionState::TexImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                  GLint border, GLenum format, GLenum type, int maxTextureSize, TextureBase* base)
{
    GLenum refusal = GL_NO_ERROR;
    int maxLevel = 0;
    while ((maxTextureSize >> maxLevel) > 1)
        ++maxLevel;
    if (target != GL_TEXTURE_2D || ComponentsOfFormat(format) == 0 || type != GL_UNSIGNED_BYTE)
        refusal = GL_INVALID_ENUM;
    else if (BaseOfInternalFormat(internalFormat) == TextureBase::None || level < 0 || level > maxLevel || width < 0 ||
             height < 0 || width > maxTextureSize || height > maxTextureSize || border != 0)
        refusal = GL_INVALID_VALUE;
    if (refusal != GL_NO_ERROR) {
        RecordError(refusal);
        return false;
    }
    *base = BaseOfInternalFormat(internalFormat);
    TextureObject& object = textures[bound];
    const std::size_t index = static_cast<std::size_t>(level);
    if (object.levels.size() <= index) {
        object.levels.resize(index + 1, {0, 0});
        object.bases.resize(index + 1, TextureBase::None);
    }
    object.levels[index] = {width, height};
    object.bases[index] = *base;
    return true;
}

bool FixedFunctionState::BoundTextureComplete() const
{
    auto it = textures.find(bound);
    if (it == textures.end() || it->second.levels.empty())
        return false;
    const TextureObject& object = it->second;
    int w = object.levels[0][0], h = object.levels[0][1];
    if (w <= 0 || h <= 0)
        return false;
    if (!UsesMipmaps(object.minFilter))
        return true;
    for (std::size_t level = 1; w > 1 || h > 1; ++level) {
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        if (level >= object.levels.size() || object.levels[level] != std::array<int, 2>{w, h} ||
            object.bases[level] != object.bases[0])
            return false;
    }
    return true;
}

// --- pixel unpacking and the rest ---

void FixedFunctionState::PixelStore(GLenum pname, GLint value)
{
    switch (pname) {
    case GL_UNPACK_ALIGNMENT:
    case GL_PACK_ALIGNMENT:
        if (value != 1 && value != 2 && value != 4 && value != 8)
            return RecordError(GL_INVALID_VALUE);
        if (pname == GL_UNPACK_ALIGNMENT)
            unpack.alignment = value;
        break;
    case GL_UNPACK_ROW_LENGTH:
        if (value < 0)
            return RecordError(GL_INVALID_VALUE);
        unpack.rowLength = value;
        break;
    default:
        RecordError(GL_INVALID_ENUM);
        break;
    }
}

void FixedFunctionState::AlphaFunc(GLenum func, float ref)
{
    if (!IsCompareFunc(func))
        return RecordError(GL_INVALID_ENUM);
    alphaFunc = func;
    alphaRef = Clamp01(ref);
}

void FixedFunctionState::ShadeModel(GLenum mode)
{
    if (mode != GL_FLAT && mode != GL_SMOOTH)
        return RecordError(GL_INVALID_ENUM);
    shadeModel = mode;
}

void FixedFunctionState::Hint(GLenum target, GLenum mode)
{
    if (target != GL_PERSPECTIVE_CORRECTION_HINT && target != GL_POINT_SMOOTH_HINT && target != GL_LINE_SMOOTH_HINT &&
        target != GL_POLYGON_SMOOTH_HINT && target != GL_FOG_HINT)
        return RecordError(GL_INVALID_ENUM);
    if (mode != GL_DONT_CARE && mode != GL_FASTEST && mode != GL_NICEST)
        return RecordError(GL_INVALID_ENUM);
    // Hints are advice; WebGL always interpolates with perspective correction.
    hints[target] = mode;
}

void FixedFunctionState::PolygonMode(GLenum face, GLenum mode)
{
    // WebGL fills polygons only.
    if (!IsFace(face) || mode != GL_FILL)
        RecordError(GL_INVALID_ENUM);
}

bool FixedFunctionState::GetFloats(GLenum pname, float* out) const
{
    auto matrix = [out](const GlMatrix& m) { std::copy(m.m.begin(), m.m.end(), out); };
    switch (pname) {
    case GL_MODELVIEW_MATRIX:
        matrix(Top(GL_MODELVIEW));
        return true;
    case GL_PROJECTION_MATRIX:
        matrix(Top(GL_PROJECTION));
        return true;
    case GL_TEXTURE_MATRIX:
        matrix(Top(GL_TEXTURE));
        return true;
    case GL_CURRENT_COLOR:
        std::copy(color.begin(), color.end(), out);
        return true;
    case GL_LIGHT_MODEL_AMBIENT: {
        const Color4 ambient = ShadingInputs{}.sceneAmbient;
        std::copy(ambient.begin(), ambient.end(), out);
        return true;
    }
    case GL_LIGHT_MODEL_LOCAL_VIEWER:
    case GL_LIGHT_MODEL_TWO_SIDE:
        out[0] = 0;
        return true;
    case GL_POLYGON_MODE:
        out[0] = out[1] = static_cast<float>(GL_FILL);
        return true;
    case GL_MATRIX_MODE:
        out[0] = static_cast<float>(matrixMode);
        return true;
    case GL_SHADE_MODEL:
        out[0] = static_cast<float>(shadeModel);
        return true;
    case GL_ALPHA_TEST_FUNC:
        out[0] = static_cast<float>(alphaFunc);
        return true;
    case GL_ALPHA_TEST_REF:
        out[0] = alphaRef;
        return true;
    case GL_TEXTURE_BINDING_2D:
        out[0] = static_cast<float>(bound);
        return true;
    case GL_UNPACK_ALIGNMENT:
        out[0] = static_cast<float>(unpack.alignment);
        return true;
    case GL_UNPACK_ROW_LENGTH:
        out[0] = static_cast<float>(unpack.rowLength);
        return true;
    case GL_PERSPECTIVE_CORRECTION_HINT:
    case GL_POINT_SMOOTH_HINT:
    case GL_LINE_SMOOTH_HINT:
    case GL_POLYGON_SMOOTH_HINT:
    case GL_FOG_HINT: {
        auto it = hints.find(pname);
        out[0] = static_cast<float>(it != hints.end() ? it->second : GL_DONT_CARE);
        return true;
    }
    default:
        if (KindOfCapability(pname) == CapabilityKind::Unknown)
            return false;
        out[0] = IsEnabled(pname) ? 1.0f : 0.0f;
        return true;
    }
}

ShadingInputs FixedFunctionState::Shading() const
{
    ShadingInputs s;
    s.modelView = Top(GL_MODELVIEW);
    s.projection = Top(GL_PROJECTION);
    s.texture = Top(GL_TEXTURE);
    s.normalMatrix = NormalMatrix(s.modelView);
    s.lighting = IsEnabled(GL_LIGHTING);
    s.normalize = IsEnabled(GL_NORMALIZE);
    s.flat = shadeModel == GL_FLAT;
    for (const LightState& light : lights) {
        if (light.enabled)
            s.lights[static_cast<std::size_t>(s.lightCount++)] = light;
    }
    s.material = front;
    if (IsEnabled(GL_COLOR_MATERIAL) && NamesFront(colorMaterialFace))
        s.colorMaterial = UseOfMode(colorMaterialMode);
    s.texturing = IsEnabled(GL_TEXTURE_2D) && BoundTextureComplete();
    if (s.texturing)
        s.textureBase = textures.at(bound).bases[0];
    s.envMode = envMode;
    s.envColor = envColor;
    s.alphaFunc = IsEnabled(GL_ALPHA_TEST) ? alphaFunc : GL_ALWAYS;
    s.alphaRef = alphaRef;
    return s;
}
