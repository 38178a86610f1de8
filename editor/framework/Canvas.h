#pragma once
// Anti-aliased drawing into an Image, for the pictures the editor makes in code (its icon, the
// toolbar buttons, the tree item image). Shapes are given in units that a transform maps to
// pixels; a pixel's coverage is sampled on a 4 x 4 grid, so the same drawing comes out the same
// on every platform.
#include "framework/Image.h"

#include <vector>

namespace fw {

struct PointF {
    double x = 0;
    double y = 0;
};

// What fills a shape: one colour, or a vertical blend between two colours (y in units).
struct Paint {
    uint32_t from = 0; // 0xAARRGGBB
    uint32_t to = 0;
    double fromY = 0;
    double toY = 0;
    bool gradient = false;

    static Paint Solid(uint32_t argb) { return {argb, argb, 0, 0, false}; }
    static Paint Vertical(double y0, uint32_t argb0, double y1, uint32_t argb1) { return {argb0, argb1, y0, y1, true}; }
};

// A union of simple parts; a point is inside the shape when it is inside any part.
class Shape {
public:
    Shape& Polygon(std::vector<PointF> points);
    Shape& Rectangle(double x, double y, double width, double height);
    Shape& RoundedRectangle(double x, double y, double width, double height, double radius);
    Shape& Ellipse(double cx, double cy, double rx, double ry);
    // A line of the given width with round ends, through the points in order (closed: back to the
    // first); joins are round.
    Shape& Stroke(const std::vector<PointF>& points, double width, bool closed = false);
    // Points along an ellipse arc, from startDegrees turning counter-clockwise (on screen) by
    // spanDegrees, as a polyline for Stroke.
    static std::vector<PointF> ArcPoints(double cx, double cy, double rx, double ry, double startDegrees,
                                         double spanDegrees);

    bool Contains(double x, double y) const;
    bool Empty() const { return m_polygons.empty() && m_capsules.empty() && m_ellipses.empty(); }
    // The box around every part, in units.
    void Bounds(double& left, double& top, double& right, double& bottom) const;

private:
    struct Capsule {
        PointF a, b;
        double radius;
    };
    struct EllipsePart {
        double cx, cy, rx, ry;
    };
    std::vector<std::vector<PointF>> m_polygons;
    std::vector<Capsule> m_capsules;
    std::vector<EllipsePart> m_ellipses;
};

class Canvas {
public:
    explicit Canvas(Image& image) : m_image(image) {}

    // Units to pixels: scaled, then turned by degrees (clockwise on screen) about the origin,
    // then moved. Shapes drawn afterwards use it.
    void SetTransform(double scale, double degrees = 0, double dx = 0, double dy = 0);

    // Paints shape over the picture (source over).
    void Fill(const Shape& shape, const Paint& paint);

private:
    PointF ToUnits(double px, double py) const;
    PointF ToPixels(double ux, double uy) const;

    Image& m_image;
    double m_scale = 1, m_cos = 1, m_sin = 0, m_dx = 0, m_dy = 0;
};

} // namespace fw
