// Moving a baked scene so that its meshes sit around the origin, where a viewer with a fixed
// camera looks.
#pragma once

#include "convert/Affine.h"
#include "format/SceneFiles.h"

namespace convert {

// Shifts every root node, and the position of every key of a root node's track, by the same
// offset, so that the middle of the box around all mesh vertices at the stored pose lands on
// the origin. Returns the offset added (zero for a scene without vertices).
Vec3 CenterScene(orvex::format::SceneFiles* files);

} // namespace convert
