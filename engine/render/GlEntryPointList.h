/// @file
/// The one list of the GL and window-system entry points the engine calls. Everything
/// that has to name them all is expanded from here: the slots of `GlEntryPoints`, the
/// driver's resolver and extension fetches, the do-nothing table, and the tests'
/// recording table.
///
/// ORVEX_GL_ENTRY_POINTS(CORE, WGL, PIXEL, EXT) expands one row per entry point, in the
/// order of the table's slots, through the macro of the row's group:
///   CORE(ret, name, params, letters)               OpenGL 1.1, resolved from the driver
///                                                   library by name, in this order
///   WGL(ret, name, params, letters)                the window-system functions, resolved
///                                                   from the driver library after the core
///   PIXEL(ret, slot, params, letters, gdi, driver) the five pixel-format slots, resolved
///                                                   last: by the `gdi` name from the
///                                                   window-system module for the default
///                                                   driver, else by the `driver` name from
///                                                   the driver library
///   EXT(ret, name, params, letters, extension)     fetched through wglGetProcAddress when
///                                                   the driver offers `extension`, a
///                                                   GlExtension of the extension list
///                                                   (GlCapabilities.h); rows of one
///                                                   extension stand together, in the
///                                                   order they are fetched
/// A group's macro may take `...` to ignore the columns it does not need, and
/// ORVEX_GL_SKIP drops a whole group.
///
/// `letters` says, one letter per parameter, how the recording table shows an argument:
///   e enum          m primitive mode   B blend factor      b bitfield
///   i int           u unsigned         f float             d double
///   g float that carries an enum (glTexParameterf)         G int that carries an enum
///   1 2 3 4 M float arrays of 1, 2, 3, 4, 16 values       U 3 unsigned bytes
///   L float array whose length the preceding pname gives  K the same for ints
///   N names, as many as the first argument                X indices of glDrawElements
///   T pixels of glTexImage2D                              O output pointer
///   p data pointer  h handle  s C string  D pixel-format descriptor
///
/// Included by render/GlApi.h, after the GL types; include that header instead.
#pragma once

/// A group macro that drops its rows.
#define ORVEX_GL_SKIP(...)

// clang-format off
/// The list of entry points, one row each (see the file's description).
#define ORVEX_GL_ENTRY_POINTS(CORE, WGL, PIXEL, EXT)                                                            \
    CORE(void, glAlphaFunc, (GLenum func, GLclampf ref), "ef")                                                  \
    CORE(void, glBegin, (GLenum mode), "m")                                                                     \
    CORE(void, glBindTexture, (GLenum target, GLuint texture), "eu")                                            \
    CORE(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), "BB")                                             \
    CORE(void, glClear, (GLbitfield mask), "b")                                                                 \
    CORE(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), "ffff")                          \
    CORE(void, glClearDepth, (GLclampd depth), "d")                                                             \
    CORE(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), "fff")                                             \
    CORE(void, glColor3fv, (const GLfloat* v), "3")                                                             \
    CORE(void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), "ffff")                                 \
    CORE(void, glColor4fv, (const GLfloat* v), "4")                                                             \
    CORE(void, glColor3ub, (GLubyte r, GLubyte g, GLubyte b), "uuu")                                            \
    CORE(void, glColor3ubv, (const GLubyte* v), "U")                                                            \
    CORE(void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer), "ieip")        \
    CORE(void, glColorMaterial, (GLenum face, GLenum mode), "ee")                                               \
    CORE(void, glCullFace, (GLenum mode), "e")                                                                  \
    CORE(void, glDeleteTextures, (GLsizei n, const GLuint* textures), "iN")                                     \
    CORE(void, glDepthFunc, (GLenum func), "e")                                                                 \
    CORE(void, glDisable, (GLenum cap), "e")                                                                    \
    CORE(void, glDisableClientState, (GLenum array), "e")                                                       \
    CORE(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), "mii")                                  \
    CORE(void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices), "mieX")        \
    CORE(void, glEnable, (GLenum cap), "e")                                                                     \
    CORE(void, glEnableClientState, (GLenum array), "e")                                                        \
    CORE(void, glEnd, (), "")                                                                                   \
    CORE(void, glFinish, (), "")                                                                                \
    CORE(void, glFrontFace, (GLenum mode), "e")                                                                 \
    CORE(void, glFrustum, (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,        \
                           GLdouble zFar), "dddddd")                                                            \
    CORE(void, glGenTextures, (GLsizei n, GLuint* textures), "iO")                                              \
    CORE(GLenum, glGetError, (), "")                                                                            \
    CORE(void, glGetFloatv, (GLenum pname, GLfloat* params), "eO")                                              \
    CORE(void, glGetIntegerv, (GLenum pname, GLint* params), "eO")                                              \
    CORE(const GLubyte*, glGetString, (GLenum name), "e")                                                       \
    CORE(void, glHint, (GLenum target, GLenum mode), "ee")                                                      \
    CORE(void, glInterleavedArrays, (GLenum format, GLsizei stride, const GLvoid* pointer), "eip")              \
    CORE(GLboolean, glIsEnabled, (GLenum cap), "e")                                                             \
    CORE(void, glLightf, (GLenum light, GLenum pname, GLfloat param), "eef")                                    \
    CORE(void, glLightfv, (GLenum light, GLenum pname, const GLfloat* params), "eeL")                           \
    CORE(void, glLoadIdentity, (), "")                                                                          \
    CORE(void, glLoadMatrixf, (const GLfloat* m), "M")                                                          \
    CORE(void, glMaterialf, (GLenum face, GLenum pname, GLfloat param), "eef")                                  \
    CORE(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat* params), "eeL")                         \
    CORE(void, glMatrixMode, (GLenum mode), "e")                                                                \
    CORE(void, glMultMatrixf, (const GLfloat* m), "M")                                                          \
    CORE(void, glNormal3f, (GLfloat nx, GLfloat ny, GLfloat nz), "fff")                                         \
    CORE(void, glNormal3fv, (const GLfloat* v), "3")                                                            \
    CORE(void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* pointer), "eip")                    \
    CORE(void, glOrtho, (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,          \
                         GLdouble zFar), "dddddd")                                                              \
    CORE(void, glPixelStorei, (GLenum pname, GLint param), "ei")                                                \
    CORE(void, glPolygonMode, (GLenum face, GLenum mode), "ee")                                                 \
    CORE(void, glPolygonOffset, (GLfloat factor, GLfloat units), "ff")                                          \
    CORE(void, glPopMatrix, (), "")                                                                             \
    CORE(void, glPushMatrix, (), "")                                                                            \
    CORE(void, glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), "ffff")                             \
    CORE(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), "fff")                                              \
    CORE(void, glShadeModel, (GLenum mode), "e")                                                                \
    CORE(void, glStencilFunc, (GLenum func, GLint ref, GLuint mask), "eiu")                                     \
    CORE(void, glStencilMask, (GLuint mask), "u")                                                               \
    CORE(void, glStencilOp, (GLenum fail, GLenum zfail, GLenum zpass), "eee")                                   \
    CORE(void, glTexCoord2f, (GLfloat s, GLfloat t), "ff")                                                      \
    CORE(void, glTexCoord2fv, (const GLfloat* v), "2")                                                          \
    CORE(void, glTexCoord3f, (GLfloat s, GLfloat t, GLfloat r), "fff")                                          \
    CORE(void, glTexCoord3fv, (const GLfloat* v), "3")                                                          \
    CORE(void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer), "ieip")     \
    CORE(void, glTexEnvf, (GLenum target, GLenum pname, GLfloat param), "eeg")                                  \
    CORE(void, glTexEnvfv, (GLenum target, GLenum pname, const GLfloat* params), "eeL")                         \
    CORE(void, glTexGenf, (GLenum coord, GLenum pname, GLfloat param), "eeg")                                   \
    CORE(void, glTexGenfv, (GLenum coord, GLenum pname, const GLfloat* params), "eeL")                          \
    CORE(void, glTexGeni, (GLenum coord, GLenum pname, GLint param), "eeG")                                     \
    CORE(void, glTexGeniv, (GLenum coord, GLenum pname, const GLint* params), "eeK")                            \
    CORE(void, glTexImage2D, (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,  \
                              GLint border, GLenum format, GLenum type, const GLvoid* pixels), "eiGiiieeT")     \
    CORE(void, glTexParameterf, (GLenum target, GLenum pname, GLfloat param), "eeg")                            \
    CORE(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), "fff")                                          \
    CORE(void, glVertex2f, (GLfloat x, GLfloat y), "ff")                                                        \
    CORE(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), "fff")                                            \
    CORE(void, glVertex3fv, (const GLfloat* v), "3")                                                            \
    CORE(void, glVertex4f, (GLfloat x, GLfloat y, GLfloat z, GLfloat w), "ffff")                                \
    CORE(void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer), "ieip")       \
    CORE(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), "iiii")                           \
                                                                                                                \
    WGL(GlContextHandle, wglCreateContext, (GlSurfaceHandle surface), "h")                                      \
    WGL(int, wglDeleteContext, (GlContextHandle context), "h")                                                  \
    WGL(GlContextHandle, wglGetCurrentContext, (), "")                                                          \
    WGL(GlSurfaceHandle, wglGetCurrentDC, (), "")                                                               \
    WGL(int, wglMakeCurrent, (GlSurfaceHandle surface, GlContextHandle context), "hh")                          \
    WGL(GlProc, wglGetProcAddress, (const char* name), "s")                                                     \
                                                                                                                \
    PIXEL(int, choosePixelFormat, (GlSurfaceHandle surface, const PixelFormatDescriptor* request), "hD",        \
          "ChoosePixelFormat", "wglChoosePixelFormat")                                                          \
    PIXEL(int, describePixelFormat, (GlSurfaceHandle surface, int index, unsigned size,                         \
                                     PixelFormatDescriptor* out), "hiuO",                                       \
          "DescribePixelFormat", "wglDescribePixelFormat")                                                      \
    PIXEL(int, getPixelFormat, (GlSurfaceHandle surface), "h", "GetPixelFormat", "wglGetPixelFormat")           \
    PIXEL(int, setPixelFormat, (GlSurfaceHandle surface, int index, const PixelFormatDescriptor* descriptor),   \
          "hiD", "SetPixelFormat", "wglSetPixelFormat")                                                         \
    PIXEL(int, swapBuffers, (GlSurfaceHandle surface), "h", "SwapBuffers", "wglSwapBuffers")                    \
                                                                                                                \
    EXT(void, glActiveTextureARB, (GLenum texture), "e", ArbMultitexture)                                       \
    EXT(void, glClientActiveTextureARB, (GLenum texture), "e", ArbMultitexture)                                 \
    EXT(void, glMultiTexCoord2fARB, (GLenum target, GLfloat s, GLfloat t), "eff", ArbMultitexture)              \
    EXT(void, glMultiTexCoord2fvARB, (GLenum target, const GLfloat* v), "e2", ArbMultitexture)                  \
    EXT(void, glCompressedTexImage2DARB, (GLenum target, GLint level, GLenum internalFormat, GLsizei width,     \
                                          GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data), \
        "eieiiiip", ArbTextureCompression)                                                                      \
    EXT(void, glCompressedTexSubImage2DARB, (GLenum target, GLint level, GLint xoffset, GLint yoffset,          \
                                             GLsizei width, GLsizei height, GLenum format, GLsizei imageSize,   \
                                             const GLvoid* data),                                               \
        "eiiiiieip", ArbTextureCompression)                                                                     \
    EXT(void, glGetCompressedTexImageARB, (GLenum target, GLint level, GLvoid* img), "eiO",                     \
        ArbTextureCompression)                                                                                  \
    EXT(void, glLockArraysEXT, (GLint first, GLsizei count), "ii", ExtCompiledVertexArray)                      \
    EXT(void, glUnlockArraysEXT, (), "", ExtCompiledVertexArray)                                                \
    EXT(void, glColorTableEXT, (GLenum target, GLenum internalFormat, GLsizei width, GLenum format, GLenum type, \
                                const GLvoid* table), "eeieep", ExtPalettedTexture)                             \
    EXT(void, glPointParameterfEXT, (GLenum pname, GLfloat param), "ef", ExtPointParameters)                    \
    EXT(void, glPointParameterfvEXT, (GLenum pname, const GLfloat* params), "eL", ExtPointParameters)           \
    EXT(void, glColorPointerEXT, (GLint size, GLenum type, GLsizei stride, GLsizei count,                       \
                                  const GLvoid* pointer), "ieiip", ExtVertexArray)                              \
    EXT(void, glNormalPointerEXT, (GLenum type, GLsizei stride, GLsizei count, const GLvoid* pointer), "eiip",  \
        ExtVertexArray)                                                                                         \
    EXT(void, glTexCoordPointerEXT, (GLint size, GLenum type, GLsizei stride, GLsizei count,                    \
                                     const GLvoid* pointer), "ieiip", ExtVertexArray)                           \
    EXT(void, glVertexPointerEXT, (GLint size, GLenum type, GLsizei stride, GLsizei count,                      \
                                   const GLvoid* pointer), "ieiip", ExtVertexArray)                             \
    EXT(void, glArrayElementEXT, (GLint i), "i", ExtVertexArray)                                                \
    EXT(void, glDrawArraysEXT, (GLenum mode, GLint first, GLsizei count), "mii", ExtVertexArray)                \
    EXT(void, glCullParameterfvEXT, (GLenum pname, GLfloat* params), "e4", ExtCullVertex)                       \
    EXT(void, glVertexWeightfEXT, (GLfloat weight), "f", ExtVertexWeighting)                                    \
    EXT(void, glVertexWeightfvEXT, (const GLfloat* weight), "1", ExtVertexWeighting)                            \
    EXT(void, glVertexWeightPointerEXT, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),       \
        "ieip", ExtVertexWeighting)                                                                             \
    EXT(int, wglSwapIntervalEXT, (int interval), "i", WglExtSwapControl)                                        \
    EXT(int, wglGetSwapIntervalEXT, (), "", WglExtSwapControl)
// clang-format on
