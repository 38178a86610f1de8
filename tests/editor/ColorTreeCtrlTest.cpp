// The colour tree: its embedded popup and the three floats it writes into an item's data.
#include "controls/ColorTreeCtrl.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ColorTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = std::make_unique<ColorTreeCtrl>();
        tree->setGeometry(100, 100, 300, 200);
        diffuse = new QTreeWidgetItem(tree.get(), QStringList{"Diffuse"});
        ambient = new QTreeWidgetItem(tree.get(), QStringList{"Ambient"});
        ColorTreeCtrl::SetItemColorData(diffuse, tree->NewColorData(0.5f, 0.25f, 0.75f));
        ColorTreeCtrl::SetItemColorData(ambient, external);
        tree->show();
    }

    void TearDown() override { tree.reset(); }

    ColorPopup& Popup() { return tree->Popup(); }
    void Key(Qt::Key key) { QTest::keyClick(&tree->Popup(), key); }
    float* Rgb(QTreeWidgetItem* item) { return ColorTreeCtrl::ItemColorData(item); }

    std::unique_ptr<ColorTreeCtrl> tree;
    QTreeWidgetItem* diffuse = nullptr;
    QTreeWidgetItem* ambient = nullptr;
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
    tree->OpenPopup(diffuse, QPoint(10, 20));
    ColorPopup& popup = Popup();
    ASSERT_TRUE(popup.IsOpen());
    EXPECT_TRUE(popup.IsEmbedded());
    EXPECT_EQ(popup.parentWidget(), tree.get());
    EXPECT_EQ(popup.pos(), tree->viewport()->mapToGlobal(QPoint(10, 20)));
    EXPECT_TRUE(popup.DefaultText().isEmpty());
    EXPECT_EQ(popup.CustomText(), "Custom Color");
    EXPECT_EQ(popup.InitialColor(), 0u);
    EXPECT_EQ(popup.Chosen(), 0); // opens on black
}

TEST_F(ColorTree, ChosenColourBecomesThreeFloats)
{
    tree->OpenPopup(diffuse, QPoint(10, 20));
    for (int i = 0; i < 9; ++i)
        Key(Qt::Key_Right); // cell 9, "Orange" (255, 104, 32)
    tree->setUpdatesEnabled(false);
    Key(Qt::Key_Return);
    ExpectRgb(Rgb(diffuse), 255, 104, 32);
    EXPECT_TRUE(tree->updatesEnabled());
    EXPECT_FLOAT_EQ(external[0], 0.1f); // the other item is untouched

    // The popup stays a member and opens again, on black once more.
    EXPECT_FALSE(Popup().IsOpen());
    tree->OpenPopup(ambient, QPoint(30, 40));
    ASSERT_TRUE(Popup().IsOpen());
    EXPECT_EQ(Popup().Chosen(), 0);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up); // custom box, then cell 39, white
    Key(Qt::Key_Space);
    ExpectRgb(external, 255, 255, 255);
}

TEST_F(ColorTree, CancelWritesNothing)
{
    tree->OpenPopup(diffuse, QPoint(10, 20));
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[1], 0.25f);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[2], 0.75f);

    // A cancelled colour dialog is a cancel too.
    Popup().SetColorDialog([](QWidget*, GdiColor) { return std::optional<GdiColor>(); });
    tree->OpenPopup(diffuse, QPoint(10, 20));
    Key(Qt::Key_Up); // row 0 without a default box: the custom box
    ASSERT_EQ(Popup().Current(), colorpopup::kCustomBox);
    Key(Qt::Key_Return);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
}

TEST_F(ColorTree, CustomColourFromTheDialog)
{
    GdiColor started = 1;
    Popup().SetColorDialog([&](QWidget* owner, GdiColor initial) -> std::optional<GdiColor> {
        EXPECT_EQ(owner, tree.get());
        started = initial;
        return GdiRgb(10, 200, 30);
    });
    tree->OpenPopup(ambient, QPoint(10, 20));
    Key(Qt::Key_Up);
    Key(Qt::Key_Return);
    EXPECT_EQ(started, 0u);
    ExpectRgb(external, 10, 200, 30);
}

TEST_F(ColorTree, OpeningAgainWhileOpenOnlyRetargets)
{
    tree->OpenPopup(diffuse, QPoint(10, 20));
    const QRect where = Popup().geometry();
    tree->OpenPopup(ambient, QPoint(80, 90));
    EXPECT_EQ(Popup().geometry(), where);
    Key(Qt::Key_Down); // cell 10, "Dark yellow" (139, 139, 0)
    Key(Qt::Key_Return);
    ExpectRgb(external, 139, 139, 0);
    EXPECT_FLOAT_EQ(Rgb(diffuse)[0], 0.5f);
}

TEST_F(ColorTree, ItemGoneBeforeTheChoice)
{
    tree->OpenPopup(diffuse, QPoint(10, 20));
    delete diffuse;
    Key(Qt::Key_Right);
    Key(Qt::Key_Return); // nothing to write, nothing breaks
    EXPECT_FALSE(Popup().IsOpen());
    EXPECT_FLOAT_EQ(external[0], 0.1f);

    // An item without colour data is left alone as well.
    auto* bare = new QTreeWidgetItem(tree.get(), QStringList{"Name"});
    tree->OpenPopup(bare, QPoint(10, 20));
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

    tree->OpenPopup(diffuse, QPoint(10, 20));
    Key(Qt::Key_Return);
    EXPECT_EQ(Rgb(diffuse), nullptr);
}
