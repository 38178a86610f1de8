#include "orvex/web/WebGlBinding.h"

#include "orvex/web/WebGpuDevice.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>

namespace {
// The screen's surface: pixel-format questions only.
char screenSurface;

EM_JS(void, OrvexProbeWebGlRenderer, (char* out, int size), {
    var text = "";
    var gl = document.createElement('canvas').getContext('webgl2');
    if (gl) {
        var ext = gl.getExtension('WEBGL_debug_renderer_info');
        text = ext ? gl.getParameter(ext.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
        var lose = gl.getExtension('WEBGL_lose_context');
        if (lose)
            lose.loseContext();
    }
    stringToUTF8(String(text || ""), out, size);
});
} // namespace

struct WebGlBinding::Context {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = 0;
    WebCanvas* canvas = nullptr;
    std::unique_ptr<FixedFunctionContext> layer;
};

WebGlBinding::WebGlBinding() = default;

WebGlBinding::~WebGlBinding()
{
    while (!contexts.empty())
        DeleteContext(contexts.back().get());
}

std::string WebGlBinding::ProbeRenderer()
{
    char text[256] = "";
    OrvexProbeWebGlRenderer(text, sizeof text);
    return text;
}

WebCanvas* WebGlBinding::CanvasOf(GlSurfaceHandle surface) const
{
    if (surface == nullptr || surface == &screenSurface)
        return nullptr;
    return static_cast<WebCanvas*>(surface);
}

GlSurfaceHandle WebGlBinding::GetSurface(WindowHandle window)
{
    return window == nullptr ? static_cast<GlSurfaceHandle>(&screenSurface) : window;
}

void WebGlBinding::ReleaseSurface(WindowHandle, GlSurfaceHandle) {}

int WebGlBinding::ChoosePixelFormat(GlSurfaceHandle surface, const PixelFormatDescriptor& request)
{
    if (surface == nullptr || !(request.flags & PFD_SUPPORT_OPENGL) || request.pixelType != PFD_TYPE_RGBA)
        return 0;
    return 1;
}

int WebGlBinding::DescribePixelFormat(GlSurfaceHandle surface, int index, unsigned size, PixelFormatDescriptor* out)
{
    if (surface == nullptr || index != 1)
        return 0;
    const int software = softwareProbe.Get(&WebGlBinding::ProbeRenderer);
    if (software < 0)
        return 0;
    DescribeBindingFormat(software != 0, size, out);
    return 1;
}

int WebGlBinding::GetPixelFormat(GlSurfaceHandle surface)
{
    WebCanvas* canvas = CanvasOf(surface);
    return canvas != nullptr && formatSet.count(canvas) ? 1 : 0;
}

bool WebGlBinding::SetPixelFormat(GlSurfaceHandle surface, int index, const PixelFormatDescriptor&)
{
    WebCanvas* canvas = CanvasOf(surface);
    if (canvas == nullptr || index != 1)
        return false;
    formatSet.insert(canvas);
    return true;
}

GlContextHandle WebGlBinding::CreateContext(GlSurfaceHandle surface)
{
    WebCanvas* canvas = CanvasOf(surface);
    if (canvas == nullptr)
        return nullptr;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = EM_FALSE; // the overlay writes alpha 0; the page must not show through
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_TRUE;
    attributes.antialias = EM_FALSE;
    attributes.enableExtensionsByDefault = EM_FALSE;
    // Creating a context makes it current in Emscripten; the caller decides that.
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE previous = emscripten_webgl_get_current_context();
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle =
        emscripten_webgl_create_context(canvas->selector.c_str(), &attributes);
    emscripten_webgl_make_context_current(previous);
    if (handle <= 0)
        return nullptr;
    auto context = std::make_unique<Context>();
    context->handle = handle;
    context->canvas = canvas;
    contexts.push_back(std::move(context));
    return contexts.back().get();
}

bool WebGlBinding::DeleteContext(GlContextHandle handle)
{
    auto it = std::find_if(contexts.begin(), contexts.end(), [handle](const auto& c) { return c.get() == handle; });
    if (it == contexts.end())
        return false;
    Context& context = **it;
    // The layer's WebGL objects go with their context current.
    if (context.layer) {
        emscripten_webgl_make_context_current(context.handle);
        if (CurrentFixedFunction() == context.layer.get())
            MakeFixedFunctionCurrent(nullptr);
        context.layer.reset();
    }
    if (current == &context)
        current = nullptr;
    emscripten_webgl_make_context_current(current != nullptr ? current->handle : 0);
    emscripten_webgl_destroy_context(context.handle);
    contexts.erase(it);
    return true;
}

bool WebGlBinding::MakeCurrent(GlSurfaceHandle surface, GlContextHandle handle)
{
    if (handle == nullptr) {
        emscripten_webgl_make_context_current(0);
        MakeFixedFunctionCurrent(nullptr);
        current = nullptr;
        return true;
    }
    auto* context = static_cast<Context*>(handle);
    if (CanvasOf(surface) != context->canvas ||
        emscripten_webgl_make_context_current(context->handle) != EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    if (!context->layer) {
        std::unique_ptr<WebGpuDevice> device = WebGpuDevice::Create();
        if (!device)
            return false;
        context->layer = std::make_unique<FixedFunctionContext>(std::move(device));
    }
    MakeFixedFunctionCurrent(context->layer.get());
    current = context;
    return true;
}

GlContextHandle WebGlBinding::CurrentContext()
{
    return current;
}

GlSurfaceHandle WebGlBinding::CurrentSurface()
{
    return current != nullptr ? current->canvas : nullptr;
}

GlProc WebGlBinding::GetProcAddress(const char* name)
{
    return FixedFunctionProc(name);
}

bool WebGlBinding::SwapBuffers(GlSurfaceHandle surface)
{
    return CanvasOf(surface) != nullptr;
}

// The browser paces frames itself (one per display refresh, requestAnimationFrame): there
// is no swap interval to set.
const char* WebGlBinding::Extensions()
{
    return "";
}

bool WebGlBinding::SetSwapInterval(int)
{
    return false;
}

int WebGlBinding::GetSwapInterval()
{
    return 0;
}
