#include "orvex/web/TexturePixels.h"

#include <array>

TextureBase BaseOfInternalFormat(GLint internalFormat)
{
    switch (internalFormat) {
    case 1:
    case GL_LUMINANCE:
        return TextureBase::Luminance;
    case 2:
    case GL_LUMINANCE_ALPHA:
        return TextureBase::LuminanceAlpha;
    case 3:
    case GL_RGB:
    case GL_RGB8:
        return TextureBase::Rgb;
    case 4:
    case GL_RGBA:
    case GL_RGBA8:
        return TextureBase::Rgba;
    case GL_ALPHA:
        return TextureBase::Alpha;
    default:
        return TextureBase::None;
    }
}

GLenum FormatOfBase(TextureBase base)
{
    switch (base) {
    case TextureBase::Alpha:
        return GL_ALPHA;
    case TextureBase::Luminance:
        return GL_LUMINANCE;
    case TextureBase::LuminanceAlpha:
        return GL_LUMINANCE_ALPHA;
    case TextureBase::Rgb:
        return GL_RGB;
    case TextureBase::Rgba:
        return GL_RGBA;
    case TextureBase::None:
        break;
    }
    return 0;
}

int ComponentsOfFormat(GLenum format)
{
    switch (format) {
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE:
        return 1;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    default:
        return 0;
    }
}

std::size_t RowStride(int width, int components, const PixelUnpack& unpack)
{
    const std::size_t pixels = static_cast<std::size_t>(unpack.rowLength > 0 ? unpack.rowLength : width);
    const std::size_t bytes = pixels * static_cast<std::size_t>(components);
    const std::size_t alignment = static_cast<std::size_t>(unpack.alignment > 0 ? unpack.alignment : 1);
    return (bytes + alignment - 1) / alignment * alignment;
}

namespace {

// One client pixel as red, green, blue, alpha.
std::array<std::uint8_t, 4> Expand(const std::uint8_t* p, GLenum format)
{
    switch (format) {
    case GL_RED:
        return {p[0], 0, 0, 255};
    case GL_GREEN:
        return {0, p[0], 0, 255};
    case GL_BLUE:
        return {0, 0, p[0], 255};
    case GL_ALPHA:
        return {0, 0, 0, p[0]};
    case GL_LUMINANCE:
        return {p[0], p[0], p[0], 255};
    case GL_LUMINANCE_ALPHA:
        return {p[0], p[0], p[0], p[1]};
    case GL_RGB:
        return {p[0], p[1], p[2], 255};
    default:
        return {p[0], p[1], p[2], p[3]};
    }
}

} // namespace

std::vector<std::uint8_t> ConvertTexels(const std::uint8_t* pixels, int width, int height, GLenum format,
                                        const PixelUnpack& unpack, TextureBase base)
{
    const int from = ComponentsOfFormat(format);
    const int to = ComponentsOfFormat(FormatOfBase(base));
    if (pixels == nullptr || width <= 0 || height <= 0 || from == 0 || to == 0)
        return {};
    const std::size_t stride = RowStride(width, from, unpack);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                  static_cast<std::size_t>(to));
    std::uint8_t* q = out.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = pixels + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x, p += from) {
            const std::array<std::uint8_t, 4> rgba = Expand(p, format);
            switch (base) {
            case TextureBase::Alpha:
                *q++ = rgba[3];
                break;
            case TextureBase::Luminance:
                *q++ = rgba[0];
                break;
            case TextureBase::LuminanceAlpha:
                *q++ = rgba[0], *q++ = rgba[3];
                break;
            case TextureBase::Rgb:
                *q++ = rgba[0], *q++ = rgba[1], *q++ = rgba[2];
                break;
            case TextureBase::Rgba:
            case TextureBase::None:
                *q++ = rgba[0], *q++ = rgba[1], *q++ = rgba[2], *q++ = rgba[3];
                break;
            }
        }
    }
    return out;
}
