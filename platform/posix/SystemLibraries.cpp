// The system's dynamic loader, and the window-system names a GL library answers on this
// system: the wgl* functions and the pixel-format functions are served by the registered
// GlBinding, so the driver resolves them by name like every other entry point.
#include "orvex/platform/Library.h"
#include "orvex/platform/Platform.h"
#include "orvex/platform/WindowSystemNames.h"

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
            return BindingWindowSystemName(name);
        void* getString = dlsym(module->library, "glGetString");
        if (getString != nullptr) {
            if (GlProc proc = BindingGlLibraryName(name))
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
