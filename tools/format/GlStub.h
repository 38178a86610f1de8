// A stand-in GL table for loading scenes without a window: materials create and upload
// their textures while a scene loads, and the tools need no picture. Every entry does nothing
// and answers zero, except that texture names are handed out and what is uploaded into each
// is kept, so a tool can read a texture's pixels exactly as the engine handed them to GL.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace orvex::format {

// Replaces the program-wide table with the stand-ins.
void InstallGlStub();

// Keeps the program-wide table as it is now and puts it back when it goes.
class SavedGlTable {
public:
    SavedGlTable();
    ~SavedGlTable();
    SavedGlTable(const SavedGlTable&) = delete;
    SavedGlTable& operator=(const SavedGlTable&) = delete;

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

// Hands over what the stand-ins keep for texture `id` and forgets it; false for a name they
// did not hand out, one that was deleted, one with nothing uploaded, or one taken already.
bool TakeUploadedTexture(std::uint32_t id, UploadedTexture* out);

} // namespace orvex::format
