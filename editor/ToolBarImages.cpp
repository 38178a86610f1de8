#include "ToolBarImages.h"

#include "framework/Canvas.h"

using fw::MakeArgb;
using fw::Paint;
using fw::PointF;
using fw::Shape;

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

const uint32_t kInk = MakeArgb(255, 40, 40, 40);
const uint32_t kOutline = MakeArgb(255, 60, 60, 60);
const uint32_t kPaper = MakeArgb(255, 255, 255, 255);
const uint32_t kLines = MakeArgb(255, 120, 120, 120);
const uint32_t kBlue = MakeArgb(255, 30, 30, 140);

template <class Draw>
fw::Image Drawn(Draw draw)
{
    fw::Image image(kWidth, kHeight);
    fw::Canvas canvas(image);
    draw(canvas);
    return image;
}

void Fill(fw::Canvas& canvas, const Shape& shape, uint32_t colour)
{
    canvas.Fill(shape, Paint::Solid(colour));
}

// A rectangle filled with one colour and outlined with a one-pixel line of another.
void Box(fw::Canvas& canvas, double x, double y, double w, double h, uint32_t fill, uint32_t outline)
{
    Fill(canvas, Shape().Rectangle(x, y, w, h), fill);
    Fill(canvas, Shape().Stroke({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, 1, true), outline);
}

void Line(fw::Canvas& canvas, PointF a, PointF b, double width, uint32_t colour)
{
    Fill(canvas, Shape().Stroke({a, b}, width), colour);
}

// A sheet of paper with ruled lines.
void Page(fw::Canvas& canvas, double x, double y, double w, double h)
{
    Box(canvas, x, y, w, h, kPaper, kOutline);
    for (double ly = y + 3; ly < y + h - 1; ly += 2)
        Line(canvas, {x + 2, ly}, {x + w - 2, ly}, 1, kLines);
}

fw::Image NewImage()
{
    return Drawn([](fw::Canvas& c) {
        const std::vector<PointF> sheet{{3.5, 0.5}, {9.5, 0.5}, {12.5, 3.5}, {12.5, 14.5}, {3.5, 14.5}};
        Fill(c, Shape().Polygon(sheet), kPaper);
        Fill(c, Shape().Stroke(sheet, 1, true), kOutline);
        Fill(c, Shape().Stroke({{9.5, 0.5}, {9.5, 3.5}, {12.5, 3.5}}, 1), kOutline);
    });
}

fw::Image OpenImage()
{
    return Drawn([](fw::Canvas& c) {
        Box(c, 1.5, 3.5, 11, 9, MakeArgb(255, 230, 190, 80), MakeArgb(255, 120, 90, 20));
        const std::vector<PointF> flap{{3.5, 6.5}, {15.5, 6.5}, {12.5, 12.5}, {1.5, 12.5}};
        Fill(c, Shape().Polygon(flap), MakeArgb(255, 250, 215, 110));
        Fill(c, Shape().Stroke(flap, 1, true), MakeArgb(255, 120, 90, 20));
    });
}

fw::Image SaveImage()
{
    return Drawn([](fw::Canvas& c) {
        Box(c, 1.5, 0.5, 13, 13, MakeArgb(255, 50, 70, 150), MakeArgb(255, 20, 30, 80));
        Box(c, 4.5, 0.5, 7, 5, kPaper, MakeArgb(255, 20, 30, 80));
        Box(c, 4.5, 8.5, 7, 5, MakeArgb(255, 200, 200, 200), MakeArgb(255, 20, 30, 80));
    });
}

fw::Image CutImage()
{
    return Drawn([](fw::Canvas& c) {
        Line(c, {5.5, 1.5}, {10.5, 10.0}, 1.4, kInk);
        Line(c, {10.5, 1.5}, {5.5, 10.0}, 1.4, kInk);
        Fill(c, Shape().Stroke(Shape::ArcPoints(4.5, 12, 2.3, 2.3, 0, 360), 1.6), kBlue);
        Fill(c, Shape().Stroke(Shape::ArcPoints(11.5, 12, 2.3, 2.3, 0, 360), 1.6), kBlue);
    });
}

fw::Image CopyImage()
{
    return Drawn([](fw::Canvas& c) {
        Page(c, 1.5, 0.5, 8, 10);
        Page(c, 6.5, 4.0, 8, 10);
    });
}

fw::Image PasteImage()
{
    return Drawn([](fw::Canvas& c) {
        Box(c, 1.5, 2.0, 10, 12, MakeArgb(255, 180, 130, 60), MakeArgb(255, 90, 60, 20));
        Box(c, 4.5, 0.5, 4, 3, MakeArgb(255, 160, 160, 160), MakeArgb(255, 90, 60, 20));
        Page(c, 7.5, 5.5, 7, 9);
    });
}

fw::Image PrintImage()
{
    return Drawn([](fw::Canvas& c) {
        Page(c, 4.5, 0.5, 7, 6);
        Box(c, 1.5, 6.5, 13, 5, MakeArgb(255, 170, 170, 170), MakeArgb(255, 50, 50, 50));
        Box(c, 4.5, 10.0, 7, 4, kPaper, MakeArgb(255, 50, 50, 50));
        Fill(c, Shape().Rectangle(11.5, 8.0, 1.5, 1.5), MakeArgb(255, 40, 160, 40));
    });
}

// n x n coloured squares across the button: the icon views.
fw::Image SquaresImage(int n)
{
    return Drawn([n](fw::Canvas& c) {
        const double cell = 14.0 / n;
        for (int row = 0; row < n; ++row) {
            for (int column = 0; column < n; ++column) {
                const double x = 1 + column * cell;
                const double y = 0.5 + row * cell;
                Box(c, x + 0.5, y + 0.5, cell - 2, cell - 2, MakeArgb(255, 90, 140, 210), kBlue);
            }
        }
    });
}

// Rows of a small square and a line: the list views; details adds a second column.
fw::Image RowsImage(bool details)
{
    return Drawn([details](fw::Canvas& c) {
        for (int row = 0; row < 4; ++row) {
            const double y = 1.5 + row * 3.5;
            Fill(c, Shape().Rectangle(1, y - 1, 2.5, 2.5), MakeArgb(255, 90, 140, 210));
            Line(c, {5, y + 0.25}, {details ? 9.0 : 14.5, y + 0.25}, 1, kInk);
            if (details)
                Line(c, {11, y + 0.25}, {14.5, y + 0.25}, 1, kLines);
        }
    });
}

fw::Image AboutImage()
{
    return Drawn([](fw::Canvas& c) {
        Fill(c, Shape().Ellipse(8, 7.5, 7, 7), MakeArgb(255, 40, 90, 190));
        Fill(c, Shape().Ellipse(8, 4, 1.2, 1.2), kPaper);
        Line(c, {8, 6.8}, {8, 11.5}, 2, kPaper);
    });
}

} // namespace

std::vector<fw::Image> MainToolBarImages()
{
    return {
        NewImage(),   OpenImage(),     SaveImage(),     CutImage(),       CopyImage(),     PasteImage(),
        PrintImage(), SquaresImage(2), SquaresImage(3), RowsImage(false), RowsImage(true), AboutImage(),
    };
}

std::vector<std::string> MainToolBarThemeNames()
{
    return {"document-new",   "document-open",   "document-save",     "edit-cut",  "edit-copy",         "edit-paste",
            "document-print", "view-list-icons", "view-list-compact", "view-list", "view-list-details", "help-about"};
}

fw::Image DrawTreeItemImage(int size)
{
    if (size <= 0)
        return fw::Image();
    fw::Image image(size, size);
    fw::Canvas canvas(image);
    canvas.SetTransform(size / 16.0);
    const std::vector<PointF> sheet{{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}};
    Fill(canvas, Shape().Polygon(sheet), kPaper);
    Fill(canvas, Shape().Stroke(sheet, 1, true), kOutline);
    Fill(canvas, Shape().Stroke({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}, 1), kOutline);
    return image;
}
