// <windows.h> for the Win32 backend, without the macros that would rename the engine's own
// names: the A/W switches CreateFont, DrawText, TextOut and MessageBox, min and max, and the
// PFD_* values the engine declares as constants of its own. Include this, never <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CreateFont
#undef DrawText
#undef TextOut
#undef MessageBox

#undef PFD_DOUBLEBUFFER
#undef PFD_DRAW_TO_WINDOW
#undef PFD_SUPPORT_OPENGL
#undef PFD_GENERIC_FORMAT
#undef PFD_GENERIC_ACCELERATED
#undef PFD_TYPE_RGBA
#undef PFD_MAIN_PLANE
