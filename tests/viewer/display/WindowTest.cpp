// The viewer's window, input and message loop on the X display, in this process: how the
// window is made, what SDL reports of the mouse and the Shift keys, and that an inactive
// viewer sleeps instead of running frames.
#include "Application.h"
#include "MessageLoop.h"
#include "SdlInputState.h"
#include "SdlMainWindow.h"
#include "SdlMessageQueue.h"
#include "WindowProcedure.h"

#include "ScreenProbe.h"
#include "XWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Handles window messages until the program is active or `seconds` have passed.
bool PumpUntilActive(SdlMessageQueue& queue, double seconds)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (appActive == 0 && Clock::now() < deadline) {
        if (queue.Peek())
            WindowProcedure(queue.Get(), queue);
        else
            Sleep(0.01);
    }
    return appActive != 0;
}

class XWindow : public ::testing::Test {
protected:
    // SDL video on X11 and its GL library, held for the rest of the process. Closing the X
    // display unloads Mesa's driver, and a leak check at exit cannot name what an unloaded
    // library allocated.
    static bool StartVideo()
    {
        static const bool started = [] {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
            return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
        }();
        return started;
    }

    void SetUp() override
    {
        if (!HaveDisplay())
            GTEST_SKIP() << "no X display";
        appActive = 0;
        ASSERT_TRUE(StartVideo()) << SDL_GetError();
        ASSERT_TRUE(window.Create(sdl, 1024, 768)) << SDL_GetError();
    }
    void TearDown() override
    {
        window.Destroy();
        sdl.Shutdown();
        appActive = 0;
    }

    SdlPlatform sdl;
    SdlMainWindow window;
};

TEST_F(XWindow, BorderlessOnTopAtTheTopLeftWithoutCursorAndFocused)
{
    auto* sdlWindow = static_cast<SDL_Window*>(mainWindow);
    ASSERT_NE(sdlWindow, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_NE(flags & SDL_WINDOW_ALWAYS_ON_TOP, 0u);
    EXPECT_NE(flags & SDL_WINDOW_SHOWN, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(sdlWindow), "OpenGL 1.1 Example");
    int x = -1, y = -1, w = 0, h = 0;
    SDL_GetWindowPosition(sdlWindow, &x, &y);
    SDL_GetWindowSize(sdlWindow, &w, &h);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    const std::vector<std::string> states = WindowStates(XWindowOf(sdlWindow));
    EXPECT_NE(std::find(states.begin(), states.end(), "_NET_WM_STATE_ABOVE"), states.end());

    SdlMessageQueue queue;
    EXPECT_TRUE(PumpUntilActive(queue, 3.0)) << "the new window did not become active";

    window.Destroy();
    EXPECT_EQ(mainWindow, nullptr);
    window.Destroy();
}

TEST_F(XWindow, InputStateFollowsThePointerTheButtonsAndOnlyTheLeftShift)
{
    SdlMessageQueue queue;
    ASSERT_TRUE(PumpUntilActive(queue, 3.0));
    SdlInputState input;
    auto read = [&] {
        Sleep(0.1);
        SDL_PumpEvents();
        int x = 0, y = 0;
        input.CursorPosition(&x, &y);
        return std::make_pair(x, y);
    };

    const auto start = read();
    ASSERT_TRUE(Xdotool("mousemove_relative -- 10 5"));
    const auto moved = read();
    EXPECT_EQ(moved.first, start.first + 10);
    EXPECT_EQ(moved.second, start.second + 5);
    EXPECT_FALSE(input.LeftButton());
    EXPECT_FALSE(input.RightButton());

    ASSERT_TRUE(Xdotool("mousedown 1"));
    read();
    EXPECT_TRUE(input.LeftButton());
    EXPECT_FALSE(input.RightButton());
    ASSERT_TRUE(Xdotool("mouseup 1 mousedown 3"));
    read();
    EXPECT_FALSE(input.LeftButton());
    EXPECT_TRUE(input.RightButton());
    ASSERT_TRUE(Xdotool("mouseup 3"));
    read();
    EXPECT_FALSE(input.RightButton());

    ASSERT_TRUE(PressKey("Shift_L", true));
    read();
    EXPECT_TRUE(input.LeftShift());
    ASSERT_TRUE(PressKey("Shift_L", false));
    read();
    EXPECT_FALSE(input.LeftShift());
    ASSERT_TRUE(PressKey("Shift_R", true));
    read();
    EXPECT_NE(SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RSHIFT], 0) << "the key did not arrive";
    EXPECT_FALSE(input.LeftShift());
    ASSERT_TRUE(PressKey("Shift_R", false));
}

// Counts frames and the queue's work from the loop's thread; read from the helper thread.
class CountingApplication final : public Application {
public:
    void Update() override {}
    void Render() override {}
    void Present() override
    {
        ++frames;
        Sleep(0.002);
    }
    std::atomic<int> frames{0};
};

class CountingQueue final : public MessageQueue {
public:
    bool Peek() override
    {
        ++peeks;
        return queue.Peek();
    }
    ViewerMessage Get() override { return queue.Get(); }
    void Wait() override
    {
        ++waits;
        queue.Wait();
    }
    void PostClose() override { queue.PostClose(); }
    void PostQuit(std::int32_t code) override { queue.PostQuit(code); }

    SdlMessageQueue queue;
    std::atomic<long> peeks{0};
    std::atomic<long> waits{0};
};

bool WaitFor(const std::atomic<int>& value, int atLeast, double seconds)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (value < atLeast) {
        if (Clock::now() > deadline)
            return false;
        Sleep(0.01);
    }
    return true;
}

TEST_F(XWindow, WhileAnotherApplicationHasTheFocusNoFrameRunsAndTheLoopSleeps)
{
    const unsigned long viewer = XWindowOf(static_cast<SDL_Window*>(mainWindow));
    ASSERT_NE(viewer, 0u);
    CountingApplication app;
    CountingQueue queue;

    struct Observed {
        bool ranAtStart = false, resumed = false;
        int atFocusLoss = 0, inactiveFrom = 0, inactiveTo = 0;
        long peeks = 0, waits = 0;
    } seen;
    std::thread helper([&] {
        OtherApplicationWindow other;
        seen.ranAtStart = other.Ready() && WaitFor(app.frames, 10, 5.0);
        if (seen.ranAtStart) {
            seen.atFocusLoss = app.frames;
            other.TakeFocus();
            Sleep(0.6); // SDL hands focus changes out 200 ms late
            seen.inactiveFrom = app.frames;
            const long peeks = queue.peeks, waits = queue.waits;
            Sleep(1.0);
            seen.inactiveTo = app.frames;
            seen.peeks = queue.peeks - peeks;
            seen.waits = queue.waits - waits;
            other.GiveFocusTo(viewer);
            seen.resumed = WaitFor(app.frames, seen.inactiveTo + 10, 5.0);
        }
        queue.PostQuit(0); // thread-safe: an SDL event
    });
    const std::int32_t code = RunMessageLoop(app, queue);
    helper.join();

    EXPECT_EQ(code, 0);
    ASSERT_TRUE(seen.ranAtStart) << "no frames while active";
    EXPECT_EQ(seen.inactiveTo, seen.inactiveFrom) << "frames ran while another application had the focus";
    // Asleep in the wait: a few wake-ups a second, not a spinning loop.
    EXPECT_LE(seen.waits, 15);
    EXPECT_LE(seen.peeks, 40);
    EXPECT_TRUE(seen.resumed) << "frames did not resume with the focus";
}

} // namespace
