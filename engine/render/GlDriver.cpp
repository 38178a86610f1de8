#include "render/GlDriver.h"

#include "platform/Platform.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

std::int32_t hasMultitexture = 0;
std::int32_t hasTextureCompression = 0;
std::int32_t hasTextureCubeMap = 0;
std::int32_t hasTextureEnvAdd = 0;
std::int32_t hasCompiledVertexArray = 0;
std::int32_t hasPackedPixels = 0;
std::int32_t hasPalettedTexture = 0;
std::int32_t hasPointParameters = 0;
std::int32_t hasTextureCompressionS3tc = 0;
std::int32_t hasTextureEnvCombine = 0;
std::int32_t hasVertexArray = 0;
std::int32_t hasVertexWeighting = 0;
std::int32_t hasS3s3tc = 0;
std::int32_t hasSwapControl = 0;
std::int32_t has3dfxGammaControl = 0;
std::int32_t maxTextureSize = 0;
std::int32_t maxTextureUnits = 0;
std::int32_t pixelFormatAccelerated = 0;
std::int32_t pixelFormatMiniport = 0;

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

void ResolveCore(LibraryHandle module)
{
#define ORVEX_RESOLVE(slot) Resolve(module, gl.slot, #slot)
    ORVEX_RESOLVE(glAlphaFunc);
    ORVEX_RESOLVE(glBegin);
    ORVEX_RESOLVE(glBindTexture);
    ORVEX_RESOLVE(glBlendFunc);
    ORVEX_RESOLVE(glClear);
    ORVEX_RESOLVE(glClearColor);
    ORVEX_RESOLVE(glClearDepth);
    ORVEX_RESOLVE(glColor3f);
    ORVEX_RESOLVE(glColor3fv);
    ORVEX_RESOLVE(glColor4f);
    ORVEX_RESOLVE(glColor4fv);
    ORVEX_RESOLVE(glColor3ub);
    ORVEX_RESOLVE(glColor3ubv);
    ORVEX_RESOLVE(glColorPointer);
    ORVEX_RESOLVE(glColorMaterial);
    ORVEX_RESOLVE(glCullFace);
    ORVEX_RESOLVE(glDeleteTextures);
    ORVEX_RESOLVE(glDepthFunc);
    ORVEX_RESOLVE(glDisable);
    ORVEX_RESOLVE(glDisableClientState);
    ORVEX_RESOLVE(glDrawArrays);
    ORVEX_RESOLVE(glDrawElements);
    ORVEX_RESOLVE(glEnable);
    ORVEX_RESOLVE(glEnableClientState);
    ORVEX_RESOLVE(glEnd);
    ORVEX_RESOLVE(glFinish);
    ORVEX_RESOLVE(glFrontFace);
    ORVEX_RESOLVE(glFrustum);
    ORVEX_RESOLVE(glGenTextures);
    ORVEX_RESOLVE(glGetError);
    ORVEX_RESOLVE(glGetFloatv);
    ORVEX_RESOLVE(glGetIntegerv);
    ORVEX_RESOLVE(glGetString);
    ORVEX_RESOLVE(glHint);
    ORVEX_RESOLVE(glInterleavedArrays);
    ORVEX_RESOLVE(glIsEnabled);
    ORVEX_RESOLVE(glLightf);
    ORVEX_RESOLVE(glLightfv);
    ORVEX_RESOLVE(glLoadIdentity);
    ORVEX_RESOLVE(glLoadMatrixf);
    ORVEX_RESOLVE(glMaterialf);
    ORVEX_RESOLVE(glMaterialfv);
    ORVEX_RESOLVE(glMatrixMode);
    ORVEX_RESOLVE(glMultMatrixf);
    ORVEX_RESOLVE(glNormal3f);
    ORVEX_RESOLVE(glNormal3fv);
    ORVEX_RESOLVE(glNormalPointer);
    ORVEX_RESOLVE(glOrtho);
    ORVEX_RESOLVE(glPixelStorei);
    ORVEX_RESOLVE(glPolygonMode);
    ORVEX_RESOLVE(glPolygonOffset);
    ORVEX_RESOLVE(glPopMatrix);
    ORVEX_RESOLVE(glPushMatrix);
    ORVEX_RESOLVE(glRotatef);
    ORVEX_RESOLVE(glScalef);
    ORVEX_RESOLVE(glShadeModel);
    ORVEX_RESOLVE(glStencilFunc);
    ORVEX_RESOLVE(glStencilMask);
    ORVEX_RESOLVE(glStencilOp);
    ORVEX_RESOLVE(glTexCoord2f);
    ORVEX_RESOLVE(glTexCoord2fv);
    ORVEX_RESOLVE(glTexCoord3f);
    ORVEX_RESOLVE(glTexCoord3fv);
    ORVEX_RESOLVE(glTexCoordPointer);
    ORVEX_RESOLVE(glTexEnvf);
    ORVEX_RESOLVE(glTexEnvfv);
    ORVEX_RESOLVE(glTexGenf);
    ORVEX_RESOLVE(glTexGenfv);
    ORVEX_RESOLVE(glTexGeni);
    ORVEX_RESOLVE(glTexGeniv);
    ORVEX_RESOLVE(glTexImage2D);
    ORVEX_RESOLVE(glTexParameterf);
    ORVEX_RESOLVE(glTranslatef);
    ORVEX_RESOLVE(glVertex2f);
    ORVEX_RESOLVE(glVertex3f);
    ORVEX_RESOLVE(glVertex3fv);
    ORVEX_RESOLVE(glVertex4f);
    ORVEX_RESOLVE(glVertexPointer);
    ORVEX_RESOLVE(glViewport);
    ORVEX_RESOLVE(wglCreateContext);
    ORVEX_RESOLVE(wglDeleteContext);
    ORVEX_RESOLVE(wglGetCurrentContext);
    ORVEX_RESOLVE(wglGetCurrentDC);
    ORVEX_RESOLVE(wglMakeCurrent);
    ORVEX_RESOLVE(wglGetProcAddress);
#undef ORVEX_RESOLVE
}

// PFD_GENERIC_FORMAT and PFD_GENERIC_ACCELERATED both clear (a hardware driver) or both
// set (generic acceleration) mean accelerated; generic alone is software.
bool IsAccelerated(const PixelFormatDescriptor& d)
{
    const bool generic = (d.flags & PFD_GENERIC_FORMAT) != 0;
    const bool accelerated = (d.flags & PFD_GENERIC_ACCELERATED) != 0;
    return generic == accelerated;
}

}  // namespace

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
    if (module == nullptr) return 0;

    int result = 0;
    auto choose = reinterpret_cast<decltype(gl.choosePixelFormat)>(libraries.Symbol(module, "wglChoosePixelFormat"));
    auto describe =
        reinterpret_cast<decltype(gl.describePixelFormat)>(libraries.Symbol(module, "wglDescribePixelFormat"));
    GlBinding* binding = PlatformBinding();
    GlSurfaceHandle screen = nullptr;
    if (choose != nullptr && describe != nullptr && binding != nullptr) screen = binding->GetSurface(nullptr);
    if (screen != nullptr) {
        const PixelFormatDescriptor request = PixelFormatRequest();
        const int index = choose(screen, &request);
        if (index >= 0) {
            PixelFormatDescriptor described{};
            described.size = sizeof described;
            if (describe(screen, index, sizeof described, &described) != 0) result = IsAccelerated(described) ? 1 : 0;
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
    if (glide == nullptr) return 0;
    int result = 0;
    using QueryBoards = int (*)(void* hardwareConfig);
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
    if (loaded) return 1;
    if (kind < DriverDefault || kind > DriverSgiSoftware) return 0;

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
            // The software driver is the system library with its hardware paths switched off.
            libraries.ForceSoftwareGl();
            library = kSystemGlLibrary;
            break;
        }
    }

    driverLibrary = libraries.Load(library);
    if (driverLibrary == nullptr) return 0;

    ResolveCore(driverLibrary);

    if (kind == DriverDefault) {
        LibraryHandle windowSystem = libraries.FindLoaded(kWindowSystemModule);
        if (windowSystem == nullptr) return 0;
        Resolve(windowSystem, gl.choosePixelFormat, "ChoosePixelFormat");
        Resolve(windowSystem, gl.describePixelFormat, "DescribePixelFormat");
        Resolve(windowSystem, gl.getPixelFormat, "GetPixelFormat");
        Resolve(windowSystem, gl.setPixelFormat, "SetPixelFormat");
        Resolve(windowSystem, gl.swapBuffers, "SwapBuffers");
    } else {
        Resolve(driverLibrary, gl.choosePixelFormat, "wglChoosePixelFormat");
        Resolve(driverLibrary, gl.describePixelFormat, "wglDescribePixelFormat");
        Resolve(driverLibrary, gl.getPixelFormat, "wglGetPixelFormat");
        Resolve(driverLibrary, gl.setPixelFormat, "wglSetPixelFormat");
        Resolve(driverLibrary, gl.swapBuffers, "wglSwapBuffers");
    }

    driverKind = kind;
    loaded = 1;
    return 1;
}

void UnloadDriver()
{
    if (!loaded) return;
    if (driverLibrary != nullptr) PlatformLibraries().Free(driverLibrary);
    driverLibrary = nullptr;
    loaded = 0;
}

GlDriverKind GetDriverKind() { return driverKind; }

const char* GetDriverName(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(sizeof driverNames / sizeof driverNames[0])) return nullptr;
    return driverNames[kind];
}

GlContextHandle CreateContext(GlSurfaceHandle deviceContext)
{
    if (!loaded) return nullptr;
    // A slot that failed to resolve cannot be called; the missing name was reported at load.
    if (!gl.choosePixelFormat || !gl.describePixelFormat || !gl.setPixelFormat || !gl.wglCreateContext ||
        !gl.wglMakeCurrent)
        return nullptr;

    const PixelFormatDescriptor request = PixelFormatRequest();
    const int index = gl.choosePixelFormat(deviceContext, &request);
    if (index < 0) return nullptr;

    PixelFormatDescriptor described{};
    described.size = sizeof described;
    if (gl.describePixelFormat(deviceContext, index, sizeof described, &described) == 0) return nullptr;

    // The window takes a software format too; only the probe turns one down.
    if (IsAccelerated(described)) {
        pixelFormatAccelerated = 1;
        if (described.flags & PFD_GENERIC_FORMAT) pixelFormatMiniport = 1;
    }

    if (gl.setPixelFormat(deviceContext, index, &described) == 0) return nullptr;

    GlContextHandle context = gl.wglCreateContext(deviceContext);
    if (context == nullptr) return nullptr;
    gl.wglMakeCurrent(deviceContext, context);

    DetectExtensions();
    return context;
}

void DeleteContext(GlContextHandle context)
{
    if (!loaded) return;
    if (gl.wglMakeCurrent) gl.wglMakeCurrent(nullptr, nullptr);
    if (gl.wglDeleteContext) gl.wglDeleteContext(context);
}

void DetectExtensions()
{
    const char* extensions = nullptr;
    if (gl.glGetString) extensions = reinterpret_cast<const char*>(gl.glGetString(GL_EXTENSIONS));
    // Plain substring search: a longer name that starts with a searched one also matches.
    auto offered = [extensions](const char* name) {
        return extensions != nullptr && std::strstr(extensions, name) != nullptr;
    };

    if (offered("GL_ARB_multitexture")) {
        Fetch(gl.glActiveTextureARB, "glActiveTextureARB");
        Fetch(gl.glClientActiveTextureARB, "glClientActiveTextureARB");
        Fetch(gl.glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
        Fetch(gl.glMultiTexCoord2fvARB, "glMultiTexCoord2fvARB");
        if (gl.glGetIntegerv) gl.glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &maxTextureUnits);
        hasMultitexture = 1;
    }
    if (offered("GL_ARB_texture_compression")) {
        Fetch(gl.glCompressedTexImage2DARB, "glCompressedTexImage2DARB");
        Fetch(gl.glCompressedTexSubImage2DARB, "glCompressedTexSubImage2DARB");
        Fetch(gl.glGetCompressedTexImageARB, "glGetCompressedTexImageARB");
        hasTextureCompression = 1;
    }
    if (offered("GL_ARB_texture_cube_map")) hasTextureCubeMap = 1;
    if (offered("GL_ARB_texture_env_add")) hasTextureEnvAdd = 1;
    if (offered("GL_EXT_compiled_vertex_array")) {
        Fetch(gl.glLockArraysEXT, "glLockArraysEXT");
        Fetch(gl.glUnlockArraysEXT, "glUnlockArraysEXT");
        hasCompiledVertexArray = 1;
    }
    if (offered("GL_EXT_packed_pixels")) hasPackedPixels = 1;
    if (offered("GL_EXT_paletted_texture")) {
        Fetch(gl.glColorTableEXT, "glColorTableEXT");
        hasPalettedTexture = 1;
    }
    if (offered("GL_EXT_point_parameters")) {
        Fetch(gl.glPointParameterfEXT, "glPointParameterfEXT");
        Fetch(gl.glPointParameterfvEXT, "glPointParameterfvEXT");
        hasPointParameters = 1;
    }
    if (offered("GL_EXT_texture_compression_s3tc")) hasTextureCompressionS3tc = 1;
    if (offered("GL_EXT_texture_env_combine")) hasTextureEnvCombine = 1;
    if (offered("GL_EXT_vertex_array")) {
        Fetch(gl.glColorPointerEXT, "glColorPointerEXT");
        Fetch(gl.glNormalPointerEXT, "glNormalPointerEXT");
        Fetch(gl.glTexCoordPointerEXT, "glTexCoordPointerEXT");
        Fetch(gl.glVertexPointerEXT, "glVertexPointerEXT");
        Fetch(gl.glArrayElementEXT, "glArrayElementEXT");
        Fetch(gl.glDrawArraysEXT, "glDrawArraysEXT");
        hasVertexArray = 1;
    }
    if (offered("GL_EXT_cull_vertex")) {
        Fetch(gl.glCullParameterfvEXT, "glCullParameterfvEXT");
        if (gl.glEnable) gl.glEnable(GL_CULL_VERTEX_EXT);
        GLfloat eye[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        if (gl.glCullParameterfvEXT) gl.glCullParameterfvEXT(GL_CULL_VERTEX_EYE_POSITION_EXT, eye);
    }
    if (offered("GL_EXT_vertex_weighting")) {
        Fetch(gl.glVertexWeightfEXT, "glVertexWeightfEXT");
        Fetch(gl.glVertexWeightfvEXT, "glVertexWeightfvEXT");
        Fetch(gl.glVertexWeightPointerEXT, "glVertexWeightPointerEXT");
        hasVertexWeighting = 1;
    }
    if (offered("GL_S3_s3tc")) hasS3s3tc = 1;
    if (offered("WGL_EXT_swap_control")) {
        Fetch(gl.wglSwapIntervalEXT, "wglSwapIntervalEXT");
        Fetch(gl.wglGetSwapIntervalEXT, "wglGetSwapIntervalEXT");
        // One vertical retrace per swap; a window system that refuses leaves it as it was.
        if (gl.wglSwapIntervalEXT) gl.wglSwapIntervalEXT(1);
        hasSwapControl = 1;
    }
    if (offered("WGL_3DFX_gamma_control")) has3dfxGammaControl = 1;

    if (gl.glGetIntegerv) gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
}

void ResetDriverState()
{
    driverLibrary = nullptr;
    loaded = 0;
    driverKind = DriverDefault;
    for (std::int32_t* flag :
         {&hasMultitexture, &hasTextureCompression, &hasTextureCubeMap, &hasTextureEnvAdd, &hasCompiledVertexArray,
          &hasPackedPixels, &hasPalettedTexture, &hasPointParameters, &hasTextureCompressionS3tc,
          &hasTextureEnvCombine, &hasVertexArray, &hasVertexWeighting, &hasS3s3tc, &hasSwapControl,
          &has3dfxGammaControl, &maxTextureSize, &maxTextureUnits, &pixelFormatAccelerated, &pixelFormatMiniport})
        *flag = 0;
    gl = GlEntryPoints{};
}
