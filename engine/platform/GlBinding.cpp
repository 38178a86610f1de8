#include "orvex/platform/GlBinding.h"

#include <cstdlib>
#include <cstring>

void DescribeBindingFormat(bool software, unsigned size, PixelFormatDescriptor* out)
{
    if (out == nullptr)
        return;
    PixelFormatDescriptor d{};
    d.size = sizeof d;
    d.version = 1;
    d.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | (software ? PFD_GENERIC_FORMAT : 0u);
    d.pixelType = PFD_TYPE_RGBA;
    d.colorBits = 32;
    d.redBits = 8, d.redShift = 16, d.greenBits = 8, d.greenShift = 8, d.blueBits = 8, d.blueShift = 0;
    d.alphaBits = 8, d.alphaShift = 24;
    d.depthBits = 24;
    d.stencilBits = 8;
    d.layerType = PFD_MAIN_PLANE;
    std::memcpy(out, &d, size < sizeof d ? size : sizeof d);
}

bool IsSoftwareRenderer(const std::string& renderer)
{
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SwiftShader"})
        if (renderer.find(name) != std::string::npos)
            return true;
    return false;
}

int SoftwareRendererProbe::Get(std::string (*probeRenderer)())
{
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    const std::string key = forced != nullptr ? forced : "";
    if (key != probedFor) {
        const std::string renderer = probeRenderer();
        probed = renderer.empty() ? -1 : IsSoftwareRenderer(renderer) ? 1 : 0;
        probedFor = key;
    }
    return probed;
}
