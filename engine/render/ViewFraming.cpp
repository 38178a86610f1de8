#include "orvex/render/ViewFraming.h"

#include "orvex/render/Camera.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/GlDevice.h"
#include "orvex/scene/MeshScene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Finite(const Vector3& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The camera's turn as a vertex sees it: about z, then y, then x (glRotatef's sense).
struct CameraTurn {
    double cx, sx, cy, sy, cz, sz;

    explicit CameraTurn(const Camera& camera)
    {
        const double ax = camera.angleX * kPi / 180.0, ay = camera.angleY * kPi / 180.0,
                     az = camera.angleZ * kPi / 180.0;
        cx = std::cos(ax), sx = std::sin(ax);
        cy = std::cos(ay), sy = std::sin(ay);
        cz = std::cos(az), sz = std::sin(az);
    }

    void Apply(double v[3]) const
    {
        double x = v[0] * cz - v[1] * sz, y = v[0] * sz + v[1] * cz, z = v[2];
        const double x2 = x * cy + z * sy, z2 = -x * sy + z * cy;
        x = x2;
        z = z2;
        const double y2 = y * cx - z * sx, z3 = y * sx + z * cx;
        v[0] = x;
        v[1] = y2;
        v[2] = z3;
    }
};

// The scales s > 0 that keep every constraint s * a <= b: a range from `low` to `high`.
struct ScaleRange {
    double low = 0.0;
    double high = std::numeric_limits<double>::infinity();
    bool possible = true;

    void Keep(double a, double b)
    {
        if (a > 0.0) {
            high = std::min(high, b / a);
        } else if (a < 0.0) {
            low = std::max(low, b / a);
        } else if (b < 0.0) {
            possible = false;
        }
    }
};

// `each` calls its argument once for every point.
template <class EachPoint>
ViewFraming Frame(EachPoint each, const Camera& camera, int width, int height, float fill)
{
    ViewFraming framing;
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool any = false;
    each([&](const Vector3& p) {
        if (!Finite(p))
            return;
        const double v[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            low[a] = any ? std::min(low[a], v[a]) : v[a];
            high[a] = any ? std::max(high[a], v[a]) : v[a];
        }
        any = true;
    });
    if (!any || !(fill > 0.0f))
        return framing;
    const double centre[3] = {0.5 * (low[0] + high[0]), 0.5 * (low[1] + high[1]), 0.5 * (low[2] + high[2])};

    // A point q, turned and centred, is seen at eye position s * q - camera position. It is
    // inside the picture's `fill` part when |x| <= fill * tanX * depth (and likewise for y),
    // with depth = pz - s * qz; each of these is linear in s.
    const double tanY = std::tan(kPerspectiveFieldOfView * kPi / 360.0);
    const double tanX = tanY * PerspectiveAspect(width, height);
    const double f = std::min(1.0, static_cast<double>(fill));
    const double px = camera.positionX, py = camera.positionY, pz = camera.positionZ;
    const CameraTurn turn(camera);
    ScaleRange range;
    each([&](const Vector3& p) {
        if (!Finite(p))
            return;
        double q[3] = {p.x - centre[0], p.y - centre[1], p.z - centre[2]};
        turn.Apply(q);
        range.Keep(q[0] + f * tanX * q[2], f * tanX * pz + px);
        range.Keep(-q[0] + f * tanX * q[2], f * tanX * pz - px);
        range.Keep(q[1] + f * tanY * q[2], f * tanY * pz + py);
        range.Keep(-q[1] + f * tanY * q[2], f * tanY * pz - py);
        range.Keep(q[2], pz - kPerspectiveNear);
        range.Keep(-q[2], kPerspectiveFar - pz);
    });
    if (!range.possible || range.high <= 0.0 || range.low > range.high)
        return framing;
    // The largest scale that fits fills the picture; a single point has none, and keeps its size.
    double scale = std::isfinite(range.high) ? range.high : std::max(1.0, range.low);
    if (!(scale > 0.0) || !std::isfinite(scale) || scale > std::numeric_limits<float>::max())
        return framing;
    framing.scale = static_cast<float>(scale);
    framing.centre = {static_cast<float>(centre[0]), static_cast<float>(centre[1]), static_cast<float>(centre[2])};
    return framing;
}

} // namespace

bool ViewFraming::IsIdentity() const
{
    return scale == 1.0f && centre.x == 0.0f && centre.y == 0.0f && centre.z == 0.0f;
}

void ViewFraming::Begin() const
{
    if (IsIdentity())
        return;
    if (scale != 1.0f)
        gl.glScalef(scale, scale, scale);
    gl.glTranslatef(-centre.x, -centre.y, -centre.z);
    if (scale != 1.0f)
        gl.glEnable(GL_NORMALIZE);
}

void ViewFraming::End() const
{
    if (scale != 1.0f)
        gl.glDisable(GL_NORMALIZE);
}

ViewFraming FramePoints(const Vector3* points, std::size_t count, const Camera& camera, int width, int height,
                        float fill)
{
    auto each = [&](auto visit) {
        for (std::size_t i = 0; points != nullptr && i < count; ++i)
            visit(points[i]);
    };
    return Frame(each, camera, width, height, fill);
}

ViewFraming FrameScene(const MeshScene& scene, const Camera& camera, int width, int height, float fill)
{
    auto each = [&](auto visit) {
        const Mesh* meshes = scene.GetMeshes();
        for (std::int32_t m = 0; meshes != nullptr && m < scene.GetMeshCount(); ++m) {
            const MeshVertex* vertices = meshes[m].GetVertices();
            for (std::int32_t v = 0; vertices != nullptr && v < meshes[m].GetVertexCount(); ++v)
                visit(vertices[v].position);
        }
    };
    return Frame(each, camera, width, height, fill);
}
