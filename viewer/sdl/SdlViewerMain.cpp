// Orvex on SDL: plays the animated scene "2.MES" + "2.KNX" of the working directory, or the
// scene the command line names, full screen. Escape ends it. A start-up failure is reported as
// one line on stderr and exit status 1; a refused command line with status 2.
#include "SdlInputState.h"
#include "SdlMainWindow.h"
#include "SdlMessageQueue.h"
#include "ViewerMain.h"

#include <cstdio>
#include <optional>

namespace {

class SdlViewerHost final : public ViewerHost {
public:
    bool CreateMainWindow(int width, int height, bool fullScreen) override
    {
        return window.Create(sdl, width, height, fullScreen);
    }
    void DestroyMainWindow() override { window.Destroy(); }
    std::string WindowError() override { return SDL_GetError(); }
    InputState& Input() override { return input; }
    MessageQueue& Queue() override
    {
        // Its event types are registered with SDL video, which the window started.
        if (!queue)
            queue.emplace();
        return *queue;
    }
    void ReportFailure(const char* reason) override { std::fprintf(stderr, "Orvex: %s\n", reason); }

private:
    SdlPlatform sdl; // outlives the window
    SdlMainWindow window;
    SdlInputState input;
    std::optional<SdlMessageQueue> queue;
};

} // namespace

int main(int argc, char** argv)
{
    SdlViewerHost host;
    return RunViewer(host, argc, argv);
}
