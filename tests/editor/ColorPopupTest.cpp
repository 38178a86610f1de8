// The colour popup as a window: opening, notifications to its parent, keyboard and mouse
// endings, the custom colour dialog, staying on screen, painting and tooltips.
#include "controls/ColorPopup.h"

#include "EditorTestSupport.h"

#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using Note = std::pair<int, GdiColor>;
using colorpopup::kCustomBox;
using colorpopup::kDefaultBox;

const GdiColor kTeal = GdiRgb(56, 142, 142);
const GdiColor kOffTable = GdiRgb(1, 2, 3);

QColor ToQColor(GdiColor color)
{
    return QColor(GdiRed(color), GdiGreen(color), GdiBlue(color));
}

// A parent window that records the notifications sent to it.
class Recorder : public fw::Wnd {
public:
    std::vector<Note> notes;

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        notes.emplace_back(static_cast<int>(message), static_cast<GdiColor>(wParam));
        EXPECT_EQ(lParam, 0);
        return 0;
    }
};

class ColorPopupWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_unique<Recorder>();
        ASSERT_TRUE(
            parent->CreateEx(0, "parent", fw::WinStyle::Visible, fw::Rect::FromSize(100, 100, 200, 30), nullptr, 0));
    }

    void TearDown() override
    {
        delete popup.Get();
        parent.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Open(GdiColor color, std::optional<std::string> defaultText = std::string(),
              std::optional<std::string> customText = std::string("Custom Color"), QPoint at = QPoint(120, 140))
    {
        popup = new ColorPopup();
        ASSERT_TRUE(popup->Create(fw::Point{at.x(), at.y()}, color, parent.get(), defaultText, customText));
    }

    std::vector<Note> Notes() const { return parent->notes; }

    void Key(Qt::Key key) { QTest::keyClick(Peer(popup), key); }

    void Mouse(QEvent::Type type, QPoint local, Qt::MouseButtons held = Qt::NoButton)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QWidget* widget = Peer(popup);
        QMouseEvent e(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &e);
    }

    QPoint CellCentre(int index) const
    {
        const colorpopup::Rect r = colorpopup::CellRect(popup->Layout(), index);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    QPoint BoxCentre(const colorpopup::Rect& r) const { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    bool Deleted()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return popup.Get() == nullptr;
    }

    std::unique_ptr<Recorder> parent;
    fw::WndRef<ColorPopup> popup;
};

} // namespace

TEST_F(ColorPopupWidget, CreateNeedsAParentAndOpensOnce)
{
    ColorPopup orphan;
    EXPECT_FALSE(orphan.Create(fw::Point{10, 10}, 0, nullptr));
    EXPECT_FALSE(orphan.IsWindow());
    fw::Wnd gone; // a parent that has no window
    EXPECT_FALSE(orphan.Create(fw::Point{10, 10}, 0, &gone));

    Open(GdiRgb(0, 0, 0));
    EXPECT_FALSE(popup->Create(fw::Point{10, 10}, 0, parent.get()));
    EXPECT_TRUE(Notes().empty());
}

TEST_F(ColorPopupWidget, OpensWithFortyCellsAndACustomBoxBelow)
{
    Open(GdiRgb(255, 255, 255));
    const colorpopup::Geometry& g = popup->Layout();
    EXPECT_TRUE(popup->IsWindowVisible());
    EXPECT_TRUE(popup->GetStyle() & fw::WinStyle::Popup);
    EXPECT_EQ(popup->GetParent(), parent.get());
    EXPECT_EQ(g.columns, 10);
    EXPECT_EQ(g.rows, 4);
    EXPECT_EQ(g.boxSize, 18);
    EXPECT_FALSE(g.hasDefault);
    ASSERT_TRUE(g.hasCustom);
    EXPECT_GE(g.customRect.top, colorpopup::CellRect(g, 39).bottom);
    EXPECT_EQ(popup->GetWindowRect(), fw::Rect::FromSize(120, 140, g.windowRect.Width(), g.windowRect.Height()));
    // One tooltip per colour cell.
    EXPECT_EQ(popup->ToolTips().GetToolCount(), kColorPopupCount);
    EXPECT_EQ(g.windowRect.left, 120);
    EXPECT_EQ(popup->Chosen(), 39);
    EXPECT_EQ(popup->Current(), 39);
    EXPECT_EQ(popup->Color(), GdiRgb(255, 255, 255));

    // Nothing ends it by itself once events have been processed.
    QTest::qWait(50);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_TRUE(Notes().empty());
}

TEST_F(ColorPopupWidget, ConstructorFillsInTextsNotGiven)
{
    auto* direct = new ColorPopup(fw::Point{120, 140}, kTeal, parent.get());
    popup = direct;
    EXPECT_TRUE(direct->IsOpen());
    EXPECT_EQ(direct->DefaultText(), "Select Color");
    EXPECT_EQ(direct->CustomText(), "Custom Color");
    EXPECT_TRUE(direct->Layout().hasDefault);
    EXPECT_EQ(direct->Chosen(), 12);

    ColorPopup* noBoxes = new ColorPopup(fw::Point{120, 140}, kOffTable, parent.get(), std::string(), std::string());
    EXPECT_FALSE(noBoxes->Layout().hasDefault);
    EXPECT_FALSE(noBoxes->Layout().hasCustom);
    EXPECT_EQ(noBoxes->Chosen(), colorpopup::kNoCell);
    delete noBoxes;
}

TEST_F(ColorPopupWidget, KeyboardAroundTheCustomBox)
{
    // A colour off the table marks the custom box as chosen.
    Open(kOffTable);
    EXPECT_EQ(popup->Chosen(), kCustomBox);
    EXPECT_EQ(popup->Current(), kCustomBox);

    Key(Qt::Key_Down); // custom box -> (0, 0)
    EXPECT_EQ(popup->Current(), 0);
    Key(Qt::Key_Up); // row 0 without a default box -> custom box
    EXPECT_EQ(popup->Current(), kCustomBox);
    Key(Qt::Key_Up); // custom box -> cell 39
    EXPECT_EQ(popup->Current(), 39);
    Key(Qt::Key_Left);
    Key(Qt::Key_Down); // last row -> custom box
    EXPECT_EQ(popup->Current(), kCustomBox);

    const std::vector<Note> expected = {{ColorPopupSelChange, 0x000000},
                                        {ColorPopupSelChange, kOffTable},
                                        {ColorPopupSelChange, 0xFFFFFF},
                                        {ColorPopupSelChange, GdiRgb(230, 230, 250)},
                                        {ColorPopupSelChange, kOffTable}};
    EXPECT_EQ(Notes(), expected);
    EXPECT_TRUE(popup->IsOpen());

    // Keys the popup does not use change nothing.
    Key(Qt::Key_A);
    EXPECT_EQ(Notes().size(), expected.size());
}

TEST_F(ColorPopupWidget, EnterChoosesAndTheFreePopupDeletesItself)
{
    Open(GdiRgb(0, 0, 0));
    Key(Qt::Key_Right);
    Key(Qt::Key_Down); // cell 11, "Green"
    Key(Qt::Key_Return);
    const std::vector<Note> expected = {{ColorPopupSelChange, GdiRgb(165, 42, 0)},
                                        {ColorPopupSelChange, GdiRgb(0, 147, 0)},
                                        {ColorPopupSelEndOk, GdiRgb(0, 147, 0)}};
    EXPECT_EQ(Notes(), expected);
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, SpaceChoosesEscapeCancels)
{
    Open(kTeal);
    Key(Qt::Key_Space);
    EXPECT_EQ(parent->notes.back(), Note(ColorPopupSelEndOk, kTeal));
    EXPECT_TRUE(Deleted());

    Open(kTeal);
    Key(Qt::Key_Right);
    Key(Qt::Key_Escape);
    EXPECT_EQ(parent->notes.back(), Note(ColorPopupSelEndCancel, kTeal));
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, CustomColourComesFromTheDialog)
{
    Open(kOffTable);
    fw::Wnd* dialogParent = nullptr;
    GdiColor dialogStart = 0;
    popup->SetColorDialog([&](fw::Wnd* owner, GdiColor initial) -> std::optional<GdiColor> {
        dialogParent = owner;
        dialogStart = initial;
        return GdiRgb(10, 20, 30);
    });
    Key(Qt::Key_Enter);
    EXPECT_EQ(dialogParent, parent.get());
    EXPECT_EQ(dialogStart, kOffTable);
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelEndOk, GdiRgb(10, 20, 30)}}));
}

TEST_F(ColorPopupWidget, CancelledColourDialogCancelsWithTheInitialColour)
{
    Open(kTeal);
    int dialogRuns = 0;
    popup->SetColorDialog([&](fw::Wnd*, GdiColor) -> std::optional<GdiColor> {
        ++dialogRuns;
        return std::nullopt;
    });
    Mouse(QEvent::MouseMove, BoxCentre(popup->Layout().customRect));
    ASSERT_EQ(popup->Current(), kCustomBox);
    Mouse(QEvent::MouseButtonRelease, BoxCentre(popup->Layout().customRect));
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelChange, kTeal}, {ColorPopupSelEndCancel, kTeal}}));

    // Cancelling never asks the dialog.
    Open(kOffTable);
    popup->SetColorDialog([&](fw::Wnd*, GdiColor) -> std::optional<GdiColor> {
        ++dialogRuns;
        return GdiRgb(9, 9, 9);
    });
    Key(Qt::Key_Escape);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(parent->notes.back(), Note(ColorPopupSelEndCancel, kOffTable));
}

TEST_F(ColorPopupWidget, MouseHighlightsAndReleaseDecides)
{
    Open(GdiRgb(0, 0, 0));
    Mouse(QEvent::MouseMove, CellCentre(12));
    Mouse(QEvent::MouseMove, CellCentre(12) + QPoint(3, 3)); // same cell: no second note
    Mouse(QEvent::MouseMove, QPoint(1, 1));                  // on the edge: keeps the highlight
    EXPECT_EQ(popup->Current(), 12);
    Mouse(QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
    EXPECT_TRUE(popup->IsOpen());
    Mouse(QEvent::MouseButtonRelease, QPoint(1, 1));
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelChange, kTeal}, {ColorPopupSelEndOk, kTeal}}));

    // Released outside the window: cancelled, whatever was highlighted.
    Open(GdiRgb(0, 0, 0));
    parent->notes.clear();
    Mouse(QEvent::MouseMove, CellCentre(25));
    Mouse(QEvent::MouseButtonRelease, QPoint(-5, popup->GetWindowRect().Height() / 2));
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelChange, GdiRgb(255, 215, 0)},
                                          {ColorPopupSelEndCancel, GdiRgb(0, 0, 0)}}));
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, DefaultBoxReportsTheDefaultColour)
{
    Open(kColorPopupDefaultColor, std::string("Automatic"));
    EXPECT_EQ(popup->Chosen(), kDefaultBox);
    Key(Qt::Key_Down);
    EXPECT_EQ(popup->Current(), 0);
    Mouse(QEvent::MouseMove, BoxCentre(popup->Layout().defaultRect));
    EXPECT_EQ(popup->Current(), kDefaultBox);
    Key(Qt::Key_Return);
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelChange, 0},
                                          {ColorPopupSelChange, kColorPopupDefaultColor},
                                          {ColorPopupSelEndOk, kColorPopupDefaultColor}}));
}

TEST_F(ColorPopupWidget, ClosedFromOutsideIsACancel)
{
    Open(kTeal);
    Key(Qt::Key_Left);
    Peer(popup)->close();
    EXPECT_EQ(parent->notes.back(), Note(ColorPopupSelEndCancel, kTeal));
    EXPECT_EQ(parent->notes.size(), 2u);
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, EmbeddedPopupSurvivesAndReopens)
{
    ColorPopup member;
    member.SetEmbedded(true);
    ASSERT_TRUE(member.Create(fw::Point{120, 140}, kTeal, parent.get(), std::string(), std::string("Custom Color")));
    QTest::keyClick(Peer(&member), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(member.IsOpen());
    // Texts not given keep the previous ones.
    ASSERT_TRUE(member.Create(fw::Point{130, 150}, GdiRgb(255, 0, 0), parent.get()));
    EXPECT_EQ(member.CustomText(), "Custom Color");
    EXPECT_EQ(member.Chosen(), 16);
    EXPECT_EQ(member.GetWindowRect().TopLeft(), (fw::Point{130, 150}));
    QTest::keyClick(Peer(&member), Qt::Key_Return);
    EXPECT_EQ(parent->notes,
              (std::vector<Note>{{ColorPopupSelEndCancel, kTeal}, {ColorPopupSelEndOk, GdiRgb(255, 0, 0)}}));
}

TEST_F(ColorPopupWidget, OpensAboveItsParentNearTheBottom)
{
    QWidget* window = Peer(parent.get());
    const QRect screen = window->screen()->geometry();
    window->setGeometry(100, screen.bottom() - 67, 200, 40);
    const QRect frame = window->frameGeometry();
    const QPoint below(frame.left(), frame.bottom() + 1);
    Open(kTeal, std::string(), std::string("Custom Color"), below);
    const QRect g = Peer(popup)->geometry();
    EXPECT_EQ(g.left(), below.x());
    EXPECT_EQ(g.bottom() + 1, below.y() - frame.height());
    EXPECT_LE(g.bottom(), frame.top());

    // Near the right edge it moves left to stay on screen.
    delete popup.Get();
    Open(kTeal, std::string(), std::string("Custom Color"), QPoint(screen.right() - 23, 100));
    EXPECT_EQ(popup->GetWindowRect().right, screen.right() + 1);
}

TEST_F(ColorPopupWidget, TooltipNamesTheColourUnderTheCursor)
{
    Open(GdiRgb(0, 0, 0));
    QWidget* widget = Peer(popup);
    QHelpEvent help(QEvent::ToolTip, CellCentre(35), widget->mapToGlobal(CellCentre(35)));
    QCoreApplication::sendEvent(widget, &help);
    EXPECT_EQ(QToolTip::text(), "Pale green ");
    QHelpEvent onBox(QEvent::ToolTip, BoxCentre(popup->Layout().customRect),
                     widget->mapToGlobal(BoxCentre(popup->Layout().customRect)));
    QCoreApplication::sendEvent(widget, &onBox);
    // Qt hides a tip after a short delay.
    for (int waited = 0; QToolTip::isVisible() && waited < 2000; waited += 20)
        QTest::qWait(20);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(ColorPopupWidget, PaintsCellsBoxesAndEdges)
{
    Open(kTeal, std::string("Select Color"));
    Key(Qt::Key_Left); // highlight 11; 12 stays the chosen cell
    const QImage image = Peer(popup)->grab().toImage();
    if (const QByteArray dir = qgetenv("ORVEX_SCREENSHOT_DIR"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath("color_popup.png"));

    const QPalette pal = Peer(popup)->palette();
    auto at = [&](int x, int y) { return image.pixelColor(x, y).rgb(); };
    auto rgb = [](QPalette::ColorRole role, const QPalette& p) { return p.color(role).rgb(); };
    const colorpopup::Geometry& g = popup->Layout();
    ASSERT_EQ(image.size(), QSize(g.windowRect.Width(), g.windowRect.Height()));

    for (int i = 0; i < kColorPopupCount; ++i) {
        const QPoint c = CellCentre(i);
        EXPECT_EQ(at(c.x(), c.y()), ToQColor(kColorPopupTable[static_cast<size_t>(i)].color).rgb()) << i;
        const colorpopup::Rect r = colorpopup::CellRect(g, i);
        const int inset = g.margin + 1;
        EXPECT_EQ(at(r.left + inset, r.top + inset), rgb(QPalette::Dark, pal)) << i; // swatch outline
    }
    const colorpopup::Rect chosen = colorpopup::CellRect(g, 12);
    EXPECT_EQ(at(chosen.left, chosen.top), rgb(QPalette::Dark, pal));          // sunken
    EXPECT_EQ(at(chosen.left + 1, chosen.top + 1), rgb(QPalette::Light, pal)); // chosen background
    const colorpopup::Rect lit = colorpopup::CellRect(g, 11);
    EXPECT_EQ(at(lit.left, lit.top), rgb(QPalette::Light, pal)); // raised
    EXPECT_EQ(at(lit.right - 1, lit.bottom - 1), rgb(QPalette::Dark, pal));
    const colorpopup::Rect plain = colorpopup::CellRect(g, 30);
    EXPECT_EQ(at(plain.left, plain.top), rgb(QPalette::Button, pal));

    // Separator above the custom box, and the raised edge of the whole popup.
    EXPECT_EQ(at(20, g.customRect.top + g.margin - 1), rgb(QPalette::Dark, pal));
    EXPECT_EQ(at(20, g.customRect.top + g.margin), rgb(QPalette::Light, pal));
    EXPECT_EQ(at(0, 0), rgb(QPalette::Midlight, pal));
    EXPECT_EQ(at(image.width() - 1, image.height() - 1), rgb(QPalette::Shadow, pal));
}
