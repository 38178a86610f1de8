/// @file
/// Dynamic libraries: loading by file name and finding functions by exact name.
#pragma once

#include "orvex/render/GlApi.h"

/// A loaded library, as the loader hands it out; null is none.
using LibraryHandle = void*;

/// Loads dynamic libraries and finds their functions; the system's (SystemLibraries) or a stand-in.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;

    /// Loads a library by file name; null when it cannot be loaded.
    virtual LibraryHandle Load(const char* fileName) = 0;
    /// A module that is already part of the process, by name; null when there is none.
    virtual LibraryHandle FindLoaded(const char* moduleName) = 0;
    /// A function of the library by exact name; null when it has none.
    virtual GlProc Symbol(LibraryHandle library, const char* name) = 0;
    /// Unloads a library Load gave.
    virtual void Free(LibraryHandle library) = 0;
    /// GL libraries loaded from now on render in software only.
    virtual void ForceSoftwareGl() = 0;
};

/// The module name under which the window system's pixel-format services are found
/// (ChoosePixelFormat, DescribePixelFormat, GetPixelFormat, SetPixelFormat, SwapBuffers).
#ifdef _WIN32
inline constexpr const char* kWindowSystemModule = "GDI32.DLL";
#else
inline constexpr const char* kWindowSystemModule = "window-system";
#endif

/// The system's loader, from the program's system backend.
///   platform/posix: dlopen/dlsym/dlclose. A GL library also answers the window-system
///     binding names (wglCreateContext, wglMakeCurrent, wglGetProcAddress, ...,
///     wglChoosePixelFormat, ...) through the registered GlBinding, and its GL_EXTENSIONS
///     string lists the binding's window-system extensions, as a Windows driver's does.
///   platform/win32: LoadLibraryA/GetProcAddress/FreeLibrary/GetModuleHandleA.
///   platform/web: no loading; the one GL library is the fixed-function layer on WebGL 2.
LibraryLoader& SystemLibraries();
