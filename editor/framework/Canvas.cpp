#include "framework/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fw {
namespace {

bool InsidePolygon(const std::vector<PointF>& polygon, double x, double y)
{
    // Even-odd crossings of a ray to the right.
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const PointF& a = polygon[i];
        const PointF& b = polygon[j];
        if ((a.y > y) != (b.y > y)) {
            const double cross = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < cross)
                inside = !inside;
        }
    }
    return inside;
}

double SegmentDistanceSquared(PointF a, PointF b, double x, double y)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = a.x + t * dx - x;
    const double py = a.y + t * dy - y;
    return px * px + py * py;
}

} // namespace

Shape& Shape::Polygon(std::vector<PointF> points)
{
    if (points.size() >= 3)
        m_polygons.push_back(std::move(points));
    return *this;
}

Shape& Shape::Rectangle(double x, double y, double width, double height)
{
    return Polygon({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

Shape& Shape::Ellipse(double cx, double cy, double rx, double ry)
{
    if (rx > 0 && ry > 0)
        m_ellipses.push_back({cx, cy, rx, ry});
    return *this;
}

Shape& Shape::RoundedRectangle(double x, double y, double width, double height, double radius)
{
    radius = std::clamp(radius, 0.0, std::min(width, height) / 2);
    Rectangle(x + radius, y, width - 2 * radius, height);
    Rectangle(x, y + radius, width, height - 2 * radius);
    Ellipse(x + radius, y + radius, radius, radius);
    Ellipse(x + width - radius, y + radius, radius, radius);
    Ellipse(x + radius, y + height - radius, radius, radius);
    Ellipse(x + width - radius, y + height - radius, radius, radius);
    return *this;
}

Shape& Shape::Stroke(const std::vector<PointF>& points, double width, bool closed)
{
    const double radius = width / 2;
    if (points.size() == 1)
        m_capsules.push_back({points[0], points[0], radius});
    for (size_t i = 1; i < points.size(); ++i)
        m_capsules.push_back({points[i - 1], points[i], radius});
    if (closed && points.size() > 2)
        m_capsules.push_back({points.back(), points.front(), radius});
    return *this;
}

std::vector<PointF> Shape::ArcPoints(double cx, double cy, double rx, double ry, double startDegrees,
                                     double spanDegrees)
{
    std::vector<PointF> points;
    const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(spanDegrees) / 3)));
    for (int i = 0; i <= steps; ++i) {
        const double a = (startDegrees + spanDegrees * i / steps) * std::numbers::pi / 180;
        points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)}); // y grows downwards
    }
    return points;
}

bool Shape::Contains(double x, double y) const
{
    for (const EllipsePart& e : m_ellipses) {
        const double dx = (x - e.cx) / e.rx;
        const double dy = (y - e.cy) / e.ry;
        if (dx * dx + dy * dy <= 1)
            return true;
    }
    for (const Capsule& capsule : m_capsules) {
        const double r = capsule.radius;
        if (x < std::min(capsule.a.x, capsule.b.x) - r || x > std::max(capsule.a.x, capsule.b.x) + r ||
            y < std::min(capsule.a.y, capsule.b.y) - r || y > std::max(capsule.a.y, capsule.b.y) + r) {
            continue;
        }
        if (SegmentDistanceSquared(capsule.a, capsule.b, x, y) <= capsule.radius * capsule.radius)
            return true;
    }
    for (const std::vector<PointF>& polygon : m_polygons) {
        if (InsidePolygon(polygon, x, y))
            return true;
    }
    return false;
}

void Shape::Bounds(double& left, double& top, double& right, double& bottom) const
{
    left = top = 1e300;
    right = bottom = -1e300;
    auto take = [&](PointF p, double grow) {
        left = std::min(left, p.x - grow);
        top = std::min(top, p.y - grow);
        right = std::max(right, p.x + grow);
        bottom = std::max(bottom, p.y + grow);
    };
    for (const std::vector<PointF>& polygon : m_polygons) {
        for (const PointF& p : polygon)
            take(p, 0);
    }
    for (const Capsule& capsule : m_capsules) {
        take(capsule.a, capsule.radius);
        take(capsule.b, capsule.radius);
    }
    for (const EllipsePart& e : m_ellipses) {
        take({e.cx - e.rx, e.cy - e.ry}, 0);
        take({e.cx + e.rx, e.cy + e.ry}, 0);
    }
}

void Canvas::SetTransform(double scale, double degrees, double dx, double dy)
{
    const double radians = degrees * std::numbers::pi / 180;
    m_scale = scale;
    m_cos = std::cos(radians);
    m_sin = std::sin(radians);
    m_dx = dx;
    m_dy = dy;
}

PointF Canvas::ToPixels(double ux, double uy) const
{
    return {(ux * m_cos - uy * m_sin) * m_scale + m_dx, (ux * m_sin + uy * m_cos) * m_scale + m_dy};
}

PointF Canvas::ToUnits(double px, double py) const
{
    const double x = (px - m_dx) / m_scale;
    const double y = (py - m_dy) / m_scale;
    return {x * m_cos + y * m_sin, -x * m_sin + y * m_cos};
}

void Canvas::Fill(const Shape& shape, const Paint& paint)
{
    if (shape.Empty() || m_image.IsNull() || m_scale == 0)
        return;
    double left, top, right, bottom;
    shape.Bounds(left, top, right, bottom);
    double pxLeft = 1e300, pxTop = 1e300, pxRight = -1e300, pxBottom = -1e300;
    for (const PointF corner : {PointF{left, top}, PointF{right, top}, PointF{left, bottom}, PointF{right, bottom}}) {
        const PointF p = ToPixels(corner.x, corner.y);
        pxLeft = std::min(pxLeft, p.x);
        pxTop = std::min(pxTop, p.y);
        pxRight = std::max(pxRight, p.x);
        pxBottom = std::max(pxBottom, p.y);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(pxLeft)));
    const int y0 = std::max(0, static_cast<int>(std::floor(pxTop)));
    const int x1 = std::min(m_image.width, static_cast<int>(std::ceil(pxRight)) + 1);
    const int y1 = std::min(m_image.height, static_cast<int>(std::ceil(pxBottom)) + 1);
    constexpr int kGrid = 4;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const PointF u = ToUnits(x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid);
                    if (shape.Contains(u.x, u.y))
                        ++covered;
                }
            }
            if (covered == 0)
                continue;
            uint32_t source = paint.from;
            if (paint.gradient) {
                const PointF centre = ToUnits(x + 0.5, y + 0.5);
                const double span = paint.toY - paint.fromY;
                const double t = span != 0 ? std::clamp((centre.y - paint.fromY) / span, 0.0, 1.0) : 0.0;
                auto channel = [&](int shift) {
                    const double a = (paint.from >> shift) & 0xFF;
                    const double b = (paint.to >> shift) & 0xFF;
                    return static_cast<uint32_t>(std::lround(a + (b - a) * t)) << shift;
                };
                source = channel(24) | channel(16) | channel(8) | channel(0);
            }
            // Source over, with straight alpha on both sides.
            const double alpha = (source >> 24) / 255.0 * covered / (kGrid * kGrid);
            const uint32_t under = m_image.At(x, y);
            const double underAlpha = (under >> 24) / 255.0;
            const double outAlpha = alpha + underAlpha * (1 - alpha);
            if (outAlpha <= 0)
                continue;
            auto blend = [&](int shift) {
                const double s = (source >> shift) & 0xFF;
                const double d = (under >> shift) & 0xFF;
                const double value = (s * alpha + d * underAlpha * (1 - alpha)) / outAlpha;
                return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
            };
            m_image.At(x, y) = MakeArgb(static_cast<int>(std::lround(outAlpha * 255)), blend(16), blend(8), blend(0));
        }
    }
}

} // namespace fw
