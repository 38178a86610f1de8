// The docking dialog bar in a frame on screen: sizes, the sizing edge with its tracker, the
// gripper's buttons and double-click floating.
#include "controls/CoolDialogBar.h"
#include "EditorTestSupport.h"
#include "framework/BarStyle.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "framework/Resources.h"
#include "framework/qt/QtTrackerOverlay.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

constexpr uint32_t kBarDialog = 9101;
constexpr uint32_t kBarId = 32771;

void RegisterBarDialog()
{
    fw::DialogTemplate dialog;
    dialog.size = fw::Size{100, 80};
    dialog.fontFamily = "MS Sans Serif";
    dialog.fontPoints = 8;
    dialog.style = fw::DlgStyle::Child;
    dialog.controls = {{1009, fw::ControlClass::Edit, std::string(), fw::Rect::FromSize(7, 7, 86, 66),
                        fw::CtlStyle::Border | fw::CtlStyle::Multiline | fw::CtlStyle::ReadOnly, 0}};
    fw::ResourceTable::Instance().AddDialog(kBarDialog, dialog);
}

// A frame with an empty view and one bar docked at the left; the frame owns the bar's window,
// the test the bar and its dialog.
class CoolDialogBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterBarDialog();
        m_frame = new fw::FrameWnd();
        ASSERT_TRUE(m_frame->LoadFrame(9100));
        m_window = qobject_cast<QMainWindow*>(Peer(m_frame));
        m_window->setCentralWidget(new QWidget());
        m_bar = std::make_unique<CoolDialogBar>();
        ASSERT_TRUE(m_bar->Create(m_frame, &m_dialog, "TestBar", kBarDialog, kBarId,
                                  fw::WinStyle::Child | fw::WinStyle::Visible | fw::BarStyle::Left));
        m_bar->EnableDocking(fw::BarStyle::AlignAny);
        m_frame->EnableDocking(fw::BarStyle::AlignAny);
        m_frame->DockControlBar(m_bar.get());
        m_window->resize(900, 600);
        m_frame->ShowWindow(fw::ShowCmd::Show);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window));
        ASSERT_SOON_EQ(Width(), m_bar->VerticalSize().cx);
    }

    void TearDown() override
    {
        m_bar.reset();
        if (m_frame.Get() != nullptr)
            m_frame->DestroyWindow();
    }

    int Width() const { return m_bar->GetWindowRect().Width(); }
    int Height() const { return m_bar->GetWindowRect().Height(); }
    bool Floating() const { return qobject_cast<QDockWidget*>(Peer(m_bar.get()))->isFloating(); }
    QWidget* Tracker() const
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<QtTrackerOverlay*>(window) != nullptr)
                return window;
        }
        return nullptr;
    }

    // Presses, moves and releases at window points of the bar.
    QWidget* Part(fw::Point windowPoint, QPoint* local) const
    {
        QWidget* part = BarPartAt(m_bar.get(), windowPoint, local);
        EXPECT_NE(part, nullptr);
        return part;
    }

    void DragEdge(QPoint by)
    {
        const fw::Point start = m_bar->EdgeRect().CenterPoint();
        QPoint local;
        QWidget* part = Part(start, &local);
        ASSERT_NE(part, nullptr);
        QTest::mousePress(part, Qt::LeftButton, {}, local);
        // While resizing the bar has the mouse: the moves come to it.
        QWidget* grabber = Peer(m_bar.get());
        QTest::mouseMove(grabber, grabber->mapFromGlobal(part->mapToGlobal(local + by)));
        QTest::mouseRelease(grabber, Qt::LeftButton, {}, grabber->mapFromGlobal(part->mapToGlobal(local + by)));
    }

    void ClickAt(fw::Point windowPoint)
    {
        QPoint local;
        QWidget* part = Part(windowPoint, &local);
        ASSERT_NE(part, nullptr);
        QTest::mouseClick(part, Qt::LeftButton, {}, local);
    }

    fw::Dialog m_dialog{kBarDialog}; // the bar does not own it
    fw::WndRef<fw::FrameWnd> m_frame;
    QMainWindow* m_window = nullptr;
    std::unique_ptr<CoolDialogBar> m_bar;
};

} // namespace

TEST_F(CoolDialogBarTest, StartsDockedLeftWithTheDialogsSizes)
{
    const fw::Size dialog = m_dialog.TemplateSize();
    EXPECT_EQ(m_bar->FloatingSize(), dialog);
    EXPECT_EQ(m_bar->VerticalSize(), (fw::Size{dialog.cx + 9, dialog.cy}));
    EXPECT_EQ(m_bar->HorizontalSize(), (fw::Size{dialog.cx, dialog.cy + 9}));
    EXPECT_EQ(m_bar->MinimumSize(), (fw::Size{32, 32}));
    EXPECT_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_EQ(m_frame->GetControlBar(kBarId), m_bar.get());

    // The dialog fills the client rectangle: 20 below the top, 3 from the left and bottom,
    // the 6-pixel edge on the right.
    const fw::Rect window = m_bar->GetWindowRect();
    EXPECT_EQ(m_bar->ClientRect(), fw::Rect::FromSize(3, 20, window.Width() - 9, window.Height() - 23));
    EXPECT_EQ(m_bar->EdgeRect(), fw::Rect::FromSize(window.Width() - 6, 0, 6, window.Height()));
    EXPECT_EQ(m_dialog.GetWindowRect(), m_bar->ClientRect().Offset(window.TopLeft()));
    EXPECT_EQ(m_dialog.GetWindowRect().Width(), dialog.cx);
    EXPECT_FALSE(m_bar->GetBarStyle() & fw::BarStyle::BorderRight); // the edge took its place
}

TEST_F(CoolDialogBarTest, GripperButtonsAndHitAreasDockedVertically)
{
    const int w = Width();
    const fw::Point origin = m_bar->GetWindowRect().TopLeft();
    EXPECT_EQ(m_bar->CloseButtonRect(), fw::Rect::FromSize(w - 21, 7, 11, 11));
    EXPECT_EQ(m_bar->FloatButtonRect(), fw::Rect::FromSize(w - 34, 7, 11, 11));
    EXPECT_EQ(m_bar->GripperRect(), fw::Rect::FromSize(0, 0, w - 40, 20));
    EXPECT_EQ(m_bar->OnNcHitTest(origin + m_bar->CloseButtonRect().CenterPoint()), fw::Hit::SysMenu);
    EXPECT_EQ(m_bar->OnNcHitTest(origin + m_bar->FloatButtonRect().CenterPoint()), fw::Hit::MinButton);
    EXPECT_EQ(m_bar->OnNcHitTest(origin + fw::Point{5, 5}), fw::Hit::Caption);
    EXPECT_EQ(m_bar->OnNcHitTest(origin + fw::Point{w - 3, 100}), fw::Hit::Size);
    EXPECT_EQ(m_bar->OnNcHitTest(origin + fw::Point{50, 100}), fw::Hit::Client);
}

TEST_F(CoolDialogBarTest, EdgeDraggedRightWidensByTheDistance)
{
    const int before = Width();
    DragEdge(QPoint(50, 0));
    EXPECT_FALSE(m_bar->IsTracking());
    EXPECT_EQ(m_bar->VerticalSize().cx, before + 50);
    ASSERT_SOON_EQ(Width(), before + 50);
    ASSERT_SOON_EQ(m_dialog.GetWindowRect().Width(), before + 50 - 9);
}

TEST_F(CoolDialogBarTest, EdgeDraggedFarLeftStopsAtTheMinimum)
{
    DragEdge(QPoint(-1000, 0));
    EXPECT_EQ(m_bar->VerticalSize().cx, 32);
    ASSERT_SOON_EQ(Width(), 32);
    EXPECT_GE(m_dialog.GetWindowRect().Width(), 0);
}

TEST_F(CoolDialogBarTest, TrackerShowsInvertedWhileResizing)
{
    const fw::Point start = m_bar->EdgeRect().CenterPoint();
    const fw::Rect startRect = cool::TrackerStartRect(m_bar->EdgeRect(), false);
    const fw::Rect inFrame = startRect.Offset(m_bar->GetWindowRect().TopLeft() - m_frame->GetWindowRect().TopLeft());
    // What the screen shows where the tracker will be once moved 30 pixels right.
    const fw::Rect movedInFrame = inFrame.Offset(30, 0).Deflate(1);
    QScreen* screen = m_window->screen();
    const QPoint plainAt = m_window->mapToGlobal(QPoint(movedInFrame.left, movedInFrame.top));
    const QImage plain = screen->grabWindow(0, plainAt.x(), plainAt.y(), 2, 1).toImage();

    QPoint local;
    QWidget* part = Part(start, &local);
    // Through the window system, as a pointer move with no button down arrives. (A move of the
    // real pointer would send nothing when the pointer already rests there from an earlier run.)
    QTest::mouseMove(m_window->windowHandle(), part->mapTo(m_window, local));
    ASSERT_SOON_EQ(part->cursor().shape(), Qt::SizeHorCursor);

    QTest::mousePress(part, Qt::LeftButton, {}, local);
    ASSERT_TRUE(m_bar->IsTracking());
    ASSERT_TRUE(m_bar->IsTrackerShown());
    EXPECT_EQ(m_bar->TrackerRect(), startRect);
    // Drawn in frame coordinates, one pixel inside the tracker rectangle.
    EXPECT_EQ(m_bar->TrackerFrameRect(), inFrame.Deflate(1));

    QWidget* grabber = Peer(m_bar.get());
    QTest::mouseMove(grabber, grabber->mapFromGlobal(part->mapToGlobal(local + QPoint(30, 0))));
    EXPECT_EQ(m_bar->TrackerRect(), startRect.Offset(30, 0));
    EXPECT_EQ(m_bar->TrackerFrameRect(), movedInFrame);

    // On screen every other pixel under the tracker is inverted.
    QWidget* tracker = Tracker();
    ASSERT_NE(tracker, nullptr);
    ASSERT_SOON(tracker->isVisible());
    QTest::qWait(100);
    ASSERT_SOON_EQ(tracker->mapToGlobal(QPoint(0, 0)), plainAt);
    const bool firstFlips = ((movedInFrame.left + movedInFrame.top) & 1) == 0;
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

    QTest::mouseRelease(grabber, Qt::LeftButton, {}, grabber->mapFromGlobal(part->mapToGlobal(local + QPoint(30, 0))));
    EXPECT_FALSE(m_bar->IsTrackerShown());
    EXPECT_EQ(Tracker(), nullptr); // the overlay went with the locked frame
}

TEST_F(CoolDialogBarTest, LosingTheMouseEndsAResizeWithoutTakingIt)
{
    const int before = m_bar->VerticalSize().cx;
    const fw::Point start = m_bar->EdgeRect().CenterPoint();
    QPoint local;
    QWidget* part = Part(start, &local);
    QTest::mousePress(part, Qt::LeftButton, {}, local);
    QWidget* grabber = Peer(m_bar.get());
    QTest::mouseMove(grabber, grabber->mapFromGlobal(part->mapToGlobal(local + QPoint(40, 0))));
    // Another window takes the mouse.
    fw::Wnd other;
    ASSERT_TRUE(other.CreateEx(0, "other", fw::WinStyle::Visible, fw::Rect::FromSize(0, 0, 10, 10), nullptr, 0));
    other.SetCapture();
    EXPECT_FALSE(m_bar->IsTracking());
    EXPECT_FALSE(m_bar->IsTrackerShown());
    fw::Wnd::ReleaseCapture();
    EXPECT_EQ(m_bar->VerticalSize().cx, before);
}

TEST_F(CoolDialogBarTest, DoubleClickOnTheGripperFloatsAtTheFloatingSize)
{
    QPoint local;
    QWidget* part = Part(fw::Point{10, 10}, &local);
    QTest::mouseDClick(part, Qt::LeftButton, {}, local);
    ASSERT_SOON(Floating());
    EXPECT_EQ(m_bar->GetDockBarId(), fw::IDW_DOCKBAR_FLOAT);
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_FLOAT);
    ASSERT_SOON_EQ(m_bar->GetWindowRect().GetSize(), m_dialog.TemplateSize());
    EXPECT_EQ(m_dialog.GetWindowRect().GetSize(), m_dialog.TemplateSize());
    EXPECT_EQ(m_bar->FloatingSize(), m_dialog.TemplateSize());
    EXPECT_TRUE(m_bar->EdgeRect().IsEmpty());
    EXPECT_EQ(m_bar->OnNcHitTest(m_bar->GetWindowRect().TopLeft() + fw::Point{5, 5}), fw::Hit::Client);

    // Double-clicking the floating caption docks it again where it was.
    auto* dock = qobject_cast<QDockWidget*>(Peer(m_bar.get()));
    QTest::mouseDClick(dock->titleBarWidget(), Qt::LeftButton, {}, QPoint(10, 5));
    ASSERT_SOON(!Floating());
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);
    ASSERT_SOON_EQ(Width(), m_bar->VerticalSize().cx);
}

TEST_F(CoolDialogBarTest, FloatButtonFloatsAndCloseButtonHides)
{
    ClickAt(m_bar->FloatButtonRect().CenterPoint());
    ASSERT_SOON(Floating());
    m_bar->ToggleDocking();
    ASSERT_SOON(!Floating());
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_LEFT);

    ASSERT_SOON_EQ(m_bar->CloseButtonRect(), fw::Rect::FromSize(Width() - 21, 7, 11, 11));
    ClickAt(m_bar->CloseButtonRect().CenterPoint());
    EXPECT_FALSE(m_bar->GetStyle() & fw::WinStyle::Visible);
}

TEST_F(CoolDialogBarTest, DockedAtTheTopTheBarSizesItsHeight)
{
    m_frame->DockControlBar(m_bar.get(), fw::IDW_DOCKBAR_TOP);
    ASSERT_SOON_EQ(m_bar->DockBarId(), fw::IDW_DOCKBAR_TOP);
    EXPECT_TRUE(qobject_cast<QDockWidget*>(Peer(m_bar.get()))->features() & QDockWidget::DockWidgetVerticalTitleBar);
    ASSERT_SOON_EQ(Height(), m_bar->HorizontalSize().cy);
    ASSERT_SOON_EQ(m_bar->EdgeRect(), fw::Rect::FromSize(0, Height() - 6, Width(), 6));
    EXPECT_EQ(m_bar->CloseButtonRect(), fw::Rect::FromSize(7, 10, 12, 12));
    EXPECT_EQ(m_bar->FloatButtonRect(), fw::Rect::FromSize(7, 23, 12, 12));
    EXPECT_TRUE(m_bar->GetBarStyle() & fw::BarStyle::AlignTop);

    const int before = Height();
    DragEdge(QPoint(0, 40));
    EXPECT_EQ(m_bar->HorizontalSize().cy, before + 40);
    ASSERT_SOON_EQ(Height(), before + 40);
}

TEST_F(CoolDialogBarTest, SizeQueries)
{
    using namespace fw::LayoutMode;
    const fw::Size vertical = m_bar->VerticalSize();
    EXPECT_EQ(m_bar->CalcFixedLayout(true, false), (fw::Size{vertical.cx, 32767}));
    EXPECT_EQ(m_bar->CalcDynamicLayout(-1, VertDock | Stretch), (fw::Size{vertical.cx, 32767}));
    EXPECT_EQ(m_bar->CalcFixedLayout(true, true), (fw::Size{32767, m_bar->HorizontalSize().cy}));

    m_bar->ToggleDocking();
    ASSERT_SOON(Floating());
    ASSERT_SOON_EQ(m_bar->GetWindowRect().GetSize(), m_bar->FloatingSize());
    EXPECT_EQ(m_bar->CalcDynamicLayout(150, LengthY), (fw::Size{m_bar->FloatingSize().cx, 150}));
    EXPECT_EQ(m_bar->CalcDynamicLayout(10, 0).cx, 32); // never below the minimum
    EXPECT_EQ(m_bar->CalcFixedLayout(false, true), m_bar->FloatingSize());
}
