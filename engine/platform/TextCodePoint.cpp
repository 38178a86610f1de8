#include "orvex/platform/TextRasterizer.h"

char32_t NextTextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0, min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return lead;
    }
    if (end - p < extra)
        return lead;
    for (int i = 0; i < extra; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return lead;
    for (int i = 0; i < extra; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    // Overlong forms, surrogates and values past Unicode are not characters of UTF-8.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return lead;
    p += extra;
    return cp;
}
