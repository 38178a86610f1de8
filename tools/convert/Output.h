// Writes a baked scene through the shared format writer: BASE.mes, BASE.knx when the
// scene is animated, and one "<texture>.TGA" per texture in BASE's folder. Either all of
// them are written or none: files go to temporary names first and are renamed at the end.
#pragma once

#include "convert/Baked.h"

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <string>
#include <vector>

namespace convert {

orvex::format::SceneDesc ToSceneDesc(const BakedScene& scene);
orvex::format::AnimationDesc ToAnimationDesc(const BakedScene& scene);
// Rows stay top first; the descriptor marks the top-left origin for other TGA readers
// (the engine ignores it and always maps the first stored row to t = 0).
orvex::format::TgaDesc ToTgaDesc(const OutTexture& texture);

// Every file's path, in the order written: the .mes, the .knx (if any), the textures.
std::vector<std::string> OutputFiles(const BakedScene& scene, const std::string& base);

bool WriteOutput(const BakedScene& scene, const std::string& base, std::string* error);

} // namespace convert
