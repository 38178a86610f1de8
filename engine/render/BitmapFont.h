/// @file
/// Single lines of text over the picture: each string is drawn by the text rasteriser
/// into a bitmap one line high and maxTextureSize wide, uploaded as a texture and drawn
/// as one quad, one texel per pixel. The caller sets the pixel projection (SetOrtho) and
/// the blending (GL_ONE, GL_ONE_MINUS_SRC_ALPHA adds the text to the picture).
///
/// Colours are 0x00BBGGRR. The bitmap's blue, green, red bytes become the texture's red,
/// green, blue, so on screen red and blue of the colour are exchanged.
#pragma once

#include "orvex/platform/TextDevice.h"
#include "orvex/render/GlApi.h"

#include <cstdint>

/// A font that draws single lines of text over the picture as textured quads (see the file's description).
class BitmapFont {
public:
    BitmapFont() = default;
    virtual ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    /// Needs a current rendering context (reads maxTextureSize, makes the texture).
    virtual bool Create(const char* faceName, int height);
    /// Releases everything Create made; the rendering context must still be current.
    virtual void Destroy();
    /// Colour of the following strings; returns the previous one.
    virtual std::uint32_t SetColor(std::uint32_t color);
    /// Sets the colour, then draws text with its top-left corner at pixel (x, y).
    virtual void DrawStringColored(int x, int y, const char* text, std::uint32_t color);
    /// Draws text with its top-left corner at pixel (x, y).
    virtual void DrawString(int x, int y, const char* text);

protected:
    /// Width of the line bitmap and texture: maxTextureSize, read by Create.
    std::int32_t textureWidth = 0;
    /// Height of the line in pixels, as Create asked.
    std::int32_t height = 0;
    /// The line bitmap's pixels (owned by `bitmap`), 32 bits each, top-down.
    std::uint8_t* pixels = nullptr;
    /// The header the bitmap was made from; owned.
    BitmapInfo* bitmapHeader = nullptr;
    /// The memory bitmap text is drawn into; owned.
    TextBitmap* bitmap = nullptr;
    /// The face made by the text rasteriser; owned.
    TextFont* font = nullptr;
    /// The drawing context holding the bitmap and the font; owned.
    TextContext* memoryDc = nullptr;
    /// The GL texture the line is uploaded to; 0 before Create.
    GLuint texture = 0;
};
