// The OpenGL driver of the process: which library, its entry points in `gl`, the
// rendering context of a window surface, and the extensions and limits of that context.
// Free functions over program-wide state; there is one driver per process.
#pragma once

#include "orvex/platform/Library.h"
#include "orvex/render/GlApi.h"

#include <cstdint>

enum GlDriverKind : std::int32_t {
    DriverDefault = 0,        // the system's OpenGL
    Driver3dfxStandalone = 1, // a 3dfx standalone driver, only with a Glide board present
    DriverSgiSoftware = 2,    // the system's OpenGL, rendering in software
};

// 1 when a driver is loaded (also when one already was, whatever kind is asked now),
// 0 when no usable library could be loaded. `kind` is 0, 1 or 2.
int LoadDriver(GlDriverKind kind);
// 1 when the library offers a hardware-accelerated pixel format on the screen.
int ProbeDriver(const char* library);
// 1 when at least one 3dfx board answers through Glide.
int ProbeGlideBoards();
// The function `name` of `module`; when it is missing, shows "GetProcAddress("name") failed!"
// in a message box captioned "ERROR" and answers null.
GlProc GetEntryPoint(LibraryHandle module, const char* name);
// Frees the library if one is loaded; `gl` keeps its entries.
void UnloadDriver();
GlDriverKind GetDriverKind();
// "Default OpenGL Driver", "3dfx Standalone OpenGL Driver", "SGI Software OpenGL Driver";
// null for 3 and for any other number.
const char* GetDriverName(int kind);
// Sets the pixel format on the surface and makes a context current on it, then detects
// the extensions. Null when no driver is loaded or a step fails.
GlContextHandle CreateContext(GlSurfaceHandle deviceContext);
void DeleteContext(GlContextHandle context);
// Extension flags, their entry points and further state, then maxTextureSize.
void DetectExtensions();

// Library file names on this system. On Windows the software driver is a library of its
// own (absent on current Windows, so the kind cannot load there); elsewhere it is the
// system library with its hardware paths switched off (LibraryLoader::ForceSoftwareGl).
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

// Extension flags of the most recent context: set by DetectExtensions, never cleared.
extern std::int32_t hasMultitexture;
extern std::int32_t hasTextureCompression;
extern std::int32_t hasTextureCubeMap;
extern std::int32_t hasTextureEnvAdd;
extern std::int32_t hasCompiledVertexArray;
extern std::int32_t hasPackedPixels;
extern std::int32_t hasPalettedTexture;
extern std::int32_t hasPointParameters;
extern std::int32_t hasTextureCompressionS3tc;
extern std::int32_t hasTextureEnvCombine;
extern std::int32_t hasVertexArray;
extern std::int32_t hasVertexWeighting;
extern std::int32_t hasS3s3tc;
extern std::int32_t hasSwapControl;
extern std::int32_t has3dfxGammaControl;

// Limits of the most recent context.
extern std::int32_t maxTextureSize;
extern std::int32_t maxTextureUnits;
// The window's pixel format is hardware accelerated; and a generic accelerated one.
extern std::int32_t pixelFormatAccelerated;
extern std::int32_t pixelFormatMiniport;

// The 40-byte request used for the probe and for windows: RGBA, double-buffered,
// depth 32, stencil 8.
PixelFormatDescriptor PixelFormatRequest();

// Forgets everything as at program start (library handle without freeing it, flags,
// limits, `gl`). For tests that drive several loads in one process.
void ResetDriverState();
