// The docking dialog bar in a frame on screen: sizes, the sizing edge with its tracker, the
// gripper's buttons and double-click floating.
#include "controls/CoolDialogBar.h"
#include "EditorTestSupport.h"
#include "controls/CoolDialogBarTracker.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

constexpr uint32_t kBarDialog = 9101;
constexpr uint32_t kBarId = 32771;

void RegisterBarDialog()
{
    fw::DialogTemplate dialog;
    dialog.size = QSize(100, 80);
    dialog.fontFamily = QStringLiteral("MS Sans Serif");
    dialog.fontPoints = 8;
    dialog.style = fw::DlgStyle::Child;
    dialog.controls = {{1009, fw::ControlClass::Edit, QString(), QRect(7, 7, 86, 66),
                        fw::CtlStyle::Border | fw::CtlStyle::Multiline | fw::CtlStyle::ReadOnly, 0}};
    fw::ResourceTable::Instance().AddDialog(kBarDialog, dialog);
}

class CoolDialogBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterBarDialog();
        m_frame = new fw::FrameWnd();
        m_frame->setAttribute(Qt::WA_DeleteOnClose, false);
        ASSERT_TRUE(m_frame->LoadFrame(9100));
        m_frame->setCentralWidget(new QWidget());
        m_bar = new CoolDialogBar();
        ASSERT_TRUE(m_bar->Create(m_frame, &m_dialog, QStringLiteral("TestBar"), kBarDialog, kBarId,
                                  fw::WinStyle::Child | fw::WinStyle::Visible | fw::BarStyle::Left));
        m_bar->EnableDocking(fw::BarStyle::AlignAny);
        m_frame->EnableDocking(fw::BarStyle::AlignAny);
        m_frame->DockControlBar(m_bar);
        m_frame->resize(900, 600);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame));
        ASSERT_SOON_EQ(m_bar->width(), m_bar->VerticalSize().width());
    }

    void TearDown() override { delete m_frame; }

    // Presses, moves and releases at window points of the bar.
    QWidget* Part(QPoint windowPoint, QPoint* local) const
    {
        QWidget* part = m_bar->PartAt(windowPoint, local);
        EXPECT_NE(part, nullptr);
        return part;
    }

    void DragEdge(QPoint by)
    {
        const QPoint start = cool::CenterPoint(m_bar->EdgeRect());
        QPoint local;
        QWidget* part = Part(start, &local);
        ASSERT_NE(part, nullptr);
        QTest::mousePress(part, Qt::LeftButton, {}, local);
        QTest::mouseMove(part, local + by);
        QTest::mouseRelease(part, Qt::LeftButton, {}, local + by);
    }

    void ClickAt(QPoint windowPoint)
    {
        QPoint local;
        QWidget* part = Part(windowPoint, &local);
        ASSERT_NE(part, nullptr);
        QTest::mouseClick(part, Qt::LeftButton, {}, local);
    }

    fw::Dialog m_dialog{kBarDialog}; // outlives the frame: the bar does not own it
    fw::FrameWnd* m_frame = nullptr;
    CoolDialogBar* m_bar = nullptr;
};

} // namespace

TEST_F(CoolDialogBarTest, StartsDockedLeftWithTheDialogsSizes)
{
    const QSize dialog = m_dialog.TemplateSize();
    EXPECT_EQ(m_bar->FloatingSize(), dialog);
    EXPECT_EQ(m_bar->VerticalSize(), QSize(dialog.width() + 9, dialog.height()));
    EXPECT_EQ(m_bar->HorizontalSize(), QSize(dialog.width(), dialog.height() + 9));
    EXPECT_EQ(m_bar->MinimumSize(), QSize(32, 32));
    EXPECT_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_EQ(m_frame->GetControlBar(kBarId), m_bar);

    // The dialog fills the client rectangle: 20 below the top, 3 from the left and bottom,
    // the 6-pixel edge on the right.
    const QSize window = m_bar->size();
    EXPECT_EQ(m_bar->ClientRect(), QRect(3, 20, window.width() - 9, window.height() - 23));
    EXPECT_EQ(m_bar->EdgeRect(), QRect(window.width() - 6, 0, 6, window.height()));
    EXPECT_EQ(QRect(m_dialog.mapTo(m_bar, QPoint(0, 0)), m_dialog.size()), m_bar->ClientRect());
    EXPECT_EQ(m_dialog.width(), dialog.width());
    EXPECT_FALSE(m_bar->GetBarStyle() & fw::BarStyle::BorderRight); // the edge took its place
}

TEST_F(CoolDialogBarTest, GripperButtonsAndHitAreasDockedVertically)
{
    const int w = m_bar->width();
    EXPECT_EQ(m_bar->CloseButtonRect(), QRect(w - 21, 7, 11, 11));
    EXPECT_EQ(m_bar->FloatButtonRect(), QRect(w - 34, 7, 11, 11));
    EXPECT_EQ(m_bar->GripperRect(), QRect(0, 0, w - 40, 20));
    EXPECT_EQ(m_bar->HitTest(m_bar->CloseButtonRect().center()), cool::HitSysMenu);
    EXPECT_EQ(m_bar->HitTest(m_bar->FloatButtonRect().center()), cool::HitMinButton);
    EXPECT_EQ(m_bar->HitTest(QPoint(5, 5)), cool::HitCaption);
    EXPECT_EQ(m_bar->HitTest(QPoint(w - 3, 100)), cool::HitSize);
    EXPECT_EQ(m_bar->HitTest(QPoint(50, 100)), cool::HitClient);
}

TEST_F(CoolDialogBarTest, EdgeDraggedRightWidensByTheDistance)
{
    const int before = m_bar->width();
    DragEdge(QPoint(50, 0));
    EXPECT_FALSE(m_bar->IsTracking());
    EXPECT_EQ(m_bar->VerticalSize().width(), before + 50);
    ASSERT_SOON_EQ(m_bar->width(), before + 50);
    ASSERT_SOON_EQ(m_dialog.width(), before + 50 - 9);
}

TEST_F(CoolDialogBarTest, EdgeDraggedFarLeftStopsAtTheMinimum)
{
    DragEdge(QPoint(-1000, 0));
    EXPECT_EQ(m_bar->VerticalSize().width(), 32);
    ASSERT_SOON_EQ(m_bar->width(), 32);
    EXPECT_GE(m_dialog.width(), 0);
}

TEST_F(CoolDialogBarTest, TrackerShowsInvertedWhileResizing)
{
    const QPoint start = cool::CenterPoint(m_bar->EdgeRect());
    const QRect startRect = cool::TrackerStartRect(m_bar->EdgeRect(), false);
    const QRect inFrame(m_bar->mapTo(m_frame, startRect.topLeft()), startRect.size());
    // What the screen shows where the tracker will be once moved 30 pixels right.
    const QRect movedInFrame = inFrame.translated(30, 0).adjusted(1, 1, -1, -1);
    QScreen* screen = m_frame->screen();
    const QPoint plainAt = m_frame->mapToGlobal(movedInFrame.topLeft());
    const QImage plain = screen->grabWindow(0, plainAt.x(), plainAt.y(), 2, 1).toImage();

    QPoint local;
    QWidget* part = Part(start, &local);
    // Through the window system, as a pointer move with no button down arrives. (A move of the
    // real pointer would send nothing when the pointer already rests there from an earlier run.)
    QTest::mouseMove(m_frame->windowHandle(), part->mapTo(m_frame, local));
    ASSERT_SOON_EQ(part->cursor().shape(), Qt::SizeHorCursor);

    QTest::mousePress(part, Qt::LeftButton, {}, local);
    ASSERT_TRUE(m_bar->IsTracking());
    ASSERT_TRUE(m_bar->IsTrackerShown());
    EXPECT_EQ(m_bar->TrackerRect(), startRect);
    // Drawn in frame coordinates, one pixel inside the tracker rectangle.
    EXPECT_EQ(m_bar->Tracker()->FrameRect(), inFrame.adjusted(1, 1, -1, -1));

    QTest::mouseMove(part, local + QPoint(30, 0));
    EXPECT_EQ(m_bar->TrackerRect(), startRect.translated(30, 0));
    EXPECT_EQ(m_bar->Tracker()->FrameRect(), movedInFrame);

    // On screen every other pixel under the tracker is inverted.
    const QWidget* tracker = m_bar->Tracker();
    ASSERT_SOON(tracker->isVisible());
    QTest::qWait(100);
    ASSERT_SOON_EQ(tracker->mapToGlobal(QPoint(0, 0)), plainAt);
    const bool firstFlips = ((movedInFrame.x() + movedInFrame.y()) & 1) == 0;
    const int flipped = firstFlips ? 0 : 1;
    const int kept = 1 - flipped;
    // The window system shows the tracker when it gets to it; wait for the picture to arrive.
    QImage shown;
    const auto showsInverted = [&] {
        shown = screen->grabWindow(0, plainAt.x(), plainAt.y(), 2, 1).toImage();
        return qRed(shown.pixel(flipped, 0)) == 255 - qRed(plain.pixel(flipped, 0)) &&
               qGreen(shown.pixel(flipped, 0)) == 255 - qGreen(plain.pixel(flipped, 0)) &&
               shown.pixel(kept, 0) == plain.pixel(kept, 0);
    };
    (void)QTest::qWaitFor(showsInverted, 5000);
    EXPECT_EQ(qRed(shown.pixel(flipped, 0)), 255 - qRed(plain.pixel(flipped, 0)));
    EXPECT_EQ(qGreen(shown.pixel(flipped, 0)), 255 - qGreen(plain.pixel(flipped, 0)));
    EXPECT_EQ(shown.pixel(kept, 0), plain.pixel(kept, 0));

    QTest::mouseRelease(part, Qt::LeftButton, {}, local + QPoint(30, 0));
    EXPECT_FALSE(m_bar->IsTrackerShown());
    ASSERT_SOON(!tracker->isVisible());
}

TEST_F(CoolDialogBarTest, LosingTheMouseEndsAResizeWithoutTakingIt)
{
    const int before = m_bar->VerticalSize().width();
    const QPoint start = cool::CenterPoint(m_bar->EdgeRect());
    QPoint local;
    QWidget* part = Part(start, &local);
    QTest::mousePress(part, Qt::LeftButton, {}, local);
    QTest::mouseMove(part, local + QPoint(40, 0));
    m_bar->OnCaptureChanged();
    EXPECT_FALSE(m_bar->IsTracking());
    EXPECT_FALSE(m_bar->IsTrackerShown());
    QTest::mouseRelease(part, Qt::LeftButton, {}, local + QPoint(40, 0));
    EXPECT_EQ(m_bar->VerticalSize().width(), before);
}

TEST_F(CoolDialogBarTest, DoubleClickOnTheGripperFloatsAtTheFloatingSize)
{
    QPoint local;
    QWidget* part = Part(QPoint(10, 10), &local);
    QTest::mouseDClick(part, Qt::LeftButton, {}, local);
    ASSERT_SOON(m_bar->isFloating());
    EXPECT_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_FLOAT);
    ASSERT_SOON_EQ(m_bar->BodyPart()->size(), m_dialog.TemplateSize());
    EXPECT_EQ(m_dialog.size(), m_dialog.TemplateSize());
    EXPECT_EQ(m_bar->FloatingSize(), m_dialog.TemplateSize());
    EXPECT_TRUE(m_bar->EdgeRect().isEmpty());
    EXPECT_EQ(m_bar->HitTest(QPoint(5, 5)), cool::HitClient);

    // Double-clicking the floating caption docks it again where it was.
    QTest::mouseDClick(m_bar->GripperPart(), Qt::LeftButton, {}, QPoint(10, 5));
    ASSERT_SOON(!m_bar->isFloating());
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);
    ASSERT_SOON_EQ(m_bar->width(), m_bar->VerticalSize().width());
}

TEST_F(CoolDialogBarTest, FloatButtonFloatsAndCloseButtonHides)
{
    ClickAt(m_bar->FloatButtonRect().center());
    ASSERT_SOON(m_bar->isFloating());
    m_bar->ToggleDocking();
    ASSERT_SOON(!m_bar->isFloating());
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);

    ClickAt(m_bar->CloseButtonRect().center());
    EXPECT_FALSE(m_bar->isVisibleTo(m_frame));
}

TEST_F(CoolDialogBarTest, DockedAtTheTopTheBarSizesItsHeight)
{
    m_frame->addDockWidget(Qt::TopDockWidgetArea, m_bar);
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_TOP);
    EXPECT_TRUE(m_bar->features() & QDockWidget::DockWidgetVerticalTitleBar);
    ASSERT_SOON_EQ(m_bar->height(), m_bar->HorizontalSize().height());
    ASSERT_SOON_EQ(m_bar->EdgeRect(), QRect(0, m_bar->height() - 6, m_bar->width(), 6));
    EXPECT_EQ(m_bar->CloseButtonRect(), QRect(7, 10, 12, 12));
    EXPECT_EQ(m_bar->FloatButtonRect(), QRect(7, 23, 12, 12));
    EXPECT_TRUE(m_bar->GetBarStyle() & fw::BarStyle::AlignTop);

    const int before = m_bar->height();
    DragEdge(QPoint(0, 40));
    EXPECT_EQ(m_bar->HorizontalSize().height(), before + 40);
    ASSERT_SOON_EQ(m_bar->height(), before + 40);
}

TEST_F(CoolDialogBarTest, SizeQueries)
{
    using namespace fw::LayoutMode;
    const QSize vertical = m_bar->VerticalSize();
    EXPECT_EQ(m_bar->CalcFixedLayout(true, false), QSize(vertical.width(), 32767));
    EXPECT_EQ(m_bar->CalcDynamicLayout(-1, VertDock | Stretch), QSize(vertical.width(), 32767));
    EXPECT_EQ(m_bar->CalcFixedLayout(true, true), QSize(32767, m_bar->HorizontalSize().height()));

    m_bar->ToggleDocking();
    ASSERT_SOON(m_bar->isFloating());
    ASSERT_SOON_EQ(m_bar->BodyPart()->size(), m_bar->FloatingSize());
    EXPECT_EQ(m_bar->CalcDynamicLayout(150, LengthY), QSize(m_bar->FloatingSize().width(), 150));
    EXPECT_EQ(m_bar->CalcDynamicLayout(10, 0).width(), 32); // never below the minimum
    EXPECT_EQ(m_bar->CalcFixedLayout(false, true), m_bar->FloatingSize());
}
