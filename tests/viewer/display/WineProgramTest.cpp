// Orvex.exe, the viewer's Windows build, under Wine on the test X display: it plays the
// sample, Escape ends it with status 0, a start-up failure ends it with status 1 and its
// reason on stderr and in a message box, and it reads the viewer's command line. scripts/test.sh builds the Windows
// programs and names them here: ORVEX_WINDOWS_VIEWER (Orvex.exe) and ORVEX_WINE (the wine64 loader), with WINEPREFIX
// set to the build's own prefix. Without them the tests are skipped.
#include "ScreenProbe.h"
#include "TempDir.h"
#include "ViewerProcess.h"
#include "ViewerScenes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

namespace {

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The program's stderr lines; a Windows program ends its lines with CR LF.
std::vector<std::string> WindowsLines(const std::string& text)
{
    std::vector<std::string> lines = Lines(text);
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

// Pixels of a horizontal band of the screen (rows top .. top + 15, the first 300 columns)
// whose colour is the overlay colour over the grey clear colour: the text adds its colour
// to grey (51), so cyan shows as (51, 255, 255) and yellow as (255, 255, 51) where a glyph
// is fully covered.
int OverlayPixels(const Shot& screen, int top, bool cyan)
{
    int count = 0;
    for (int y = top; y < top + 16 && y < screen.height; ++y) {
        for (int x = 0; x < 300 && x < screen.width; ++x) {
            const Rgb& p = screen.At(x, y);
            const bool full = p[1] > 230 && (cyan ? p[0] < 90 && p[2] > 230 : p[0] > 230 && p[2] < 90);
            count += full;
        }
    }
    return count;
}

class WineProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display";
        const char* viewerPath = std::getenv("ORVEX_WINDOWS_VIEWER");
        const char* winePath = std::getenv("ORVEX_WINE");
        if (viewerPath == nullptr || winePath == nullptr || !std::filesystem::exists(viewerPath))
            GTEST_SKIP() << "no Windows build of the viewer (ORVEX_WINDOWS_VIEWER, ORVEX_WINE)";
        viewer = viewerPath;
        wine = winePath;
        ASSERT_FALSE(dir.Path().empty());
    }

    std::unique_ptr<ViewerProcess> Start(const std::string& folder, std::vector<std::string> environment,
                                         const std::vector<std::string>& arguments = {})
    {
        environment.push_back("WINEDEBUG=-all");
        std::vector<std::string> command = {viewer};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return std::make_unique<ViewerProcess>(wine, folder, environment, command);
    }

    // Waits until both overlay lines show; false when the program ends or takes too long.
    static bool WaitForOverlay(ViewerProcess& process, double seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!process.Running())
                return false;
            const Shot screen = TakeScreenshot();
            if (OverlayPixels(screen, 0, true) > 30 && OverlayPixels(screen, 16, false) > 30)
                return true;
            Sleep(0.2);
        }
        return false;
    }

    std::string viewer;
    std::string wine;
    TempDir dir;
};

TEST_F(WineProgram, PlaysTheSampleAndEscapeEndsWithZero)
{
    const std::string samples = ORVEX_SAMPLES_DIR;
    if (!std::filesystem::exists(samples + "/2.MES"))
        GTEST_SKIP() << "no sample scene in " << samples;
    auto process = Start(samples, {"ORVEX_NO_MESSAGE_BOX=1", "ORVEX_FRAME_TIMING=1"});
    ASSERT_TRUE(process->Started());
    ASSERT_TRUE(WaitForOverlay(*process, 60.0)) << process->Stderr();
    Sleep(1.5); // past the first full second of frame counting
    const Shot first = TakeScreenshot("wine-sample-1");
    Sleep(0.4);
    const Shot later = TakeScreenshot("wine-sample-2");
    ASSERT_EQ(later.width, 1024);
    ASSERT_EQ(later.height, 768);

    // The driver line in cyan on top, the frame rate in yellow below it, neither in the
    // other's colour.
    EXPECT_GT(OverlayPixels(later, 0, true), 30);
    EXPECT_EQ(OverlayPixels(later, 0, false), 0);
    EXPECT_GT(OverlayPixels(later, 16, false), 30);
    EXPECT_EQ(OverlayPixels(later, 16, true), 0);

    // The figure about the centre, and it moves.
    const Box box = SceneBounds(later, 40);
    ASSERT_FALSE(box.Empty());
    EXPECT_NEAR((box.left + box.right) / 2.0, 512.0, 256.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 384.0, 192.0);
    EXPECT_GT(box.bottom - box.top, 100);
    EXPECT_GT(ChangedPixels(first, later, 32), 500);

    ASSERT_TRUE(Xdotool("key Escape"));
    ASSERT_TRUE(process->WaitForExit(20.0)) << "still running after Escape";
    EXPECT_EQ(process->Signal(), 0);
    EXPECT_EQ(process->ExitCode(), 0);

    // The timing line names the driver the Windows build chose.
    const std::vector<std::string> lines = WindowsLines(process->Stderr());
    ASSERT_EQ(lines.size(), 1u) << process->Stderr();
    EXPECT_EQ(lines[0].rfind("Orvex frame timing:", 0), 0u) << lines[0];
    const std::size_t driver = lines[0].find("; driver ");
    ASSERT_NE(driver, std::string::npos) << lines[0];
    const std::string name = lines[0].substr(driver + 9);
    EXPECT_TRUE(name == "Default OpenGL Driver" || name == "SGI Software OpenGL Driver" ||
                name == "3dfx Standalone OpenGL Driver")
        << name;
    std::cout << "[ driver   ] Orvex.exe under Wine selected \"" << name << "\"" << std::endl;
    std::cout << "[ timing   ] " << lines[0] << std::endl;
}

TEST_F(WineProgram, CorruptSceneEndsWithStatusOneAndTheLoadersReason)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Turning, &error)) << error;
    ASSERT_TRUE(TruncateFile(dir.Path() + "/2.MES", 500));
    auto process = Start(dir.Path(), {"ORVEX_NO_MESSAGE_BOX=1"});
    ASSERT_TRUE(process->WaitForExit(60.0));
    EXPECT_EQ(process->Signal(), 0);
    EXPECT_EQ(process->ExitCode(), 1);
    std::vector<std::string> lines = WindowsLines(process->Stderr());
    ASSERT_EQ(lines.size(), 1u) << process->Stderr();
    // Mesh "box" holds 24 vertices from byte 126; cut at 500 the file has 374 bytes of them.
    EXPECT_EQ(lines[0], "Orvex: cannot load the mesh scene \"2.MES\": mesh 0 \"box\": vertex count 24 needs at least "
                        "868 bytes, the file has 374 left");

    ASSERT_TRUE(WriteSceneWithIndexOutOfRange(dir.Path(), &error)) << error;
    process = Start(dir.Path(), {"ORVEX_NO_MESSAGE_BOX=1"});
    ASSERT_TRUE(process->WaitForExit(60.0));
    EXPECT_EQ(process->ExitCode(), 1);
    lines = WindowsLines(process->Stderr());
    ASSERT_EQ(lines.size(), 1u) << process->Stderr();
    EXPECT_EQ(lines[0], "Orvex: cannot load the mesh scene \"2.MES\": mesh 0 \"tri\", group 0, list 0: index 9 is not "
                        "below the vertex count 3");
}

TEST_F(WineProgram, StartupFailureShowsAMessageBoxUnlessSuppressed)
{
    // No scene at all, and no ORVEX_NO_MESSAGE_BOX: the reason waits in a box captioned
    // "Orvex" until it is answered.
    auto process = Start(dir.Path(), {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool boxShown = false;
    while (!boxShown && process->Running() && std::chrono::steady_clock::now() < deadline) {
        Sleep(0.3);
        boxShown = Xdotool("search --name '^Orvex$' >/dev/null");
    }
    ASSERT_TRUE(boxShown) << process->Stderr();
    Sleep(0.5); // drawn and focused
    EXPECT_TRUE(process->Running());
    TakeScreenshot("wine-message-box");
    // The box shows the line stderr has: the loader's reason included.
    EXPECT_NE(process->Stderr().find("Orvex: cannot load the mesh scene \"2.MES\": the file cannot be opened"),
              std::string::npos)
        << process->Stderr();
    // Return answers the box's OK button once the box has the keyboard.
    for (int attempt = 0; attempt < 20 && process->Running(); ++attempt) {
        Xdotool("key Return");
        process->WaitForExit(0.5);
    }
    ASSERT_TRUE(process->WaitForExit(5.0)) << "the box did not end the program";
    EXPECT_EQ(process->ExitCode(), 1);
}

// The Windows entry point reads the viewer's command line as the SDL one does: a bad option
// ends with status 2 and the usage, a named file that is not there with status 1 before any
// window, and a scene named from another folder plays in an ordinary window with --window.
TEST_F(WineProgram, TakesTheViewersCommandLine)
{
    auto usage = Start(dir.Path(), {"ORVEX_NO_MESSAGE_BOX=1"}, {"--fullscreen"});
    ASSERT_TRUE(usage->WaitForExit(60.0));
    EXPECT_EQ(usage->ExitCode(), 2);
    const std::vector<std::string> lines = WindowsLines(usage->Stderr());
    ASSERT_GE(lines.size(), 2u) << usage->Stderr();
    EXPECT_EQ(lines[0], "Orvex: unknown option --fullscreen");
    EXPECT_EQ(lines[1].rfind("usage: Orvex [--window] [--fit]", 0), 0u) << lines[1];

    auto missing = Start(dir.Path(), {"ORVEX_NO_MESSAGE_BOX=1"}, {"missing.mes"});
    ASSERT_TRUE(missing->WaitForExit(60.0));
    EXPECT_EQ(missing->ExitCode(), 1);
    EXPECT_EQ(WindowsLines(missing->Stderr()),
              std::vector<std::string>{"Orvex: cannot open \"missing.mes\": No such file or directory"});

    std::filesystem::create_directories(dir.File("models"));
    std::filesystem::create_directories(dir.File("work"));
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.File("models"), BoxMotion::Turning, &error)) << error;
    auto windowed = Start(dir.File("work"), {"ORVEX_NO_MESSAGE_BOX=1"},
                          {"--window", "--fit", "../models/2.MES", "../models/2.KNX"});
    // The overlay's cyan line shows wherever the window has been put, whole: the captioned
    // window keeps its 1024x768 client area on a screen of that size.
    bool drawn = false;
    for (int attempt = 0; attempt < 150 && !drawn && windowed->Running(); ++attempt) {
        const Shot screen = TakeScreenshot();
        int cyan = 0;
        for (int y = 0; y < screen.height; y += 1)
            for (int x = 0; x < screen.width; x += 2) {
                const Rgb& p = screen.At(x, y);
                cyan += p[0] < 90 && p[1] > 230 && p[2] > 230;
            }
        drawn = cyan > 15;
        if (!drawn)
            Sleep(0.2);
    }
    EXPECT_TRUE(drawn) << windowed->Stderr();
    TakeScreenshot("wine-window");
    for (int attempt = 0; attempt < 20 && windowed->Running(); ++attempt) {
        Xdotool("key Escape");
        windowed->WaitForExit(0.5);
    }
    ASSERT_TRUE(windowed->WaitForExit(10.0)) << "still running after Escape";
    EXPECT_EQ(windowed->ExitCode(), 0);
    EXPECT_EQ(windowed->Stderr(), "");
}

} // namespace
