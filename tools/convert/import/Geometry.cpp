#include "convert/import/Geometry.h"

namespace convert {

namespace {

Vec3 Sub(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void AddTriangle(std::vector<std::uint32_t>* out, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    if (a == b || b == c || a == c)
        return;
    out->insert(out->end(), {a, b, c});
}

} // namespace

void ComputeNormals(const std::vector<Vec3>& positions, const std::vector<std::uint32_t>& triangles, std::size_t first,
                    std::vector<Vec3>* normals)
{
    normals->resize(positions.size());
    for (std::size_t v = first; v < positions.size(); ++v)
        (*normals)[v] = {};
    for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
        std::uint32_t a = triangles[i], b = triangles[i + 1], c = triangles[i + 2];
        if (a < first || b < first || c < first || a >= positions.size() || b >= positions.size() ||
            c >= positions.size())
            continue;
        // The cross product's length is twice the area: larger faces weigh more.
        Vec3 n = Cross(Sub(positions[b], positions[a]), Sub(positions[c], positions[a]));
        for (std::uint32_t v : {a, b, c})
            (*normals)[v] = Add((*normals)[v], n);
    }
    for (std::size_t v = first; v < positions.size(); ++v) {
        Vec3 n = Normalized((*normals)[v]);
        (*normals)[v] = Dot(n, n) > 0 ? n : Vec3{0, 0, 1};
    }
}

std::vector<std::uint32_t> StripToTriangles(const std::vector<std::uint32_t>& strip)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 2; i < strip.size(); ++i) {
        // Every second triangle of a strip runs the other way round.
        if (i % 2 == 0)
            AddTriangle(&out, strip[i - 2], strip[i - 1], strip[i]);
        else
            AddTriangle(&out, strip[i - 1], strip[i - 2], strip[i]);
    }
    return out;
}

std::vector<std::uint32_t> FanToTriangles(const std::vector<std::uint32_t>& fan)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 2; i < fan.size(); ++i)
        AddTriangle(&out, fan[0], fan[i - 1], fan[i]);
    return out;
}

} // namespace convert
