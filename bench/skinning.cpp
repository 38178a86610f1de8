// Skinning throughput: Mesh::Update over 10 thousand and 1 million vertices, against a
// memcpy of the same byte count in the same run. A vertex counts as 48 bytes: its rest
// position and node index read (16), its 32-byte record written. The ratio of the two
// rates is printed at the end (goal: at least 0.5 for a million vertices).
#include "format/MeshWriter.h"
#include "orvex/scene/MeshScene.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBones = 64;
constexpr std::int64_t kBytesPerVertex = 48;

// A scene of one mesh of `vertexCount` vertices spread over 64 bones, loaded from a
// writer-made file. Bones get a real pose so the transform is not trivial.
std::unique_ptr<MeshScene> MakeScene(int vertexCount)
{
    using namespace orvex::format;
    SceneDesc desc;
    desc.materials.emplace_back().name = "m";
    for (int b = 0; b < kBones; ++b) {
        NodeDesc& node = desc.nodes.emplace_back();
        node.name = "bone" + std::to_string(b);
        node.parent = b == 0 ? -1 : (b - 1) / 2;
        node.position = {0.1f * b, 1.0f, 0.0f};
        node.rotation = {0.0f, 0.0f, 0.0998334f, 0.9950042f}; // 0.2 rad about z
    }
    MeshDesc& mesh = desc.meshes.emplace_back();
    mesh.name = "skin";
    mesh.vertices.resize(static_cast<std::size_t>(vertexCount));
    mesh.nodeIndices.resize(static_cast<std::size_t>(vertexCount));
    for (int i = 0; i < vertexCount; ++i) {
        const float f = static_cast<float>(i % 1000) * 0.001f;
        mesh.vertices[i] = {f, 1 - f, {0, 0, 1}, {f, 2 * f, -f}};
        mesh.nodeIndices[i] = (i / 16) % kBones; // runs of vertices per bone, as in real meshes
    }
    const std::string path = "/tmp/orvex-bench-skinning-" + std::to_string(getpid()) + ".mes";
    if (!WriteScene(path, desc))
        return nullptr;
    auto scene = std::make_unique<MeshScene>();
    const bool loaded = scene->Load(path.c_str());
    std::remove(path.c_str());
    if (!loaded)
        return nullptr;
    scene->Update(); // pose the bones
    return scene;
}

void BM_Skinning(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<MeshScene> scene = MakeScene(count);
    if (scene == nullptr) {
        state.SkipWithError("cannot build the scene");
        return;
    }
    Mesh& mesh = scene->GetMeshes()[0];
    for (auto _ : state) {
        mesh.Update();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * count * kBytesPerVertex);
}

void BM_Memcpy(benchmark::State& state)
{
    const auto bytes = static_cast<std::size_t>(state.range(0) * kBytesPerVertex);
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

BENCHMARK(BM_Skinning)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memcpy)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// Prints skinning bytes per second over memcpy bytes per second for each size.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end())
                rates[run.benchmark_name()] = rate->second.value;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* size : {"10000", "1000000"}) {
            const double skin = rates["BM_Skinning/" + std::string(size)];
            const double copy = rates["BM_Memcpy/" + std::string(size)];
            if (skin > 0 && copy > 0)
                std::printf("skinning/memcpy at %s vertices: %.2f (%.0f vs %.0f MB/s, %.1f M vertices/s)\n", size,
                            skin / copy, skin / 1e6, copy / 1e6, skin / kBytesPerVertex / 1e6);
        }
    }

private:
    std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
