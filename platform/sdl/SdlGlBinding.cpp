#include "orvex/sdl/SdlGlBinding.h"

#include <cstdlib>
#include <cstring>

namespace {
// The screen's surface: pixel-format questions only.
char screenSurface;
} // namespace

void SdlGlBinding::SetWindowAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Fixed-function GL with a GL_EXTENSIONS string: a compatibility context of 2.1.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

std::string SdlGlBinding::ProbeRenderer()
{
    std::string renderer;
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SetWindowAttributes();
    SDL_Window* window = SDL_CreateWindow("probe", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr)
        return renderer;
    if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
        using GetString = const unsigned char* (*)(unsigned);
        auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned char* text = getString ? getString(GL_RENDERER) : nullptr;
        if (text)
            renderer = reinterpret_cast<const char*>(text);
        SDL_GL_MakeCurrent(previousWindow, previousContext);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
    return renderer;
}

SDL_Window* SdlGlBinding::WindowOf(GlSurfaceHandle surface) const
{
    if (surface == nullptr || surface == &screenSurface)
        return nullptr;
    return static_cast<SDL_Window*>(surface);
}

GlSurfaceHandle SdlGlBinding::GetSurface(WindowHandle window)
{
    if (window == nullptr)
        return &screenSurface;
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    return (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL) ? sdlWindow : nullptr;
}

void SdlGlBinding::ReleaseSurface(WindowHandle, GlSurfaceHandle) {}

int SdlGlBinding::ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request)
{
    if (surface == nullptr)
        return 0;
    // The one format serves every request for an RGBA GL format.
    if (!(request.flags & PFD_SUPPORT_OPENGL) || request.pixelType != PFD_TYPE_RGBA)
        return 0;
    return 1;
}

int SdlGlBinding::DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out)
{
    if (surface == nullptr || index != 1)
        return 0;
    const int software = softwareProbe.Get(&SdlGlBinding::ProbeRenderer);
    if (software < 0)
        return 0;
    DescribeBindingFormat(software != 0, size, out);
    return 1;
}

int SdlGlBinding::GetPixelFormat(GlSurfaceHandle surface)
{
    SDL_Window* window = WindowOf(surface);
    return window && formatSet.count(window) ? 1 : 0;
}

bool SdlGlBinding::SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor&)
{
    SDL_Window* window = WindowOf(surface);
    if (window == nullptr || index != 1)
        return false;
    formatSet.insert(window);
    return true;
}

GlContextHandle SdlGlBinding::CreateContext(GlSurfaceHandle surface)
{
    SDL_Window* window = WindowOf(surface);
    if (window == nullptr)
        return nullptr;
    // SDL makes a new context current; the caller decides that, so the old one comes back.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    SDL_GL_MakeCurrent(previousWindow, previousContext);
    return context;
}

bool SdlGlBinding::DeleteContext(GlContextHandle context)
{
    if (context == nullptr)
        return false;
    SDL_GL_DeleteContext(context);
    return true;
}

bool SdlGlBinding::MakeCurrent(GlSurfaceHandle surface, GlContextHandle context)
{
    if (context == nullptr)
        return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
    SDL_Window* window = WindowOf(surface);
    return window != nullptr && SDL_GL_MakeCurrent(window, context) == 0;
}

GlContextHandle SdlGlBinding::CurrentContext()
{
    return SDL_GL_GetCurrentContext();
}
GlSurfaceHandle SdlGlBinding::CurrentSurface()
{
    return SDL_GL_GetCurrentWindow();
}

GlProc SdlGlBinding::GetProcAddress(const char* name)
{
    return name ? reinterpret_cast<GlProc>(SDL_GL_GetProcAddress(name)) : nullptr;
}

bool SdlGlBinding::SwapBuffers(GlSurfaceHandle surface)
{
    SDL_Window* window = WindowOf(surface);
    if (window == nullptr)
        return false;
    SDL_GL_SwapWindow(window);
    return true;
}

// SDL sets swap intervals on every GL backend it has; a refusal is reported, never fatal.
const char* SdlGlBinding::Extensions()
{
    return "WGL_EXT_swap_control";
}
bool SdlGlBinding::SetSwapInterval(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0;
}
int SdlGlBinding::GetSwapInterval()
{
    return SDL_GL_GetSwapInterval();
}
