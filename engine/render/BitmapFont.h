// Single lines of text over the picture: each string is drawn by the text rasteriser
// into a bitmap one line high and maxTextureSize wide, uploaded as a texture and drawn
// as one quad, one texel per pixel. The caller sets the pixel projection (SetOrtho) and
// the blending (GL_ONE, GL_ONE_MINUS_SRC_ALPHA adds the text to the picture).
//
// Colours are 0x00BBGGRR. The bitmap's blue, green, red bytes become the texture's red,
// green, blue, so on screen red and blue of the colour are exchanged.
#pragma once

#include "orvex/platform/TextDevice.h"
#include "orvex/render/GlApi.h"

#include <cstdint>

class BitmapFont {
public:
    BitmapFont() = default;
    virtual ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Needs a current rendering context (reads maxTextureSize, makes the texture).
    virtual bool Create(const char* faceName, int height);
    // Releases everything Create made; the rendering context must still be current.
    virtual void Destroy();
    // Colour of the following strings; returns the previous one.
    virtual std::uint32_t SetColor(std::uint32_t color);
    virtual void DrawStringColored(int x, int y, const char* text, std::uint32_t color);
    // Draws text with its top-left corner at pixel (x, y).
    virtual void DrawString(int x, int y, const char* text);

protected:
    std::int32_t textureWidth = 0;
    std::int32_t height = 0;
    std::uint8_t* pixels = nullptr;
    BitmapInfo* bitmapHeader = nullptr;
    TextBitmap* bitmap = nullptr;
    TextFont* font = nullptr;
    TextContext* memoryDc = nullptr;
    GLuint texture = 0;
};
