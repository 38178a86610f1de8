// Writes a baked scene through the shared format writer: BASE.mes, BASE.knx when the
// scene is animated, and one "<texture>.TGA" per texture in BASE's folder. Either all of
// them are written or none.
#pragma once

#include "format/SceneFiles.h"
#include "format/TgaWriter.h"

#include <string>
#include <vector>

namespace convert {

// Rows stay in stored order; the descriptor marks the top-left origin for other TGA readers
// (the engine ignores it and always maps the first stored row to t = 0).
orvex::format::TgaDesc ToTgaDesc(const orvex::format::TextureDesc& texture);

// Every file's path, in the order written: the .mes, the .knx (if any), the textures.
std::vector<std::string> OutputFiles(const orvex::format::SceneFiles& files, const std::string& base);

bool WriteOutput(const orvex::format::SceneFiles& files, const std::string& base, std::string* error);

} // namespace convert
