// Skinning throughput: Mesh::Update over 10 thousand and 1 million vertices on each path this
// processor has (the scalar reference, SSE2, AVX2), against a memcpy of the same byte count
// in the same run. A vertex counts as 48 bytes: its rest position and node index read (16),
// its 32-byte record written. Vertices come in runs of 16 on one bone, as in real meshes, and
// in runs of 1. The table at the end gives each rate over memcpy's and over the reference's.
#include "orvex/scene/Skinning.h"
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
std::unique_ptr<MeshScene> MakeScene(int vertexCount, int run)
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
        mesh.nodeIndices[i] = (i / run) % kBones;
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

// Mesh::Update on the path `path`; `run` vertices in a row share a bone (1: every vertex
// has another bone than the one before, the vector paths' worst case).
void BM_Skinning(benchmark::State& state, SkinningPath path)
{
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<MeshScene> scene = MakeScene(count, static_cast<int>(state.range(1)));
    if (scene == nullptr) {
        state.SkipWithError("cannot build the scene");
        return;
    }
    const SkinningPath before = GetSkinningPath();
    SetSkinningPath(path);
    Mesh& mesh = scene->GetMeshes()[0];
    for (auto _ : state) {
        mesh.Update();
        benchmark::ClobberMemory();
    }
    SetSkinningPath(before);
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

constexpr std::int64_t kSizes[] = {10'000, 1'000'000};

// Every path this processor has, the reference first; the chosen one is marked.
void RegisterAll()
{
    const SkinningPath chosen = GetSkinningPath();
    for (SkinningPath path : {SkinningPath::Scalar, SkinningPath::Sse2, SkinningPath::Avx2}) {
        if (!SkinningPathAvailable(path))
            continue;
        const std::string name = std::string("BM_Skinning/") + SkinningPathName(path) + (path == chosen ? "*" : "");
        for (std::int64_t size : kSizes) {
            for (std::int64_t run : {16, 1})
                benchmark::RegisterBenchmark(name.c_str(), BM_Skinning, path)
                    ->Args({size, run})
                    ->Unit(benchmark::kMicrosecond);
        }
    }
    for (std::int64_t size : kSizes)
        benchmark::RegisterBenchmark("BM_Memcpy", BM_Memcpy)->Arg(size)->Unit(benchmark::kMicrosecond);
}

// After the runs: each path's rate over memcpy's of the same bytes, and over the reference.
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
        const SkinningPath chosen = GetSkinningPath();
        std::printf("\n%-8s %9s %5s %10s %12s %12s\n", "path", "vertices", "run", "MB/s", "x memcpy", "x scalar");
        for (std::int64_t size : kSizes) {
            const double copy = Rate("BM_Memcpy/" + std::to_string(size));
            for (std::int64_t run : {16, 1}) {
                const std::string args = "/" + std::to_string(size) + "/" + std::to_string(run);
                const double scalar =
                    Rate("BM_Skinning/scalar" + std::string(chosen == SkinningPath::Scalar ? "*" : "") + args);
                for (SkinningPath path : {SkinningPath::Scalar, SkinningPath::Sse2, SkinningPath::Avx2}) {
                    const std::string name = std::string(SkinningPathName(path)) + (path == chosen ? "*" : "");
                    const double rate = Rate("BM_Skinning/" + name + args);
                    if (rate <= 0)
                        continue;
                    std::printf("%-8s %9lld %5lld %10.0f %12.2f %12.2f\n", name.c_str(), static_cast<long long>(size),
                                static_cast<long long>(run), rate / 1e6, copy > 0 ? rate / copy : 0.0,
                                scalar > 0 ? rate / scalar : 0.0);
                }
            }
            std::printf("%-8s %9lld %5s %10.0f\n", "memcpy", static_cast<long long>(size), "", copy / 1e6);
        }
        std::printf("(* the path Mesh::Update takes on this processor)\n");
    }

private:
    double Rate(const std::string& name) const
    {
        auto found = rates.find(name);
        return found != rates.end() ? found->second : 0.0;
    }

    std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
