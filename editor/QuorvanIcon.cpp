#include "QuorvanIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Drawn on a 256-unit square and scaled: a shaded cube (a mesh scene) on a rounded tile, with
// the orbit the camera takes around it where the picture is large enough to show it.
constexpr qreal kUnits = 256;

void DrawTile(QPainter& p)
{
    QLinearGradient fill(0, 16, 0, 240);
    fill.setColorAt(0, QColor(0x3a, 0x5f, 0x9a));
    fill.setColorAt(1, QColor(0x1c, 0x2e, 0x52));
    QPainterPath tile;
    tile.addRoundedRect(QRectF(16, 16, 224, 224), 44, 44);
    p.fillPath(tile, fill);
}

void DrawOrbit(QPainter& p, int startDegrees, int spanDegrees)
{
    p.save();
    p.translate(128, 140);
    p.rotate(-12);
    p.setPen(QPen(QColor(255, 255, 255, 200), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-100, -34, 200, 68), startDegrees * 16, spanDegrees * 16);
    p.restore();
}

void DrawCube(QPainter& p)
{
    // An isometric cube: a hexagon around its centre, cut into three lit faces.
    const QPointF centre(128, 134), top(128, 60), upperRight(192, 97), lowerRight(192, 171), bottom(128, 208),
        lowerLeft(64, 171), upperLeft(64, 97);
    const QColor edge(0x12, 0x1c, 0x30);
    p.setPen(QPen(edge, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf6, 0xc1, 0x4e));
    p.drawPolygon(QPolygonF({top, upperRight, centre, upperLeft}));
    p.setBrush(QColor(0xe8, 0x84, 0x3c));
    p.drawPolygon(QPolygonF({upperLeft, centre, bottom, lowerLeft}));
    p.setBrush(QColor(0xb8, 0x55, 0x2b));
    p.drawPolygon(QPolygonF({centre, upperRight, lowerRight, bottom}));
}

} // namespace

QImage DrawQuorvanIcon(int size)
{
    if (size <= 0)
        return QImage();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kUnits, size / kUnits);
    DrawTile(p);
    const bool orbit = size >= 32; // below that it only blurs the cube
    if (orbit)
        DrawOrbit(p, 0, 180); // the far half, behind the cube
    DrawCube(p);
    if (orbit)
        DrawOrbit(p, 180, 180);
    p.end();
    return image;
}

QIcon QuorvanIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawQuorvanIcon(size)));
    return icon;
}
