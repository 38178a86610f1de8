#include "orvex/web/WebLibraries.h"

#include "orvex/platform/WindowSystemNames.h"
#include "orvex/render/GlDriver.h"
#include "orvex/web/FixedFunctionGl.h"

#include <cstring>

namespace {

struct Module {
    bool windowSystem;
};

Module glLibrary{false};
Module windowSystem{true};

class WebLoader final : public LibraryLoader {
public:
    LibraryHandle Load(const char* fileName) override
    {
        return fileName != nullptr && std::strcmp(fileName, kSystemGlLibrary) == 0 ? &glLibrary : nullptr;
    }

    LibraryHandle FindLoaded(const char* moduleName) override
    {
        return moduleName != nullptr && std::strcmp(moduleName, kWindowSystemModule) == 0 ? &windowSystem : nullptr;
    }

    GlProc Symbol(LibraryHandle handle, const char* name) override
    {
        const auto* module = static_cast<const Module*>(handle);
        if (module == nullptr || name == nullptr)
            return nullptr;
        if (module->windowSystem)
            return BindingWindowSystemName(name);
        if (GlProc proc = BindingGlLibraryName(name))
            return proc;
        return FixedFunctionProc(name);
    }

    // The layer lives as long as the page.
    void Free(LibraryHandle) override {}
    // Nothing to switch: the browser chooses how WebGL draws.
    void ForceSoftwareGl() override {}
};

} // namespace

LibraryLoader& WebGlLibraries()
{
    static WebLoader loader;
    return loader;
}
