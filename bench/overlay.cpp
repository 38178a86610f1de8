// The text overlay on real GL without a display (offscreen SDL, llvmpipe here): one
// DrawString (clear the line bitmap, rasterise, upload maxTextureSize x 16 texels, one
// quad) against one full clear of a 1024x768 frame, both waited for with glFinish.
#include "orvex/render/BitmapFont.h"
#include "orvex/render/GlCapabilities.h"
#include "orvex/render/HeadlessSurface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Overlay {
    std::unique_ptr<HeadlessSurface> surface = MakeHeadlessSurface(1024, 768);
    BitmapFont font; // declared after the surface: destroyed first, with the context current
    bool ready = false;

    Overlay()
    {
        ready = surface->Ready() && font.Create("Comic Sans MS", 16);
        if (!ready)
            return;
        surface->Device().SetOrtho(1024, 768);
        gl.glEnable(GL_BLEND);
        gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        font.SetColor(0x00FFFF);
    }
};

Overlay* overlay = nullptr;

void DrawString(benchmark::State& state)
{
    if (!overlay->ready) {
        state.SkipWithError("no headless GL surface");
        return;
    }
    for (auto _ : state) {
        overlay->font.DrawString(0, 0, "SGI Software OpenGL Driver");
        gl.glFinish();
    }
    state.counters["textureWidth"] = glCapabilities.maxTextureSize;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(glCapabilities.maxTextureSize) * 16 * 4);
}
BENCHMARK(DrawString)->Unit(benchmark::kMicrosecond);

void ClearFrame(benchmark::State& state)
{
    if (!overlay->ready) {
        state.SkipWithError("no headless GL surface");
        return;
    }
    for (auto _ : state) {
        gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        gl.glFinish();
    }
}
BENCHMARK(ClearFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::unique_ptr<Overlay> owner = std::make_unique<Overlay>();
    overlay = owner.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
