// Text through the browser's canvas 2D API: a line is drawn on a small canvas of the text's
// own box, read back and put into the target bitmap (blue, green, red, reserved 0), glyphs
// blended over what is there. Sizes follow the convention of a positive font height: the
// face's ascent plus descent is the cell height. Browsers on Linux do not follow the system's
// font aliases for a named face, so the face the desktop finds through them is named after it
// (Comic Sans MS: Comic Neue); then the browser's sans-serif face.
#pragma once

#include "orvex/platform/TextRasterizer.h"

class CanvasText final : public TextRasterizer {
public:
    TextFont* CreateFont(const char* faceName, int cellHeight) override;
    void DrawText(const TextFont& font, const TextTarget& target, int x, int y, const char* text, std::size_t length,
                  std::uint32_t color, bool opaque, std::uint32_t background) override;
};
