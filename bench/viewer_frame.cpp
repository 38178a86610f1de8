// The viewer's frame on the bundled sample, on real GL without a display (offscreen SDL,
// llvmpipe here): Update (input, counting, animation, bones and skin), Render (clear,
// projection, camera, scene, waited for with glFinish so the rasterising counts here),
// Present (the two overlay lines and the end of the frame) and the whole frame.
// Run from the source tree or set ORVEX_SAMPLES to the folder holding 2.MES and 2.KNX.
#include "SdlMainWindow.h"
#include "TestApplication.h"

#include "orvex/render/GlApi.h"
#include "orvex/sdl/SdlHeadlessSurface.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::filesystem::path SampleFolder()
{
    if (const char* folder = std::getenv("ORVEX_SAMPLES"))
        return folder;
    std::filesystem::path dir = std::filesystem::current_path();
    for (int up = 0; up < 4; ++up, dir = dir.parent_path())
        if (std::filesystem::exists(dir / "samples" / kSceneFile))
            return dir / "samples";
    return {};
}

struct ViewerFrame {
    SdlPlatform sdl;
    SdlMainWindow window;
    TestApplication app;
    std::string failure;

    ViewerFrame()
    {
        const std::filesystem::path samples = SampleFolder();
        if (samples.empty()) {
            failure = "no samples/2.MES here or above; set ORVEX_SAMPLES";
            return;
        }
        if (!SdlHeadlessSurface::StartVideo() || !window.Create(sdl, 1024, 768)) {
            failure = "no offscreen GL window";
            return;
        }
        app.SetPlayback((samples / kSceneFile).string(), (samples / kAnimationFile).string(), false);
        if (!app.Init(1024, 768, 16))
            failure = app.GetFailure();
    }
    ~ViewerFrame() { app.Shutdown(); }
};

ViewerFrame* viewer = nullptr;

ViewerFrame& Viewer()
{
    return *viewer;
}

bool Ready(benchmark::State& state)
{
    if (Viewer().failure.empty())
        return true;
    state.SkipWithError(Viewer().failure.c_str());
    return false;
}

void Update(benchmark::State& state)
{
    if (!Ready(state))
        return;
    for (auto _ : state)
        Viewer().app.Update();
    state.counters["vertices"] =
        Viewer().app.GetScene()->GetMeshCount() > 0 ? Viewer().app.GetScene()->GetMeshes()[0].GetVertexCount() : 0;
}
BENCHMARK(Update)->Unit(benchmark::kMicrosecond);

void Render(benchmark::State& state)
{
    if (!Ready(state))
        return;
    for (auto _ : state) {
        Viewer().app.Render();
        gl.glPopMatrix(); // what EndFrame would pop
        gl.glFinish();
    }
}
BENCHMARK(Render)->Unit(benchmark::kMicrosecond);

void Present(benchmark::State& state)
{
    if (!Ready(state))
        return;
    for (auto _ : state) {
        gl.glPushMatrix(); // what BeginFrame would push
        Viewer().app.Present();
    }
}
BENCHMARK(Present)->Unit(benchmark::kMicrosecond);

void Frame(benchmark::State& state)
{
    if (!Ready(state))
        return;
    for (auto _ : state) {
        Viewer().app.Update();
        Viewer().app.Render();
        Viewer().app.Present();
    }
    state.SetItemsProcessed(state.iterations()); // items per second: frames per second
}
BENCHMARK(Frame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::unique_ptr<ViewerFrame> owner = std::make_unique<ViewerFrame>();
    viewer = owner.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
