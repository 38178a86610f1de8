#include "HeadlessSurface.h"

#include "render/GlDriver.h"

#include <algorithm>
#include <cstddef>

HeadlessSurface::HeadlessSurface(int w, int h) : width(w), height(h)
{
    if (w <= 0 || h <= 0) return;
    win32.Init();
    window = CreateHiddenGlWindow(w, h);
    if (window == nullptr || !device.Create(window)) return;
    device.SetDefaultState();
    device.SetViewport(0, 0, w, h);
    ready = true;
}

HeadlessSurface::~HeadlessSurface()
{
    device.Destroy();
    if (window != nullptr) DestroyWindow(window);
    win32.Shutdown();
}

std::vector<std::uint8_t> HeadlessSurface::ReadPixels() const
{
    std::vector<std::uint8_t> rgba;
    if (!ready) return rgba;
    // Read-back is for tests and tools, not for the engine, so it does not go through `gl`;
    // both are OpenGL 1.1 functions of the system library.
    HMODULE library = GetModuleHandleA(kSystemGlLibrary);
    if (library == nullptr || gl.glFinish == nullptr) return rgba;
    using ReadPixelsFn = void(WINAPI*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);
    using PixelStoreFn = void(WINAPI*)(GLenum, GLint);
    auto readPixels = reinterpret_cast<ReadPixelsFn>(reinterpret_cast<void*>(GetProcAddress(library, "glReadPixels")));
    auto pixelStore = reinterpret_cast<PixelStoreFn>(reinterpret_cast<void*>(GetProcAddress(library, "glPixelStorei")));
    if (readPixels == nullptr || pixelStore == nullptr) return rgba;
    gl.glFinish();
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
    pixelStore(GL_PACK_ALIGNMENT, 1);
    readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    rgba.resize(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * row, row,
                    rgba.data() + static_cast<std::size_t>(y) * row);
    return rgba;
}

std::array<std::uint8_t, 4> HeadlessSurface::Pixel(int x, int y) const
{
    std::array<std::uint8_t, 4> pixel{};
    if (x < 0 || y < 0 || x >= width || y >= height) return pixel;
    const std::vector<std::uint8_t> rgba = ReadPixels();
    if (rgba.empty()) return pixel;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    std::copy_n(rgba.data() + at, 4, pixel.data());
    return pixel;
}
