// Text with GDI: fonts from CreateFontA, lines drawn with TextOutA (TextOutW for text beyond
// ASCII, converted from UTF-8) into a DIB section, the system text of Windows programs
// (SystemText() answers this one).
#pragma once

#include "orvex/platform/TextRasterizer.h"

#include <string>

TextRasterizer& GdiTextRasterizer();

// UTF-16 of the text as the rasteriser reads it (UTF-8, other bytes Latin-1); code points
// beyond the basic plane become surrogate pairs.
std::wstring TextToUtf16(const char* text, std::size_t length);
