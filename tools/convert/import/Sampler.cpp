#include "convert/import/Sampler.h"

#include <algorithm>
#include <cmath>

namespace convert {

namespace {

// A key stored as a float and a sampling time computed in double that mean the same
// instant compare equal.
constexpr double TimeEpsilon = 1e-6;

void Read(const Channel& c, std::size_t key, int part, double out[4])
{
    int n = ComponentCount(c.target);
    std::size_t stride = c.interpolation == Interpolation::CubicSpline ? 3 * n : n;
    const double* v = c.values.data() + key * stride + part * n;
    std::copy(v, v + n, out);
}

} // namespace

int ComponentCount(Target target)
{
    return target == Target::Rotation ? 4 : 3;
}

bool ChannelIsValid(const Channel& c)
{
    if (c.times.empty())
        return false;
    for (std::size_t i = 0; i < c.times.size(); ++i) {
        if (!std::isfinite(c.times[i]) || (i > 0 && !(c.times[i] > c.times[i - 1])))
            return false;
    }
    std::size_t perKey = ComponentCount(c.target) * (c.interpolation == Interpolation::CubicSpline ? 3 : 1);
    return c.values.size() == c.times.size() * perKey;
}

void SampleChannel(const Channel& c, double seconds, double out[4])
{
    int n = ComponentCount(c.target);
    bool cubic = c.interpolation == Interpolation::CubicSpline;
    int valuePart = cubic ? 1 : 0;
    const std::vector<double>& times = c.times;

    // The last key at or before the time.
    auto after = std::upper_bound(times.begin(), times.end(), seconds + TimeEpsilon);
    if (after == times.begin()) {
        Read(c, 0, valuePart, out);
    } else if (after == times.end()) {
        Read(c, times.size() - 1, valuePart, out);
    } else {
        std::size_t k = static_cast<std::size_t>(after - times.begin()) - 1;
        double t0 = times[k], t1 = times[k + 1];
        double span = t1 - t0;
        double u = std::clamp((seconds - t0) / span, 0.0, 1.0);
        double a[4], b[4];
        switch (c.interpolation) {
        case Interpolation::Step:
            Read(c, k, 0, out);
            break;
        case Interpolation::Linear:
            Read(c, k, 0, a);
            Read(c, k + 1, 0, b);
            if (c.target == Target::Rotation) {
                Quat q = Slerp(Normalized(Quat{a[0], a[1], a[2], a[3]}), Normalized(Quat{b[0], b[1], b[2], b[3]}), u);
                out[0] = q.x, out[1] = q.y, out[2] = q.z, out[3] = q.w;
            } else {
                for (int i = 0; i < n; ++i)
                    out[i] = a[i] + (b[i] - a[i]) * u;
            }
            break;
        case Interpolation::CubicSpline: {
            double outTangent[4], inTangent[4];
            Read(c, k, 1, a);
            Read(c, k, 2, outTangent);
            Read(c, k + 1, 1, b);
            Read(c, k + 1, 0, inTangent);
            double u2 = u * u, u3 = u2 * u;
            double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = -2 * u3 + 3 * u2, h11 = u3 - u2;
            for (int i = 0; i < n; ++i)
                out[i] = h00 * a[i] + h10 * span * outTangent[i] + h01 * b[i] + h11 * span * inTangent[i];
            break;
        }
        }
    }
    if (c.target == Target::Rotation) {
        Quat q = Normalized(Quat{out[0], out[1], out[2], out[3]});
        out[0] = q.x, out[1] = q.y, out[2] = q.z, out[3] = q.w;
    }
}

double ClipDuration(const Clip& clip)
{
    double duration = 0;
    for (const Channel& c : clip.channels)
        if (!c.times.empty())
            duration = std::max(duration, c.times.back());
    return duration;
}

} // namespace convert
