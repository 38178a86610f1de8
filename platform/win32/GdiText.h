// Text with GDI: fonts from CreateFontA, lines drawn into a DIB section, the system text of
// Windows programs (SystemText() answers this one). A line that is valid UTF-8 beyond ASCII is
// drawn with TextOutW from its UTF-16; any other goes to TextOutA as it is, so the system
// reads it in its ANSI code page (double-byte text where the code page has it), as the
// engine's strings of a Windows program of its kind were read.
#pragma once

#include "orvex/platform/TextRasterizer.h"

#include <string>

TextRasterizer& GdiTextRasterizer();

// True when the bytes are UTF-8 throughout (ASCII included): complete, shortest-form sequences.
bool IsUtf8Text(const char* text, std::size_t length);

// UTF-16 of UTF-8 text (a byte that is not UTF-8 stands for its Latin-1 character); code
// points beyond the basic plane become surrogate pairs.
std::wstring TextToUtf16(const char* text, std::size_t length);
