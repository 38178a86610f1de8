/// @file
/// Textures: TGA images decoded into memory, GL texture objects, and the program-wide
/// texture registry that materials find their textures in by name.
///
/// A texture named "skin" is the file "skin.TGA" relative to the working directory (case
/// kept), loaded once per name and kept for the life of the program. Creating, uploading
/// and binding a texture needs a current GL context.
#pragma once

#include "orvex/foundation/FileRefusal.h"
#include "orvex/foundation/NamedObject.h"

#include <cstdint>

/// Pixel format codes of an Image.
enum ImageFormat : std::int32_t {
    ImageFormatAlpha = 0,      ///< 1 byte per pixel (and any unusual size), uploaded as GL_ALPHA
    ImageFormatColorIndex = 1, ///< never produced by Create
    ImageFormatRgb = 2,        ///< red, green, blue
    ImageFormatRgba = 3,       ///< red, green, blue, alpha
    ImageFormatTwoByte = 7,    ///< 2 bytes per pixel as stored; has no GL upload format
};

class FileStream;

/// A decoded picture: rows one after another with no gap, in file order.
class Image {
public:
    Image() = default;
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    /// Picks the format from the bytes per pixel (2 -> 7, 3 -> 2, 4 -> 3, else 0) and allocates
    /// width x height x bytesPerPixel bytes, contents not initialised. False when a size is
    /// negative or memory ran out (the image is then empty).
    virtual bool Create(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel);
    /// Frees the pixels; safe to run any number of times.
    virtual void Destroy();

    /// @{
    /// The ImageFormat code, the size, and the pixels (owned by the image; null when empty).
    std::int32_t GetFormat() const { return format; }
    std::int32_t GetWidth() const { return width; }
    std::int32_t GetHeight() const { return height; }
    std::uint8_t* GetPixels() const { return pixels; }
    /// @}

private:
    std::int32_t format = ImageFormatAlpha;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t* pixels = nullptr;
};

/// Reads uncompressed TGA files: true colour (type 2) of 24 or 32 bits, greyscale (type 3)
/// of 8 bits, and data-less images (type 0) declaring 8, 24 or 32 bits, whose pixels come
/// out as zeros. Everything else is refused, as is a file that ends before its header, its
/// ID field or its pixel data.
class TgaLoader {
public:
    /// Data-less images have no bytes in the file to check their size against; they are
    /// refused beyond this many pixels a side.
    static constexpr std::int32_t kMaxBlankSide = 4096;

    /// Bytes per pixel of the kinds the loader reads, or 0 for a kind it refuses: only these
    /// give a buffer that matches both the decoding and what Upload hands to GL.
    static int BytesPerPixel(int imageType, int depth);

    /// A new Image that the caller deletes, or null; GetRefusal then says why.
    Image* Load(const char* path);

    /// Why the last Load gave null: section, byte offset and a sentence.
    const FileRefusal& GetRefusal() const { return refusal; }

private:
    Image* Read(FileStream& stream);

    FileRefusal refusal;
};

/// One GL texture object with a name. Naming it creates the GL object.
class Texture : public NamedObject {
public:
    Texture() = default;
    ~Texture() override;

    /// Stores the name, then creates the GL texture object: repeat wrapping, linear filters,
    /// and an unpack alignment of 1 (left set) so rows of any width upload without gaps.
    bool SetName(const char* text) override;
    /// Deletes the GL texture object, then releases the name and the chain behind it.
    void Destroy() override;

    /// Binds the texture to GL_TEXTURE_2D with the environment mode GL_MODULATE.
    void Bind();
    /// Uploads level 0 of the image (GL_ALPHA, GL_RGB or GL_RGBA by its format). False, with
    /// nothing uploaded, for an image without pixels or without a GL format.
    bool Upload(const Image* image);

    /// The GL texture object's name; 0 before SetName.
    std::uint32_t GetTextureId() const { return textureId; }

private:
    std::uint32_t textureId = 0;
};

/// The texture of that name: from the registry, or else loaded from "<name>.TGA" and
/// registered. Null when the name is longer than 75 bytes, the file is missing or refused;
/// the registry is then unchanged, so a later request tries the file again.
Texture* FindOrLoadTexture(const char* name);

/// The registry: the first texture (the rest follow through GetNext) and how many there are.
/// @{
Texture* GetTextures();
std::int32_t GetTextureCount();
/// @}

/// Deletes every registered texture and its GL object (a context must be current). Any
/// material pointing at them must be gone first: call ClearMaterials before this.
void ClearTextures();
