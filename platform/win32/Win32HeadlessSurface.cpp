#include "orvex/win32/Win32HeadlessSurface.h"

#include "orvex/render/FrameReadBack.h"
#include "orvex/render/GlDriver.h"

Win32HeadlessSurface::Win32HeadlessSurface(int w, int h) : HeadlessSurface(w, h)
{
    if (w <= 0 || h <= 0)
        return;
    win32.Init();
    window = CreateHiddenGlWindow(w, h);
    if (window == nullptr || !device.Create(window))
        return;
    device.SetDefaultState();
    device.SetViewport(0, 0, w, h);
    ready = true;
}

Win32HeadlessSurface::~Win32HeadlessSurface()
{
    device.Destroy();
    if (window != nullptr)
        DestroyWindow(window);
    win32.Shutdown();
}

std::vector<std::uint8_t> Win32HeadlessSurface::ReadPixels() const
{
    if (!ready)
        return {};
    // Both are OpenGL 1.1 functions of the system library.
    HMODULE library = GetModuleHandleA(kSystemGlLibrary);
    if (library == nullptr)
        return {};
    return ReadTopDownRgba(
        gl, reinterpret_cast<ReadPixelsFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glReadPixels"))),
        reinterpret_cast<PixelStoreFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glPixelStorei"))),
        Width(), Height());
}

std::unique_ptr<HeadlessSurface> MakeHeadlessSurface(int width, int height)
{
    return std::make_unique<Win32HeadlessSurface>(width, height);
}
