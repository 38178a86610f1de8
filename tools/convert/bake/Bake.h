// Turns the content model into the engine's file records. The engine's nodes hold only a
// rotation and a position, and every vertex follows exactly one node, so the baker:
// - gives every node the rigid part (polar decomposition) of its source world transform
//   and moves the rest (scale, shear, mirroring) into the positions of the vertices it
//   carries;
// - hangs each skinned vertex on its heaviest joint, in that joint's frame at bind pose;
// - stores normals in the scene's frame at the rest pose (the engine never turns them);
// - reverses every triangle, since the engine's front faces are clockwise;
// - gives every material a texture with its diffuse colour baked in, because the
//   engine's colour material replaces the diffuse colour;
// - resamples the chosen clip at the file's frame rate, one track per node.
#pragma once

#include "convert/bake/Baked.h"
#include "convert/import/Content.h"

#include <string>

namespace convert {

struct BakeOptions {
    double scale = 1.0;            // uniform scale of the whole scene
    int clip = -1;                 // index into Content::clips; -1 writes no animation
    double framesPerSecond = 20.0; // the .knx playback rate
    std::string texturePrefix;     // texture names become "<prefix>_<name>" (no prefix when empty)
};

// False with a message when the content cannot be represented (no meshes, a broken
// hierarchy, an animation too long to store).
bool Bake(const Content& content, const BakeOptions& options, BakedScene* out, std::string* error);

} // namespace convert
