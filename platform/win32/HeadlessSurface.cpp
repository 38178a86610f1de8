#include "HeadlessSurface.h"

#include "render/FrameReadBack.h"

#include "render/GlDriver.h"

HeadlessSurface::HeadlessSurface(int w, int h) : width(w), height(h)
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

HeadlessSurface::~HeadlessSurface()
{
    device.Destroy();
    if (window != nullptr)
        DestroyWindow(window);
    win32.Shutdown();
}

std::vector<std::uint8_t> HeadlessSurface::ReadPixels() const
{
    if (!ready)
        return {};
    // Both are OpenGL 1.1 functions of the system library.
    HMODULE library = GetModuleHandleA(kSystemGlLibrary);
    if (library == nullptr)
        return {};
    return ReadTopDownRgba(
        gl, reinterpret_cast<ReadPixelsFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glReadPixels"))),
        reinterpret_cast<PixelStoreFunction>(reinterpret_cast<void*>(GetProcAddress(library, "glPixelStorei"))), width,
        height);
}

std::array<std::uint8_t, 4> HeadlessSurface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    return RgbaPixelAt(ReadPixels(), width, height, x, y);
}
