#include "format/GlStub.h"

#include "render/GlApi.h"

#include <map>

namespace orvex::format {

namespace {

GLuint nextTexture = 1;
GLuint boundTexture = 0;
// Only the names handed out and not deleted; a map keeps the pixels of scenes loaded one
// after another from piling up.
std::map<GLuint, UploadedTexture> textures;

void GenTextures(GLsizei n, GLuint* names)
{
    for (GLsizei i = 0; i < n; ++i) {
        names[i] = nextTexture++;
        textures[names[i]];
    }
}
void DeleteTextures(GLsizei n, const GLuint* names)
{
    for (GLsizei i = 0; i < n; ++i)
        textures.erase(names[i]);
}
void BindTexture(GLenum, GLuint texture) { boundTexture = texture; }
void PixelStorei(GLenum, GLint) {}
void TexParameterf(GLenum, GLenum, GLfloat) {}
void TexEnvf(GLenum, GLenum, GLfloat) {}
void TexImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint, GLenum format, GLenum type,
                const GLvoid* pixels)
{
    auto found = textures.find(boundTexture);
    if (found == textures.end() || level != 0 || type != GL_UNSIGNED_BYTE || width < 0 || height < 0)
        return;
    int channels = format == GL_ALPHA ? 1 : format == GL_RGB ? 3 : format == GL_RGBA ? 4 : 0;
    UploadedTexture& t = found->second;
    t = UploadedTexture{width, height, channels, {}};
    if (channels && pixels) {
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        t.pixels.assign(bytes, bytes + static_cast<std::size_t>(width) * height * channels);
    }
}
GLenum GetError() { return GL_NO_ERROR; }

} // namespace

struct GlTextureSlots::Saved {
    GlEntryPoints table;
};

GlTextureSlots::GlTextureSlots() : saved(std::make_unique<Saved>(Saved{gl})) {}

GlTextureSlots::~GlTextureSlots()
{
    gl.glGenTextures = saved->table.glGenTextures;
    gl.glDeleteTextures = saved->table.glDeleteTextures;
    gl.glBindTexture = saved->table.glBindTexture;
    gl.glPixelStorei = saved->table.glPixelStorei;
    gl.glTexParameterf = saved->table.glTexParameterf;
    gl.glTexEnvf = saved->table.glTexEnvf;
    gl.glTexImage2D = saved->table.glTexImage2D;
    gl.glGetError = saved->table.glGetError;
}

void InstallGlStub()
{
    gl.glGenTextures = GenTextures;
    gl.glDeleteTextures = DeleteTextures;
    gl.glBindTexture = BindTexture;
    gl.glPixelStorei = PixelStorei;
    gl.glTexParameterf = TexParameterf;
    gl.glTexEnvf = TexEnvf;
    gl.glTexImage2D = TexImage2D;
    gl.glGetError = GetError;
}

const UploadedTexture* FindUploadedTexture(std::uint32_t id)
{
    auto found = textures.find(id);
    return found == textures.end() || found->second.channels == 0 ? nullptr : &found->second;
}

} // namespace orvex::format
