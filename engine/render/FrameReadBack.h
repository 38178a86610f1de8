/// @file
/// Reading a drawn frame back, for tests and tools: the engine itself never reads pixels,
/// so glReadPixels and glPixelStorei are not in its entry-point table and each surface
/// hands over the system library's own functions.
#pragma once

#include "orvex/render/GlApi.h"

#include <array>
#include <cstdint>
#include <vector>

/// @{
/// glReadPixels and glPixelStorei of the system library, with the GL calling convention.
using ReadPixelsFunction = void(ORVEX_GL_APIENTRY*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);
using PixelStoreFunction = void(ORVEX_GL_APIENTRY*)(GLenum, GLint);
/// @}

/// Waits for the drawing, then reads width x height RGBA pixels from the lower left corner
/// and returns them with the top row first. Empty when a function is missing.
std::vector<std::uint8_t> ReadTopDownRgba(const GlEntryPoints& gl, ReadPixelsFunction readPixels,
                                          PixelStoreFunction pixelStore, int width, int height);

/// The pixel at (x, y), top row first, of such a read-back; zeros outside it.
std::array<std::uint8_t, 4> RgbaPixelAt(const std::vector<std::uint8_t>& rgba, int width, int height, int x, int y);
