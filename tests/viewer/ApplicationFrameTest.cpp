// The per-frame work of the application object: mouse to camera, frame counting and the
// overlay, on fake input, a hand-moved clock, a recording font and the recording GL table.
#include "ViewerFakes.h"

#include "orvex/render/GlDriver.h"

#include <gtest/gtest.h>

namespace {

struct Angles {
    float x, y, z;
};
struct Position {
    float x, y, z;
};

void ExpectCamera(const Camera& camera, Angles angles, Position position)
{
    EXPECT_FLOAT_EQ(camera.angleX, angles.x);
    EXPECT_FLOAT_EQ(camera.angleY, angles.y);
    EXPECT_FLOAT_EQ(camera.angleZ, angles.z);
    EXPECT_FLOAT_EQ(camera.positionX, position.x);
    EXPECT_FLOAT_EQ(camera.positionY, position.y);
    EXPECT_FLOAT_EQ(camera.positionZ, position.z);
}

class HandleInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ManualClock::Install(50.0);
        input.x = 400;
        input.y = 300;
        app.SetInput(&input);
        app.Update(); // the starting point of the motion
    }
    void TearDown() override { ManualClock::Uninstall(); }

    // One frame after the mouse moved by (dx, dy) pixels (right and down positive).
    void Move(int dx, int dy)
    {
        input.x += dx;
        input.y += dy;
        app.Update();
    }

    FakeInput input;
    ProbeApplication app;
};

TEST_F(HandleInput, LeftDragTurnsAboutYAndXOneDegreePerPixel)
{
    input.left = true;
    Move(10, 5);
    ExpectCamera(*app.GetCamera(), {5, 10, 0}, {0, 0, 10});
    Move(-3, 0);
    ExpectCamera(*app.GetCamera(), {5, 7, 0}, {0, 0, 10});
}

TEST_F(HandleInput, LeftShiftWithLeftDragTurnsAboutZOnly)
{
    input.left = true;
    input.leftShift = true;
    Move(10, 0);
    ExpectCamera(*app.GetCamera(), {0, 0, 10}, {0, 0, 10});
    Move(0, 40); // vertical motion turns nothing in this variant
    ExpectCamera(*app.GetCamera(), {0, 0, 10}, {0, 0, 10});
}

TEST_F(HandleInput, RightDragMovesOneUnitPerFiftyPixels)
{
    input.right = true;
    Move(50, 50);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {1, 1, 10});
}

TEST_F(HandleInput, LeftShiftWithRightDragZoomsHorizontalMotionTenTimesFaster)
{
    input.right = true;
    input.leftShift = true;
    Move(10, 0);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 12});
    Move(0, 50);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 13});
    Move(-5, -25); // both at once: -1 and -0.5
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 11.5f});
}

TEST_F(HandleInput, BothButtonsActInTheSameFrame)
{
    input.left = true;
    input.right = true;
    Move(10, 5);
    ExpectCamera(*app.GetCamera(), {5, 10, 0}, {0.2f, 0.1f, 10});
}

TEST_F(HandleInput, MotionWithoutAButtonIsForgottenAndStillCountsTheFrame)
{
    const std::int32_t before = frameStatistics.frameCount;
    Move(100, -70);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 10});
    EXPECT_EQ(app.lastCursorX, 500);
    EXPECT_EQ(app.lastCursorY, 230);
    EXPECT_EQ(frameStatistics.frameCount, before + 1);
    // Pressing now measures from where the mouse is, not from where it was last dragged.
    input.left = true;
    Move(0, 0);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 10});
    input.left = false;
    input.right = true;
    Move(0, 0);
    ExpectCamera(*app.GetCamera(), {0, 0, 0}, {0, 0, 10});
}

// --- frame counting and the overlay --------------------------------------------------

class FrameRate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ManualClock::Install(0.0);
        ResetDriverState();
    }
    void TearDown() override
    {
        ManualClock::Uninstall();
        ResetDriverState();
    }

    void FrameAt(double seconds)
    {
        ManualClock::Set(seconds);
        app.CountFrame();
    }
    // The second overlay line as Present draws it.
    std::string FpsLine()
    {
        RecordingGl rec;
        auto* font = new RecordingFont;
        viewerFont = font;
        viewerDevice = new GlDevice;
        app.Present();
        const std::string line = font->calls.size() == 4 ? font->calls[3].text : "";
        delete viewerFont;
        viewerFont = nullptr;
        delete viewerDevice;
        viewerDevice = nullptr;
        return line;
    }

    ProbeApplication app;
};

TEST_F(FrameRate, FirstFrameMeasuresFromClockZeroAndShowsZero)
{
    FrameAt(100.0);
    EXPECT_FLOAT_EQ(app.GetFramesPerSecond(), 0.01f);
    EXPECT_FLOAT_EQ(frameStatistics.lastRateTime, 100.0f);
    EXPECT_EQ(frameStatistics.frameCount, 0);
    EXPECT_EQ(FpsLine(), "draw 0,16 FPS: 000");
}

TEST_F(FrameRate, RateOf59Point9IsShownTruncatedAs059)
{
    FrameAt(100.0);
    // 60 frames at 59.9 per second: the 60th is the first more than a second later.
    for (int k = 1; k <= 59; ++k) {
        FrameAt(100.0 + k / 59.9);
        ASSERT_EQ(frameStatistics.frameCount, k) << "no rate before a full second, frame " << k;
    }
    FrameAt(100.0 + 60 / 59.9);
    EXPECT_NEAR(app.GetFramesPerSecond(), 59.9f, 0.01f);
    EXPECT_EQ(frameStatistics.frameCount, 0);
    EXPECT_EQ(FpsLine(), "draw 0,16 FPS: 059");
}

TEST_F(FrameRate, RatesAboveThreeDigitsShowEveryDigit)
{
    FrameAt(10.0);
    for (int k = 1; k <= 2500; ++k)
        FrameAt(10.0 + k * 0.0005); // 1.25 s
    EXPECT_NEAR(app.GetFramesPerSecond(), 2000.0f, 0.5f);
    EXPECT_EQ(FpsLine(), "draw 0,16 FPS: 2000");

    char text[80];
    FormatFramesPerSecond(text, sizeof text, 123456.9f);
    EXPECT_STREQ(text, "FPS: 123456");
    FormatFramesPerSecond(text, sizeof text, 7.99f);
    EXPECT_STREQ(text, "FPS: 007");
}

TEST_F(FrameRate, ExactlyOneSecondComputesNothingAndTheNextFrameDoes)
{
    FrameAt(200.0);
    const float first = app.GetFramesPerSecond();
    FrameAt(200.5);
    FrameAt(201.0); // exactly 1.0 s since the last update: not more than a second
    EXPECT_EQ(app.GetFramesPerSecond(), first);
    EXPECT_EQ(frameStatistics.frameCount, 2);
    EXPECT_FLOAT_EQ(frameStatistics.lastRateTime, 200.0f);
    FrameAt(201.5); // three frames over 1.5 s
    EXPECT_FLOAT_EQ(app.GetFramesPerSecond(), 2.0f);
    EXPECT_FLOAT_EQ(frameStatistics.lastRateTime, 201.5f);
}

// --- what Render and Present send to GL ----------------------------------------------

TEST(Frame, RenderClearsSetsThePerspectiveAndAppliesTheCamera)
{
    ResetDriverState();
    ProbeApplication app;
    app.GetCamera()->angleY = 30.0f;
    viewerDevice = new GlDevice;
    RecordingGl rec;
    app.Render();
    std::vector<std::string> names;
    for (const GlCall& call : rec.Records())
        names.push_back(call.name);
    EXPECT_EQ(names, (std::vector<std::string>{"glClear", "glPushMatrix", "glMatrixMode", "glLoadIdentity", "glFrustum",
                                               "glMatrixMode", "glLoadIdentity", "glLoadIdentity", "glTranslatef",
                                               "glRotatef", "glRotatef", "glRotatef"}));
    // 1024 x 768: the horizontal extent is the wider one.
    const GlCall* frustum = rec.Last("glFrustum");
    ASSERT_NE(frustum, nullptr);
    EXPECT_NEAR(frustum->args[0].number / frustum->args[2].number, 1024.0 / 768.0, 1e-12);
    EXPECT_EQ(rec.Calls()[8], "glTranslatef(-0, -0, -10)");
    EXPECT_EQ(rec.Calls()[10], "glRotatef(30, 0, 1, 0)");
    delete viewerDevice;
    viewerDevice = nullptr;
}

TEST(Frame, PresentDrawsTheDriverNameInCyanAndTheRateInYellowThenSwaps)
{
    ManualClock::Install(0.0);
    ResetDriverState();
    ProbeApplication app;
    ManualClock::Set(0.5);
    app.CountFrame();
    ManualClock::Set(2.0);
    app.CountFrame(); // two frames in 2 s
    RecordingGl rec;
    auto* font = new RecordingFont(&rec);
    viewerFont = font;
    viewerDevice = new GlDevice;
    app.Present();

    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glMatrixMode(GL_PROJECTION)", "glLoadIdentity()", "glOrtho(0, 1024, 768, 0, -1, 1)",
                               "glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()", "glEnable(GL_BLEND)",
                               "glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA)", "glDisable(GL_BLEND)", "glPopMatrix()",
                               "glFinish()", "swapBuffers(null)"}));
    EXPECT_EQ(font->Texts(), (std::vector<std::string>{"color 0x00ffff", "draw 0,0 Default OpenGL Driver",
                                                       "color 0xffff00", "draw 0,16 FPS: 001"}));
    // All four between the blend set-up and its end.
    for (const RecordingFont::Call& call : font->calls)
        EXPECT_EQ(call.glCallsBefore, 7u) << call.text;

    delete viewerFont;
    viewerFont = nullptr;
    delete viewerDevice;
    viewerDevice = nullptr;
    ManualClock::Uninstall();
}

} // namespace
