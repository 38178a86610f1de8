#include "orvex/win32/Win32GlBinding.h"

#include "orvex/render/GlApi.h"

namespace {

constexpr const char* kHiddenClass = "OrvexHiddenGl";

bool RegisterHiddenClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_OWNDC; // the device context lives as long as the window
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kHiddenClass;
        return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

HDC DcOf(GlSurfaceHandle surface)
{
    return static_cast<HDC>(surface);
}

const PIXELFORMATDESCRIPTOR* Pfd(const PixelFormatDescriptor* d)
{
    return reinterpret_cast<const PIXELFORMATDESCRIPTOR*>(d);
}

} // namespace

static_assert(sizeof(PixelFormatDescriptor) == sizeof(PIXELFORMATDESCRIPTOR), "the descriptor is GDI's");

HWND CreateHiddenGlWindow(int width, int height)
{
    if (width <= 0 || height <= 0 || !RegisterHiddenClass())
        return nullptr;
    return CreateWindowExA(0, kHiddenClass, "Orvex GL", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

Win32GlBinding::~Win32GlBinding()
{
    for (auto& [dc, window] : probes) {
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
}

GlSurfaceHandle Win32GlBinding::GetSurface(WindowHandle window)
{
    if (window != nullptr)
        return GetDC(static_cast<HWND>(window));
    HWND probe = CreateHiddenGlWindow(16, 16);
    if (probe == nullptr)
        return nullptr;
    HDC dc = GetDC(probe);
    if (dc == nullptr) {
        DestroyWindow(probe);
        return nullptr;
    }
    probes[dc] = probe;
    return dc;
}

void Win32GlBinding::ReleaseSurface(WindowHandle window, GlSurfaceHandle surface)
{
    if (surface == nullptr)
        return;
    if (window != nullptr) {
        ReleaseDC(static_cast<HWND>(window), DcOf(surface));
        return;
    }
    auto it = probes.find(DcOf(surface));
    if (it == probes.end())
        return;
    ReleaseDC(it->second, it->first);
    DestroyWindow(it->second);
    probes.erase(it);
}

int Win32GlBinding::ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request)
{
    return surface ? ::ChoosePixelFormat(DcOf(surface), Pfd(&request)) : 0;
}

int Win32GlBinding::DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out)
{
    if (surface == nullptr)
        return 0;
    return ::DescribePixelFormat(DcOf(surface), index, size, reinterpret_cast<PIXELFORMATDESCRIPTOR*>(out));
}

int Win32GlBinding::GetPixelFormat(GlSurfaceHandle surface)
{
    return surface ? ::GetPixelFormat(DcOf(surface)) : 0;
}

bool Win32GlBinding::SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor& descriptor)
{
    return surface && ::SetPixelFormat(DcOf(surface), index, Pfd(&descriptor));
}

GlContextHandle Win32GlBinding::CreateContext(GlSurfaceHandle surface)
{
    return gl.wglCreateContext && surface ? gl.wglCreateContext(surface) : nullptr;
}

bool Win32GlBinding::DeleteContext(GlContextHandle context)
{
    return gl.wglDeleteContext && context && gl.wglDeleteContext(context);
}

bool Win32GlBinding::MakeCurrent(GlSurfaceHandle surface, GlContextHandle context)
{
    return gl.wglMakeCurrent && gl.wglMakeCurrent(surface, context);
}

GlContextHandle Win32GlBinding::CurrentContext()
{
    return gl.wglGetCurrentContext ? gl.wglGetCurrentContext() : nullptr;
}

GlSurfaceHandle Win32GlBinding::CurrentSurface()
{
    return gl.wglGetCurrentDC ? gl.wglGetCurrentDC() : nullptr;
}

GlProc Win32GlBinding::GetProcAddress(const char* name)
{
    return gl.wglGetProcAddress && name ? gl.wglGetProcAddress(name) : nullptr;
}

bool Win32GlBinding::SwapBuffers(GlSurfaceHandle surface)
{
    return surface && ::SwapBuffers(DcOf(surface));
}

const char* Win32GlBinding::Extensions()
{
    return "";
}

bool Win32GlBinding::SetSwapInterval(int interval)
{
    return gl.wglSwapIntervalEXT && gl.wglSwapIntervalEXT(interval);
}

int Win32GlBinding::GetSwapInterval()
{
    return gl.wglGetSwapIntervalEXT ? gl.wglGetSwapIntervalEXT() : 0;
}
