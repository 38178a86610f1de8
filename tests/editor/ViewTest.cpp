// The OpenGL view on real GL under Xvfb: mouse orbit, pan and wheel through the view's window,
// size handling, and the picture itself (scene, overlay colours) as it reaches the screen.
#include "EditorTestSupport.h"
#include "SceneTestSupport.h"

#include "framework/CommandIds.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <cstdlib>

namespace {

class ViewTest : public EditorTest {
protected:
    QWindow* Window() const { return static_cast<QWindow*>(m_view->GetGlWindow().Handle()); }

    void Wheel(int delta)
    {
        const QPointF at(10, 10);
        QWheelEvent event(at, Window()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Window(), &event);
    }

    // The view's window as it is on screen after `frames` frames.
    QImage Picture(int frames)
    {
        Peer(m_frame)->raise(); // windows of tests running beside this one may cover it
        for (int i = 0; i < frames; ++i) {
            m_doc->RenderActiveView();
            QCoreApplication::processEvents();
        }
        QTest::qWait(50);
        return QGuiApplication::primaryScreen()
            ->grabWindow(Window()->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // The first of a few pictures that shows what `expected` looks for, else the last one: a
    // window of another test may cover this one for a moment.
    template <class Expected>
    QImage PictureWhere(Expected expected)
    {
        QImage picture;
        for (int attempt = 0; attempt < 5; ++attempt) {
            picture = Picture(2);
            if (!picture.isNull() && expected(picture))
                break;
        }
        return picture;
    }
};

// Pixels of the rows [top, bottom) whose colour satisfies test.
template <class Test>
int CountPixels(const QImage& image, int top, int bottom, Test test)
{
    int count = 0;
    for (int y = top; y < bottom && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(QColor(image.pixel(x, y))))
                ++count;
        }
    }
    return count;
}

bool Cyan(const QColor& c)
{
    return c.red() < 90 && c.green() > 170 && c.blue() > 170;
}
bool Yellow(const QColor& c)
{
    return c.red() > 170 && c.green() > 170 && c.blue() < 90;
}

} // namespace

TEST_F(ViewTest, LeftDragOrbitsRightDragPansWheelZooms)
{
    Camera& camera = m_view->GetCamera();
    camera.Reset();

    // 90 pixels down with the left button turns the scene 90 degrees about x.
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_TRUE(m_view->IsLeftDown());
    QTest::mouseMove(Window(), QPoint(100, 80));
    QTest::mouseMove(Window(), QPoint(100, 140));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(100, 140));
    EXPECT_FALSE(m_view->IsLeftDown());
    EXPECT_FLOAT_EQ(camera.angleX, 90.0f);
    EXPECT_FLOAT_EQ(camera.angleY, 0.0f);
    // Right then left, a degree a pixel about y.
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(Window(), QPoint(130, 100));
    QTest::mouseMove(Window(), QPoint(120, 100));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(120, 100));
    EXPECT_FLOAT_EQ(camera.angleY, 20.0f);

    // Moving without a button only follows the pointer.
    QTest::mouseMove(Window(), QPoint(300, 300));
    EXPECT_EQ(m_view->GetLastPoint(), (fw::Point{300, 300}));
    EXPECT_FLOAT_EQ(camera.angleX, 90.0f);

    // The right button pans a tenth of a unit a pixel; the scene follows the mouse.
    QTest::mousePress(Window(), Qt::RightButton, {}, QPoint(200, 200));
    EXPECT_TRUE(m_view->IsRightDown());
    QTest::mouseMove(Window(), QPoint(230, 180));
    QTest::mouseRelease(Window(), Qt::RightButton, {}, QPoint(230, 180));
    EXPECT_FALSE(m_view->IsRightDown());
    EXPECT_FLOAT_EQ(camera.positionX, -3.0f);
    EXPECT_FLOAT_EQ(camera.positionY, -2.0f);
    EXPECT_FLOAT_EQ(camera.positionZ, 5.0f);
    EXPECT_FLOAT_EQ(camera.angleX, 90.0f); // panning does not turn

    // Both buttons at once: both changes apply.
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(50, 50));
    m_view->OnRButtonDown(COpenGLView::MkRButton | COpenGLView::MkLButton, fw::Point{50, 50});
    QTest::mouseMove(Window(), QPoint(60, 60));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(60, 60));
    m_view->OnRButtonUp(0, fw::Point{60, 60});
    EXPECT_FLOAT_EQ(camera.angleX, 100.0f);
    EXPECT_FLOAT_EQ(camera.angleY, 30.0f);
    EXPECT_FLOAT_EQ(camera.positionX, -4.0f);
    EXPECT_FLOAT_EQ(camera.positionY, -1.0f);

    // One notch away from the user brings the scene 2.4 units nearer; far enough puts the
    // camera past it.
    Wheel(120);
    EXPECT_FLOAT_EQ(camera.positionZ, 2.6f);
    Wheel(-240);
    EXPECT_FLOAT_EQ(camera.positionZ, 7.4f);
    for (int notch = 0; notch < 4; ++notch)
        Wheel(120);
    EXPECT_LT(camera.positionZ, 0.0f);
}

TEST_F(ViewTest, ZeroSizesAsOnMinimisingKeepTheStoredSize)
{
    const int width = m_view->GetWidth();
    const int height = m_view->GetHeight();
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    EXPECT_EQ(width, qRound(Window()->width() * Window()->devicePixelRatio()));

    m_view->OnSize(COpenGLView::SizeMinimized, 0, 0);
    m_view->OnSize(COpenGLView::SizeRestored, 0, 300);
    m_view->OnSize(COpenGLView::SizeRestored, 300, 0);
    EXPECT_EQ(m_view->GetWidth(), width);
    EXPECT_EQ(m_view->GetHeight(), height);

    m_frame->ShowWindow(fw::ShowCmd::Minimized);
    ASSERT_SOON(m_frame->IsIconic());
    QTest::qWait(50);
    EXPECT_EQ(m_view->GetWidth(), width);
    EXPECT_EQ(m_view->GetHeight(), height);
    EXPECT_FALSE(m_app->OnIdle(1)); // and no frames are drawn
    m_frame->ShowWindow(fw::ShowCmd::Normal);

    m_view->OnSize(COpenGLView::SizeRestored, 320, 200);
    EXPECT_EQ(m_view->GetWidth(), 320);
    EXPECT_EQ(m_view->GetHeight(), 200);
}

TEST_F(ViewTest, PictureShowsTheSceneUnderTheOverlay)
{
    const std::string material = UniqueName("square");
    const std::string texture = UniqueName("square_red");
    ASSERT_TRUE(scenes::WriteSolidTexture(m_dir.path(), texture, 255, 0, 0));
    const QString path = scenes::Write(m_dir.path(), "square.mes", scenes::Square(material, texture));
    ASSERT_EQ(Open(path), m_doc);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window()));

    auto centre = [](const QImage& picture) {
        return QColor(picture.pixel(picture.width() / 2, picture.height() / 2));
    };
    auto red = [](const QColor& c) { return c.red() > 180 && c.green() < 60 && c.blue() < 60; };
    auto grey = [](const QColor& c) {
        return std::abs(c.red() - 51) <= 2 && std::abs(c.green() - 51) <= 2 && std::abs(c.blue() - 51) <= 2;
    };
    auto overlay = [](const QImage& picture) {
        return CountPixels(picture, 0, 16, Cyan) > 20 && CountPixels(picture, 16, 32, Yellow) > 20;
    };

    QImage picture = PictureWhere([&](const QImage& p) { return red(centre(p)) && overlay(p); });
    ASSERT_FALSE(picture.isNull());
    ASSERT_GT(picture.width(), 100);
    ASSERT_GT(picture.height(), 100);
    // The square fills the middle in its texture's red; the corners show the clear colour.
    EXPECT_TRUE(red(centre(picture))) << centre(picture).name().toStdString();
    const QColor corner(picture.pixel(picture.width() - 2, picture.height() - 2));
    EXPECT_TRUE(grey(corner)) << corner.name().toStdString();
    // The driver's name in cyan on the first line, the frame rate in yellow on the second.
    EXPECT_GT(CountPixels(picture, 0, 16, Cyan), 20);
    EXPECT_EQ(CountPixels(picture, 0, 16, Yellow), 0);
    EXPECT_GT(CountPixels(picture, 16, 32, Yellow), 20);
    EXPECT_EQ(CountPixels(picture, 16, 32, Cyan), 0);

    // Turned half a turn about y the square shows its back, which is culled.
    m_view->GetCamera().angleY = 180.0f;
    picture = PictureWhere([&](const QImage& p) { return grey(centre(p)); });
    EXPECT_TRUE(grey(centre(picture))) << centre(picture).name().toStdString();

    // After New only the overlay is drawn.
    m_view->GetCamera().angleY = 0.0f;
    EXPECT_TRUE(m_frame->SendCommand(fw::ID_FILE_NEW));
    picture = PictureWhere([&](const QImage& p) { return grey(centre(p)) && overlay(p); });
    EXPECT_TRUE(grey(centre(picture))) << centre(picture).name().toStdString();
    EXPECT_TRUE(overlay(picture));
}

TEST_F(ViewTest, IdleLoopDrawsAndMeasuresTheFrameRate)
{
    const QString path = scenes::Write(m_dir.path(), "family.mes", scenes::Family(UniqueName("skin")));
    ASSERT_EQ(Open(path), m_doc);
    m_app->StartIdleProcessing();
    // The first figure comes after a little over a second of frames.
    ASSERT_SOON(m_doc->m_fps >= 5.0f);
    m_app->StopIdleProcessing();
}
