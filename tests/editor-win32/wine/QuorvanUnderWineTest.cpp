// Quorvan.exe, the editor's Windows build, under Wine on the test X display, driven as a user
// drives it: keys and the pointer through xdotool, the picture read from screenshots. The
// program's test mode (QUORVAN_REPORT=1) writes what a user sees happen as lines on stdout:
// titles, dialogs and message boxes, and where its first frame was drawn.
// scripts/test.sh builds the Windows programs and names them here: ORVEX_WINDOWS_EDITOR
// (Quorvan.exe) and ORVEX_WINE (the wine64 loader), with WINEPREFIX set to the build's own
// prefix. Without them the tests are skipped.
#include "ScreenProbe.h"
#include "TempDir.h"
#include "ViewerProcess.h"
#include "ViewerScenes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// A Unix path as Wine's drive Z: shows it.
std::string WinePath(const std::string& path)
{
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/')
            c = '\\';
    }
    return windows;
}

// Where the view's first frame was drawn (screen pixels).
struct ViewRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool Valid() const { return width > 0 && height > 0; }
};

// Pixels of the overlay's band `line` (0: the driver's name, cyan; 1: the frame rate, yellow)
// in the view's top-left corner, drawn fully in its colour over the grey clear colour.
int OverlayPixels(const Shot& screen, const ViewRect& view, int line)
{
    const bool cyan = line == 0;
    int count = 0;
    for (int y = view.top + 16 * line; y < view.top + 16 * (line + 1) && y < screen.height; ++y) {
        for (int x = view.left; x < view.left + 200 && x < screen.width; ++x) {
            const Rgb& p = screen.At(x, y);
            count += p[1] > 230 && (cyan ? p[0] < 90 && p[2] > 230 : p[0] > 230 && p[2] < 90);
        }
    }
    return count;
}

// Pixels of the view below the overlay that are neither the clear colour nor black.
int ScenePixels(const Shot& screen, const ViewRect& view)
{
    int count = 0;
    for (int y = view.top + 40; y < view.top + view.height && y < screen.height; ++y) {
        for (int x = view.left; x < view.left + view.width && x < screen.width; ++x) {
            const Rgb& p = screen.At(x, y);
            const bool clear = p[0] == 51 && p[1] == 51 && p[2] == 51;
            count += !clear && (p[0] + p[1] + p[2]) > 30;
        }
    }
    return count;
}

class QuorvanUnderWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display";
        const char* editorPath = std::getenv("ORVEX_WINDOWS_EDITOR");
        const char* winePath = std::getenv("ORVEX_WINE");
        if (editorPath == nullptr || winePath == nullptr || !std::filesystem::exists(editorPath))
            GTEST_SKIP() << "no Windows build of the editor (ORVEX_WINDOWS_EDITOR, ORVEX_WINE)";
        editor = editorPath;
        wine = winePath;
        ASSERT_FALSE(dir.Path().empty());
    }

    void Start(const std::vector<std::string>& arguments = {})
    {
        std::vector<std::string> command = {editor};
        command.insert(command.end(), arguments.begin(), arguments.end());
        started = Clock::now();
        process = std::make_unique<ViewerProcess>(
            wine, dir.Path(), std::vector<std::string>{"WINEDEBUG=-all", "QUORVAN_REPORT=1"}, command);
        ASSERT_TRUE(process->Started());
    }

    // The report lines so far, without Windows line ends.
    std::vector<std::string> Reported() const
    {
        std::vector<std::string> lines = Lines(process->Stdout());
        for (std::string& line : lines) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
        }
        return lines;
    }
    // Waits for a report line that starts with `prefix`; the line, or "" when it never comes.
    std::string WaitForReport(const std::string& prefix, double seconds = 60.0)
    {
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < deadline) {
            for (const std::string& line : Reported()) {
                if (line.rfind(prefix, 0) == 0)
                    return line;
            }
            if (!process->Running())
                return {};
            Sleep(0.05);
        }
        return {};
    }
    bool WaitUntil(const std::function<bool()>& condition, double seconds)
    {
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < deadline) {
            if (condition())
                return true;
            Sleep(0.1);
        }
        return false;
    }
    ViewRect FirstFrame(double seconds = 60.0)
    {
        std::istringstream in(WaitForReport("first frame ", seconds).substr(12));
        ViewRect view;
        in >> view.left >> view.top >> view.width >> view.height;
        return view;
    }
    // Keys go to the window under the pointer: the pointer rests in the middle of the view,
    // and a window that has just appeared gets a moment to be activated.
    void KeysToView(const ViewRect& view, const std::string& keys)
    {
        Xdotool("mousemove " + std::to_string(view.left + view.width / 2) + " " +
                std::to_string(view.top + view.height / 2));
        Sleep(0.3);
        Xdotool("key " + keys);
    }
    // The top-level X window titled exactly `title`; false when none shows within `seconds`.
    bool WindowShown(const std::string& title, double seconds = 20.0)
    {
        return WaitUntil([&] { return Xdotool("search --onlyvisible --name '^" + title + "$' >/dev/null"); }, seconds);
    }
    void PointerOver(const std::string& title)
    {
        Xdotool("search --onlyvisible --name '^" + title +
                "$' | head -1 | xargs -I{} xdotool mousemove --window {} 30 30");
        Sleep(0.3);
    }
    void ExitThroughTheFileMenu(const ViewRect& view)
    {
        KeysToView(view, "alt+f");
        Sleep(0.5);
        Xdotool("key x");
        ASSERT_TRUE(process->WaitForExit(30.0)) << "still running after File > Exit";
        EXPECT_EQ(process->Signal(), 0);
        EXPECT_EQ(process->ExitCode(), 0);
    }

    std::string editor;
    std::string wine;
    TempDir dir{"quorvan-wine"};
    std::unique_ptr<ViewerProcess> process;
    Clock::time_point started;
};

TEST_F(QuorvanUnderWine, OpensTheCommandLinesSceneDrawsItWithTheOverlayAndExitsWithZero)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Still, &error)) << error;
    Start({WinePath(dir.File("2.MES"))});
    ASSERT_FALSE(WaitForReport("title 2.MES - Quorvan").empty()) << process->Stdout() << process->Stderr();
    const ViewRect view = FirstFrame();
    ASSERT_TRUE(view.Valid()) << process->Stdout();
    const double firstFrame = std::chrono::duration<double>(Clock::now() - started).count();
    EXPECT_TRUE(WindowShown("2.MES - Quorvan"));

    // The overlay in the view's corner, and the box below it.
    Shot screen;
    ASSERT_TRUE(WaitUntil(
        [&] {
            screen = TakeScreenshot();
            return OverlayPixels(screen, view, 0) > 30 && OverlayPixels(screen, view, 1) > 30;
        },
        20.0))
        << "no overlay in the view at " << view.left << "," << view.top;
    TakeScreenshot("quorvan-wine-box");
    EXPECT_EQ(OverlayPixels(screen, view, 0) > 30, true);
    EXPECT_GT(ScenePixels(screen, view), 500);
    std::cout << "[ timing   ] Quorvan.exe under Wine: first frame " << firstFrame << " s after the start" << std::endl;

    ExitThroughTheFileMenu(view);
}

TEST_F(QuorvanUnderWine, FileOpenAndTheMaterialDialogAsAUserUsesThem)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Still, &error)) << error;
    Start();
    ASSERT_FALSE(WaitForReport("title noname - Quorvan").empty()) << process->Stdout() << process->Stderr();
    const ViewRect view = FirstFrame();
    ASSERT_TRUE(view.Valid());
    ASSERT_TRUE(WindowShown("noname - Quorvan"));

    // File > Open by its accelerator: the system's file dialog, the scene's path typed in.
    KeysToView(view, "ctrl+o");
    ASSERT_FALSE(WaitForReport("dialog Open", 20.0).empty()) << process->Stdout();
    ASSERT_TRUE(WindowShown("Open"));
    PointerOver("Open");
    Xdotool("type --delay 20 '" + WinePath(dir.File("2.MES")) + "'");
    Xdotool("key Return");
    ASSERT_FALSE(WaitForReport("title 2.MES - Quorvan", 20.0).empty()) << process->Stdout();
    Shot screen;
    EXPECT_TRUE(WaitUntil(
        [&] {
            screen = TakeScreenshot();
            return ScenePixels(screen, view) > 500 && OverlayPixels(screen, view, 0) > 30;
        },
        20.0));

    // Tools > Material Editor: the modal dialog lists the box's material; OK closes it.
    KeysToView(view, "alt+t");
    Sleep(0.5);
    Xdotool("key Return");
    ASSERT_FALSE(WaitForReport("dialog Material Editor Dialog...", 20.0).empty()) << process->Stdout();
    ASSERT_TRUE(WindowShown("Material Editor Dialog..."));
    TakeScreenshot("quorvan-wine-materials");
    PointerOver("Material Editor Dialog...");
    Xdotool("key Return");
    ASSERT_FALSE(WaitForReport("dialog ended 1", 20.0).empty()) << process->Stdout();

    ExitThroughTheFileMenu(view);
}

TEST_F(QuorvanUnderWine, CorruptSceneIsRefusedWithTheLoadersReasonAndTheEditorStaysUp)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Still, &error)) << error;
    ASSERT_TRUE(TruncateFile(dir.File("2.MES"), 500));
    Start();
    ASSERT_FALSE(WaitForReport("title noname - Quorvan").empty()) << process->Stdout() << process->Stderr();
    const ViewRect view = FirstFrame();
    ASSERT_TRUE(view.Valid());

    KeysToView(view, "ctrl+o");
    ASSERT_FALSE(WaitForReport("dialog Open", 20.0).empty()) << process->Stdout();
    ASSERT_TRUE(WindowShown("Open"));
    PointerOver("Open");
    Xdotool("type --delay 20 '" + WinePath(dir.File("2.MES")) + "'");
    Xdotool("key Return");
    // The box names the file and gives the loader's reason.
    const std::string message = WaitForReport("message Quorvan: ", 20.0);
    ASSERT_FALSE(message.empty()) << process->Stdout();
    EXPECT_NE(message.find("Cannot open the mesh file"), std::string::npos) << message;
    EXPECT_NE(message.find("2.MES"), std::string::npos) << message;
    EXPECT_NE(message.find("Mesh 0 \"box\": vertex count 24 needs at least 868 bytes, the file has 374 left"),
              std::string::npos)
        << message;
    ASSERT_TRUE(WindowShown("Quorvan"));
    TakeScreenshot("quorvan-wine-refused");
    PointerOver("Quorvan");
    Xdotool("key Return");
    ASSERT_TRUE(WaitUntil([&] { return !Xdotool("search --onlyvisible --name '^Quorvan$' >/dev/null"); }, 10.0));

    // Still up, still with its empty scene, and it ends as usual.
    EXPECT_TRUE(process->Running());
    EXPECT_TRUE(WindowShown("noname - Quorvan"));
    ExitThroughTheFileMenu(view);
}

} // namespace
