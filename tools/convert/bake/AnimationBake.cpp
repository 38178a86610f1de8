// The resampler: the chosen clip evaluated with the source's own interpolation at every
// frame of the file's rate, from 0 to the end of its longest channel, and turned into
// one rigid key per node and frame.
#include "convert/bake/BakeParts.h"

#include "convert/bake/Pose.h"
#include "convert/import/Sampler.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace convert {

namespace {

// Frames beyond this make a file of hundreds of megabytes for even a small skeleton.
constexpr double MaxFrames = 1e6;

double MaxAbs(const Affine& a)
{
    double m = 0;
    for (double v : a.m)
        m = std::max(m, std::fabs(v));
    return m;
}

// Whether channel c of the clip scales its node away from the rest scale at any of the
// frame times.
bool ScaleVaries(const Content& content, const Channel& c, std::uint32_t frames, double fps)
{
    const Vec3& rest = content.nodes[c.node].rest.scale;
    for (std::uint32_t f = 0; f < frames; ++f) {
        double v[4];
        SampleChannel(c, f / fps, v);
        double tolerance = 1e-5 * std::max({1.0, std::fabs(rest.x), std::fabs(rest.y), std::fabs(rest.z)});
        if (std::fabs(v[0] - rest.x) > tolerance || std::fabs(v[1] - rest.y) > tolerance ||
            std::fabs(v[2] - rest.z) > tolerance)
            return true;
    }
    return false;
}

} // namespace

bool BakeAnimation(const Content& content, const BakeOptions& options, const RestFrame& rest,
                   const std::vector<char>& carriesVertices, BakedScene* out, std::string* error)
{
    const Clip& clip = content.clips[options.clip];
    double fps = options.framesPerSecond;
    double duration = ClipDuration(clip);
    // The last frame lands on or just after the last key; frame k is at k / fps seconds.
    double span = std::ceil(duration * fps - 1e-6);
    if (!(span >= 0))
        span = 0;
    if (span + 1 > MaxFrames) {
        *error = "the animation lasts " + std::to_string(duration) + " s, too long to store at " + std::to_string(fps) +
                 " frames per second";
        return false;
    }
    std::uint32_t frames = static_cast<std::uint32_t>(span) + 1;

    out->clipName = clip.name;
    out->framesPerSecond = fps;
    out->clipDuration = duration;
    const std::vector<orvex::format::NodeDesc>& nodes = out->files.scene.nodes;
    orvex::format::AnimationDesc& anim = out->files.animation.emplace();
    anim.frameCount = frames;
    std::size_t n = content.nodes.size();
    anim.tracks.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        anim.tracks[k].name = nodes[k].name;
        anim.tracks[k].parent = nodes[k].parent;
        anim.tracks[k].keys.resize(frames);
    }

    PoseEvaluator pose(content, &clip, rest.order, options.scale);
    std::vector<Affine> world;
    std::vector<Rigid> rigid(n), previous = rest.rigid;
    std::vector<char> stretchChanges(n, 0);
    for (std::uint32_t f = 0; f < frames; ++f) {
        pose.World(f / fps, false, &world);
        for (int i : rest.order) {
            rigid[i] = RigidOrFallback(world[i], previous[i].rotation);
            int p = content.nodes[i].parent;
            Rigid local = p < 0 ? rigid[i] : LocalRigid(rigid[p], rigid[i]);
            orvex::format::KeyDesc& key = anim.tracks[out->nodeOfContentNode[i]].keys[f];
            // Keep neighbouring keys on the same side of the quaternion sphere.
            if (f > 0) {
                const orvex::format::Quat& q = anim.tracks[out->nodeOfContentNode[i]].keys[f - 1].rotation;
                if (Dot(local.rotation, Quat{q.x, q.y, q.z, q.w}) < 0)
                    local.rotation = {-local.rotation.x, -local.rotation.y, -local.rotation.z, -local.rotation.w};
            }
            key.position = {static_cast<float>(local.translation.x), static_cast<float>(local.translation.y),
                            static_cast<float>(local.translation.z)};
            key.rotation = {static_cast<float>(local.rotation.x), static_cast<float>(local.rotation.y),
                            static_cast<float>(local.rotation.z), static_cast<float>(local.rotation.w)};

            // The vertices keep the rest pose's stretch: note every carrier whose stretch moves.
            if (carriesVertices[i] && !stretchChanges[i]) {
                Affine inverse;
                if (Inverse(FromRigid(rigid[i]), &inverse)) {
                    Affine stretch = Multiply(inverse, world[i]);
                    if (MaxDifference(stretch, rest.stretch[i]) > 1e-4 * std::max(1.0, MaxAbs(rest.stretch[i])))
                        stretchChanges[i] = 1;
                } else {
                    stretchChanges[i] = 1;
                }
            }
        }
        previous = rigid;
    }

    // Name the node whose scale channel causes it, else the carrier itself.
    std::set<int> named;
    for (std::size_t i = 0; i < n; ++i) {
        if (!stretchChanges[i])
            continue;
        int culprit = -1;
        for (int a = static_cast<int>(i); a >= 0 && culprit < 0; a = content.nodes[a].parent) {
            for (const Channel& c : clip.channels)
                if (c.node == a && c.target == Target::Scale && ChannelIsValid(c) &&
                    ScaleVaries(content, c, frames, fps)) {
                    culprit = a;
                    break;
                }
        }
        int node = culprit >= 0 ? culprit : static_cast<int>(i);
        if (!named.insert(node).second)
            continue;
        const std::string& name = nodes[out->nodeOfContentNode[node]].name;
        if (culprit >= 0)
            out->warnings.push_back("node '" + name +
                                    "': animated scale cannot be represented; the vertices it moves keep the rest "
                                    "pose's scale");
        else
            out->warnings.push_back("node '" + name +
                                    "': its scale or shear changes during the animation and cannot be represented; "
                                    "its vertices keep the rest pose's");
    }
    return true;
}

} // namespace convert
