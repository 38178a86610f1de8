#include "info/GlStub.h"

#include "render/GlApi.h"

namespace info {

namespace {

GLuint nextTexture = 1;

void GenTextures(GLsizei n, GLuint* textures)
{
    for (GLsizei i = 0; i < n; ++i)
        textures[i] = nextTexture++;
}
void DeleteTextures(GLsizei, const GLuint*) {}
void BindTexture(GLenum, GLuint) {}
void PixelStorei(GLenum, GLint) {}
void TexParameterf(GLenum, GLenum, GLfloat) {}
void TexEnvf(GLenum, GLenum, GLfloat) {}
void TexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
GLenum GetError() { return GL_NO_ERROR; }

} // namespace

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

} // namespace info
