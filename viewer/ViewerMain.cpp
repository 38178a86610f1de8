#include "ViewerMain.h"

#include "FrameProfile.h"
#include "MessageLoop.h"
#include "TestApplication.h"
#include "ViewerCommandLine.h"

#include "orvex/render/GlDriver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kBitsPerPixel = 16; // the desktop's depth is kept whatever this says
} // namespace

int RunViewer(ViewerHost& host, int argc, const char* const* argv)
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

    if (!host.CreateMainWindow(kWidth, kHeight, !options.window)) {
        char reason[300];
        std::snprintf(reason, sizeof reason, "cannot open the %dx%d window: %s", kWidth, kHeight,
                      host.WindowError().c_str());
        host.DestroyMainWindow();
        host.ReportFailure(reason);
        return 1;
    }

    std::optional<TestApplication> app;
    app.emplace();
    app->SetInput(&host.Input());
    app->SetFullScreen(!options.window);
    app->SetPlayback(files.scene, files.animation, options.fit);
    if (!app->Init(kWidth, kHeight, kBitsPerPixel)) {
        const std::string reason = app->GetFailure();
        app.reset(); // its destructor releases what Init made and restores the display
        host.DestroyMainWindow();
        host.ReportFailure(reason.c_str());
        return 1;
    }

    const int exitCode = RunMessageLoop(*app, host.Queue());
    app->Shutdown();
    host.DestroyMainWindow();
    app.reset();
    frameProfile.Report(stderr, GetDriverName(GetDriverKind()));
    return exitCode;
}
