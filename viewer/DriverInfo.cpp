// The driver information page: what the GL driver reports, the pixel format's kind and
// the extensions the driver loader found.
#include "Application.h"

#include "orvex/render/GlApi.h"
#include "orvex/render/GlCapabilities.h"

#include <cstdio>

namespace {

constexpr int kLabelX = 10;
constexpr int kValueX = 220;
constexpr int kLineStep = 18;
constexpr int kSectionStep = 24;

// Three Hangul syllables (U+D55C U+AE00 U+B450) in UTF-8; the font takes their glyphs from
// a fallback face when the overlay face has none.
constexpr const char* kHangul = "\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90";

const char* GlText(GLenum name)
{
    const GLubyte* text = gl.glGetString ? gl.glGetString(name) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

GLint GlInteger(GLenum name)
{
    GLint value = 0;
    if (gl.glGetIntegerv)
        gl.glGetIntegerv(name, &value);
    return value;
}

} // namespace

void Application::DrawDriverInfo()
{
    char value[256];
    int y = 40;
    auto row = [&](const char* label, int step) {
        viewerFont->DrawString(kLabelX, y, label);
        viewerFont->DrawString(kValueX, y, value);
        y += step;
    };

    viewerFont->SetColor(0xFFFF00);
    std::snprintf(value, sizeof value, "%s", GlText(GL_RENDERER));
    row("GL_RENDERER:", kLineStep);
    std::snprintf(value, sizeof value, "%s", GlText(GL_VENDOR));
    row("GL_VENDOR:", kLineStep);
    std::snprintf(value, sizeof value, "%s", GlText(GL_VERSION));
    row("GL_VERSION:", kLineStep);
    std::snprintf(value, sizeof value, "%d", GlInteger(GL_DEPTH_BITS));
    row("GL_DEPTH_BITS:", kLineStep);
    std::snprintf(value, sizeof value, "%d", GlInteger(GL_STENCIL_BITS));
    row("GL_STENCIL_BITS:", kLineStep);
    std::snprintf(value, sizeof value, "%d", glCapabilities.maxTextureSize);
    row("GL_MAX_TEXTURE_SIZE:", kLineStep);
    std::snprintf(value, sizeof value, "%d", glCapabilities.maxTextureUnits);
    row("GL_MAX_ACTIVE_TEXTURES_ARB:", kSectionStep);

    viewerFont->SetColor(0xFF00FF);
    std::snprintf(value, sizeof value, "%s %s[%s ]", glCapabilities.pixelFormatAccelerated ? "TRUE" : "FALSE",
                  glCapabilities.pixelFormatMiniport ? "(Miniport)" : "", kHangul);
    row("PFD_GENERIC_ACCELERATED:", kSectionStep);

    viewerFont->SetColor(0xFF0000);
    viewerFont->DrawString(kLabelX, y, "GL_EXTENSIONS:");
    // In the order of the driver's list; an extension without a flag is not shown.
    for (const GlExtensionRow& extension : kGlExtensions) {
        if (extension.flag == nullptr || glCapabilities.*extension.flag == 0)
            continue;
        viewerFont->DrawString(kValueX, y, extension.name);
        y += kLineStep;
    }
}
