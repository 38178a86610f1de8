// Pieces of the baker shared by its source files.
#pragma once

#include "convert/bake/Bake.h"

#include <vector>

namespace convert {

// The source's rest pose split into what the nodes carry and what the vertices carry.
struct RestFrame {
    std::vector<int> order;      // content nodes, parents first: output node k is content node order[k]
    std::vector<Affine> world;   // full world transform of every content node
    std::vector<Rigid> rigid;    // its rigid part: what the output node's world matrix will be
    std::vector<Affine> stretch; // inverse(rigid) * world: baked into carried vertices
};

// The rigid part of `world`; when it is singular (a zero scale), `fallback` as the
// rotation with the world's translation.
Rigid RigidOrFallback(const Affine& world, const Quat& fallback);

// The node's local key relative to its parent's rigid world frame.
Rigid LocalRigid(const Rigid& parent, const Rigid& child);

// Adds a material and its texture for each entry of `usedMaterials` (content material
// indices, -1 for a default material) and returns their names in the same order.
std::vector<std::string> BakeMaterials(const Content& content, const std::vector<int>& usedMaterials,
                                       const BakeOptions& options, BakedScene* out);

bool BakeAnimation(const Content& content, const BakeOptions& options, const RestFrame& rest,
                   const std::vector<char>& carriesVertices, BakedScene* out, std::string* error);

} // namespace convert
