// Loading: MeshScene::Load of a 100 MB writer-made scene against a plain fread of the
// same file in the same run, and the peak memory the load adds (goal: at most about 1.5
// times the file). The file is written to /tmp at start and deleted at the end. Three
// fread baselines: through one reused 1 MiB buffer (the copy out of the page cache alone),
// into a file-sized buffer touched beforehand (the copy into main memory), and into a
// fresh file-sized buffer (plus the first touch of new memory, which a loader pays too).
#include "format/MeshWriter.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t kTargetBytes = 100ull * 1000 * 1000;
constexpr int kMeshes = 8;
constexpr int kBones = 64;

std::string filePath;
std::uint64_t fileSize = 0;

// Meshes of about two triangles per vertex: 36 bytes per vertex and 12 per triangle.
bool WriteBigScene()
{
    using namespace orvex::format;
    SceneDesc desc;
    for (int m = 0; m < 4; ++m)
        desc.materials.emplace_back().name = "material" + std::to_string(m);
    for (int b = 0; b < kBones; ++b) {
        NodeDesc& node = desc.nodes.emplace_back();
        node.name = "bone" + std::to_string(b);
        node.parent = b == 0 ? -1 : (b - 1) / 2;
    }
    const auto verticesPerMesh = static_cast<int>(kTargetBytes / (36 + 24) / kMeshes);
    for (int m = 0; m < kMeshes; ++m) {
        MeshDesc& mesh = desc.meshes.emplace_back();
        mesh.name = "mesh" + std::to_string(m);
        mesh.vertices.resize(static_cast<std::size_t>(verticesPerMesh));
        mesh.nodeIndices.resize(static_cast<std::size_t>(verticesPerMesh));
        for (int i = 0; i < verticesPerMesh; ++i) {
            const float f = static_cast<float>(i) * 1e-4f;
            mesh.vertices[i] = {f, f, {0, 1, 0}, {f, -f, 2 * f}};
            mesh.nodeIndices[i] = (i / 32) % kBones;
        }
        // Two groups, each with one list; together two triangles per vertex.
        for (int g = 0; g < 2; ++g) {
            GroupDesc& group = mesh.groups.emplace_back();
            group.material = "material" + std::to_string((m + g) % 4);
            TriangleListDesc& list = group.lists.emplace_back();
            list.indices.reserve(static_cast<std::size_t>(verticesPerMesh) * 3);
            for (int i = 0; i + 2 < verticesPerMesh; ++i) {
                list.indices.push_back(i);
                list.indices.push_back(i + 1 + g);
                list.indices.push_back(g == 0 ? i + 2 : i);
            }
        }
    }
    fileSize = SceneFileSize(desc);
    return WriteScene(filePath, desc);
}

// Peak and current resident memory of the process in bytes, from /proc/self/status.
std::uint64_t StatusBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(std::strlen(field))) * 1024;
    }
    return 0;
}

// Starts a new peak: the kernel sets the peak back to the current resident size.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Argument 1, cold: every load lands in memory fresh from the kernel, as a program's first
// load does; the peak memory the load adds is measured here. Argument 0, warm: the
// allocator keeps freed memory and hands it to the next load, which leaves the loader's
// own work (runs last: it changes the allocator's settings for the rest of the process).
void BM_MeshSceneLoad(benchmark::State& state)
{
    const bool cold = state.range(0) != 0;
    if (!cold) {
        mallopt(M_MMAP_THRESHOLD, 256 << 20);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        ClearMaterials();
        MeshScene warmUp;
        warmUp.Load(filePath.c_str());
    }
    std::uint64_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearMaterials();
        if (cold)
            malloc_trim(0);
        const std::uint64_t before = StatusBytes("VmRSS:");
        ResetPeak();
        state.ResumeTiming();

        auto scene = std::make_unique<MeshScene>();
        if (!scene->Load(filePath.c_str())) {
            state.SkipWithError("load failed");
            break;
        }

        state.PauseTiming();
        const std::uint64_t peak = StatusBytes("VmHWM:");
        added = std::max(added, peak > before ? peak - before : 0);
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
    if (cold) {
        state.counters["peak_added_MB"] = static_cast<double>(added) / 1e6;
        state.counters["peak_per_file_byte"] = static_cast<double>(added) / static_cast<double>(fileSize);
    }
}

void BM_FreadReusedBuffer(benchmark::State& state)
{
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::FILE* file = std::fopen(filePath.c_str(), "rb");
        std::uint64_t total = 0;
        std::size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
            total += got;
        std::fclose(file);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
}

void BM_FreadWarmBuffer(benchmark::State& state)
{
    std::vector<char> buffer(fileSize, 1); // touched once, before timing
    for (auto _ : state) {
        std::FILE* file = std::fopen(filePath.c_str(), "rb");
        const std::size_t got = std::fread(buffer.data(), 1, fileSize, file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
}

void BM_FreadFreshBuffer(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<char[]> buffer(new char[fileSize]);
        std::FILE* file = std::fopen(filePath.c_str(), "rb");
        const std::size_t got = std::fread(buffer.get(), 1, fileSize, file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileSize));
}

BENCHMARK(BM_FreadReusedBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadWarmBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadFreshBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshSceneLoad)->ArgName("cold")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto rate = run.counters.find("bytes_per_second");
            if (!run.error_occurred && rate != run.counters.end())
                rates[run.benchmark_name()] = rate->second.value;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* load : {"BM_MeshSceneLoad/cold:1", "BM_MeshSceneLoad/cold:0"}) {
            for (const char* baseline : {"BM_FreadReusedBuffer", "BM_FreadWarmBuffer", "BM_FreadFreshBuffer"}) {
                if (rates[load] > 0 && rates[baseline] > 0)
                    std::printf("%s / %s: %.2f (%.0f vs %.0f MB/s)\n", load + 3, baseline + 3,
                                rates[load] / rates[baseline], rates[load] / 1e6, rates[baseline] / 1e6);
            }
        }
        std::printf("file: %.1f MB\n", static_cast<double>(fileSize) / 1e6);
    }

private:
    std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    filePath = "/tmp/orvex-bench-load-" + std::to_string(getpid()) + ".mes";
    if (!WriteBigScene()) {
        std::fprintf(stderr, "cannot write %s\n", filePath.c_str());
        std::remove(filePath.c_str());
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::remove(filePath.c_str());
    ClearMaterials();
    return 0;
}
