// Start-up and shutdown of the application object on real GL without a display: SDL's
// offscreen driver (EGL, Mesa llvmpipe), the viewer's own window, and display modes
// recorded on their way to SDL. Also the SDL message queue's translation of events.
#include "OffscreenViewer.h"
#include "SdlMessageQueue.h"

namespace {

using Startup = OffscreenViewer;

struct OpenApplication : Application {
    using Application::lastCursorX;
    using Application::lastCursorY;
};

TEST_F(Startup, InitMakesEverythingAndShutdownReleasesItOnceHoweverOftenItRuns)
{
    auto* window = static_cast<SDL_Window*>(mainWindow);
    {
        OpenApplication app;
        app.SetInput(&input);
        ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
        EXPECT_STREQ(app.GetFailure(), "");
        // 16 bits asked, the desktop's depth kept.
        const int depth = display.ScreenBitsPerPixel();
        EXPECT_EQ(display.log, (std::vector<std::string>{"change 1024x768x" + std::to_string(depth)}));
        EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
        ASSERT_NE(viewerDevice, nullptr);
        ASSERT_NE(viewerFont, nullptr);
        ASSERT_NE(app.GetCamera(), nullptr);
        EXPECT_FLOAT_EQ(app.GetCamera()->positionZ, 10.0f);
        EXPECT_FLOAT_EQ(app.GetCamera()->angleY, 0.0f);
        EXPECT_EQ(app.GetWidth(), 1024);
        EXPECT_EQ(app.GetHeight(), 768);
        // The first frame measures motion from where the mouse was at start-up.
        EXPECT_EQ(app.lastCursorX, 123);
        EXPECT_EQ(app.lastCursorY, 45);

        app.Shutdown();
        EXPECT_EQ(viewerDevice, nullptr);
        EXPECT_EQ(viewerFont, nullptr);
        EXPECT_EQ(app.GetCamera(), nullptr);
        EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
        app.Shutdown();
    } // and the destructor's
    EXPECT_EQ(display.log.size(), 2u);
    EXPECT_EQ(display.log.back(), "restore");
}

// Played in an ordinary window, the viewer never asks for a display mode, so it has none to
// restore, and its window is neither full screen nor borderless.
TEST_F(Startup, InAWindowTheDisplayModeIsLeftAlone)
{
    window.Destroy();
    ASSERT_TRUE(window.Create(sdl, 1024, 768, false));
    auto* sdlWindow = static_cast<SDL_Window*>(mainWindow);
    EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS), 0u);
    {
        Application app;
        app.SetInput(&input);
        app.SetFullScreen(false);
        ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
        EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);
        app.Update();
        app.Render();
        app.Present();
        EXPECT_GT(CountTextPixels(ReadScreen(1024, 768), 1024, 0, 16, {0, 255, 255}), 60);
        app.Shutdown();
    }
    EXPECT_TRUE(display.log.empty()) << display.log.front();
}

TEST_F(Startup, AFrameShowsTheDriverNameInCyanAndTheRateInYellow)
{
    Application app;
    app.SetInput(&input);
    ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
    app.Update();
    app.Render();
    app.Present();
    const std::vector<Rgb> screen = ReadScreen(1024, 768);
    EXPECT_GT(CountTextPixels(screen, 1024, 0, 16, {0, 255, 255}), 60);
    EXPECT_EQ(CountTextPixels(screen, 1024, 0, 16, {255, 255, 0}), 0);
    EXPECT_GT(CountTextPixels(screen, 1024, 16, 32, {255, 255, 0}), 30);
    EXPECT_EQ(CountTextPixels(screen, 1024, 16, 32, {0, 255, 255}), 0);
    // Below the overlay only the clear colour: nothing else is drawn.
    for (int y = 40; y < 768; y += 37)
        for (int x = 0; x < 1024; x += 41)
            ASSERT_EQ(screen[y * 1024 + x], (Rgb{51, 51, 51})) << x << "," << y;
}

TEST_F(Startup, RefusedDisplayModeFailsNamingItAndTheDeviceIsStillReleased)
{
    display.refuse = true;
    {
        Application app;
        EXPECT_FALSE(app.Init(1024, 768, 16));
        const std::string failure = app.GetFailure();
        EXPECT_NE(failure.find("display"), std::string::npos) << failure;
        EXPECT_NE(failure.find("1024x768"), std::string::npos) << failure;
        EXPECT_NE(viewerDevice, nullptr);
        EXPECT_EQ(viewerFont, nullptr);
        EXPECT_EQ(app.GetCamera(), nullptr);
    }
    EXPECT_EQ(viewerDevice, nullptr);
    EXPECT_EQ(display.log.size(), 2u);
    EXPECT_EQ(display.log.back(), "restore");
}

TEST_F(Startup, WithoutAWindowOpenGlCannotBeSetUp)
{
    WindowHandle kept = mainWindow;
    mainWindow = nullptr;
    {
        Application app;
        EXPECT_FALSE(app.Init(1024, 768, 16));
        EXPECT_NE(std::string(app.GetFailure()).find("OpenGL"), std::string::npos) << app.GetFailure();
    }
    mainWindow = kept;
    EXPECT_EQ(display.log.back(), "restore");
    EXPECT_EQ(viewerDevice, nullptr);
}

TEST_F(Startup, SdlEventsBecomeViewerMessages)
{
    SdlMessageQueue queue;
    auto* window = static_cast<SDL_Window*>(mainWindow);
    auto windowEvent = [](SDL_Window* target, Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(target);
        event.window.event = what;
        return event;
    };
    auto expect = [&](const SDL_Event& event, ViewerMessageKind kind, std::int32_t param) {
        const ViewerMessage message = queue.Translate(event);
        EXPECT_EQ(message.kind, kind);
        EXPECT_EQ(message.param, param);
    };
    expect(windowEvent(window, SDL_WINDOWEVENT_FOCUS_GAINED), MessageActivateApp, 1);
    expect(windowEvent(window, SDL_WINDOWEVENT_FOCUS_LOST), MessageActivateApp, 0);
    expect(windowEvent(window, SDL_WINDOWEVENT_CLOSE), MessageClose, 0);
    expect(windowEvent(window, SDL_WINDOWEVENT_MOVED), MessageOther, 0);

    SDL_Window* other = sdl.CreateWindow("other", 0, 0, 8, 8, SDL_WINDOW_HIDDEN);
    ASSERT_NE(other, nullptr);
    expect(windowEvent(other, SDL_WINDOWEVENT_FOCUS_GAINED), MessageOther, 0);
    sdl.DestroyWindow(other);

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    expect(key, MessageKeyDown, kKeyEscape);
    key.key.keysym.sym = SDLK_a;
    expect(key, MessageKeyDown, 'a');
    key.type = SDL_KEYUP;
    expect(key, MessageOther, 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    expect(quit, MessageClose, 0);

    // The viewer's own requests go through SDL's queue, behind what waits there.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    queue.PostClose();
    queue.PostQuit(3);
    ASSERT_TRUE(queue.Peek());
    std::vector<ViewerMessage> got;
    while (queue.Peek()) {
        const ViewerMessage message = queue.Get();
        if (message.kind != MessageOther)
            got.push_back(message);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].kind, MessageClose);
    EXPECT_EQ(got[1].kind, MessageQuit);
    EXPECT_EQ(got[1].param, 3);
}

} // namespace
