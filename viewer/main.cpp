// Orvex: plays the animated scene "2.MES" + "2.KNX" of the working directory, or the scene
// the command line names, full screen. Escape ends it. A start-up failure is reported as one
// line on stderr and exit status 1; a refused command line with status 2.
#include "FrameProfile.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "SdlInputState.h"
#include "SdlMessageQueue.h"
#include "TestApplication.h"
#include "ViewerCommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kBitsPerPixel = 16;  // the desktop's depth is kept whatever this says
}  // namespace

int main(int argc, char** argv)
{
    const ViewerOptions options = ParseViewerCommandLine(argc, argv);
    ViewerFiles files;
    if (const int status = PrepareViewer(options, &files, stdout, stderr); status >= 0) return status;

    if (const char* timing = std::getenv("ORVEX_FRAME_TIMING"))
        frameProfile.Enable(std::strcmp(timing, "finish") == 0);

    SdlPlatform sdl;
    MainWindow window;
    if (!window.Create(sdl, kWidth, kHeight, !options.window)) {
        std::fprintf(stderr, "Orvex: cannot open the %dx%d window: %s\n", kWidth, kHeight, SDL_GetError());
        return 1;
    }

    SdlInputState input;
    std::optional<TestApplication> app;
    app.emplace();
    app->SetInput(&input);
    app->SetFullScreen(!options.window);
    app->SetPlayback(files.scene, files.animation, options.fit);
    if (!app->Init(kWidth, kHeight, kBitsPerPixel)) {
        std::fprintf(stderr, "Orvex: %s\n", app->GetFailure());
        app.reset();  // its destructor releases what Init made and restores the display
        window.Destroy();
        return 1;
    }

    SdlMessageQueue queue;
    const int exitCode = RunMessageLoop(*app, queue);
    app->Shutdown();
    window.Destroy();
    app.reset();
    frameProfile.Report(stderr);
    return exitCode;
}
