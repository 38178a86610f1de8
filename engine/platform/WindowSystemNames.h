/// @file
/// The window-system functions of a system whose GL has no WGL of its own (Linux, the web):
/// the driver resolves wgl* and the pixel-format functions by name like every other entry
/// point, and each of these answers forwards to the registered GlBinding.
#pragma once

#include "orvex/render/GlApi.h"

/// wglCreateContext, wglDeleteContext, wglGetCurrentContext, wglGetCurrentDC, wglMakeCurrent,
/// wglGetProcAddress and the driver's own pixel-format names (wglChoosePixelFormat, ...,
/// wglSwapBuffers), as a GL library answers them; null for any other name.
GlProc BindingGlLibraryName(const char* name);

/// ChoosePixelFormat, DescribePixelFormat, GetPixelFormat, SetPixelFormat and SwapBuffers, as
/// the window-system module answers them; null for any other name.
GlProc BindingWindowSystemName(const char* name);
