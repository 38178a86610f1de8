// The colour tree: its embedded popup and the three floats it writes into an item's data.
#include "controls/ColorTreeCtrl.h"

#include "EditorTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ColorTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            host.CreateEx(0, "host", fw::WinStyle::Visible, fw::Rect::FromSize(100, 100, 300, 200), nullptr, 0));
        tree = std::make_unique<ColorTreeCtrl>();
        ASSERT_TRUE(tree->Create(0, fw::Rect::FromSize(0, 0, 300, 200), &host, 1));
        diffuse = tree->InsertItem("Diffuse", 0, 0);
        ambient = tree->InsertItem("Ambient", 0, 0);
        tree->SetItemColorData(diffuse, tree->NewColorData(0.5f, 0.25f, 0.75f));
        tree->SetItemColorData(ambient, external);
    }

    void TearDown() override { tree.reset(); }

    ColorPopup& Popup() { return tree->Popup(); }
    void Key(Qt::Key key) { QTest::keyClick(Peer(&tree->Popup()), key); }
    float* Rgb(fw::TreeItem item) { return tree->ItemColorData(item); }

    fw::Wnd host;
    std::unique_ptr<ColorTreeCtrl> tree;
    fw::TreeItem diffuse = nullptr;
    fw::TreeItem ambient = nullptr;
    float external[3] = {0.1f, 0.2f, 0.3f};
};

void ExpectRgb(const float* rgb, int r, int g, int b)
{
    ASSERT_NE(rgb, nullptr);
    EXPECT_FLOAT_EQ(rgb[0], static_cast<float>(r) / 255.0f);
    EXPECT_FLOAT_EQ(rgb[1], static_cast<float>(g) / 255.0f);
    EXPECT_FLOAT_EQ(rgb[2], static_cast<float>(b) / 255.0f);
}

} // namespace

TEST_F(ColorTree, OpensAnEmbeddedPopupWithOnlyACustomBox)
{
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    ColorPopup& popup = Popup();
    ASSERT_TRUE(popup.IsOpen());
    EXPECT_TRUE(popup.IsEmbedded());
    EXPECT_EQ(popup.GetParent(), tree.get());
    EXPECT_EQ(popup.GetWindowRect().TopLeft(), tree->ClientToScreen(fw::Point{10, 20}));
    EXPECT_TRUE(popup.DefaultText().empty());
    EXPECT_EQ(popup.CustomText(), "Custom Color");
    EXPECT_EQ(popup.InitialColor(), 0u);
    EXPECT_EQ(popup.Chosen(), 0); // opens on black
}

TEST_F(ColorTree, ChosenColourBecomesThreeFloats)
{
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    for (int i = 0; i < 9; ++i)
        Key(Qt::Key_Right); // cell 9, "Orange" (255, 104, 32)
    tree->SetRedraw(false);
    Key(Qt::Key_Return);
    ExpectRgb(Rgb(diffuse), 255, 104, 32);
    EXPECT_TRUE(Peer(tree.get())->updatesEnabled());
    EXPECT_FLOAT_EQ(external[0], 0.1f); // the other item is untouched

    // The popup stays a member and opens again, on black once more.
    EXPECT_FALSE(Popup().IsOpen());
    tree->OpenPopup(ambient, fw::Point{30, 40});
    ASSERT_TRUE(Popup().IsOpen());
    EXPECT_EQ(Popup().Chosen(), 0);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up); // custom box, then cell 39, white
    Key(Qt::Key_Space);
    ExpectRgb(external, 255, 255, 255);
}

TEST_F(ColorTree, CancelWritesNothing)
{
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[1], 0.25f);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[2], 0.75f);

    // A cancelled colour dialog is a cancel too.
    Popup().SetColorDialog([](fw::Wnd*, GdiColor) { return std::optional<GdiColor>(); });
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    Key(Qt::Key_Up); // row 0 without a default box: the custom box
    ASSERT_EQ(Popup().Current(), colorpopup::kCustomBox);
    Key(Qt::Key_Return);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
}

TEST_F(ColorTree, CustomColourFromTheDialog)
{
    GdiColor started = 1;
    Popup().SetColorDialog([&](fw::Wnd* owner, GdiColor initial) -> std::optional<GdiColor> {
        EXPECT_EQ(owner, tree.get());
        started = initial;
        return GdiRgb(10, 200, 30);
    });
    tree->OpenPopup(ambient, fw::Point{10, 20});
    Key(Qt::Key_Up);
    Key(Qt::Key_Return);
    EXPECT_EQ(started, 0u);
    ExpectRgb(external, 10, 200, 30);
}

TEST_F(ColorTree, OpeningAgainWhileOpenOnlyRetargets)
{
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    const fw::Rect where = Popup().GetWindowRect();
    tree->OpenPopup(ambient, fw::Point{80, 90});
    EXPECT_EQ(Popup().GetWindowRect(), where);
    Key(Qt::Key_Down); // cell 10, "Dark yellow" (139, 139, 0)
    Key(Qt::Key_Return);
    ExpectRgb(external, 139, 139, 0);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
}

TEST_F(ColorTree, ItemGoneBeforeTheChoice)
{
    tree->OpenPopup(diffuse, fw::Point{10, 20});
    tree->DeleteAllItems();
    EXPECT_FALSE(tree->IsItem(diffuse));
    Key(Qt::Key_Right);
    Key(Qt::Key_Return); // nothing to write, nothing breaks
    EXPECT_FALSE(Popup().IsOpen());
    EXPECT_FLOAT_EQ(external[0], 0.1f);

    // An item without colour data is left alone as well.
    const fw::TreeItem bare = tree->InsertItem("Name", 0, 0);
    tree->OpenPopup(bare, fw::Point{10, 20});
    Key(Qt::Key_Return);
    EXPECT_EQ(Rgb(bare), nullptr);
}

TEST_F(ColorTree, CleanUpFreesOwnedColoursOnly)
{
    EXPECT_NE(Rgb(diffuse), nullptr);
    tree->CleanUp();
    EXPECT_EQ(Rgb(diffuse), nullptr);
    EXPECT_EQ(Rgb(ambient), external);
    tree->CleanUp(); // twice is harmless

    tree->OpenPopup(diffuse, fw::Point{10, 20});
    Key(Qt::Key_Return);
    EXPECT_EQ(Rgb(diffuse), nullptr);
}
