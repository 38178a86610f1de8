// The colour popup as a window: opening, notifications to parent and signal, keyboard and mouse
// endings, the custom colour dialog, staying on screen, painting and tooltips.
#include "controls/ColorPopup.h"

#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

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

// A parent that records the notifications sent to it.
class Recorder : public QWidget {
public:
    std::vector<Note> notes;

protected:
    void customEvent(QEvent* e) override
    {
        if (e->type() == ColorPopupEvent::EventType()) {
            const auto* n = static_cast<ColorPopupEvent*>(e);
            notes.emplace_back(n->Message(), n->Color());
        }
    }
};

class ColorPopupWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_unique<Recorder>();
        parent->setGeometry(100, 100, 200, 30);
        parent->show();
    }

    void TearDown() override
    {
        delete popup.data();
        spy.reset();
        parent.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Open(GdiColor color, std::optional<QString> defaultText = QString(),
              std::optional<QString> customText = QStringLiteral("Custom Color"), QPoint at = QPoint(120, 140))
    {
        popup = new ColorPopup();
        spy = std::make_unique<QSignalSpy>(popup.data(), &ColorPopup::notification);
        ASSERT_TRUE(popup->Create(at, color, parent.get(), defaultText, customText));
    }

    // The signal's notes, which must match what the parent received.
    std::vector<Note> Notes() const
    {
        std::vector<Note> fromSignal;
        for (const QList<QVariant>& args : *spy)
            fromSignal.emplace_back(args.at(0).toInt(), args.at(1).value<quint32>());
        EXPECT_EQ(fromSignal, parent->notes);
        return fromSignal;
    }

    void Key(Qt::Key key) { QTest::keyClick(popup.data(), key); }

    void Mouse(QEvent::Type type, QPoint local, Qt::MouseButtons held = Qt::NoButton)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, QPointF(local), QPointF(popup->mapToGlobal(local)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(popup.data(), &e);
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
        return popup.isNull();
    }

    std::unique_ptr<Recorder> parent;
    QPointer<ColorPopup> popup;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST_F(ColorPopupWidget, CreateNeedsAParentAndOpensOnce)
{
    ColorPopup orphan;
    EXPECT_FALSE(orphan.Create(QPoint(10, 10), 0, nullptr));
    EXPECT_FALSE(orphan.isVisible());

    Open(GdiRgb(0, 0, 0));
    EXPECT_FALSE(popup->Create(QPoint(10, 10), 0, parent.get()));
    EXPECT_TRUE(Notes().empty());
}

TEST_F(ColorPopupWidget, OpensWithFortyCellsAndACustomBoxBelow)
{
    Open(GdiRgb(255, 255, 255));
    const colorpopup::Geometry& g = popup->Layout();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->isWindow());
    EXPECT_EQ(popup->parentWidget(), parent.get());
    EXPECT_EQ(g.columns, 10);
    EXPECT_EQ(g.rows, 4);
    EXPECT_EQ(g.boxSize, 18);
    EXPECT_FALSE(g.hasDefault);
    ASSERT_TRUE(g.hasCustom);
    EXPECT_GE(g.customRect.top, colorpopup::CellRect(g, 39).bottom);
    EXPECT_EQ(popup->geometry(), QRect(120, 140, g.windowRect.Width(), g.windowRect.Height()));
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
    auto* direct = new ColorPopup(QPoint(120, 140), kTeal, parent.get());
    popup = direct;
    EXPECT_TRUE(direct->IsOpen());
    EXPECT_EQ(direct->DefaultText(), "Select Color");
    EXPECT_EQ(direct->CustomText(), "Custom Color");
    EXPECT_TRUE(direct->Layout().hasDefault);
    EXPECT_EQ(direct->Chosen(), 12);

    ColorPopup* noBoxes = new ColorPopup(QPoint(120, 140), kOffTable, parent.get(), QString(), QString());
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
    EXPECT_FALSE(popup->isVisible());
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
    QWidget* dialogParent = nullptr;
    GdiColor dialogStart = 0;
    popup->SetColorDialog([&](QWidget* owner, GdiColor initial) -> std::optional<GdiColor> {
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
    popup->SetColorDialog([&](QWidget*, GdiColor) -> std::optional<GdiColor> {
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
    popup->SetColorDialog([&](QWidget*, GdiColor) -> std::optional<GdiColor> {
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
    spy->clear();
    parent->notes.clear();
    Mouse(QEvent::MouseMove, CellCentre(25));
    Mouse(QEvent::MouseButtonRelease, QPoint(-5, popup->height() / 2));
    EXPECT_EQ(Notes(), (std::vector<Note>{{ColorPopupSelChange, GdiRgb(255, 215, 0)},
                                          {ColorPopupSelEndCancel, GdiRgb(0, 0, 0)}}));
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, DefaultBoxReportsTheDefaultColour)
{
    Open(kColorPopupDefaultColor, QStringLiteral("Automatic"));
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
    popup->close();
    EXPECT_EQ(parent->notes.back(), Note(ColorPopupSelEndCancel, kTeal));
    EXPECT_EQ(parent->notes.size(), 2u);
    EXPECT_TRUE(Deleted());
}

TEST_F(ColorPopupWidget, EmbeddedPopupSurvivesAndReopens)
{
    ColorPopup member;
    member.SetEmbedded(true);
    ASSERT_TRUE(member.Create(QPoint(120, 140), kTeal, parent.get(), QString(), QStringLiteral("Custom Color")));
    QTest::keyClick(&member, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(member.IsOpen());
    // Texts not given keep the previous ones.
    ASSERT_TRUE(member.Create(QPoint(130, 150), GdiRgb(255, 0, 0), parent.get()));
    EXPECT_EQ(member.CustomText(), "Custom Color");
    EXPECT_EQ(member.Chosen(), 16);
    EXPECT_EQ(member.pos(), QPoint(130, 150));
    QTest::keyClick(&member, Qt::Key_Return);
    EXPECT_EQ(parent->notes,
              (std::vector<Note>{{ColorPopupSelEndCancel, kTeal}, {ColorPopupSelEndOk, GdiRgb(255, 0, 0)}}));
    member.setParent(nullptr); // the parent goes first in TearDown
}

TEST_F(ColorPopupWidget, OpensAboveItsParentNearTheBottom)
{
    const QRect screen = parent->screen()->geometry();
    parent->setGeometry(100, screen.bottom() - 67, 200, 40);
    const QRect frame = parent->frameGeometry();
    const QPoint below(frame.left(), frame.bottom() + 1);
    Open(kTeal, QString(), QStringLiteral("Custom Color"), below);
    const QRect g = popup->geometry();
    EXPECT_EQ(g.left(), below.x());
    EXPECT_EQ(g.bottom() + 1, below.y() - frame.height());
    EXPECT_LE(g.bottom(), frame.top());

    // Near the right edge it moves left to stay on screen.
    delete popup.data();
    Open(kTeal, QString(), QStringLiteral("Custom Color"), QPoint(screen.right() - 23, 100));
    EXPECT_EQ(popup->geometry().right() + 1, popup->screen()->geometry().right() + 1);
}

TEST_F(ColorPopupWidget, TooltipNamesTheColourUnderTheCursor)
{
    Open(GdiRgb(0, 0, 0));
    QHelpEvent help(QEvent::ToolTip, CellCentre(35), popup->mapToGlobal(CellCentre(35)));
    QCoreApplication::sendEvent(popup.data(), &help);
    EXPECT_EQ(QToolTip::text(), "Pale green ");
    QHelpEvent onBox(QEvent::ToolTip, BoxCentre(popup->Layout().customRect),
                     popup->mapToGlobal(BoxCentre(popup->Layout().customRect)));
    QCoreApplication::sendEvent(popup.data(), &onBox);
    // Qt hides a tip after a short delay.
    for (int waited = 0; QToolTip::isVisible() && waited < 2000; waited += 20)
        QTest::qWait(20);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(ColorPopupWidget, PaintsCellsBoxesAndEdges)
{
    Open(kTeal, QStringLiteral("Select Color"));
    Key(Qt::Key_Left); // highlight 11; 12 stays the chosen cell
    const QImage image = popup->grab().toImage();
    if (const QByteArray dir = qgetenv("ORVEX_SCREENSHOT_DIR"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath("color_popup.png"));

    const QPalette& pal = popup->palette();
    auto at = [&](int x, int y) { return image.pixelColor(x, y).rgb(); };
    auto rgb = [](QPalette::ColorRole role, const QPalette& p) { return p.color(role).rgb(); };
    const colorpopup::Geometry& g = popup->Layout();
    ASSERT_EQ(image.size(), QSize(g.windowRect.Width(), g.windowRect.Height()));

    for (int i = 0; i < kColorPopupCount; ++i) {
        const QPoint c = CellCentre(i);
        EXPECT_EQ(at(c.x(), c.y()), ColorPopup::ToQColor(kColorPopupTable[static_cast<size_t>(i)].color).rgb()) << i;
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
