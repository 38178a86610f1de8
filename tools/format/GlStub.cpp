#include "format/GlStub.h"

#include "orvex/render/GlApi.h"

#include <map>

namespace orvex::format {

namespace {

GLuint nextTexture = 1;
GLuint boundTexture = 0;
// Only the names handed out and not deleted; a map keeps the pixels of scenes loaded one
// after another from piling up.
std::map<GLuint, UploadedTexture> textures;

// Materials keep the names they are given, so each texture gets one of its own.
void ORVEX_GL_APIENTRY GenTextures(GLsizei n, GLuint* names)
{
    if (names == nullptr)
        return;
    for (GLsizei i = 0; i < n; ++i) {
        names[i] = nextTexture++;
        textures[names[i]];
    }
}

void ORVEX_GL_APIENTRY DeleteTextures(GLsizei n, const GLuint* names)
{
    if (names == nullptr)
        return;
    for (GLsizei i = 0; i < n; ++i)
        textures.erase(names[i]);
}

void ORVEX_GL_APIENTRY BindTexture(GLenum, GLuint texture)
{
    boundTexture = texture;
}

void ORVEX_GL_APIENTRY TexImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint, GLenum format,
                                  GLenum type, const GLvoid* pixels)
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

} // namespace

struct SavedGlTable::Saved {
    GlEntryPoints table;
};

SavedGlTable::SavedGlTable() : saved(std::make_unique<Saved>(Saved{gl})) {}

SavedGlTable::~SavedGlTable()
{
    gl = saved->table;
}

void InstallGlStub()
{
    gl = NoOpGlEntryPoints();
    gl.glGenTextures = GenTextures;
    gl.glDeleteTextures = DeleteTextures;
    gl.glBindTexture = BindTexture;
    gl.glTexImage2D = TexImage2D;
}

bool TakeUploadedTexture(std::uint32_t id, UploadedTexture* out)
{
    auto found = textures.find(id);
    if (found == textures.end() || found->second.channels == 0)
        return false;
    *out = std::move(found->second);
    found->second = UploadedTexture{};
    return true;
}

} // namespace orvex::format
