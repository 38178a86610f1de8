// World matrices of the converter's output records, composed the way the engine composes
// them (parent times local, track i drives node i), in double precision.
#pragma once

#include "GltfReference.h"

#include "convert/bake/Baked.h"

#include <vector>

namespace tooltest {

Mat RigidMat(const orvex::format::Vec3& position, const orvex::format::Quat& rotation);
// Bone matrices of the stored pose of the nodes.
std::vector<Mat> RestBones(const convert::BakedScene& scene);
// Bone matrices at one frame of the animation.
std::vector<Mat> FrameBones(const convert::BakedScene& scene, std::uint32_t frame);
// Largest element difference of the upper 3x4 part.
double MatDiff(const Mat& a, const Mat& b);

} // namespace tooltest
