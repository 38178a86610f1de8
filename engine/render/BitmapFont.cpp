#include "orvex/render/BitmapFont.h"

#include "orvex/platform/Platform.h"
#include "orvex/render/GlCapabilities.h"

#include <cstring>
#include <new>

BitmapFont::~BitmapFont()
{
    BitmapFont::Destroy();
}

bool BitmapFont::Create(const char* faceName, int fontHeight)
{
    textureWidth = glCapabilities.maxTextureSize;
    height = fontHeight;

    bitmapHeader = new (std::nothrow) BitmapInfo;
    if (bitmapHeader == nullptr)
        return false;
    std::memset(bitmapHeader, 0, sizeof *bitmapHeader);
    bitmapHeader->header.size = sizeof(BitmapInfoHeader);
    bitmapHeader->header.width = textureWidth;
    bitmapHeader->header.height = -height; // top-down
    bitmapHeader->header.planes = 1;
    bitmapHeader->header.bitCount = 32;
    bitmapHeader->header.compression = kBitmapRgb;

    bitmap = TextBitmap::Create(*bitmapHeader, &pixels);
    if (bitmap == nullptr)
        return false;

    TextRasterizer& rasterizer = PlatformText();
    memoryDc = new (std::nothrow) TextContext(rasterizer);
    if (memoryDc == nullptr)
        return false;

    font = rasterizer.CreateFont(faceName, height);
    if (font == nullptr)
        return false;

    memoryDc->SelectBitmap(bitmap);
    memoryDc->SelectFont(font);
    memoryDc->SetBackgroundMode(TextOpaque);
    memoryDc->SetBackgroundColor(0x00000000);
    memoryDc->SetTextAlign(0);

    gl.glGenTextures(1, &texture);
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_NEAREST));
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_NEAREST));
    return true;
}

void BitmapFont::Destroy()
{
    // The context goes first so that nothing is selected into it any more.
    if (memoryDc != nullptr) {
        delete memoryDc;
        memoryDc = nullptr;
    }
    if (bitmap != nullptr) {
        delete bitmap;
        bitmap = nullptr;
        pixels = nullptr;
    }
    if (bitmapHeader != nullptr) {
        delete bitmapHeader;
        bitmapHeader = nullptr;
    }
    if (font != nullptr) {
        delete font;
        font = nullptr;
    }
    if (texture != 0) {
        gl.glDeleteTextures(1, &texture);
        texture = 0;
    }
}

std::uint32_t BitmapFont::SetColor(std::uint32_t color)
{
    return memoryDc ? memoryDc->SetTextColor(color) : 0;
}

void BitmapFont::DrawStringColored(int x, int y, const char* text, std::uint32_t color)
{
    SetColor(color);
    DrawString(x, y, text);
}

void BitmapFont::DrawString(int x, int y, const char* text)
{
    // Nothing to draw with before Create has succeeded.
    if (pixels == nullptr || memoryDc == nullptr || texture == 0 || text == nullptr)
        return;

    std::memset(pixels, 0, static_cast<std::size_t>(textureWidth) * static_cast<std::size_t>(height) * 4);
    memoryDc->TextOut(0, 0, text, static_cast<int>(std::strlen(text)));

    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_REPLACE));
    // Blue, green, red, reserved become red, green, blue, alpha.
    gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);

    const float left = static_cast<float>(x), top = static_cast<float>(y);
    const float right = static_cast<float>(static_cast<long long>(x) + textureWidth);
    const float bottom = static_cast<float>(static_cast<long long>(y) + height);
    gl.glBegin(GL_QUADS);
    gl.glTexCoord2f(0.0f, 0.0f);
    gl.glVertex2f(left, top);
    gl.glTexCoord2f(1.0f, 0.0f);
    gl.glVertex2f(right, top);
    gl.glTexCoord2f(1.0f, 1.0f);
    gl.glVertex2f(right, bottom);
    gl.glTexCoord2f(0.0f, 1.0f);
    gl.glVertex2f(left, bottom);
    gl.glEnd();
}
