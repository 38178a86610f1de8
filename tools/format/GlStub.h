// A stand-in GL table for loading scenes without a window: materials create and upload
// their textures while a scene loads, and the tools need no picture. The stand-ins hand out
// texture names and keep what is uploaded into each, so a tool can read a texture's pixels
// exactly as the engine handed them to GL; nothing is drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace orvex::format {

// Fills the program-wide table's texture slots with the stand-ins.
void InstallGlStub();

// The texture slots of the program-wide table, to put back what was there before.
class GlTextureSlots {
public:
    GlTextureSlots(); // saves the current slots
    ~GlTextureSlots(); // restores them
    GlTextureSlots(const GlTextureSlots&) = delete;
    GlTextureSlots& operator=(const GlTextureSlots&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved;
};

// Level 0 of a texture as uploaded: rows as handed over (unpack alignment 1), each pixel
// 1 byte (GL_ALPHA), 3 (GL_RGB) or 4 (GL_RGBA).
struct UploadedTexture {
    int width = 0, height = 0;
    int channels = 0;
    std::vector<std::uint8_t> pixels;
};

// What the stand-ins keep for texture `id`: null for a name they did not hand out, one that
// was deleted, or one with nothing uploaded yet.
const UploadedTexture* FindUploadedTexture(std::uint32_t id);

} // namespace orvex::format
