// A scene and its animation read with the engine's own loaders (MeshScene, KeyframeAnimation
// and the texture registry's TGA loader) into the descriptions the writers take, so that a
// tool works on exactly what the viewer shows.
#pragma once

#include "format/SceneFiles.h"

#include <string>

namespace orvex::format {

// Reads the scene at `scenePath` and, unless `animationPath` is empty, the animation, and
// binds it to the scene as the viewer does. Textures are found beside the scene, as the
// viewer finds them; a texture the engine cannot load leaves its
// material without one, as in the viewer. Every file is judged on its own: the material and
// texture registries are emptied before and after, and while it runs the GL table is the
// stand-in of GlStub.h. False with the reason when a loader refuses a file or
// the animation cannot be bound to the scene.
bool ReadWithEngine(const std::string& scenePath, const std::string& animationPath, SceneFiles* out,
                    std::string* error);

} // namespace orvex::format
