// Quorvan's icon: one drawing for the window and for the desktop's PNGs, at every size.
#include "QuorvanIcon.h"
#include "Resource.h"
#include "framework/Resources.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <cstdlib>

namespace {

// Share of the picture's pixels that are at least half opaque.
double OpaqueShare(const QImage& image)
{
    long opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) >= 128;
    return static_cast<double>(opaque) / (image.width() * image.height());
}

TEST(QuorvanIcon, EveryThemeSizeIsATileOnATransparentSurround)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        SCOPED_TRACE(size);
        const QImage icon = DrawQuorvanIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        // The tile fills most of the square at every size, small ones included.
        EXPECT_GT(OpaqueShare(icon), 0.65);
        EXPECT_LT(OpaqueShare(icon), 0.85);
    }
}

TEST(QuorvanIcon, NoPictureForAnEmptySize)
{
    EXPECT_TRUE(DrawQuorvanIcon(0).isNull());
    EXPECT_TRUE(DrawQuorvanIcon(-5).isNull());
}

TEST(QuorvanIcon, SmallSizesAreTheLargePictureScaledDown)
{
    // Drawn at 48 and scaled down from 256, the two agree but for anti-aliasing.
    const QImage drawn = DrawQuorvanIcon(48).convertToFormat(QImage::Format_ARGB32);
    const QImage scaled = DrawQuorvanIcon(256)
                              .scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_ARGB32);
    long far = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const QRgb a = drawn.pixel(x, y), b = scaled.pixel(x, y);
            far += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) +
                       std::abs(qAlpha(a) - qAlpha(b)) >
                   120;
        }
    EXPECT_LT(far, 48 * 48 / 20);
}

TEST(QuorvanIcon, IsTheApplicationIcon)
{
    RegisterQuorvanResources();
    const QIcon icon = fw::ResourceTable::Instance().Icon(IDR_MAINFRAME);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
              DrawQuorvanIcon(32).convertToFormat(QImage::Format_ARGB32));
}

} // namespace
