// GL on Win32 windows. A window's surface is its device context (GetDC). The screen's
// surface, asked for with a null window, is the device context of a hidden probe window
// made for the question and destroyed when it is released: installable drivers describe
// their formats on window device contexts. Pixel formats are GDI's (ChoosePixelFormat,
// DescribePixelFormat, GetPixelFormat, SetPixelFormat, SwapBuffers); contexts and function
// lookup are the loaded driver's wgl functions from the entry-point table, so the driver
// must be loaded before a context is asked for.
#pragma once

#include "orvex/platform/GlBinding.h"

#include "orvex/win32/Win32.h"

#include <map>

// A hidden window of the given client size whose device context GL can draw into; null on
// failure. Destroy it with DestroyWindow.
HWND CreateHiddenGlWindow(int width, int height);

class Win32GlBinding final : public GlBinding {
public:
    ~Win32GlBinding() override;

    GlSurfaceHandle GetSurface(WindowHandle window) override;
    void ReleaseSurface(WindowHandle window, GlSurfaceHandle surface) override;
    int ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request) override;
    int DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out) override;
    int GetPixelFormat(GlSurfaceHandle surface) override;
    bool SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor& descriptor) override;
    GlContextHandle CreateContext(GlSurfaceHandle surface) override;
    bool DeleteContext(GlContextHandle context) override;
    bool MakeCurrent(GlSurfaceHandle surface, GlContextHandle context) override;
    GlContextHandle CurrentContext() override;
    GlSurfaceHandle CurrentSurface() override;
    GlProc GetProcAddress(const char* name) override;
    bool SwapBuffers(GlSurfaceHandle surface) override;
    // The driver's GL_EXTENSIONS string already names its WGL extensions.
    const char* Extensions() override;
    bool SetSwapInterval(int interval) override;
    int GetSwapInterval() override;

private:
    std::map<HDC, HWND> probes; // screen surfaces handed out, and their probe windows
};
