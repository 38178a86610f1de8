// Shared helpers of the scene, animation and texture tests: small scenes and animations to
// start from, written with the format writer into a TempDir (tests/support).
#pragma once

#include "TempDir.h"

#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

using namespace orvex::format;

// The smallest complete scene: material "m" without texture, root node "n", mesh "s" of
// three vertices carried by node 0, one group using "m" with one list 0, 1, 2 (250 bytes).
SceneDesc TriangleScene();

// A mesh of `vertexCount` vertices at (i, 0, 0), normals (0, 0, 1), texture coordinates
// (i, -i), all carried by `node`, with one group drawing them as triangles.
MeshDesc LineMesh(const std::string& name, int vertexCount, std::int32_t node, const std::string& material);

// An animation of `trackCount` root tracks and `frameCount` keys each; key k of every
// track sits at position (k, 0, 0) with the identity rotation.
AnimationDesc StepAnimation(int trackCount, std::uint32_t frameCount);

// Quaternion of a rotation by `degrees` about z.
Quat RotationZ(float degrees);

} // namespace fixtures
