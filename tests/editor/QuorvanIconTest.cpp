// Quorvan's icon: one drawing for the window and for the desktop's PNGs, at every size.
#include "QuorvanIcon.h"
#include "Resource.h"
#include "ToolBarImages.h"
#include "framework/Resources.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int Alpha(uint32_t argb)
{
    return static_cast<int>(argb >> 24);
}

// Share of the picture's pixels that are at least half opaque.
double OpaqueShare(const fw::Image& image)
{
    long opaque = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            opaque += Alpha(image.At(x, y)) >= 128;
    return static_cast<double>(opaque) / (image.width * image.height);
}

TEST(QuorvanIcon, EveryThemeSizeIsATileOnATransparentSurround)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        SCOPED_TRACE(size);
        const fw::Image icon = DrawQuorvanIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(Alpha(icon.At(0, 0)), 0);
        EXPECT_EQ(Alpha(icon.At(size - 1, size - 1)), 0);
        EXPECT_EQ(Alpha(icon.At(size / 2, size / 2)), 255);
        // The tile fills most of the square at every size, small ones included.
        EXPECT_GT(OpaqueShare(icon), 0.65);
        EXPECT_LT(OpaqueShare(icon), 0.85);
    }
}

TEST(QuorvanIcon, NoPictureForAnEmptySize)
{
    EXPECT_TRUE(DrawQuorvanIcon(0).IsNull());
    EXPECT_TRUE(DrawQuorvanIcon(-5).IsNull());
}

TEST(QuorvanIcon, SmallSizesAreTheLargePictureScaledDown)
{
    // Drawn at 48 and scaled down from 256, the two agree but for anti-aliasing.
    const fw::Image drawn = DrawQuorvanIcon(48);
    const fw::Image scaled = DrawQuorvanIcon(256).Scaled(48, 48);
    long far = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const uint32_t a = drawn.At(x, y), b = scaled.At(x, y);
            int distance = 0;
            for (int shift : {0, 8, 16, 24})
                distance += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
            far += distance > 120;
        }
    EXPECT_LT(far, 48 * 48 / 20);
}

TEST(QuorvanIcon, IsTheApplicationIconAndTheToolbarHasAnImagePerButton)
{
    RegisterQuorvanResources();
    const fw::Image icon = fw::ResourceTable::Instance().Icon(IDR_MAINFRAME, 32);
    EXPECT_EQ(icon.pixels, DrawQuorvanIcon(32).pixels);
    const fw::ToolBarResource* toolBar = fw::ResourceTable::Instance().ToolBar(IDR_MAINFRAME);
    ASSERT_NE(toolBar, nullptr);
    const std::vector<fw::Image> images = toolBar->images();
    ASSERT_EQ(images.size(), 12u);
    EXPECT_EQ(toolBar->themeNames.size(), images.size());
    for (const fw::Image& image : images) {
        EXPECT_EQ(image.width, 16);
        EXPECT_EQ(image.height, 15);
        EXPECT_GT(OpaqueShare(image), 0.1); // something is drawn on each
    }
    const fw::Image item = fw::ResourceTable::Instance().Icon(IDI_TREEITEM, 16);
    EXPECT_EQ(item.width, 16);
    EXPECT_GT(OpaqueShare(item), 0.2);
}

} // namespace
