// The system's dynamic loader, and the window-system names a GL library answers on this
// system: the wgl* functions and the pixel-format functions are served by the registered
// GlBinding, so the driver resolves them by name like every other entry point.
#include "orvex/platform/Library.h"
#include "orvex/platform/Platform.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>

namespace {

struct Module {
    void* library; // dlopen handle; null for the window-system module
    bool windowSystem;
    bool loaded; // made by Load, so Free releases it
};

Module windowSystemModule{nullptr, true, false};

// --- window-system functions, forwarded to the binding ---

GlContextHandle WglCreateContext(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b ? b->CreateContext(surface) : nullptr;
}

int WglDeleteContext(GlContextHandle context)
{
    GlBinding* b = PlatformBinding();
    return b && b->DeleteContext(context) ? 1 : 0;
}

GlContextHandle WglGetCurrentContext()
{
    GlBinding* b = PlatformBinding();
    return b ? b->CurrentContext() : nullptr;
}

GlSurfaceHandle WglGetCurrentDC()
{
    GlBinding* b = PlatformBinding();
    return b ? b->CurrentSurface() : nullptr;
}

int WglMakeCurrent(GlSurfaceHandle surface, GlContextHandle context)
{
    GlBinding* b = PlatformBinding();
    return b && b->MakeCurrent(surface, context) ? 1 : 0;
}

int WglSwapIntervalEXT(int interval)
{
    GlBinding* b = PlatformBinding();
    return b && b->SetSwapInterval(interval) ? 1 : 0;
}

int WglGetSwapIntervalEXT()
{
    GlBinding* b = PlatformBinding();
    return b ? b->GetSwapInterval() : 0;
}

GlProc WglGetProcAddress(const char* name)
{
    if (name == nullptr)
        return nullptr;
    // The swap-control functions belong to the window system, not to GL.
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return reinterpret_cast<GlProc>(&WglSwapIntervalEXT);
    if (std::strcmp(name, "wglGetSwapIntervalEXT") == 0)
        return reinterpret_cast<GlProc>(&WglGetSwapIntervalEXT);
    GlBinding* b = PlatformBinding();
    return b ? b->GetProcAddress(name) : nullptr;
}

int ChoosePixelFormatOf(GlSurfaceHandle surface, const PixelFormatDescriptor* request)
{
    GlBinding* b = PlatformBinding();
    return b && request ? b->ChoosePixelFormat(surface, *request) : 0;
}

int DescribePixelFormatOf(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out)
{
    GlBinding* b = PlatformBinding();
    return b ? b->DescribePixelFormat(surface, index, size, out) : 0;
}

int GetPixelFormatOf(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b ? b->GetPixelFormat(surface) : 0;
}

int SetPixelFormatOf(GlSurfaceHandle surface, int index, const PixelFormatDescriptor* descriptor)
{
    GlBinding* b = PlatformBinding();
    return b && descriptor && b->SetPixelFormat(surface, index, *descriptor) ? 1 : 0;
}

int SwapBuffersOf(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b && b->SwapBuffers(surface) ? 1 : 0;
}

// --- GL_EXTENSIONS with the window-system extensions appended ---

const GLubyte* (*libraryGetString)(GLenum) = nullptr;

const GLubyte* GetStringWithWindowSystem(GLenum name)
{
    if (libraryGetString == nullptr)
        return nullptr;
    const GLubyte* text = libraryGetString(name);
    GlBinding* b = PlatformBinding();
    if (name != GL_EXTENSIONS || text == nullptr || b == nullptr)
        return text;
    const char* extra = b->Extensions();
    if (extra == nullptr || *extra == '\0')
        return text;
    // One string per context is enough: the caller reads it before the next query.
    static std::string joined;
    joined.assign(reinterpret_cast<const char*>(text));
    if (!joined.empty())
        joined += ' ';
    joined += extra;
    return reinterpret_cast<const GLubyte*>(joined.c_str());
}

template <typename Fn>
GlProc Proc(Fn fn)
{
    return reinterpret_cast<GlProc>(fn);
}

GlProc WindowSystemName(const char* name)
{
    static const std::map<std::string, GlProc, std::less<>> names{
        {"ChoosePixelFormat", Proc(&ChoosePixelFormatOf)},
        {"DescribePixelFormat", Proc(&DescribePixelFormatOf)},
        {"GetPixelFormat", Proc(&GetPixelFormatOf)},
        {"SetPixelFormat", Proc(&SetPixelFormatOf)},
        {"SwapBuffers", Proc(&SwapBuffersOf)},
    };
    auto it = names.find(name);
    return it != names.end() ? it->second : nullptr;
}

GlProc GlLibraryName(const char* name)
{
    static const std::map<std::string, GlProc, std::less<>> names{
        {"wglCreateContext", Proc(&WglCreateContext)},
        {"wglDeleteContext", Proc(&WglDeleteContext)},
        {"wglGetCurrentContext", Proc(&WglGetCurrentContext)},
        {"wglGetCurrentDC", Proc(&WglGetCurrentDC)},
        {"wglMakeCurrent", Proc(&WglMakeCurrent)},
        {"wglGetProcAddress", Proc(&WglGetProcAddress)},
        {"wglChoosePixelFormat", Proc(&ChoosePixelFormatOf)},
        {"wglDescribePixelFormat", Proc(&DescribePixelFormatOf)},
        {"wglGetPixelFormat", Proc(&GetPixelFormatOf)},
        {"wglSetPixelFormat", Proc(&SetPixelFormatOf)},
        {"wglSwapBuffers", Proc(&SwapBuffersOf)},
    };
    auto it = names.find(name);
    return it != names.end() ? it->second : nullptr;
}

class DlLoader final : public LibraryLoader {
public:
    LibraryHandle Load(const char* fileName) override
    {
        if (fileName == nullptr)
            return nullptr;
        void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return nullptr;
        auto* module = new (std::nothrow) Module{library, false, true};
        if (module == nullptr)
            dlclose(library);
        return module;
    }

    LibraryHandle FindLoaded(const char* moduleName) override
    {
        if (moduleName == nullptr)
            return nullptr;
        if (std::strcmp(moduleName, kWindowSystemModule) == 0)
            return &windowSystemModule;
        // Like a module handle, the answer holds no reference and stays valid for the run.
        static std::map<std::string, Module> found;
        auto it = found.find(moduleName);
        if (it != found.end())
            return &it->second;
        void* library = dlopen(moduleName, RTLD_NOW | RTLD_NOLOAD);
        if (library == nullptr)
            return nullptr;
        return &found.emplace(moduleName, Module{library, false, false}).first->second;
    }

    GlProc Symbol(LibraryHandle handle, const char* name) override
    {
        auto* module = static_cast<Module*>(handle);
        if (module == nullptr || name == nullptr)
            return nullptr;
        if (module->windowSystem)
            return WindowSystemName(name);
        void* getString = dlsym(module->library, "glGetString");
        if (getString != nullptr) {
            if (GlProc proc = GlLibraryName(name))
                return proc;
            if (std::strcmp(name, "glGetString") == 0) {
                libraryGetString = reinterpret_cast<const GLubyte* (*)(GLenum)>(getString);
                return Proc(&GetStringWithWindowSystem);
            }
        }
        return reinterpret_cast<GlProc>(dlsym(module->library, name));
    }

    void Free(LibraryHandle handle) override
    {
        auto* module = static_cast<Module*>(handle);
        if (module == nullptr || !module->loaded)
            return;
        dlclose(module->library);
        delete module;
    }

    void ForceSoftwareGl() override { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }
};

} // namespace

LibraryLoader& SystemLibraries()
{
    static DlLoader loader;
    return loader;
}
