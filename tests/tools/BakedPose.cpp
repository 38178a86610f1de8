#include "BakedPose.h"

#include <algorithm>
#include <cmath>

namespace tooltest {

Mat RigidMat(const orvex::format::Vec3& position, const orvex::format::Quat& rotation)
{
    double x = rotation.x, y = rotation.y, z = rotation.z, w = rotation.w;
    Mat m{};
    m[0] = 1 - 2 * (y * y + z * z);
    m[1] = 2 * (x * y + z * w);
    m[2] = 2 * (x * z - y * w);
    m[4] = 2 * (x * y - z * w);
    m[5] = 1 - 2 * (x * x + z * z);
    m[6] = 2 * (y * z + x * w);
    m[8] = 2 * (x * z + y * w);
    m[9] = 2 * (y * z - x * w);
    m[10] = 1 - 2 * (x * x + y * y);
    m[12] = position.x, m[13] = position.y, m[14] = position.z, m[15] = 1;
    return m;
}

std::vector<Mat> RestBones(const convert::BakedScene& baked)
{
    const auto& nodes = baked.files.scene.nodes;
    std::vector<Mat> bones(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const orvex::format::NodeDesc& n = nodes[i];
        Mat local = RigidMat(n.position, n.rotation);
        bones[i] = n.parent < 0 ? local : MatMul(bones[n.parent], local);
    }
    return bones;
}

std::vector<Mat> FrameBones(const convert::BakedScene& baked, std::uint32_t frame)
{
    const auto& tracks = baked.files.animation->tracks;
    std::vector<Mat> bones(tracks.size());
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const orvex::format::KeyDesc& k = tracks[i].keys[frame];
        Mat local = RigidMat(k.position, k.rotation);
        bones[i] = tracks[i].parent < 0 ? local : MatMul(bones[tracks[i].parent], local);
    }
    return bones;
}

double MatDiff(const Mat& a, const Mat& b)
{
    double d = 0;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            d = std::max(d, std::fabs(a[c * 4 + r] - b[c * 4 + r]));
    return d;
}

} // namespace tooltest
