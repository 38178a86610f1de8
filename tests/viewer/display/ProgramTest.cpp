// The Orvex program itself on an X display (Xvfb in the test script): the picture it
// shows, its frame rate, Escape, keys that do nothing, mouse drags, and start-up failures.
// Input comes from xdotool, pictures from screenshots of the root window.
#include "ScreenProbe.h"
#include "TempDir.h"
#include "ViewerProcess.h"
#include "ViewerScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <thread>

namespace {

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

constexpr std::uint32_t kCyan = 0x00FFFF; // GDI colours of the two overlay lines
constexpr std::uint32_t kYellow = 0xFFFF00;

// How far the top line is from the nearest driver name.
double DriverLineDistance(const Shot& screen)
{
    double best = 1e9;
    for (const char* name : {"SGI Software OpenGL Driver", "Default OpenGL Driver", "3dfx Standalone OpenGL Driver"})
        best = std::min(best, TextDistance(screen, 0, name, kCyan));
    return best;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display";
        ASSERT_FALSE(dir.Path().empty());
    }

    // Waits until the viewer shows its overlay; false when it ends or takes too long.
    static bool WaitForOverlay(ViewerProcess& viewer, double seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!viewer.Running())
                return false;
            if (DriverLineDistance(TakeScreenshot()) < 0.5)
                return true;
            Sleep(0.2);
        }
        return false;
    }

    static void ExpectEscapeEndsWithZero(ViewerProcess& viewer)
    {
        ASSERT_TRUE(Xdotool("key Escape"));
        ASSERT_TRUE(viewer.WaitForExit(10.0)) << "still running after Escape";
        EXPECT_EQ(viewer.Signal(), 0);
        EXPECT_EQ(viewer.ExitCode(), 0);
    }

    // Runs the scene in `folder` and checks what a playing scene shows.
    void ExpectPlays(const std::string& folder, const std::string& shotName)
    {
        ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, folder, {"ORVEX_FRAME_TIMING=1"});
        ASSERT_TRUE(viewer.Started());
        ASSERT_TRUE(WaitForOverlay(viewer, 20.0)) << viewer.Stderr();
        Sleep(1.5); // past the first full second of frame counting
        const Shot first = TakeScreenshot(shotName + "-1");
        Sleep(0.4);
        const Shot later = TakeScreenshot(shotName + "-2");
        ASSERT_FALSE(first.Empty());
        ASSERT_EQ(first.width, 1024);
        ASSERT_EQ(first.height, 768);

        // The driver name in cyan at the top left, the frame rate in yellow below it.
        EXPECT_LT(DriverLineDistance(later), 0.5);
        const int fps = ReadFramesPerSecond(later);
        EXPECT_GT(fps, 0) << "the frame-rate line reads " << fps;
        char line[16];
        std::snprintf(line, sizeof line, "FPS: %03d", fps);
        EXPECT_LT(TextDistance(later, 16, line, kYellow, 120), 0.5);
        std::cout << "[ shown    ] " << line << std::endl;

        // The scene about the centre (its middle within the central half of the screen; the
        // camera looks at the origin, where the sample figure has its middle), and it moves.
        const Box box = SceneBounds(later, 40);
        ASSERT_FALSE(box.Empty());
        EXPECT_NEAR((box.left + box.right) / 2.0, 512.0, 256.0);
        EXPECT_NEAR((box.top + box.bottom) / 2.0, 384.0, 192.0);
        EXPECT_GT(box.bottom - box.top, 100);
        EXPECT_GT(ChangedPixels(first, later, 32), 500);

        ExpectEscapeEndsWithZero(viewer);
        const std::vector<std::string> lines = Lines(viewer.Stderr());
        ASSERT_EQ(lines.size(), 1u) << viewer.Stderr();
        EXPECT_EQ(lines[0].rfind("Orvex frame timing:", 0), 0u) << lines[0];
        std::cout << "[ timing   ] " << lines[0] << std::endl;
    }

    TempDir dir;
};

TEST_F(Program, PlaysTheBundledSample)
{
    const std::string samples = ORVEX_SAMPLES_DIR;
    if (!std::filesystem::exists(samples + "/2.MES") || !std::filesystem::exists(samples + "/2.KNX"))
        GTEST_SKIP() << "no sample scene in " << samples;
    ExpectPlays(samples, "sample");
}

TEST_F(Program, PlaysAWriterMadeScene)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Turning, &error)) << error;
    ExpectPlays(dir.Path(), "box");
}

// Drags with a mouse button and an optional held key, in steps of `step` pixels to the
// right (negative: left), through xdotool's relative moves.
void Drag(int button, int steps, int step, const char* key = nullptr)
{
    if (key)
        PressKey(key, true);
    Xdotool("mousedown " + std::to_string(button));
    Sleep(0.15);
    for (int i = 0; i < steps; ++i) {
        Xdotool("mousemove_relative -- " + std::to_string(step) + " 0");
        Sleep(0.04);
    }
    Sleep(0.15);
    Xdotool("mouseup " + std::to_string(button));
    if (key)
        PressKey(key, false);
    Sleep(0.3);
}

TEST_F(Program, KeysOtherThanEscapeDoNothingAndDragsMoveTheCameraExactly)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Still, &error)) << error;
    ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, dir.Path());
    ASSERT_TRUE(WaitForOverlay(viewer, 20.0)) << viewer.Stderr();
    Sleep(0.3);
    const Shot start = TakeScreenshot("input-start");

    ASSERT_TRUE(Xdotool("key a space Return Tab F1 BackSpace Delete Up Left q x Control_L Alt_R Shift_R"));
    Sleep(0.5);
    EXPECT_TRUE(viewer.Running());
    EXPECT_EQ(ChangedPixels(start, TakeScreenshot(), 32), 0) << "a key changed the picture";

    // The picture below the overlay compared with the start; exact integer steps (degrees,
    // multiples of 50 or 5 pixels) bring the camera back exactly.
    auto changedFromStart = [&](const char* name) { return ChangedPixels(start, TakeScreenshot(name), 32); };

    Drag(1, 4, 10); // left: 40 degrees about y
    const Shot turned = TakeScreenshot("input-turned");
    EXPECT_GT(ChangedPixels(start, turned, 32), 5000);
    Drag(1, 4, -10);
    EXPECT_EQ(changedFromStart("input-back"), 0);

    Drag(1, 4, 10, "Shift_R"); // the right Shift is no Shift: the same 40 degrees about y
    EXPECT_EQ(ChangedPixels(turned, TakeScreenshot("input-right-shift"), 32), 0);
    Drag(1, 4, -10);
    EXPECT_EQ(changedFromStart("input-back-2"), 0);

    Drag(1, 4, 10, "Shift_L"); // left Shift: 40 degrees about z instead
    const Shot rolled = TakeScreenshot("input-rolled");
    EXPECT_GT(ChangedPixels(start, rolled, 32), 5000);
    EXPECT_GT(ChangedPixels(turned, rolled, 32), 5000);
    Drag(1, 4, -10, "Shift_L");
    EXPECT_EQ(changedFromStart("input-back-3"), 0);

    const Box home = SceneBounds(start, 40);
    Drag(3, 2, 50); // right: the camera one unit right per 50 pixels, the box goes left
    const Box moved = SceneBounds(TakeScreenshot("input-moved"), 40);
    EXPECT_LT(moved.left, home.left - 50);
    EXPECT_LT(moved.right, home.right - 50);
    Drag(3, 2, -50);
    EXPECT_EQ(changedFromStart("input-back-4"), 0);

    Drag(3, 2, 5, "Shift_L"); // left Shift: 10 pixels zoom out by 2 units
    const Box zoomed = SceneBounds(TakeScreenshot("input-zoomed"), 40);
    EXPECT_LT(zoomed.right - zoomed.left, home.right - home.left - 20);
    Drag(3, 2, -5, "Shift_L");
    EXPECT_EQ(changedFromStart("input-back-5"), 0);

    ExpectEscapeEndsWithZero(viewer);
    EXPECT_EQ(viewer.Stderr(), "");
}

// The glTF models of the shared collection, or "" when this checkout has none.
std::string AssetsDir()
{
    if (const char* assets = std::getenv("ORVEX_ASSETS"))
        return assets;
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    return source ? std::string(source) + "/../shared/assets" : std::string();
}

// The textured walking figure converted into <dir>/models, the viewer run from <dir>/work.
class ConvertedModel : public Program {
protected:
    void SetUp() override
    {
        Program::SetUp();
        if (IsSkipped())
            return;
        const std::string model = AssetsDir() + "/CesiumMan/glTF/CesiumMan.gltf";
        if (!std::filesystem::exists(model))
            GTEST_SKIP() << "no model " << model;
        if (!std::filesystem::exists(ORVEX_CONVERT_PROGRAM))
            GTEST_SKIP() << "no converter";
        std::filesystem::create_directories(dir.File("models"));
        std::filesystem::create_directories(dir.File("work"));
        ViewerProcess convert(ORVEX_CONVERT_PROGRAM, dir.File("models"), {}, {model, "-o", "man"});
        ASSERT_TRUE(convert.WaitForExit(120.0));
        ASSERT_EQ(convert.ExitCode(), 0) << convert.Stderr();
    }

    // The model's box on screen while the viewer plays it with `options`, then Escape.
    Box Play(const std::vector<std::string>& options, const std::string& shotName, Shot* shot)
    {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"../models/man.mes", "../models/man.knx"});
        ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, dir.File("work"), {}, arguments);
        EXPECT_TRUE(WaitForOverlay(viewer, 20.0)) << viewer.Stderr();
        Sleep(0.5);
        *shot = TakeScreenshot(shotName);
        ExpectEscapeEndsWithZero(viewer);
        EXPECT_EQ(viewer.Stderr(), "");
        return SceneBounds(*shot, 40);
    }
};

// Pixels below the overlay whose colour is not a grey: the figure's texture shows.
int ColouredPixels(const Shot& shot)
{
    int count = 0;
    for (int y = 40; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const Rgb& p = shot.At(x, y);
            const int high = std::max({p[0], p[1], p[2]}), low = std::min({p[0], p[1], p[2]});
            count += high - low > 40;
        }
    return count;
}

TEST_F(ConvertedModel, PlaysFromAThirdFolderWithItsTexturesAndFitFillsThePicture)
{
    Shot shot;
    const Box plain = Play({}, "converted", &shot);
    ASSERT_FALSE(plain.Empty()) << "nothing drawn";
    EXPECT_GT(ColouredPixels(shot), 200) << "the figure's texture";
    std::cout << "[ plain    ] figure " << plain.right - plain.left + 1 << "x" << plain.bottom - plain.top + 1
              << std::endl;

    const Box fitted = Play({"--fit"}, "converted-fit", &shot);
    ASSERT_FALSE(fitted.Empty());
    const int height = fitted.bottom - fitted.top + 1;
    std::cout << "[ fit      ] figure " << fitted.right - fitted.left + 1 << "x" << height << std::endl;
    EXPECT_GE(height, 768 / 2);
    EXPECT_GT(fitted.top, 0);
    EXPECT_LT(fitted.bottom, 767);
    EXPECT_GT(ColouredPixels(shot), 2000);
}

// An ordinary window plays as full screen does: overlay, picture, Escape.
TEST_F(Program, WindowOptionPlaysInAWindow)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Turning, &error)) << error;
    ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, dir.Path(), {}, {"--window", "2.MES"});
    ASSERT_TRUE(WaitForOverlay(viewer, 20.0)) << viewer.Stderr();
    EXPECT_FALSE(SceneBounds(TakeScreenshot("window"), 40).Empty());
    ExpectEscapeEndsWithZero(viewer);
    EXPECT_EQ(viewer.Stderr(), "");
}

TEST_F(Program, ABadOptionOrMissingFileEndsBeforeAnyWindow)
{
    ViewerProcess usage(ORVEX_VIEWER_PROGRAM, dir.Path(), {}, {"--fullscreen"});
    ASSERT_TRUE(usage.WaitForExit(10.0));
    EXPECT_EQ(usage.ExitCode(), 2);
    EXPECT_EQ(usage.Stderr().rfind("Orvex: unknown option --fullscreen\nusage: Orvex ", 0), 0u) << usage.Stderr();

    ViewerProcess missing(ORVEX_VIEWER_PROGRAM, dir.Path(), {}, {"nowhere/fox.mes"});
    ASSERT_TRUE(missing.WaitForExit(10.0));
    EXPECT_EQ(missing.ExitCode(), 1);
    EXPECT_EQ(missing.Stderr(), "Orvex: cannot open \"nowhere/fox.mes\": No such file or directory\n");
}

struct StartupFailure {
    const char* name;
    std::function<bool(const std::string&)> make;
    const char* named; // what the line must mention
};

void PrintTo(const StartupFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class FailingProgram : public Program, public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(FailingProgram, EndsWithStatusOneAndOneLineOnStderr)
{
    ASSERT_TRUE(GetParam().make(dir.Path()));
    ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, dir.Path());
    ASSERT_TRUE(viewer.WaitForExit(30.0));
    EXPECT_EQ(viewer.Signal(), 0);
    EXPECT_EQ(viewer.ExitCode(), 1);
    const std::vector<std::string> lines = Lines(viewer.Stderr());
    ASSERT_EQ(lines.size(), 1u) << viewer.Stderr();
    EXPECT_EQ(lines[0].rfind("Orvex: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(GetParam().named), std::string::npos) << lines[0];
}

bool Box(const std::string& dir)
{
    std::string error;
    return WriteBoxScene(dir, BoxMotion::Turning, &error);
}

// Files named on the command line are refused with the loader's reason, naming the file by
// the full path the viewer loaded it from.
TEST_F(Program, NamedFilesThatCannotLoadGiveTheLoadersReason)
{
    const std::string models = dir.File("models");
    std::filesystem::create_directories(models);
    std::string error;
    ASSERT_TRUE(WriteSceneWithIndexOutOfRange(models, &error)) << error;
    ViewerProcess scene(ORVEX_VIEWER_PROGRAM, dir.Path(), {}, {"--window", "models/2.MES"});
    ASSERT_TRUE(scene.WaitForExit(30.0));
    EXPECT_EQ(scene.ExitCode(), 1);
    std::vector<std::string> lines = Lines(scene.Stderr());
    ASSERT_EQ(lines.size(), 1u) << scene.Stderr();
    EXPECT_EQ(lines[0].rfind("Orvex: cannot load the mesh scene \"/", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("/models/2.MES\": mesh 0 \"tri\", group 0, list 0: index 9 is not below the vertex "
                            "count 3"),
              std::string::npos)
        << lines[0];

    ASSERT_TRUE(Box(models) && TruncateFile(models + "/2.KNX", 200));
    ViewerProcess animation(ORVEX_VIEWER_PROGRAM, dir.Path(), {}, {"--window", "models/2.MES", "models/2.KNX"});
    ASSERT_TRUE(animation.WaitForExit(30.0));
    EXPECT_EQ(animation.ExitCode(), 1);
    lines = Lines(animation.Stderr());
    ASSERT_EQ(lines.size(), 1u) << animation.Stderr();
    EXPECT_EQ(lines[0].rfind("Orvex: cannot load the animation \"/", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("/models/2.KNX\": track section: track count 1 of 41 frames each needs at least 1153 "
                            "bytes, the file has 179 left"),
              std::string::npos)
        << lines[0];
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, FailingProgram,
    ::testing::Values(
        StartupFailure{"NoSceneFiles", [](const std::string&) { return true; }, "\"2.MES\""},
        StartupFailure{"CorruptScene", [](const std::string& d) { return Box(d) && TruncateFile(d + "/2.MES", 500); },
                       "\"2.MES\""},
        StartupFailure{
            "SceneWithAnIndexOutOfRange",
            [](const std::string& d) {
                std::string error;
                return WriteSceneWithIndexOutOfRange(d, &error);
            },
            "Orvex: cannot load the mesh scene \"2.MES\": mesh 0 \"tri\", group 0, list 0: index 9 is not below "
            "the vertex count 3"},
        StartupFailure{"MissingAnimation",
                       [](const std::string& d) { return Box(d) && std::filesystem::remove(d + "/2.KNX"); },
                       "\"2.KNX\""},
        StartupFailure{"CorruptAnimation",
                       [](const std::string& d) { return Box(d) && TruncateFile(d + "/2.KNX", 100); }, "\"2.KNX\""},
        StartupFailure{"AnimationForAnotherScene",
                       [](const std::string& d) {
                           std::string error;
                           return Box(d) && WriteTwoTrackAnimation(d, &error);
                       },
                       "2 tracks, 1 nodes"}),
    [](const ::testing::TestParamInfo<StartupFailure>& info) { return std::string(info.param.name); });

TEST_F(Program, NoWindowEndsWithStatusOneAndOneLine)
{
    ASSERT_TRUE(Box(dir.Path()));
    ViewerProcess viewer(ORVEX_VIEWER_PROGRAM, dir.Path(), {"DISPLAY=:4711", "SDL_VIDEODRIVER=x11"});
    ASSERT_TRUE(viewer.WaitForExit(30.0));
    EXPECT_EQ(viewer.Signal(), 0);
    EXPECT_EQ(viewer.ExitCode(), 1);
    const std::vector<std::string> lines = Lines(viewer.Stderr());
    ASSERT_EQ(lines.size(), 1u) << viewer.Stderr();
    EXPECT_EQ(lines[0].rfind("Orvex: cannot open the 1024x768 window", 0), 0u) << lines[0];
}

} // namespace
