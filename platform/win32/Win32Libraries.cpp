// The system's loader on Windows: libraries by file name, functions by exact name, and the
// modules already in the process (GDI32.DLL for the pixel-format functions).
#include "orvex/platform/Library.h"

#include "orvex/win32/Win32.h"

namespace {

class Win32Loader final : public LibraryLoader {
public:
    LibraryHandle Load(const char* fileName) override
    {
        if (fileName == nullptr)
            return nullptr;
        // A missing library is an answer, not a reason for the system's error dialog.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        HMODULE library = LoadLibraryA(fileName);
        SetErrorMode(previous);
        return library;
    }

    // Like GetModuleHandleA, the answer holds no reference, so it is never freed.
    LibraryHandle FindLoaded(const char* moduleName) override
    {
        return moduleName ? GetModuleHandleA(moduleName) : nullptr;
    }

    GlProc Symbol(LibraryHandle library, const char* name) override
    {
        if (library == nullptr || name == nullptr)
            return nullptr;
        return reinterpret_cast<GlProc>(GetProcAddress(static_cast<HMODULE>(library), name));
    }

    void Free(LibraryHandle library) override
    {
        if (library != nullptr)
            FreeLibrary(static_cast<HMODULE>(library));
    }

    // The software driver is a library of its own here (OPENGL.DLL); nothing to switch.
    void ForceSoftwareGl() override {}
};

} // namespace

LibraryLoader& SystemLibraries()
{
    static Win32Loader loader;
    return loader;
}
