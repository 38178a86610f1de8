#pragma once
// The engine's GL binding on Qt windows. A window's surface is its QWindow (made with surface
// type OpenGLSurface); a null window gives the screen's surface, which answers pixel-format
// questions only. Every window has one pixel format, the one it was made with (see
// qtgl::WindowFormat); it is generic (software) when GL_RENDERER of a probe context names a
// software rasteriser. Contexts are QOpenGLContexts of a compatibility profile.
#include "orvex/platform/GlBinding.h"

#include <set>
#include <string>

class QWindow;

class QtGlBinding final : public GlBinding {
public:
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
    // No swap control: a context's swap interval is fixed when Qt makes it (0 here), so the
    // editor draws as fast as its idle loop runs.
    const char* Extensions() override;
    bool SetSwapInterval(int interval) override;
    int GetSwapInterval() override;

private:
    QWindow* WindowOf(GlSurfaceHandle surface) const;

    std::set<QWindow*> m_formatSet;
    SoftwareRendererProbe m_softwareProbe;
};
