/// @file
/// The OpenGL driver of the process: which library, its entry points in `gl`, the
/// rendering context of a window surface, and what that context offers in `glCapabilities`.
/// Free functions over program-wide state; there is one driver per process.
#pragma once

#include "orvex/platform/Library.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/GlCapabilities.h"

#include <cstdint>

/// The kinds of OpenGL driver LoadDriver can load.
enum GlDriverKind : std::int32_t {
    DriverDefault = 0,        ///< the system's OpenGL
    Driver3dfxStandalone = 1, ///< a 3dfx standalone driver, only with a Glide board present
    DriverSgiSoftware = 2,    ///< the system's OpenGL, rendering in software
};

/// 1 when a driver is loaded (also when one already was, whatever kind is asked now),
/// 0 when no usable library could be loaded. `kind` is 0, 1 or 2.
int LoadDriver(GlDriverKind kind);
/// 1 when the library offers a hardware-accelerated pixel format on the screen.
int ProbeDriver(const char* library);
/// 1 when at least one 3dfx board answers through Glide.
int ProbeGlideBoards();
/// The function `name` of `module`; when it is missing, shows "GetProcAddress("name") failed!"
/// in a message box captioned "ERROR" and answers null.
GlProc GetEntryPoint(LibraryHandle module, const char* name);
/// Frees the library if one is loaded; `gl` keeps its entries.
void UnloadDriver();
/// The kind of the loaded driver (DriverDefault when none is loaded).
GlDriverKind GetDriverKind();
/// The file name of the library LoadDriver chose last, whether it loaded or not (after a
/// fall-back, the last one tried); null before any choice.
const char* GetDriverLibraryName();
/// "Default OpenGL Driver", "3dfx Standalone OpenGL Driver", "SGI Software OpenGL Driver";
/// null for 3 and for any other number.
const char* GetDriverName(int kind);
/// Sets the pixel format on the surface and makes a context current on it, then detects
/// the extensions. Null when no driver is loaded or a step fails.
GlContextHandle CreateContext(GlSurfaceHandle deviceContext);
/// Deletes a context CreateContext made, releasing it first when it is current.
void DeleteContext(GlContextHandle context);
/// Searches the extension string for each extension of the list in GlCapabilities.h: fetches
/// its entry points, takes its further action and sets its flag; then reads maxTextureSize.
void DetectExtensions();

/// Library file names on this system. On Windows the software driver is a library of its
/// own (absent on current Windows, so the kind cannot load there); elsewhere it is the
/// system library with its hardware paths switched off (LibraryLoader::ForceSoftwareGl).
/// @{
#ifdef _WIN32
inline constexpr const char* kSystemGlLibrary = "OPENGL32.DLL";
inline constexpr const char* kSgiSoftwareGlLibrary = "OPENGL.DLL";
inline constexpr const char* k3dfxVoodooGlLibrary = "3DFXVGL.DLL";
inline constexpr const char* k3dfxGlLibrary = "3DFXOGL.DLL";
inline constexpr const char* kGlideLibrary = "glide2x.dll";
inline constexpr const char* kGlideQueryBoards = "_grSstQueryBoards@4";
#else
inline constexpr const char* kSystemGlLibrary = "libGL.so.1";
inline constexpr const char* kSgiSoftwareGlLibrary = "libGL.so.1";
inline constexpr const char* k3dfxVoodooGlLibrary = "lib3dfxvgl.so";
inline constexpr const char* k3dfxGlLibrary = "lib3dfxogl.so";
inline constexpr const char* kGlideLibrary = "libglide2x.so";
inline constexpr const char* kGlideQueryBoards = "grSstQueryBoards";
#endif
/// @}

/// The 40-byte request used for the probe and for windows: RGBA, double-buffered,
/// depth 32, stencil 8.
PixelFormatDescriptor PixelFormatRequest();

/// Forgets everything as at program start (library handle without freeing it,
/// `glCapabilities`, `gl`). For tests that drive several loads in one process.
void ResetDriverState();
