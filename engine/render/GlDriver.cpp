#include "orvex/render/GlDriver.h"

#include "orvex/platform/Platform.h"

#include <cstdio>
#include <cstring>

GlCapabilities glCapabilities;

namespace {

LibraryHandle driverLibrary = nullptr;
std::int32_t loaded = 0;
GlDriverKind driverKind = DriverDefault;

const char* const driverNames[] = {
    "Default OpenGL Driver",
    "3dfx Standalone OpenGL Driver",
    "SGI Software OpenGL Driver",
    nullptr,
};

template <typename Slot>
void Resolve(LibraryHandle module, Slot& slot, const char* name)
{
    slot = reinterpret_cast<Slot>(GetEntryPoint(module, name));
}

template <typename Slot>
void Fetch(Slot& slot, const char* name)
{
    slot = gl.wglGetProcAddress ? reinterpret_cast<Slot>(gl.wglGetProcAddress(name)) : nullptr;
}

// The core entry points, GL then window system, in the order of the list.
void ResolveCore(LibraryHandle module)
{
#define ORVEX_RESOLVE(ret, name, ...) Resolve(module, gl.name, #name);
    ORVEX_GL_ENTRY_POINTS(ORVEX_RESOLVE, ORVEX_RESOLVE, ORVEX_GL_SKIP, ORVEX_GL_SKIP)
#undef ORVEX_RESOLVE
}

// The five pixel-format slots: the window-system module answers to the system's names,
// a driver library to its own wgl names.
void ResolvePixelFormat(LibraryHandle module, bool windowSystem)
{
#define ORVEX_RESOLVE(ret, slot, params, letters, gdiName, driverName) \
    Resolve(module, gl.slot, windowSystem ? gdiName : driverName);
    ORVEX_GL_ENTRY_POINTS(ORVEX_GL_SKIP, ORVEX_GL_SKIP, ORVEX_RESOLVE, ORVEX_GL_SKIP)
#undef ORVEX_RESOLVE
}

// The entry points the list gives for `extension`, in their order; a missing one stays null.
void FetchEntryPointsOf(GlExtension extension)
{
#define ORVEX_FETCH(ret, name, params, letters, ofExtension) \
    if (extension == GlExtension::ofExtension) \
        Fetch(gl.name, #name);
    ORVEX_GL_ENTRY_POINTS(ORVEX_GL_SKIP, ORVEX_GL_SKIP, ORVEX_GL_SKIP, ORVEX_FETCH)
#undef ORVEX_FETCH
}

// What an offered extension needs besides its entry points, before its flag is set.
void TakeFurtherAction(GlExtension extension)
{
    switch (extension) {
    case GlExtension::ArbMultitexture:
        if (gl.glGetIntegerv)
            gl.glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &glCapabilities.maxTextureUnits);
        break;
    case GlExtension::ExtCullVertex: {
        if (gl.glEnable)
            gl.glEnable(GL_CULL_VERTEX_EXT);
        GLfloat eye[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        if (gl.glCullParameterfvEXT)
            gl.glCullParameterfvEXT(GL_CULL_VERTEX_EYE_POSITION_EXT, eye);
        break;
    }
    case GlExtension::WglExtSwapControl:
        // One vertical retrace per swap; a window system that refuses leaves it as it was.
        if (gl.wglSwapIntervalEXT)
            gl.wglSwapIntervalEXT(1);
        break;
    default:
        break;
    }
}

// PFD_GENERIC_FORMAT and PFD_GENERIC_ACCELERATED both clear (a hardware driver) or both
// set (generic acceleration) mean accelerated; generic alone is software.
bool IsAccelerated(const PixelFormatDescriptor& d)
{
    const bool generic = (d.flags & PFD_GENERIC_FORMAT) != 0;
    const bool accelerated = (d.flags & PFD_GENERIC_ACCELERATED) != 0;
    return generic == accelerated;
}

} // namespace

PixelFormatDescriptor PixelFormatRequest()
{
    PixelFormatDescriptor request{};
    request.size = sizeof(PixelFormatDescriptor);
    request.version = 1;
    request.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.pixelType = PFD_TYPE_RGBA;
    request.colorBits = 0;
    request.depthBits = 32;
    request.stencilBits = 8;
    request.layerType = PFD_MAIN_PLANE;
    request.layerMask = 0;
    return request;
}

GlProc GetEntryPoint(LibraryHandle module, const char* name)
{
    GlProc proc = PlatformLibraries().Symbol(module, name);
    if (proc == nullptr) {
        char text[80];
        std::snprintf(text, sizeof text, "GetProcAddress(\"%s\") failed!", name);
        PlatformMessages().Show("ERROR", text);
    }
    return proc;
}

int ProbeDriver(const char* library)
{
    LibraryLoader& libraries = PlatformLibraries();
    LibraryHandle module = libraries.Load(library);
    if (module == nullptr)
        return 0;

    int result = 0;
    auto choose = reinterpret_cast<decltype(gl.choosePixelFormat)>(libraries.Symbol(module, "wglChoosePixelFormat"));
    auto describe =
        reinterpret_cast<decltype(gl.describePixelFormat)>(libraries.Symbol(module, "wglDescribePixelFormat"));
    GlBinding* binding = PlatformBinding();
    GlSurfaceHandle screen = nullptr;
    if (choose != nullptr && describe != nullptr && binding != nullptr)
        screen = binding->GetSurface(nullptr);
    if (screen != nullptr) {
        const PixelFormatDescriptor request = PixelFormatRequest();
        const int index = choose(screen, &request);
        if (index >= 0) {
            PixelFormatDescriptor described{};
            described.size = sizeof described;
            if (describe(screen, index, sizeof described, &described) != 0)
                result = IsAccelerated(described) ? 1 : 0;
        }
        binding->ReleaseSurface(nullptr, screen);
    }
    libraries.Free(module);
    return result;
}

int ProbeGlideBoards()
{
    LibraryLoader& libraries = PlatformLibraries();
    LibraryHandle glide = libraries.Load(kGlideLibrary);
    if (glide == nullptr)
        return 0;
    int result = 0;
    // Glide is called with the same convention as GL.
    using QueryBoards = int(ORVEX_GL_APIENTRY*)(void* hardwareConfig);
    if (auto query = reinterpret_cast<QueryBoards>(libraries.Symbol(glide, kGlideQueryBoards))) {
        // The hardware-configuration record starts with a signed 32-bit board count.
        alignas(8) unsigned char config[4096] = {};
        query(config);
        std::int32_t boards = 0;
        std::memcpy(&boards, config, sizeof boards);
        result = boards > 0 ? 1 : 0;
    }
    libraries.Free(glide);
    return result;
}

int LoadDriver(GlDriverKind kind)
{
    if (loaded)
        return 1;
    if (kind < DriverDefault || kind > DriverSgiSoftware)
        return 0;

    LibraryLoader& libraries = PlatformLibraries();
    const char* library = nullptr;
    while (library == nullptr) {
        switch (kind) {
        case DriverDefault:
            if (ProbeDriver(kSystemGlLibrary)) {
                library = kSystemGlLibrary;
            } else {
                kind = DriverSgiSoftware;
            }
            break;
        case Driver3dfxStandalone:
            if (!ProbeGlideBoards()) {
                kind = DriverDefault;
            } else if (ProbeDriver(k3dfxVoodooGlLibrary)) {
                library = k3dfxVoodooGlLibrary;
            } else if (ProbeDriver(k3dfxGlLibrary)) {
                library = k3dfxGlLibrary;
            } else {
                kind = DriverDefault;
            }
            break;
        case DriverSgiSoftware:
            // A library of its own on Windows; elsewhere the system library with its
            // hardware paths switched off (see kSgiSoftwareGlLibrary).
            libraries.ForceSoftwareGl();
            library = kSgiSoftwareGlLibrary;
            break;
        }
    }

    driverLibrary = libraries.Load(library);
    if (driverLibrary == nullptr)
        return 0;

    ResolveCore(driverLibrary);

    if (kind == DriverDefault) {
        LibraryHandle windowSystem = libraries.FindLoaded(kWindowSystemModule);
        if (windowSystem == nullptr)
            return 0;
        ResolvePixelFormat(windowSystem, true);
    } else {
        ResolvePixelFormat(driverLibrary, false);
    }

    driverKind = kind;
    loaded = 1;
    return 1;
}

void UnloadDriver()
{
    if (!loaded)
        return;
    if (driverLibrary != nullptr)
        PlatformLibraries().Free(driverLibrary);
    driverLibrary = nullptr;
    loaded = 0;
}

GlDriverKind GetDriverKind()
{
    return driverKind;
}

const char* GetDriverName(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(sizeof driverNames / sizeof driverNames[0]))
        return nullptr;
    return driverNames[kind];
}

GlContextHandle CreateContext(GlSurfaceHandle deviceContext)
{
    if (!loaded)
        return nullptr;
    // A slot that failed to resolve cannot be called; the missing name was reported at load.
    if (!gl.choosePixelFormat || !gl.describePixelFormat || !gl.setPixelFormat || !gl.wglCreateContext ||
        !gl.wglMakeCurrent)
        return nullptr;

    const PixelFormatDescriptor request = PixelFormatRequest();
    const int index = gl.choosePixelFormat(deviceContext, &request);
    if (index < 0)
        return nullptr;

    PixelFormatDescriptor described{};
    described.size = sizeof described;
    if (gl.describePixelFormat(deviceContext, index, sizeof described, &described) == 0)
        return nullptr;

    // The window takes a software format too; only the probe turns one down.
    if (IsAccelerated(described)) {
        glCapabilities.pixelFormatAccelerated = 1;
        if (described.flags & PFD_GENERIC_FORMAT)
            glCapabilities.pixelFormatMiniport = 1;
    }

    if (gl.setPixelFormat(deviceContext, index, &described) == 0)
        return nullptr;

    GlContextHandle context = gl.wglCreateContext(deviceContext);
    if (context == nullptr)
        return nullptr;
    gl.wglMakeCurrent(deviceContext, context);

    DetectExtensions();
    return context;
}

void DeleteContext(GlContextHandle context)
{
    if (!loaded)
        return;
    if (gl.wglMakeCurrent)
        gl.wglMakeCurrent(nullptr, nullptr);
    if (gl.wglDeleteContext)
        gl.wglDeleteContext(context);
}

void DetectExtensions()
{
    const char* extensions = nullptr;
    if (gl.glGetString)
        extensions = reinterpret_cast<const char*>(gl.glGetString(GL_EXTENSIONS));
    // Plain substring search: a longer name that starts with a searched one also matches.
    if (extensions != nullptr) {
        for (const GlExtensionRow& row : kGlExtensions) {
            if (std::strstr(extensions, row.name) == nullptr)
                continue;
            FetchEntryPointsOf(row.id);
            TakeFurtherAction(row.id);
            if (row.flag != nullptr)
                glCapabilities.*row.flag = 1;
        }
    }

    if (gl.glGetIntegerv)
        gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glCapabilities.maxTextureSize);
}

void ResetDriverState()
{
    driverLibrary = nullptr;
    loaded = 0;
    driverKind = DriverDefault;
    glCapabilities = GlCapabilities{};
    gl = GlEntryPoints{};
}
