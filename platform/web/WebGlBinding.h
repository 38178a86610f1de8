// GL on the page's canvases. A window is a WebCanvas, named by its CSS selector; the screen's
// surface (a null window) answers pixel-format questions only. Every canvas has one pixel
// format, that of a WebGL 2 context with a depth and a stencil buffer and without alpha or
// multisampling (as the desktop's window formats); it is generic (software) when the browser
// draws WebGL with a software rasteriser (SwiftShader without a GPU). Each context carries
// the fixed-function layer, made at its first MakeCurrent; the browser shows what a frame
// drew when the frame's callback returns, so SwapBuffers has nothing to do.
#pragma once

#include "orvex/platform/GlBinding.h"
#include "orvex/web/FixedFunctionGl.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

struct WebCanvas {
    std::string selector; // "#canvas"
};

class WebGlBinding final : public GlBinding {
public:
    WebGlBinding();
    ~WebGlBinding() override;
    WebGlBinding(const WebGlBinding&) = delete;
    WebGlBinding& operator=(const WebGlBinding&) = delete;

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
    const char* Extensions() override;
    bool SetSwapInterval(int interval) override;
    int GetSwapInterval() override;

    // The renderer of a throw-away WebGL 2 context; empty when the browser gives none.
    static std::string ProbeRenderer();

private:
    struct Context;

    WebCanvas* CanvasOf(GlSurfaceHandle surface) const;

    std::vector<std::unique_ptr<Context>> contexts;
    std::set<WebCanvas*> formatSet;
    Context* current = nullptr;
    SoftwareRendererProbe softwareProbe;
};
