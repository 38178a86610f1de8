// The content tools' speed on the real models, next to Assimp's own import of the same
// file in the same run: orvex-convert's whole conversion (import, bake, write), its import
// and bake alone, its export of the converted files back to .glb (whole, and the glTF
// document alone), the export of the bundled sample and its way back in, and orvex-render
// from start to its first PNG (run as a program).
//
//   build/bin/bench_convert [--benchmark_filter=CesiumMan]
// The models are found through ORVEX_SOURCE_DIR (default: the source tree this was built
// from) + "/../shared/assets".
#include "convert/Convert.h"
#include "convert/bake/Bake.h"
#include "convert/export/Export.h"
#include "convert/import/Import.h"

#include "format/EngineRead.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::filesystem::path SourceTree()
{
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    return source ? source : ORVEX_SOURCE_TREE;
}

std::filesystem::path Assets()
{
    return SourceTree() / ".." / "shared" / "assets";
}

std::string Model(const std::string& name)
{
    return (Assets() / name / "glTF" / (name + ".gltf")).string();
}

std::filesystem::path Scratch()
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("orvex-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

// Assimp's import with the post-processing the converter asks of it for other formats.
void AssimpImport(benchmark::State& state, const std::string& name)
{
    std::string path = Model(name);
    for (auto _ : state) {
        Assimp::Importer importer;
        const aiScene* scene =
            importer.ReadFile(path, aiProcess_Triangulate | aiProcess_JoinIdenticalVertices |
                                        aiProcess_GenSmoothNormals | aiProcess_SortByPType | aiProcess_FlipUVs);
        if (!scene) {
            state.SkipWithError(importer.GetErrorString());
            return;
        }
        benchmark::DoNotOptimize(scene->mNumMeshes);
    }
}

void Import(benchmark::State& state, const std::string& name)
{
    std::string path = Model(name);
    for (auto _ : state) {
        convert::Content content;
        std::string error;
        if (!convert::Import(path, convert::Importer::Automatic, &content, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(content.meshes.size());
    }
}

void Bake(benchmark::State& state, const std::string& name)
{
    convert::Content content;
    std::string error;
    if (!convert::Import(Model(name), convert::Importer::Automatic, &content, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    convert::BakeOptions options;
    options.clip = content.clips.empty() ? -1 : 0;
    for (auto _ : state) {
        convert::BakedScene baked;
        if (!convert::Bake(content, options, &baked, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(baked.files.scene.nodes.size());
    }
}

// What orvex-convert does, files included.
void Convert(benchmark::State& state, const std::string& name)
{
    std::filesystem::path dir = Scratch();
    convert::ConvertOptions options;
    options.input = Model(name);
    options.outBase = (dir / name).string();
    for (auto _ : state) {
        convert::ConvertReport report;
        std::string error;
        if (!convert::RunConversion(options, nullptr, &report, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

// The model converted into `dir` outside any timing: its .mes and, when it animates, its .knx.
bool ConvertModel(const std::string& name, const std::filesystem::path& dir, std::string* scene, std::string* animation,
                  std::string* error)
{
    convert::ConvertOptions options;
    options.input = Model(name);
    options.outBase = (dir / name).string();
    convert::ConvertReport report;
    if (!convert::RunConversion(options, nullptr, &report, error))
        return false;
    *scene = options.outBase + ".mes";
    *animation = report.baked.files.animation ? options.outBase + ".knx" : "";
    return true;
}

void ExportLoop(benchmark::State& state, const convert::ExportOptions& options)
{
    for (auto _ : state) {
        convert::ExportReport report;
        std::string error;
        if (!convert::RunExport(options, nullptr, &report, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}

// orvex-convert SCENE.mes --anim ANIMATION.knx -o OUT.glb, files included: the way back of
// Convert, from the files Convert writes.
void Export(benchmark::State& state, const std::string& name)
{
    std::filesystem::path dir = Scratch();
    convert::ExportOptions options{"", "", (dir / (name + ".glb")).string()};
    std::string error;
    if (ConvertModel(name, dir, &options.scene, &options.animation, &error))
        ExportLoop(state, options);
    else
        state.SkipWithError(error.c_str());
    std::filesystem::remove_all(dir);
}

// The glTF document alone (vertices, skin, keys, PNG encoding), from the files read once.
void BuildGltf(benchmark::State& state, const std::string& name)
{
    std::filesystem::path dir = Scratch();
    std::string scene, animation, error;
    orvex::format::SceneFiles files;
    if (!ConvertModel(name, dir, &scene, &animation, &error) ||
        !orvex::format::ReadWithEngine(scene, animation, &files, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        convert::GltfDocument document;
        if (!convert::BuildGltf(files, {}, &document, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(document.buffer.size());
    }
    std::filesystem::remove_all(dir);
}

std::filesystem::path Samples()
{
    return SourceTree() / "samples";
}

convert::ExportOptions SampleExport(const std::filesystem::path& dir)
{
    return {(Samples() / "2.MES").string(), (Samples() / "2.KNX").string(), (dir / "man.glb").string()};
}

// The bundled sample, as the example of the README runs it.
void ExportSample(benchmark::State& state)
{
    std::filesystem::path dir = Scratch();
    ExportLoop(state, SampleExport(dir));
    std::filesystem::remove_all(dir);
}

// The sample has no source file to import: its way in is measured on its own export, the
// .glb brought back to .mes, .knx and TGA, files included.
void ConvertSample(benchmark::State& state)
{
    std::filesystem::path dir = Scratch();
    convert::ExportOptions exported = SampleExport(dir);
    convert::ExportReport exportReport;
    std::string error;
    if (!convert::RunExport(exported, nullptr, &exportReport, &error)) {
        state.SkipWithError(error.c_str());
        std::filesystem::remove_all(dir);
        return;
    }
    convert::ConvertOptions options;
    options.input = exported.output;
    options.outBase = (dir / "back").string();
    for (auto _ : state) {
        convert::ConvertReport report;
        if (!convert::RunConversion(options, nullptr, &report, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

// orvex-render as a user runs it, from process start to its PNG on disk: converts the model
// first (outside the timing), then renders it at the viewer's size.
void RenderToFirstPng(benchmark::State& state, const std::string& name)
{
    std::filesystem::path dir = Scratch();
    convert::ConvertOptions options;
    options.input = Model(name);
    options.outBase = (dir / name).string();
    convert::ConvertReport report;
    std::string error;
    if (!convert::RunConversion(options, nullptr, &report, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::string program = (std::filesystem::canonical("/proc/self/exe").parent_path() / "orvex-render").string();
    std::string scene = options.outBase + ".mes", png = (dir / "out.png").string();
    std::string anim = options.outBase + ".knx";
    bool animated = report.baked.files.animation.has_value();
    for (auto _ : state) {
        pid_t pid = fork();
        if (pid == 0) {
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            if (animated)
                execl(program.c_str(), program.c_str(), scene.c_str(), "--anim", anim.c_str(), "--time", "1", "--fit",
                      "-o", png.c_str(), static_cast<char*>(nullptr));
            else
                execl(program.c_str(), program.c_str(), scene.c_str(), "--fit", "-o", png.c_str(),
                      static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("orvex-render failed (is it built next to this program?)");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

// CesiumMan: the largest geometry and animation; AnimatedCube: the largest input files
// (its 512x512 PNG textures).
#define ORVEX_MODEL_BENCHMARKS(model) \
    BENCHMARK_CAPTURE(AssimpImport, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(Import, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(Bake, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(Convert, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(Export, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(BuildGltf, model, #model)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(RenderToFirstPng, model, #model)->Unit(benchmark::kMillisecond)->Iterations(5)

ORVEX_MODEL_BENCHMARKS(CesiumMan);
ORVEX_MODEL_BENCHMARKS(AnimatedCube);
BENCHMARK(ExportSample)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertSample)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
