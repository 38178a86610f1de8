#include "platform/GlBinding.h"

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
