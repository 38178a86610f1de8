// The editor's window on a 1024x768 screen: the layout of the first start, the placement and
// bar layout it keeps between runs, files dropped on it, and View > Fit Scene.
#include "CubeScene.h"
#include "EditorTestSupport.h"
#include "SceneTestSupport.h"

#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/RecentFileList.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <cstdlib>
#include <memory>

namespace {

// The background of a view picture: the device's clear colour, 0.2 grey.
bool Background(QRgb pixel)
{
    return std::abs(qRed(pixel) - 51) <= 2 && std::abs(qGreen(pixel) - 51) <= 2 && std::abs(qBlue(pixel) - 51) <= 2;
}

// The box around the picture's pixels that are not background, below the two overlay lines.
QRect SceneBox(const QImage& picture)
{
    QRect box;
    for (int y = 34; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!Background(picture.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The view's window as it is on screen after a few frames: the first picture for which
// `expected` holds, else the last (windows of other tests may cover it for a moment).
template <class Expected>
QImage ViewPicture(CMainFrame* frame, CQuorvanView* view, Expected expected)
{
    QImage picture;
    for (int attempt = 0; attempt < 5; ++attempt) {
        Peer(frame)->raise();
        for (int i = 0; i < 2; ++i) {
            view->RenderFrame();
            QCoreApplication::processEvents();
        }
        QTest::qWait(50);
        picture = QGuiApplication::primaryScreen()
                      ->grabWindow(static_cast<QWindow*>(view->GetGlWindow().Handle())->winId())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
        if (!picture.isNull() && expected(picture))
            break;
    }
    return picture;
}

QString SamplePath()
{
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    return source != nullptr ? QString::fromLocal8Bit(source) + QStringLiteral("/samples/2.MES") : QString();
}

// The editor started as a user starts it (profile as the test left it), with its frame on
// screen; the working folder is put back afterwards.
class EditorRun {
public:
    explicit EditorRun(const QStringList& commandLine = {}) : m_startDir(QDir::currentPath())
    {
        m_app = std::make_unique<CQuorvanApp>();
        std::vector<std::string> arguments;
        for (const QString& argument : commandLine)
            arguments.push_back(S(argument));
        m_app->SetCommandLine(arguments);
        m_started = m_app->InitInstance();
        m_frame = dynamic_cast<CMainFrame*>(m_app->GetMainWnd());
        if (m_frame != nullptr)
            m_exposed = QTest::qWaitForWindowExposed(Peer(m_frame));
    }
    ~EditorRun()
    {
        m_app.reset();
        QDir::setCurrent(m_startDir);
    }

    bool Started() const { return m_started && m_frame != nullptr && m_exposed; }
    CQuorvanApp& App() { return *m_app; }
    CMainFrame* Frame() { return m_frame; }
    CQuorvanView* View() { return dynamic_cast<CQuorvanView*>(m_frame->GetActiveView()); }
    CQuorvanDoc* Document() { return dynamic_cast<CQuorvanDoc*>(m_frame->GetActiveDocument()); }
    // Closes the frame as the user does, which keeps its layout in the profile.
    bool Close()
    {
        fw::WndRef<CMainFrame> frame(m_frame);
        Peer(m_frame)->close();
        m_frame = nullptr;
        return QTest::qWaitFor([&] { return frame.Get() == nullptr; }, 5000);
    }

private:
    QString m_startDir;
    std::unique_ptr<CQuorvanApp> m_app;
    CMainFrame* m_frame = nullptr;
    bool m_started = false;
    bool m_exposed = false;
};

} // namespace

// A fresh profile on a 1024x768 screen: the info bar docks at the bottom, the left bar at the
// left, each with its dialog's size, and the view gets most of the window and shows the sample.
TEST(EditorLayout, FirstStartGivesTheViewMostOfTheWindowAndShowsTheSample)
{
    const QString sample = SamplePath();
    if (sample.isEmpty() || !QFileInfo::exists(sample))
        GTEST_SKIP() << "no sample scene";
    ClearEditorProfile();
    EditorRun run({sample});
    ASSERT_TRUE(run.Started());
    CMainFrame* frame = run.Frame();
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1024, 768)) << "the test screen";
    ASSERT_SOON(run.View()->GetWidth() > 0);

    CoolDialogBar& info = frame->GetInfoBar();
    CoolDialogBar& left = frame->GetLeftBar();
    EXPECT_EQ(info.DockBarId(), fw::IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(left.DockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(info.IsWindowVisible());
    EXPECT_TRUE(left.IsWindowVisible());
    EXPECT_EQ(info.GetWindowRect().Height(), info.HorizontalSize().cy);
    EXPECT_EQ(left.GetWindowRect().Width(), left.VerticalSize().cx);
    // The info panel's template fits the width it is given.
    EXPECT_GE(info.ClientRect().Width(), info.HostedDialog()->TemplateSize().cx);

    CQuorvanView* view = run.View();
    const fw::Size viewSize = view->GetGlWindow().GetSize();
    const fw::Rect frameRect = frame->GetWindowRect();
    std::cout << "[ layout   ] frame " << frameRect.Width() << "x" << frameRect.Height() << ", view " << viewSize.cx
              << "x" << viewSize.cy << std::endl;
    EXPECT_GE(viewSize.cx * 2, frameRect.Width());
    EXPECT_GE(viewSize.cy * 3, frameRect.Height());

    // The model at the camera's distance of 5 after the open, in the middle of the picture.
    const QImage picture =
        ViewPicture(frame, view, [](const QImage& p) { return SceneBox(p).height() > p.height() / 4; });
    ASSERT_FALSE(picture.isNull());
    const QRect box = SceneBox(picture);
    EXPECT_GT(box.height(), picture.height() / 4) << "the sample's figure";
    EXPECT_TRUE(box.contains(picture.rect().center()));
    const char* shots = std::getenv("ORVEX_SHOT_DIR");
    if (shots != nullptr) {
        QDir().mkpath(QString::fromLocal8Bit(shots));
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) +
                                                             QStringLiteral("/editor-first-start.png"));
    }
}

// What the user changed (a bar moved to another edge and made wider, one floated, the toolbar
// hidden, the window moved and resized) is there again on the next start.
TEST(EditorLayout, BarsAndWindowAreWhereTheyWereLeftAfterARestart)
{
    ClearEditorProfile();
    QRect placement;
    int leftWidth = 0;
    fw::Size floatingSize;
    {
        EditorRun run;
        ASSERT_TRUE(run.Started());
        CMainFrame* frame = run.Frame();
        frame->MoveWindow(fw::Rect::FromSize(40, 30, 900, 650));
        ASSERT_SOON_EQ(frame->GetWindowRect().GetSize(), (fw::Size{900, 650}));

        CoolDialogBar& left = frame->GetLeftBar();
        frame->DockControlBar(&left, fw::IDW_DOCKBAR_RIGHT);
        ASSERT_SOON_EQ(left.DockBarId(), fw::IDW_DOCKBAR_RIGHT);
        // Wider by 40 through the sizing edge, which is now on the bar's left.
        ASSERT_SOON_EQ(left.EdgeRect().left, 0);
        QPoint local;
        QWidget* part = BarPartAt(&left, left.EdgeRect().CenterPoint(), &local);
        ASSERT_NE(part, nullptr);
        QTest::mousePress(part, Qt::LeftButton, {}, local);
        QWidget* grabber = Peer(&left);
        const QPoint to = grabber->mapFromGlobal(part->mapToGlobal(local - QPoint(40, 0)));
        QTest::mouseMove(grabber, to);
        QTest::mouseRelease(grabber, Qt::LeftButton, {}, to);
        leftWidth = left.VerticalSize().cx;
        ASSERT_SOON_EQ(left.GetWindowRect().Width(), leftWidth);

        CoolDialogBar& info = frame->GetInfoBar();
        info.ToggleDocking();
        ASSERT_SOON(info.IsFloating());
        floatingSize = info.FloatingSize();

        ASSERT_TRUE(frame->SendCommand(fw::ID_VIEW_TOOLBAR));
        ASSERT_FALSE(frame->GetToolBar().GetStyle() & fw::WinStyle::Visible);
        QTest::qWait(50);
        placement = Peer(frame)->geometry();
        ASSERT_TRUE(run.Close());
    }
    EditorRun again;
    ASSERT_TRUE(again.Started());
    CMainFrame* frame = again.Frame();
    EXPECT_EQ(Peer(frame)->geometry().size(), placement.size());
    CoolDialogBar& left = frame->GetLeftBar();
    EXPECT_EQ(left.DockBarId(), fw::IDW_DOCKBAR_RIGHT);
    EXPECT_EQ(left.VerticalSize().cx, leftWidth);
    ASSERT_SOON_EQ(left.GetWindowRect().Width(), leftWidth);
    EXPECT_TRUE(frame->GetInfoBar().IsFloating());
    EXPECT_EQ(frame->GetInfoBar().FloatingSize(), floatingSize);
    EXPECT_FALSE(frame->GetToolBar().GetStyle() & fw::WinStyle::Visible);
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->GetCommandState(fw::ID_VIEW_TOOLBAR).checked);
    EXPECT_TRUE(frame->GetStatusBar().GetStyle() & fw::WinStyle::Visible);
}

// A profile whose layout cannot be read starts as the first start does.
TEST(EditorLayout, ADamagedLayoutGivesTheFirstStartLayout)
{
    ClearEditorProfile();
    {
        QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Quorvan"));
        profile.setValue(QStringLiteral("Layout/Placement"), QByteArray("not a placement"));
        profile.setValue(QStringLiteral("Layout/Layout"), QByteArray("not a layout"));
        profile.setValue(QStringLiteral("Layout/Bar32771/Sizes"), QByteArray("\x01\x02", 2));
    }
    EditorRun run;
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.Frame()->GetInfoBar().DockBarId(), fw::IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(run.Frame()->GetLeftBar().DockBarId(), fw::IDW_DOCKBAR_LEFT);
    EXPECT_EQ(run.Frame()->GetLeftBar().VerticalSize().cx, run.Frame()->GetLeftPanel().TemplateSize().cx + 9);
}

namespace {

class EditorFiles : public EditorTest {
protected:
    // Sends a drag of `paths` into the window over the middle of the view and, when the window
    // takes it and `drop` is set, drops it there. True when the window takes the drag (and drop).
    bool DragOntoView(const QStringList& paths, bool drop)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QWindow* window = Peer(m_frame)->windowHandle();
        const QPointF at = Peer(m_view)->mapTo(Peer(m_frame), Peer(m_view)->rect().center());
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        if (!enter.isAccepted() || !drop) {
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(window, &leave);
            return enter.isAccepted();
        }
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }
};

} // namespace

TEST_F(EditorFiles, AMeshFileDroppedOnTheViewOpensOtherFilesAreNotTaken)
{
    const QString path = scenes::Write(m_dir.path(), "Dropped.MES", scenes::Family(UniqueName("dropped")));
    EXPECT_TRUE(DragOntoView({path}, false));
    ASSERT_TRUE(DragOntoView({path}, true));
    ASSERT_SOON_EQ(Q(m_doc->GetPathName()), QFileInfo(path).absoluteFilePath());
    EXPECT_NE(m_doc->m_scene, nullptr);
    EXPECT_EQ(MeshRows(), QStringList({"body", "hat"}));
    EXPECT_EQ(m_app->GetRecentFileList()->Count(), 1);

    // Anything but a mesh file is refused at the door, and the open document stays.
    QFile text(m_dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    EXPECT_FALSE(DragOntoView({m_dir.filePath("notes.txt")}, false));
    EXPECT_FALSE(DragOntoView({m_dir.filePath("notes.txt")}, true));
    QTest::qWait(20);
    EXPECT_EQ(Q(m_doc->GetPathName()), QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(RecordedMessages().isEmpty());
}

// A 300-unit box about (100, 50, 0): after the open the camera is inside it; Fit Scene
// brings all of it into view, turned as the camera was.
TEST_F(EditorFiles, FitSceneBringsALargeSceneIntoView)
{
    QAction* fit = ActionOf(m_frame, ID_VIEW_FITSCENE);
    ASSERT_NE(fit, nullptr);
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(m_frame->GetCommandState(ID_VIEW_FITSCENE).enabled) << "nothing to fit without a scene";

    const QString path =
        scenes::Write(m_dir.path(), "big.mes", testscenes::CubeScene(300.0f, {100, 50, 0}, UniqueName("big")));
    ASSERT_EQ(Open(path), m_doc);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(static_cast<QWindow*>(m_view->GetGlWindow().Handle())));
    Camera& camera = m_view->GetCamera();
    EXPECT_FLOAT_EQ(camera.positionZ, 5.0f);
    m_frame->UpdateCommandUI();
    EXPECT_TRUE(m_frame->GetCommandState(ID_VIEW_FITSCENE).enabled);

    camera.angleY = 30.0f;
    fit->trigger();
    EXPECT_FLOAT_EQ(camera.angleY, 30.0f);
    EXPECT_FLOAT_EQ(camera.positionX, 0.0f);
    EXPECT_FLOAT_EQ(camera.positionZ, CQuorvanView::kFitDistance);
    EXPECT_FALSE(m_view->GetFraming().IsIdentity());

    const QImage picture = ViewPicture(m_frame, m_view, [](const QImage& p) {
        const QRect box = SceneBox(p);
        return !box.isEmpty() && box.height() > p.height() / 2;
    });
    ASSERT_FALSE(picture.isNull());
    const QRect box = SceneBox(picture);
    ASSERT_FALSE(box.isEmpty());
    // All of it in view: background on every side of it, and it fills most of the height.
    EXPECT_GT(box.left(), 0);
    EXPECT_GT(box.top(), 34);
    EXPECT_LT(box.right(), picture.width() - 1);
    EXPECT_LT(box.bottom(), picture.height() - 1);
    EXPECT_GT(box.height(), picture.height() * 2 / 3) << box.height() << " of " << picture.height();

    // Opening again puts the camera back at 5 and forgets the framing.
    ASSERT_EQ(Open(path), m_doc);
    EXPECT_FLOAT_EQ(camera.positionZ, 5.0f);
    EXPECT_FLOAT_EQ(camera.angleY, 0.0f);
    EXPECT_TRUE(m_view->GetFraming().IsIdentity());
}
