// Orvex on a web page. The page (index.html, orvex-page.js) writes a scene's files into the
// module's file system and runs main with the viewer's command line; main starts the viewer
// on the page's canvas as every platform does (ViewerRun) and then, instead of the blocking
// message loop, runs one frame per animation frame of the browser. A start-up failure goes to
// the page (Module.onFailure), which shows it; the next load runs in a fresh module.
#include "MessageLoop.h"
#include "ViewerMain.h"
#include "WebInputState.h"
#include "WindowProcedure.h"

#include "info/FileWalk.h"
#include "orvex/web/WebPlatform.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

EM_JS(void, OrvexReportFailure, (const char* reason), {
    var text = 'Orvex: ' + UTF8ToString(reason);
    if (Module.onFailure)
        Module.onFailure(text);
    else
        console.error(text);
});

EM_JS(void, OrvexFirstFrame, (), {
    if (Module.onFirstFrame)
        Module.onFirstFrame();
});

class WebViewerHost final : public ViewerHost {
public:
    explicit WebViewerHost(const char* selector) : canvas{selector} {}

    bool CreateMainWindow(int width, int height, bool) override
    {
        if (!SizeCanvas(width, height))
            return false;
        mainWindow = &canvas;
        // The page plays while it is shown; a hidden page gets no animation frames.
        appActive = 1;
        input.Attach(canvas.selector.c_str());
        return true;
    }
    void DestroyMainWindow() override
    {
        input.Detach();
        mainWindow = nullptr;
        appActive = 0;
    }
    std::string WindowError() override { return "no canvas " + canvas.selector + " on the page"; }
    InputState& Input() override { return input; }
    // No messages arrive on a page: its events go straight to the input.
    MessageQueue& Queue() override { return queue; }
    void ReportFailure(const char* reason) override { OrvexReportFailure(reason); }
    void WindowSize(int* width, int* height) override { CanvasSize(width, height); }
    bool HasDisplayModes() override { return false; }

    // Gives the canvas's drawing buffer its size on the page.
    bool SizeCanvas(int width, int height)
    {
        return emscripten_set_canvas_element_size(canvas.selector.c_str(), width, height) == EMSCRIPTEN_RESULT_SUCCESS;
    }

    // The canvas's size on the page, in CSS pixels, at least 1 x 1.
    void CanvasSize(int* width, int* height) const
    {
        double w = 0, h = 0;
        emscripten_get_element_css_size(canvas.selector.c_str(), &w, &h);
        *width = w >= 1 ? static_cast<int>(w) : 1;
        *height = h >= 1 ? static_cast<int>(h) : 1;
    }

private:
    class NoMessages final : public MessageQueue {
    public:
        bool Peek() override { return false; }
        ViewerMessage Get() override { return {MessageQuit, 0}; }
        void Wait() override {}
        void PostClose() override {}
        void PostQuit(std::int32_t) override {}
    };

    WebCanvas canvas;
    WebInputState input;
    NoMessages queue;
};

WebPlatform platform;
WebViewerHost host("#canvas");
ViewerRun run;
bool playing = false;
int frames = 0;

EM_BOOL Frame(double, void*)
{
    if (!playing)
        return EM_FALSE;
    // The page follows the window's size; so does the picture, from this frame on.
    TestApplication& app = run.Application();
    int width = 0, height = 0;
    host.CanvasSize(&width, &height);
    if (width != app.GetWidth() || height != app.GetHeight()) {
        host.SizeCanvas(width, height);
        app.Resize(width, height);
    }
    RunFrame(app);
    if (++frames == 1)
        OrvexFirstFrame();
    return EM_TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    platform.Register();
    const int status = run.Start(host, argc, argv);
    if (status >= 0)
        return status;
    playing = true;
    emscripten_request_animation_frame_loop(&Frame, nullptr);
    return 0;
}

// Stops the frames and releases the viewer (scene, animation, font, GL context), for the
// page to drop this module.
extern "C" EMSCRIPTEN_KEEPALIVE void orvex_stop()
{
    if (playing) {
        playing = false;
        run.Finish(host);
    }
    platform.Unregister();
}

// The texture names that the scene file's materials give, one per line, each once; the page
// fetches "<name>.TGA" beside the scene before the viewer starts. Empty for a file without.
extern "C" EMSCRIPTEN_KEEPALIVE const char* orvex_scene_textures(const char* path)
{
    static std::string names;
    names.clear();
    std::set<std::string> seen;
    for (const std::string& name : info::WalkMes(path).textures)
        if (!name.empty() && seen.insert(name).second)
            names += name + "\n";
    return names.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE int orvex_frame_count()
{
    return frames;
}

extern "C" EMSCRIPTEN_KEEPALIVE float orvex_frames_per_second()
{
    return playing ? run.Application().GetFramesPerSecond() : 0.0f;
}
