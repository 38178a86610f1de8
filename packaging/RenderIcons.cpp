// Renders Quorvan's icon for the hicolor theme at build time:
//   quorvan-icons FOLDER SIZE...  writes FOLDER/<SIZE>x<SIZE>/apps/quorvan.png for each size.
#include "QuorvanIcon.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

QImage ToImage(const fw::Image& image)
{
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            out.setPixel(x, y, image.At(x, y));
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorvan-icons FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (end == argv[i] || *end != '\0' || size < 1 || size > 4096) {
            std::fprintf(stderr, "quorvan-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + QStringLiteral("/quorvan.png");
        if (!QDir().mkpath(apps) || !ToImage(DrawQuorvanIcon(static_cast<int>(size))).save(file, "PNG")) {
            std::fprintf(stderr, "quorvan-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
