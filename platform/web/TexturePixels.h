// Texture images as the fixed-function layer hands them to WebGL 2, whose unsized formats
// must match the format of the pixels handed over: GL 1.1 converts between a texture's
// internal format and the client's pixel format, so the layer converts where they differ.
#pragma once

#include "orvex/render/GlApi.h"

#include <cstdint>
#include <vector>

// The base internal format of a texture image: which of red, green, blue and alpha it keeps.
// It decides what the texture environment does with the texture's colour and alpha.
enum class TextureBase { None, Alpha, Luminance, LuminanceAlpha, Rgb, Rgba };

// The base format of a glTexImage2D internal format (1 to 4 components, GL_ALPHA,
// GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA, GL_RGB8, GL_RGBA8); None for others.
TextureBase BaseOfInternalFormat(GLint internalFormat);
// The WebGL format (and unsized internal format) that keeps exactly that base.
GLenum FormatOfBase(TextureBase base);
// Bytes per pixel of a client pixel format of unsigned bytes (GL_RED, GL_GREEN, GL_BLUE,
// GL_ALPHA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA); 0 for others.
int ComponentsOfFormat(GLenum format);

// How the client's rows lie in memory: GL_UNPACK_ALIGNMENT (1, 2, 4 or 8) and
// GL_UNPACK_ROW_LENGTH (pixels per row; 0: the image's width).
struct PixelUnpack {
    int alignment = 4;
    int rowLength = 0;
};

// Bytes from one row's start to the next in client memory.
std::size_t RowStride(int width, int components, const PixelUnpack& unpack);

// The client's width x height pixels of `format` (unsigned bytes, laid out as `unpack`
// says) as tightly packed pixels of `base`, converted as GL does: each pixel becomes red,
// green, blue, alpha (luminance fills all three colours; a missing colour is 0, a missing
// alpha 1), and the base keeps its components of that (luminance is the red).
std::vector<std::uint8_t> ConvertTexels(const std::uint8_t* pixels, int width, int height, GLenum format,
                                        const PixelUnpack& unpack, TextureBase base);
