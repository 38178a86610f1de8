#pragma once
// Qt's side of the editor's OpenGL: contexts, current surfaces, function lookup and swaps
// through QOpenGLContext. Plain types only, so that files using the engine's GL table can
// call it without seeing Qt's GL headers (which bring the system <GL/gl.h>).
#include <QSurfaceFormat>

#include <string>

class QOpenGLContext;
class QWindow;

namespace qtgl {

using Proc = void (*)();

// What every view window and context is made with: RGBA 8-8-8-8, depth 24, stencil 8,
// double-buffered, a compatibility profile of OpenGL 2.1 (fixed-function pipeline and a
// GL_EXTENSIONS string), and no wait for the vertical retrace so the idle loop sets the pace.
QSurfaceFormat WindowFormat();

// A context for window, not current. Null when the window has no native surface or the
// context cannot be made.
QOpenGLContext* CreateContext(QWindow* window);
void DeleteContext(QOpenGLContext* context);
// Makes context current on window; (null, null) releases the current one.
bool MakeCurrent(QWindow* window, QOpenGLContext* context);
QOpenGLContext* CurrentContext();
// The window the current context draws into, or null.
QWindow* CurrentWindow();
Proc GetProcAddress(const char* name);
// Swaps the current context's buffers on window. False, without swapping, when the window
// is not on screen (Qt leaves a swap on an unexposed window undefined).
bool SwapBuffers(QWindow* window);

// GL_RENDERER of a throw-away context on an offscreen surface; empty when none can be made.
// The previously current context stays current.
std::string ProbeRenderer();

} // namespace qtgl
