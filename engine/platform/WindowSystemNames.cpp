#include "orvex/platform/WindowSystemNames.h"

#include "orvex/platform/Platform.h"

#include <cstring>
#include <map>
#include <string>

namespace {

// Each has the calling convention of the table's slots.
GlContextHandle ORVEX_GL_APIENTRY WglCreateContext(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b ? b->CreateContext(surface) : nullptr;
}

int ORVEX_GL_APIENTRY WglDeleteContext(GlContextHandle context)
{
    GlBinding* b = PlatformBinding();
    return b && b->DeleteContext(context) ? 1 : 0;
}

GlContextHandle ORVEX_GL_APIENTRY WglGetCurrentContext()
{
    GlBinding* b = PlatformBinding();
    return b ? b->CurrentContext() : nullptr;
}

GlSurfaceHandle ORVEX_GL_APIENTRY WglGetCurrentDC()
{
    GlBinding* b = PlatformBinding();
    return b ? b->CurrentSurface() : nullptr;
}

int ORVEX_GL_APIENTRY WglMakeCurrent(GlSurfaceHandle surface, GlContextHandle context)
{
    GlBinding* b = PlatformBinding();
    return b && b->MakeCurrent(surface, context) ? 1 : 0;
}

int ORVEX_GL_APIENTRY WglSwapIntervalEXT(int interval)
{
    GlBinding* b = PlatformBinding();
    return b && b->SetSwapInterval(interval) ? 1 : 0;
}

int ORVEX_GL_APIENTRY WglGetSwapIntervalEXT()
{
    GlBinding* b = PlatformBinding();
    return b ? b->GetSwapInterval() : 0;
}

GlProc ORVEX_GL_APIENTRY WglGetProcAddress(const char* name)
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

int ORVEX_GL_APIENTRY ChoosePixelFormatOf(GlSurfaceHandle surface, const PixelFormatDescriptor* request)
{
    GlBinding* b = PlatformBinding();
    return b && request ? b->ChoosePixelFormat(surface, *request) : 0;
}

int ORVEX_GL_APIENTRY DescribePixelFormatOf(GlSurfaceHandle surface, int index, unsigned size,
                                            PixelFormatDescriptor* out)
{
    GlBinding* b = PlatformBinding();
    return b ? b->DescribePixelFormat(surface, index, size, out) : 0;
}

int ORVEX_GL_APIENTRY GetPixelFormatOf(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b ? b->GetPixelFormat(surface) : 0;
}

int ORVEX_GL_APIENTRY SetPixelFormatOf(GlSurfaceHandle surface, int index, const PixelFormatDescriptor* descriptor)
{
    GlBinding* b = PlatformBinding();
    return b && descriptor && b->SetPixelFormat(surface, index, *descriptor) ? 1 : 0;
}

int ORVEX_GL_APIENTRY SwapBuffersOf(GlSurfaceHandle surface)
{
    GlBinding* b = PlatformBinding();
    return b && b->SwapBuffers(surface) ? 1 : 0;
}

template <typename Fn>
GlProc Proc(Fn fn)
{
    return reinterpret_cast<GlProc>(fn);
}

GlProc Find(const std::map<std::string, GlProc, std::less<>>& names, const char* name)
{
    if (name == nullptr)
        return nullptr;
    auto it = names.find(name);
    return it != names.end() ? it->second : nullptr;
}

} // namespace

GlProc BindingWindowSystemName(const char* name)
{
    static const std::map<std::string, GlProc, std::less<>> names{
        {"ChoosePixelFormat", Proc(&ChoosePixelFormatOf)},
        {"DescribePixelFormat", Proc(&DescribePixelFormatOf)},
        {"GetPixelFormat", Proc(&GetPixelFormatOf)},
        {"SetPixelFormat", Proc(&SetPixelFormatOf)},
        {"SwapBuffers", Proc(&SwapBuffersOf)},
    };
    return Find(names, name);
}

GlProc BindingGlLibraryName(const char* name)
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
    return Find(names, name);
}
