#include "info/GlStub.h"

#include "render/GlApi.h"

namespace info {

namespace {

GLuint nextTexture = 1;

// Materials keep the names they are given, so each texture gets one of its own.
void ORVEX_GL_APIENTRY GenTextures(GLsizei n, GLuint* textures)
{
    if (textures == nullptr) return;
    for (GLsizei i = 0; i < n; ++i)
        textures[i] = nextTexture++;
}

} // namespace

void InstallGlStub()
{
    gl = NoOpGlEntryPoints();
    gl.glGenTextures = GenTextures;
}

} // namespace info
