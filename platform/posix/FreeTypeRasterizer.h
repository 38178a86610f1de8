// Text with FreeType glyphs, faces found through fontconfig: the system text of POSIX
// programs (SystemText() answers this one).
#pragma once

#include "orvex/platform/TextRasterizer.h"

TextRasterizer& FreeTypeRasterizer();
