#include "QuorvanIcon.h"

#include "framework/Canvas.h"

using fw::MakeArgb;
using fw::Paint;
using fw::PointF;
using fw::Shape;

namespace {

// Drawn on a 256-unit square and scaled: a shaded cube (a mesh scene) on a rounded tile, with
// the orbit the camera takes around it where the picture is large enough to show it.
constexpr double kUnits = 256;

void DrawTile(fw::Canvas& canvas)
{
    Shape tile;
    tile.RoundedRectangle(16, 16, 224, 224, 44);
    canvas.Fill(tile, Paint::Vertical(16, MakeArgb(255, 0x3a, 0x5f, 0x9a), 240, MakeArgb(255, 0x1c, 0x2e, 0x52)));
}

void DrawOrbit(fw::Canvas& canvas, double scale, double startDegrees, double spanDegrees)
{
    canvas.SetTransform(scale, -12, 128 * scale, 140 * scale);
    Shape arc;
    arc.Stroke(Shape::ArcPoints(0, 0, 100, 34, startDegrees, spanDegrees), 9);
    canvas.Fill(arc, Paint::Solid(MakeArgb(200, 255, 255, 255)));
    canvas.SetTransform(scale);
}

void DrawFace(fw::Canvas& canvas, const std::vector<PointF>& face, uint32_t colour)
{
    Shape fill;
    fill.Polygon(face);
    canvas.Fill(fill, Paint::Solid(colour));
    Shape edge;
    edge.Stroke(face, 6, true);
    canvas.Fill(edge, Paint::Solid(MakeArgb(255, 0x12, 0x1c, 0x30)));
}

void DrawCube(fw::Canvas& canvas)
{
    // An isometric cube: a hexagon around its centre, cut into three lit faces.
    const PointF centre{128, 134}, top{128, 60}, upperRight{192, 97}, lowerRight{192, 171}, bottom{128, 208},
        lowerLeft{64, 171}, upperLeft{64, 97};
    DrawFace(canvas, {top, upperRight, centre, upperLeft}, MakeArgb(255, 0xf6, 0xc1, 0x4e));
    DrawFace(canvas, {upperLeft, centre, bottom, lowerLeft}, MakeArgb(255, 0xe8, 0x84, 0x3c));
    DrawFace(canvas, {centre, upperRight, lowerRight, bottom}, MakeArgb(255, 0xb8, 0x55, 0x2b));
}

} // namespace

fw::Image DrawQuorvanIcon(int size)
{
    if (size <= 0)
        return fw::Image();
    fw::Image image(size, size);
    fw::Canvas canvas(image);
    const double scale = size / kUnits;
    canvas.SetTransform(scale);
    DrawTile(canvas);
    const bool orbit = size >= 32; // below that it only blurs the cube
    if (orbit)
        DrawOrbit(canvas, scale, 0, 180); // the far half, behind the cube
    DrawCube(canvas);
    if (orbit)
        DrawOrbit(canvas, scale, 180, 180);
    return image;
}
