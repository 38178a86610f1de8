// Small mesh helpers the importers share.
#pragma once

#include "convert/Affine.h"

#include <cstdint>
#include <vector>

namespace convert {

// Smooth normals for vertices [first, positions.size()) from the triangles that use them
// (counter-clockwise front faces, area-weighted). `normals` is resized to the positions.
void ComputeNormals(const std::vector<Vec3>& positions, const std::vector<std::uint32_t>& triangles, std::size_t first,
                    std::vector<Vec3>* normals);

// Triangle list from a strip (mode 5) or a fan (mode 6) of vertex indices, with the
// winding of the first triangle kept; degenerate triangles are dropped.
std::vector<std::uint32_t> StripToTriangles(const std::vector<std::uint32_t>& strip);
std::vector<std::uint32_t> FanToTriangles(const std::vector<std::uint32_t>& fan);

} // namespace convert
