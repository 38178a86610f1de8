#include "ViewerMain.h"

#include "FrameProfile.h"
#include "MessageLoop.h"
#include "ViewerCommandLine.h"

#include "orvex/render/GlDriver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kBitsPerPixel = 16; // the desktop's depth is kept whatever this says
} // namespace

int ViewerRun::Start(ViewerHost& host, int argc, const char* const* argv)
{
    ViewerOptions options;
    if (const std::optional<int> status = ParseViewerCommandLine(argc, argv, &options, stdout, stderr))
        return *status;
    ViewerFiles files;
    std::string failure;
    if (!PrepareViewer(options, &files, &failure)) {
        host.ReportFailure(failure.c_str());
        return 1;
    }

    if (const char* timing = std::getenv("ORVEX_FRAME_TIMING"))
        frameProfile.Enable(std::strcmp(timing, "finish") == 0);

    int width = 0, height = 0;
    host.WindowSize(&width, &height);
    const bool fullScreen = !options.window && host.HasDisplayModes();
    if (!host.CreateMainWindow(width, height, fullScreen)) {
        char reason[300];
        std::snprintf(reason, sizeof reason, "cannot open the %dx%d window: %s", width, height,
                      host.WindowError().c_str());
        host.DestroyMainWindow();
        host.ReportFailure(reason);
        return 1;
    }

    app.emplace();
    app->SetInput(&host.Input());
    app->SetFullScreen(fullScreen);
    app->SetPlayback(files.scene, files.animation, options.fit);
    if (!app->Init(width, height, kBitsPerPixel)) {
        const std::string reason = app->GetFailure();
        app.reset(); // its destructor releases what Init made and restores the display
        host.DestroyMainWindow();
        host.ReportFailure(reason.c_str());
        return 1;
    }
    return -1;
}

void ViewerRun::Finish(ViewerHost& host)
{
    if (!app)
        return;
    app->Shutdown();
    host.DestroyMainWindow();
    app.reset();
    frameProfile.Report(stderr, GetDriverName(GetDriverKind()));
}

int RunViewer(ViewerHost& host, int argc, const char* const* argv)
{
    ViewerRun run;
    if (const int status = run.Start(host, argc, argv); status >= 0)
        return status;
    const int exitCode = RunMessageLoop(run.Application(), host.Queue());
    run.Finish(host);
    return exitCode;
}
