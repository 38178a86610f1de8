#include "orvex/web/CanvasText.h"

#include <emscripten/emscripten.h>

#include <cstring>
#include <new>
#include <string>
#include <strings.h>

namespace {

struct Alias {
    const char* face;
    const char* closest;
};
constexpr Alias kAliases[] = {{"Comic Sans MS", "Comic Neue"}};

class CanvasFont final : public TextFont {
public:
    std::string css; // the canvas font: size and families
    int ascent = 0;  // pixels from the cell's top to the baseline
    int cellHeight = 0;
};

// The CSS family list for a face: the face, its closest face where the system knows one by
// another name, then sans-serif.
std::string Families(const char* face)
{
    std::string quoted;
    for (const char* p = face; *p != '\0'; ++p)
        if (*p != '"' && *p != '\\')
            quoted += *p;
    std::string families = "\"" + quoted + "\", ";
    for (const Alias& alias : kAliases)
        if (strcasecmp(alias.face, face) == 0)
            families += std::string("\"") + alias.closest + "\", ";
    return families + "sans-serif";
}

// The pixel size whose ascent plus descent is cellHeight, and the ascent at that size; false
// when the browser measures nothing.
EM_JS(int, OrvexCanvasMeasureFont, (const char* families, int cellHeight, float* size, int* ascent), {
    if (!Module.orvexText)
        Module.orvexText = document.createElement('canvas').getContext('2d', {willReadFrequently : true});
    var ctx = Module.orvexText;
    ctx.font = '100px ' + UTF8ToString(families);
    var m = ctx.measureText('M');
    var cell = m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    if (!(cell > 0))
        return 0;
    HEAPF32[size >> 2] = cellHeight * 100 / cell;
    HEAP32[ascent >> 2] = Math.round(m.fontBoundingBoxAscent * cellHeight / cell);
    return 1;
});

// Draws the text on a canvas of the part of its box that lands in the target, then puts those
// pixels into the target: cells filled with the background when opaque, glyphs blended.
EM_JS(void, OrvexCanvasDrawText,
      (const char* css, int ascent, int cellHeight, const char* text, unsigned char* pixels, int width, int height,
       int x, int y, unsigned color, int opaque, unsigned background),
      {
          var ctx = Module.orvexText;
          var font = UTF8ToString(css);
          var str = UTF8ToString(text);
          ctx.font = font;
          var m = ctx.measureText(str);
          var advance = Math.ceil(m.width);
          var left = Math.min(0, Math.floor(-m.actualBoundingBoxLeft));
          var right = Math.max(advance, Math.ceil(m.actualBoundingBoxRight));
          var x0 = Math.max(x + left, 0), x1 = Math.min(x + right, width);
          var y0 = Math.max(y, 0), y1 = Math.min(y + cellHeight, height);
          if (x1 <= x0 || y1 <= y0)
              return;
          var w = x1 - x0, h = y1 - y0;
          var canvas = ctx.canvas;
          if (canvas.width < w || canvas.height < h) {
              canvas.width = Math.max(canvas.width, w);
              canvas.height = Math.max(canvas.height, h);
              ctx.font = font;
          }
          ctx.clearRect(0, 0, w, h);
          var rgb = function(c)
          {
              return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
          };
          if (opaque) {
              ctx.fillStyle = rgb(background);
              ctx.fillRect(x - x0, y - y0, advance, cellHeight);
          }
          ctx.fillStyle = rgb(color);
          ctx.textBaseline = 'alphabetic';
          ctx.fillText(str, x - x0, y - y0 + ascent);
          var image = ctx.getImageData(0, 0, w, h).data;
          for (var row = 0; row < h; ++row) {
              for (var col = 0; col < w; ++col) {
                  var s = (row * w + col) * 4;
                  var a = image[s + 3];
                  if (a == 0)
                      continue;
                  var d = pixels + ((y0 + row) * width + x0 + col) * 4;
                  for (var k = 0; k < 3; ++k) {
                      var v = image[s + 2 - k];
                      HEAPU8[d + k] = a == 255 ? v : Math.round((v * a + HEAPU8[d + k] * (255 - a)) / 255);
                  }
                  HEAPU8[d + 3] = 0;
              }
          }
      });

// The bytes as UTF-8: they are UTF-8 already, or Latin-1 where they are not.
std::string Utf8Of(const char* text, std::size_t length)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end) {
        const char32_t c = NextTextCodePoint(p, end);
        if (c == 0)
            continue; // the canvas takes text up to its first zero
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

TextFont* CanvasText::CreateFont(const char* faceName, int cellHeight)
{
    if (faceName == nullptr || cellHeight <= 0)
        return nullptr;
    const std::string families = Families(faceName);
    float size = 0;
    int ascent = 0;
    if (!OrvexCanvasMeasureFont(families.c_str(), cellHeight, &size, &ascent))
        return nullptr;
    auto* font = new (std::nothrow) CanvasFont;
    if (font == nullptr)
        return nullptr;
    font->css = std::to_string(size) + "px " + families;
    font->ascent = ascent;
    font->cellHeight = cellHeight;
    return font;
}

void CanvasText::DrawText(const TextFont& font, const TextTarget& target, int x, int y, const char* text,
                          std::size_t length, std::uint32_t color, bool opaque, std::uint32_t background)
{
    const auto& canvasFont = static_cast<const CanvasFont&>(font);
    if (target.pixels == nullptr || text == nullptr || length == 0)
        return;
    const std::string utf8 = Utf8Of(text, length);
    OrvexCanvasDrawText(canvasFont.css.c_str(), canvasFont.ascent, canvasFont.cellHeight, utf8.c_str(), target.pixels,
                        target.width, target.height, x, y, color, opaque ? 1 : 0, background);
}

TextRasterizer& SystemText()
{
    static CanvasText text;
    return text;
}
