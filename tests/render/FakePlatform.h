// Platform services for driver and device tests without a window system: libraries that
// hand out RecordingGl entries by name, a message box and display modes that record what
// they are asked, and a binding that only knows surfaces.
#pragma once

#include "RecordingGl.h"
#include "orvex/platform/Platform.h"
#include "orvex/render/GlDriver.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeLibraries final : LibraryLoader {
    std::set<std::string> present{kSystemGlLibrary, kSgiSoftwareGlLibrary}; // file names that load
    std::set<std::string> missing;                                          // function names no library has
    bool windowSystem = true;                                               // the pixel-format module is there
    std::vector<std::string> log;                                           // "load x", "free x", "software"
    std::vector<std::string> lookups;                                       // every function name asked for, in order
    static inline int glideBoards = 0;

    static int ORVEX_GL_APIENTRY QueryBoards(void* config)
    {
        std::int32_t boards = glideBoards;
        std::memcpy(config, &boards, sizeof boards);
        return 1;
    }

    LibraryHandle Load(const char* fileName) override
    {
        log.push_back(std::string("load ") + fileName);
        auto it = present.find(fileName);
        return it == present.end() ? nullptr : const_cast<std::string*>(&*it);
    }
    LibraryHandle FindLoaded(const char* name) override
    {
        static std::string module = kWindowSystemModule;
        return windowSystem && module == name ? &module : nullptr;
    }
    GlProc Symbol(LibraryHandle library, const char* name) override
    {
        lookups.push_back(name);
        if (library == nullptr || missing.count(name))
            return nullptr;
        static const std::map<std::string, std::string> pixelFormat{{"ChoosePixelFormat", "choosePixelFormat"},
                                                                    {"wglChoosePixelFormat", "choosePixelFormat"},
                                                                    {"DescribePixelFormat", "describePixelFormat"},
                                                                    {"wglDescribePixelFormat", "describePixelFormat"},
                                                                    {"GetPixelFormat", "getPixelFormat"},
                                                                    {"wglGetPixelFormat", "getPixelFormat"},
                                                                    {"SetPixelFormat", "setPixelFormat"},
                                                                    {"wglSetPixelFormat", "setPixelFormat"},
                                                                    {"SwapBuffers", "swapBuffers"},
                                                                    {"wglSwapBuffers", "swapBuffers"}};
        const std::string& file = *static_cast<std::string*>(library);
        if (file == kGlideLibrary)
            return std::strcmp(name, kGlideQueryBoards) == 0 ? reinterpret_cast<GlProc>(&QueryBoards) : nullptr;
        auto it = pixelFormat.find(name);
        if (file == kWindowSystemModule) {
            // The window-system module has the plain names only.
            return it != pixelFormat.end() && std::strncmp(name, "wgl", 3) != 0 ? RecordingGl::Entry(it->second)
                                                                                : nullptr;
        }
        if (it != pixelFormat.end())
            return std::strncmp(name, "wgl", 3) == 0 ? RecordingGl::Entry(it->second) : nullptr;
        return RecordingGl::Entry(name);
    }
    void Free(LibraryHandle library) override { log.push_back("free " + *static_cast<std::string*>(library)); }
    void ForceSoftwareGl() override { log.push_back("software"); }
};

struct FakeMessages final : MessageBox {
    std::vector<std::string> shown; // "caption: text"
    void Show(const char* caption, const char* text) override { shown.push_back(std::string(caption) + ": " + text); }
};

struct FakeDisplay final : DisplayModes {
    int depth = 32;
    bool accept = true;
    std::vector<std::string> log;
    int ScreenBitsPerPixel() override { return depth; }
    bool ChangeMode(int width, int height, int bits) override
    {
        log.push_back("change " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits));
        return accept;
    }
    void RestoreMode() override { log.push_back("restore"); }
};

// Surfaces only: the driver reaches the rest through the (recording) table.
struct FakeBinding final : GlBinding {
    char screen = 0, window = 0;
    bool windowHasSurface = true;
    std::vector<std::string> log;
    GlSurfaceHandle GetSurface(WindowHandle w) override
    {
        log.push_back(w ? "get window" : "get screen");
        return w ? (windowHasSurface ? &window : nullptr) : &screen;
    }
    void ReleaseSurface(WindowHandle w, GlSurfaceHandle) override
    {
        log.push_back(w ? "release window" : "release screen");
    }
    int ChoosePixelFormat(GlSurfaceHandle, const PixelFormatDescriptor&) override { return 0; }
    int DescribePixelFormat(GlSurfaceHandle, int, unsigned, PixelFormatDescriptor*) override { return 0; }
    int GetPixelFormat(GlSurfaceHandle) override { return 0; }
    bool SetPixelFormat(GlSurfaceHandle, int, const PixelFormatDescriptor&) override { return false; }
    GlContextHandle CreateContext(GlSurfaceHandle) override { return nullptr; }
    bool DeleteContext(GlContextHandle) override { return false; }
    bool MakeCurrent(GlSurfaceHandle, GlContextHandle) override { return false; }
    GlContextHandle CurrentContext() override { return nullptr; }
    GlSurfaceHandle CurrentSurface() override { return nullptr; }
    GlProc GetProcAddress(const char*) override { return nullptr; }
    bool SwapBuffers(GlSurfaceHandle) override { return false; }
    const char* Extensions() override { return ""; }
    bool SetSwapInterval(int) override { return false; }
    int GetSwapInterval() override { return 0; }
};

// The log lines of FakeLibraries.
inline std::string Load(const char* file)
{
    return std::string("load ") + file;
}
inline std::string Free(const char* file)
{
    return std::string("free ") + file;
}

// Registers the fakes and forgets the driver state for the test's lifetime. Construct it
// before the RecordingGl (forgetting the driver state clears `gl`).
struct FakePlatform {
    FakeLibraries libraries;
    FakeMessages messages;
    FakeDisplay display;
    FakeBinding binding;
    Platform previous = GetPlatform();

    FakePlatform()
    {
        ResetDriverState();
        SetPlatform(Platform{&libraries, &messages, &display, &binding, nullptr});
    }
    ~FakePlatform()
    {
        SetPlatform(previous);
        ResetDriverState();
    }

    // Describes every format as having these flags.
    static PixelFormatDescriptor Format(std::uint32_t flags)
    {
        PixelFormatDescriptor d{};
        d.size = 40;
        d.version = 1;
        d.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | flags;
        d.colorBits = 32;
        d.depthBits = 24;
        d.stencilBits = 8;
        return d;
    }
};
