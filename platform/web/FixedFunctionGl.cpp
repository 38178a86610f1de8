#include "orvex/web/FixedFunctionGl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string_view>

namespace {

FixedFunctionContext* current = nullptr;

} // namespace

FixedFunctionContext::FixedFunctionContext(std::unique_ptr<GpuDevice> gpu) : device(std::move(gpu)) {}

CurrentAttributes FixedFunctionContext::Current() const
{
    CurrentAttributes c;
    c.color = state.CurrentColor();
    c.normal = state.CurrentNormal();
    c.texCoord = state.CurrentTexCoord();
    return c;
}

std::array<AttributeSource, kAttributeCount> FixedFunctionContext::Upload(std::uint32_t first, std::uint32_t count,
                                                                          std::uint32_t* base)
{
    if (arrays.InLockedRange(first, count)) {
        if (!lockedUploaded || lockedVersion != arrays.Version()) {
            const VertexPlan plan = arrays.Plan(arrays.LockFirst(), arrays.LockCount(), Current());
            device->UploadVertices(plan.spans);
            lockedAttributes = plan.attributes;
            lockedUploaded = true;
            lockedVersion = arrays.Version();
        }
        SetConstants(lockedAttributes, Current());
        *base = arrays.LockFirst();
        return lockedAttributes;
    }
    const VertexPlan plan = arrays.Plan(first, count, Current());
    device->UploadVertices(plan.spans);
    lockedUploaded = false;
    *base = first;
    return plan.attributes;
}

void FixedFunctionContext::DrawIndexed(GLenum mode, std::vector<std::uint32_t>& indices,
                                       const std::array<AttributeSource, kAttributeCount>& attributes)
{
    ExpandToTriangles(mode, indices);
    if (!indices.empty())
        device->Draw(state.Shading(), attributes, DrawnMode(mode), indices.data(),
                     static_cast<std::uint32_t>(indices.size()));
}

void FixedFunctionContext::DrawArrays(GLenum mode, GLint first, GLsizei count)
{
    if (!IsPrimitiveMode(mode))
        return state.RecordError(GL_INVALID_ENUM);
    if (first < 0 || count < 0)
        return state.RecordError(GL_INVALID_VALUE);
    if (count == 0 || !arrays.Array(AttributePosition).enabled)
        return;
    std::uint32_t base = 0;
    const auto attributes = Upload(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(count), &base);
    if (DrawnMode(mode) == mode && base == static_cast<std::uint32_t>(first)) {
        device->Draw(state.Shading(), attributes, mode, nullptr, static_cast<std::uint32_t>(count));
        return;
    }
    indexScratch.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < indexScratch.size(); ++i)
        indexScratch[i] = static_cast<std::uint32_t>(first) - base + static_cast<std::uint32_t>(i);
    DrawIndexed(mode, indexScratch, attributes);
}

void FixedFunctionContext::DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    if (!IsPrimitiveMode(mode))
        return state.RecordError(GL_INVALID_ENUM);
    if (count < 0)
        return state.RecordError(GL_INVALID_VALUE);
    if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT)
        return state.RecordError(GL_INVALID_ENUM);
    if (count == 0 || indices == nullptr || !arrays.Array(AttributePosition).enabled)
        return;
    std::uint32_t smallest = 0, largest = 0;
    ReadIndices(type, count, indices, &indexScratch, &smallest, &largest);
    std::uint32_t base = 0;
    const auto attributes = Upload(smallest, largest - smallest + 1, &base);
    for (std::uint32_t& index : indexScratch)
        index -= base;
    DrawIndexed(mode, indexScratch, attributes);
}

void FixedFunctionContext::End()
{
    std::uint32_t count = 0;
    const GLenum mode = immediate.Mode();
    const VertexPlan plan = immediate.End(&count);
    if (count == 0)
        return;
    device->UploadVertices(plan.spans);
    lockedUploaded = false;
    if (DrawnMode(mode) == mode) {
        device->Draw(state.Shading(), plan.attributes, mode, nullptr, count);
        return;
    }
    indexScratch.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        indexScratch[i] = i;
    DrawIndexed(mode, indexScratch, plan.attributes);
}

const char* FixedFunctionContext::String(GLenum name)
{
    switch (name) {
    case GL_VENDOR:
        return "Orvex";
    case GL_RENDERER:
        renderer = std::string("Orvex fixed function on WebGL 2 (") + device->Renderer() + ")";
        return renderer.c_str();
    case GL_VERSION:
        return "1.1 Orvex fixed function on WebGL 2";
    case GL_EXTENSIONS:
        return kFixedFunctionExtensions;
    default:
        return nullptr;
    }
}

void MakeFixedFunctionCurrent(FixedFunctionContext* context)
{
    current = context;
}

FixedFunctionContext* CurrentFixedFunction()
{
    return current;
}

namespace {

// The current context, or null; between glBegin and glEnd only the commands GL allows
// there find it, every other one records GL_INVALID_OPERATION.
FixedFunctionContext* Outside()
{
    if (current != nullptr && current->Immediate().Inside()) {
        current->State().RecordError(GL_INVALID_OPERATION);
        return nullptr;
    }
    return current;
}

FixedFunctionState* OutsideState()
{
    FixedFunctionContext* c = Outside();
    return c ? &c->State() : nullptr;
}

// Colours read back as integers map [0, 1] onto the whole positive range, as GL does.
bool IsColorParameter(GLenum pname)
{
    return pname == GL_CURRENT_COLOR || pname == GL_LIGHT_MODEL_AMBIENT || pname == GL_COLOR_CLEAR_VALUE;
}

// The 16 values the longest answer takes, so a caller's short buffer is never overrun by
// more than GL itself would write.
int ValuesOf(GLenum pname)
{
    switch (pname) {
    case GL_MODELVIEW_MATRIX:
    case GL_PROJECTION_MATRIX:
    case GL_TEXTURE_MATRIX:
        return 16;
    case GL_CURRENT_COLOR:
    case GL_LIGHT_MODEL_AMBIENT:
    case GL_COLOR_CLEAR_VALUE:
    case GL_VIEWPORT:
    case GL_SCISSOR_BOX:
        return 4;
    case GL_POLYGON_MODE:
    case GL_DEPTH_RANGE:
    case GL_MAX_VIEWPORT_DIMS:
        return 2;
    default:
        return 1;
    }
}

} // namespace

// The GL functions, named as GL names them, each of the type of its slot in the table.
namespace ffgl {

void ORVEX_GL_APIENTRY glAlphaFunc(GLenum func, GLclampf ref)
{
    if (auto* s = OutsideState())
        s->AlphaFunc(func, ref);
}

void ORVEX_GL_APIENTRY glBegin(GLenum mode)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    if (!IsPrimitiveMode(mode))
        return c->State().RecordError(GL_INVALID_ENUM);
    c->Immediate().Begin(mode);
}

void ORVEX_GL_APIENTRY glBindTexture(GLenum target, GLuint texture)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    c->State().BindTexture(target, texture);
    if (c->State().BoundTexture() == texture && target == GL_TEXTURE_2D)
        c->Device().BindTexture(texture);
}

void ORVEX_GL_APIENTRY glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    if (auto* c = Outside())
        c->Device().BlendFunc(sfactor, dfactor);
}

void ORVEX_GL_APIENTRY glClear(GLbitfield mask)
{
    if (auto* c = Outside())
        c->Device().Clear(mask);
}

void ORVEX_GL_APIENTRY glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    if (auto* c = Outside())
        c->Device().ClearColor(r, g, b, a);
}

void ORVEX_GL_APIENTRY glClearDepth(GLclampd depth)
{
    if (auto* c = Outside())
        c->Device().ClearDepth(static_cast<float>(std::clamp(depth, 0.0, 1.0)));
}

void ORVEX_GL_APIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    if (current != nullptr)
        current->State().Color(r, g, b, a);
}

void ORVEX_GL_APIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    glColor4f(r, g, b, 1.0f);
}

void ORVEX_GL_APIENTRY glColor3fv(const GLfloat* v)
{
    glColor4f(v[0], v[1], v[2], 1.0f);
}

void ORVEX_GL_APIENTRY glColor4fv(const GLfloat* v)
{
    glColor4f(v[0], v[1], v[2], v[3]);
}

void ORVEX_GL_APIENTRY glColor3ub(GLubyte r, GLubyte g, GLubyte b)
{
    glColor4f(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
}

void ORVEX_GL_APIENTRY glColor3ubv(const GLubyte* v)
{
    glColor3ub(v[0], v[1], v[2]);
}

void ORVEX_GL_APIENTRY glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Pointer(AttributeColor, size, type, stride, pointer));
}

void ORVEX_GL_APIENTRY glColorMaterial(GLenum face, GLenum mode)
{
    if (auto* s = OutsideState())
        s->ColorMaterial(face, mode);
}

void ORVEX_GL_APIENTRY glCullFace(GLenum mode)
{
    if (auto* c = Outside())
        c->Device().CullFace(mode);
}

void ORVEX_GL_APIENTRY glDeleteTextures(GLsizei n, const GLuint* textures)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    c->State().DeleteTextures(n, textures);
    if (n > 0)
        c->Device().DeleteTextures(n, textures);
}

void ORVEX_GL_APIENTRY glDepthFunc(GLenum func)
{
    if (auto* c = Outside())
        c->Device().DepthFunc(func);
}

void ORVEX_GL_APIENTRY glEnable(GLenum cap)
{
    FixedFunctionContext* c = Outside();
    if (c != nullptr && c->State().SetCapability(cap, true) && KindOfCapability(cap) == CapabilityKind::Raster)
        c->Device().SetCapability(cap, true);
}

void ORVEX_GL_APIENTRY glDisable(GLenum cap)
{
    FixedFunctionContext* c = Outside();
    if (c != nullptr && c->State().SetCapability(cap, false) && KindOfCapability(cap) == CapabilityKind::Raster)
        c->Device().SetCapability(cap, false);
}

void ORVEX_GL_APIENTRY glEnableClientState(GLenum array)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().EnableClientState(array, true));
}

void ORVEX_GL_APIENTRY glDisableClientState(GLenum array)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().EnableClientState(array, false));
}

void ORVEX_GL_APIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    if (auto* c = Outside())
        c->DrawArrays(mode, first, count);
}

void ORVEX_GL_APIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices)
{
    if (auto* c = Outside())
        c->DrawElements(mode, count, type, indices);
}

void ORVEX_GL_APIENTRY glEnd()
{
    if (current == nullptr)
        return;
    if (!current->Immediate().Inside())
        return current->State().RecordError(GL_INVALID_OPERATION);
    current->End();
}

void ORVEX_GL_APIENTRY glFinish()
{
    if (auto* c = Outside())
        c->Device().Finish();
}

void ORVEX_GL_APIENTRY glFrontFace(GLenum mode)
{
    if (auto* c = Outside())
        c->Device().FrontFace(mode);
}

void ORVEX_GL_APIENTRY glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    FixedFunctionState* s = OutsideState();
    if (s == nullptr)
        return;
    if (n <= 0 || f <= 0 || l == r || b == t || n == f)
        return s->RecordError(GL_INVALID_VALUE);
    s->MultiplyMatrix(Frustum(l, r, b, t, n, f));
}

void ORVEX_GL_APIENTRY glGenTextures(GLsizei n, GLuint* textures)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    if (n < 0)
        return c->State().RecordError(GL_INVALID_VALUE);
    if (n > 0)
        c->Device().GenTextures(n, textures);
}

GLenum ORVEX_GL_APIENTRY glGetError()
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return GL_NO_ERROR;
    const GLenum own = c->State().TakeError();
    return own != GL_NO_ERROR ? own : c->Device().GetError();
}

void ORVEX_GL_APIENTRY glGetFloatv(GLenum pname, GLfloat* params)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    if (!c->State().GetFloats(pname, params) && !c->Device().GetFloats(pname, params))
        c->State().RecordError(GL_INVALID_ENUM);
}

void ORVEX_GL_APIENTRY glGetIntegerv(GLenum pname, GLint* params)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    if (pname == GL_MAX_TEXTURE_SIZE) {
        params[0] = c->Device().MaxTextureSize();
        return;
    }
    float values[16];
    if (c->State().GetFloats(pname, values)) {
        for (int i = 0; i < ValuesOf(pname); ++i)
            params[i] = IsColorParameter(pname) ? static_cast<GLint>(std::lround(values[i] * 2147483647.0))
                                                : static_cast<GLint>(std::lround(values[i]));
        return;
    }
    if (!c->Device().GetIntegers(pname, params))
        c->State().RecordError(GL_INVALID_ENUM);
}

const GLubyte* ORVEX_GL_APIENTRY glGetString(GLenum name)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return nullptr;
    const char* text = c->String(name);
    if (text == nullptr)
        c->State().RecordError(GL_INVALID_ENUM);
    return reinterpret_cast<const GLubyte*>(text);
}

void ORVEX_GL_APIENTRY glHint(GLenum target, GLenum mode)
{
    if (auto* s = OutsideState())
        s->Hint(target, mode);
}

void ORVEX_GL_APIENTRY glInterleavedArrays(GLenum format, GLsizei stride, const GLvoid* pointer)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().InterleavedArrays(format, stride, pointer));
}

GLboolean ORVEX_GL_APIENTRY glIsEnabled(GLenum cap)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return GL_FALSE;
    if (const int array = c->Arrays().IsClientStateEnabled(cap); array >= 0)
        return array != 0 ? GL_TRUE : GL_FALSE;
    if (KindOfCapability(cap) == CapabilityKind::Unknown) {
        c->State().RecordError(GL_INVALID_ENUM);
        return GL_FALSE;
    }
    return c->State().IsEnabled(cap) ? GL_TRUE : GL_FALSE;
}

void ORVEX_GL_APIENTRY glLightf(GLenum light, GLenum pname, GLfloat param)
{
    if (auto* s = OutsideState())
        s->Light(light, pname, &param, true);
}

void ORVEX_GL_APIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    if (auto* s = OutsideState())
        s->Light(light, pname, params, false);
}

void ORVEX_GL_APIENTRY glLoadIdentity()
{
    if (auto* s = OutsideState())
        s->LoadMatrix(GlMatrix{});
}

void ORVEX_GL_APIENTRY glLoadMatrixf(const GLfloat* m)
{
    if (auto* s = OutsideState())
        s->LoadMatrix(FromColumnMajor(m));
}

void ORVEX_GL_APIENTRY glMaterialf(GLenum face, GLenum pname, GLfloat param)
{
    if (current != nullptr)
        current->State().Material(face, pname, &param, true);
}

void ORVEX_GL_APIENTRY glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
{
    if (current != nullptr)
        current->State().Material(face, pname, params, false);
}

void ORVEX_GL_APIENTRY glMatrixMode(GLenum mode)
{
    if (auto* s = OutsideState())
        s->MatrixMode(mode);
}

void ORVEX_GL_APIENTRY glMultMatrixf(const GLfloat* m)
{
    if (auto* s = OutsideState())
        s->MultiplyMatrix(FromColumnMajor(m));
}

void ORVEX_GL_APIENTRY glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz)
{
    if (current != nullptr)
        current->State().Normal(nx, ny, nz);
}

void ORVEX_GL_APIENTRY glNormal3fv(const GLfloat* v)
{
    glNormal3f(v[0], v[1], v[2]);
}

void ORVEX_GL_APIENTRY glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Pointer(AttributeNormal, 3, type, stride, pointer));
}

void ORVEX_GL_APIENTRY glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    FixedFunctionState* s = OutsideState();
    if (s == nullptr)
        return;
    if (l == r || b == t || n == f)
        return s->RecordError(GL_INVALID_VALUE);
    s->MultiplyMatrix(Ortho(l, r, b, t, n, f));
}

void ORVEX_GL_APIENTRY glPixelStorei(GLenum pname, GLint param)
{
    if (auto* s = OutsideState())
        s->PixelStore(pname, param);
}

void ORVEX_GL_APIENTRY glPolygonMode(GLenum face, GLenum mode)
{
    if (auto* s = OutsideState())
        s->PolygonMode(face, mode);
}

void ORVEX_GL_APIENTRY glPolygonOffset(GLfloat factor, GLfloat units)
{
    if (auto* c = Outside())
        c->Device().PolygonOffset(factor, units);
}

void ORVEX_GL_APIENTRY glPopMatrix()
{
    if (auto* s = OutsideState())
        s->PopMatrix();
}

void ORVEX_GL_APIENTRY glPushMatrix()
{
    if (auto* s = OutsideState())
        s->PushMatrix();
}

void ORVEX_GL_APIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    if (auto* s = OutsideState())
        s->MultiplyMatrix(Rotation(angle, x, y, z));
}

void ORVEX_GL_APIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    if (auto* s = OutsideState())
        s->MultiplyMatrix(Scaling(x, y, z));
}

void ORVEX_GL_APIENTRY glShadeModel(GLenum mode)
{
    if (auto* s = OutsideState())
        s->ShadeModel(mode);
}

void ORVEX_GL_APIENTRY glStencilFunc(GLenum func, GLint ref, GLuint mask)
{
    if (auto* c = Outside())
        c->Device().StencilFunc(func, ref, mask);
}

void ORVEX_GL_APIENTRY glStencilMask(GLuint mask)
{
    if (auto* c = Outside())
        c->Device().StencilMask(mask);
}

void ORVEX_GL_APIENTRY glStencilOp(GLenum fail, GLenum zfail, GLenum zpass)
{
    if (auto* c = Outside())
        c->Device().StencilOp(fail, zfail, zpass);
}

void ORVEX_GL_APIENTRY glTexCoord2f(GLfloat s, GLfloat t)
{
    if (current != nullptr)
        current->State().TexCoord(s, t, 0.0f, 1.0f);
}

void ORVEX_GL_APIENTRY glTexCoord2fv(const GLfloat* v)
{
    glTexCoord2f(v[0], v[1]);
}

void ORVEX_GL_APIENTRY glTexCoord3f(GLfloat s, GLfloat t, GLfloat r)
{
    if (current != nullptr)
        current->State().TexCoord(s, t, r, 1.0f);
}

void ORVEX_GL_APIENTRY glTexCoord3fv(const GLfloat* v)
{
    glTexCoord3f(v[0], v[1], v[2]);
}

void ORVEX_GL_APIENTRY glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Pointer(AttributeTexCoord, size, type, stride, pointer));
}

void ORVEX_GL_APIENTRY glTexEnvf(GLenum target, GLenum pname, GLfloat param)
{
    if (auto* s = OutsideState())
        s->TexEnv(target, pname, &param, true);
}

void ORVEX_GL_APIENTRY glTexEnvfv(GLenum target, GLenum pname, const GLfloat* params)
{
    if (auto* s = OutsideState())
        s->TexEnv(target, pname, params, false);
}

// Texture coordinate generation is not drawn by the layer.
void ORVEX_GL_APIENTRY glTexGenf(GLenum, GLenum, GLfloat)
{
    if (auto* s = OutsideState())
        s->RecordError(GL_INVALID_ENUM);
}

void ORVEX_GL_APIENTRY glTexGenfv(GLenum, GLenum, const GLfloat*)
{
    if (auto* s = OutsideState())
        s->RecordError(GL_INVALID_ENUM);
}

void ORVEX_GL_APIENTRY glTexGeni(GLenum, GLenum, GLint)
{
    if (auto* s = OutsideState())
        s->RecordError(GL_INVALID_ENUM);
}

void ORVEX_GL_APIENTRY glTexGeniv(GLenum, GLenum, const GLint*)
{
    if (auto* s = OutsideState())
        s->RecordError(GL_INVALID_ENUM);
}

void ORVEX_GL_APIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                    GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    FixedFunctionContext* c = Outside();
    if (c == nullptr)
        return;
    TextureBase base = TextureBase::None;
    if (!c->State().TexImage(target, level, internalFormat, width, height, border, format, type,
                             c->Device().MaxTextureSize(), &base))
        return;
    // Pixels that are already in the texture's format and rows go as they are; others are
    // converted (and repacked, which also covers a row length of their own).
    const GLenum webFormat = FormatOfBase(base);
    const PixelUnpack& unpack = c->State().Unpack();
    if (pixels == nullptr || (format == webFormat && (unpack.rowLength == 0 || unpack.rowLength == width))) {
        c->Device().TexImage2D(level, webFormat, width, height, pixels, unpack.alignment);
        return;
    }
    const std::vector<std::uint8_t> texels =
        ConvertTexels(static_cast<const std::uint8_t*>(pixels), width, height, format, unpack, base);
    c->Device().TexImage2D(level, webFormat, width, height, texels.empty() ? nullptr : texels.data(), 1);
}

void ORVEX_GL_APIENTRY glTexParameterf(GLenum target, GLenum pname, GLfloat param)
{
    FixedFunctionContext* c = Outside();
    GLint value = 0;
    if (c != nullptr && c->State().TexParameter(target, pname, static_cast<GLint>(param), &value))
        c->Device().TexParameter(pname, value);
}

void ORVEX_GL_APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    if (auto* s = OutsideState())
        s->MultiplyMatrix(Translation(x, y, z));
}

void ORVEX_GL_APIENTRY glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w)
{
    // Outside glBegin/glEnd a vertex has no meaning; GL leaves it undefined.
    if (current != nullptr && current->Immediate().Inside())
        current->Immediate().Vertex({x, y, z, w}, current->Current());
}

void ORVEX_GL_APIENTRY glVertex2f(GLfloat x, GLfloat y)
{
    glVertex4f(x, y, 0.0f, 1.0f);
}

void ORVEX_GL_APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    glVertex4f(x, y, z, 1.0f);
}

void ORVEX_GL_APIENTRY glVertex3fv(const GLfloat* v)
{
    glVertex4f(v[0], v[1], v[2], 1.0f);
}

void ORVEX_GL_APIENTRY glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Pointer(AttributePosition, size, type, stride, pointer));
}

void ORVEX_GL_APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (auto* c = Outside())
        c->Device().Viewport(x, y, width, height);
}

void ORVEX_GL_APIENTRY glLockArraysEXT(GLint first, GLsizei count)
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Lock(first, count));
}

void ORVEX_GL_APIENTRY glUnlockArraysEXT()
{
    if (auto* c = Outside())
        c->State().RecordError(c->Arrays().Unlock());
}

} // namespace ffgl

GlProc FixedFunctionProc(const char* name)
{
    // Each function is checked against its slot's type before it is filed by name.
#define ORVEX_FIXED_FUNCTION(ret, glName, ...) \
    {#glName, reinterpret_cast<GlProc>(static_cast<decltype(GlEntryPoints::glName)>(&ffgl::glName))},
    static const std::map<std::string_view, GlProc> procs{
        ORVEX_GL_ENTRY_POINTS(ORVEX_FIXED_FUNCTION, ORVEX_GL_SKIP, ORVEX_GL_SKIP, ORVEX_GL_SKIP)
            ORVEX_FIXED_FUNCTION(void, glLockArraysEXT) ORVEX_FIXED_FUNCTION(void, glUnlockArraysEXT)};
#undef ORVEX_FIXED_FUNCTION
    if (name == nullptr)
        return nullptr;
    auto it = procs.find(name);
    return it != procs.end() ? it->second : nullptr;
}
