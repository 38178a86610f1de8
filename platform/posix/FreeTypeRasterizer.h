/// @file
/// Text with FreeType glyphs, faces found through fontconfig: the system text of POSIX
/// programs (SystemText() answers this one).
#pragma once

#include "orvex/platform/TextRasterizer.h"

/// The program's one FreeType rasteriser, made on first use.
TextRasterizer& FreeTypeRasterizer();
