// The scale report: a wavy, textured, skinned sheet of 10 thousand, 100 thousand, 1 million
// and 4 million vertices, made in code with the format writers, and what each size costs:
// the file, the load (cold: the file's pages dropped from the page cache first; warm), the
// update (animation, bones, skinning), a headless frame (update, draw, glFinish), and the
// programs run as a user runs them, with their peak memory: orvex-render to a PNG,
// orvex-render at 16x16, orvex-convert to glTF (.glb), orvex-info, and f3d drawing the .glb
// to a PNG of orvex-render's size where f3d is installed and a display is there. Every
// figure is the median of its repetitions, in wall time. The table at the end, in Markdown,
// says how each figure grows per tenfold. scripts/bench.sh runs it; it is kept out of the
// tests, which check results, never speed.
//
//   bench_scale [--dir DIR] [--sizes 10000,100000,1000000,4000000] [--repeat 3]
//               [--picture 1024x768] [--bin DIR] [--benchmark_filter=...]
#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "format/TgaWriter.h"
#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/render/Camera.h"
#include "orvex/render/GlApi.h"
#include "orvex/render/HeadlessSurface.h"
#include "orvex/render/ViewFraming.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace fmt = orvex::format;

constexpr int kBones = 16;
constexpr std::uint32_t kFrames = 40;
constexpr float kPi = 3.14159265f;

struct Settings {
    fs::path dir = fs::temp_directory_path() / "orvex-scale";
    fs::path bin;
    std::vector<std::int64_t> sizes{10'000, 100'000, 1'000'000, 4'000'000};
    int repeat = 3;
    int width = 1024, height = 768;
};
Settings settings;

// ---- The sheet ----

// The files of one sheet: sheet-<n>.mes, .knx and .glb (made by the export), all textured
// with sheet.TGA beside them.
struct Sheet {
    std::int64_t asked = 0;    // the size it stands for
    std::int64_t vertices = 0; // side × side
    std::uint64_t fileBytes = 0;
    fs::path mes, knx, glb;
};
std::map<std::int64_t, Sheet> sheets;

// A square grid of side × side vertices over [-1, 1]², rippled in z, carried by a chain of
// 16 bones across x (vertices in runs, as in real meshes); two triangles per cell, front
// faces clockwise as the engine draws them; one checkered texture repeated four times.
fmt::SceneDesc SheetScene(int side)
{
    fmt::SceneDesc scene;
    fmt::MaterialDesc& material = scene.materials.emplace_back();
    material.name = "sheet";
    material.texture = "sheet";
    const float step = 2.0f / kBones;
    for (int b = 0; b < kBones; ++b) {
        fmt::NodeDesc& node = scene.nodes.emplace_back();
        node.name = "bone" + std::to_string(b);
        node.parent = b - 1;
        node.position = b == 0 ? fmt::Vec3{-1.0f, 0.0f, 0.0f} : fmt::Vec3{step, 0.0f, 0.0f};
    }
    fmt::MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "sheet";
    const auto count = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    mesh.vertices.resize(count);
    mesh.nodeIndices.resize(count);
    const float last = static_cast<float>(side - 1);
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const float u = static_cast<float>(c) / last;
            const float v = static_cast<float>(r) / last;
            const float x = 2 * u - 1;
            const float y = 2 * v - 1;
            const float z = 0.08f * std::sin(3 * kPi * x) * std::cos(2 * kPi * y);
            const float dx = 0.08f * 3 * kPi * std::cos(3 * kPi * x) * std::cos(2 * kPi * y);
            const float dy = -0.08f * 2 * kPi * std::sin(3 * kPi * x) * std::sin(2 * kPi * y);
            const float length = std::sqrt(dx * dx + dy * dy + 1);
            const int bone = std::min(kBones - 1, c * kBones / side);
            const float boneX = -1.0f + step * static_cast<float>(bone);
            const std::size_t i = static_cast<std::size_t>(r) * static_cast<std::size_t>(side) + c;
            mesh.vertices[i] = {4 * u, 4 * v, {-dx / length, -dy / length, 1 / length}, {x - boneX, y, z}};
            mesh.nodeIndices[i] = bone;
        }
    }
    fmt::TriangleListDesc list;
    list.indices.reserve(static_cast<std::size_t>(side - 1) * static_cast<std::size_t>(side - 1) * 6);
    for (int r = 0; r + 1 < side; ++r) {
        for (int c = 0; c + 1 < side; ++c) {
            const std::int32_t i = r * side + c;
            list.indices.insert(list.indices.end(), {i, i + side, i + 1, i + 1, i + side, i + side + 1});
        }
    }
    mesh.groups.push_back({"sheet", {std::move(list)}});
    return scene;
}

// The chain waves: every bone turns about y, a little later than its parent.
fmt::AnimationDesc SheetAnimation(const fmt::SceneDesc& scene)
{
    fmt::AnimationDesc animation;
    animation.frameCount = kFrames;
    for (const fmt::NodeDesc& node : scene.nodes) {
        fmt::TrackDesc& track = animation.tracks.emplace_back();
        track.name = node.name;
        track.parent = node.parent;
        const float delay = static_cast<float>(animation.tracks.size());
        for (std::uint32_t f = 0; f < kFrames; ++f) {
            const float angle = 0.15f * std::sin(2 * kPi * static_cast<float>(f) / (kFrames - 1) - 0.4f * delay);
            track.keys.push_back({node.position, {0.0f, std::sin(angle / 2), 0.0f, std::cos(angle / 2)}});
        }
    }
    return animation;
}

bool WriteTexture(const fs::path& path)
{
    constexpr int kSide = 64;
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(light ? 230 : 40), static_cast<std::uint8_t>(120),
                                         static_cast<std::uint8_t>(light ? 60 : 200)});
        }
    }
    return fmt::WriteTga(path.string(), fmt::TgaFromPixels(kSide, kSide, 3, pixels.data()));
}

bool MakeSheet(std::int64_t asked, std::string* error)
{
    const int side = std::max(2, static_cast<int>(std::lround(std::sqrt(static_cast<double>(asked)))));
    Sheet sheet;
    sheet.asked = asked;
    sheet.vertices = static_cast<std::int64_t>(side) * side;
    const std::string stem = "sheet-" + std::to_string(asked);
    sheet.mes = settings.dir / (stem + ".mes");
    sheet.knx = settings.dir / (stem + ".knx");
    sheet.glb = settings.dir / (stem + ".glb");
    const fmt::SceneDesc scene = SheetScene(side);
    sheet.fileBytes = fmt::SceneFileSize(scene);
    if (!fmt::WriteScene(sheet.mes.string(), scene, error) ||
        !fmt::WriteAnimation(sheet.knx.string(), SheetAnimation(scene), error))
        return false;
    sheets[asked] = sheet;
    return true;
}

// ---- Measuring ----

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Drops the file's pages from the page cache, so the next read comes from the disk.
void Evict(const fs::path& path)
{
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    fdatasync(fd);
    posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    close(fd);
}

// A scene with its animation bound; the scene goes first.
struct Loaded {
    std::unique_ptr<KeyframeAnimation> animation;
    std::unique_ptr<MeshScene> scene;
    ~Loaded() { Release(); }
    void Release()
    {
        scene.reset();
        animation.reset();
        // Each load starts from empty registries, as a program's first does.
        ClearMaterials();
        ClearTextures();
    }
};

bool Load(const Sheet& sheet, Loaded* loaded)
{
    loaded->Release();
    loaded->scene = std::make_unique<MeshScene>();
    loaded->animation = std::make_unique<KeyframeAnimation>();
    return loaded->scene->LoadInFolder(sheet.mes.c_str()) && loaded->animation->Load(sheet.knx.c_str()) &&
           loaded->scene->SetAnimation(loaded->animation.get());
}

std::unique_ptr<HeadlessSurface> surface;
// The sheet the update and frame measurements share, loaded once per size.
Loaded current;
std::int64_t currentSize = 0;

bool UseSheet(std::int64_t size)
{
    if (currentSize == size)
        return true;
    currentSize = 0;
    if (!Load(sheets[size], &current))
        return false;
    currentSize = size;
    return true;
}

void BM_Load(benchmark::State& state, std::int64_t size, bool cold)
{
    const Sheet& sheet = sheets[size];
    current.Release();
    currentSize = 0;
    Loaded loaded;
    for (auto _ : state) {
        state.PauseTiming();
        loaded.Release();
        if (cold) {
            for (const fs::path& file : {sheet.mes, sheet.knx, settings.dir / "sheet.TGA"})
                Evict(file);
        }
        state.ResumeTiming();
        if (!Load(sheet, &loaded)) {
            state.SkipWithError("the sheet does not load");
            break;
        }
    }
}

void BM_Update(benchmark::State& state, std::int64_t size)
{
    if (!UseSheet(size)) {
        state.SkipWithError("the sheet does not load");
        return;
    }
    for (auto _ : state) {
        current.animation->Advance(1.0f / 60);
        current.scene->Update();
    }
}

// The viewer's frame without its text: update, then the sheet drawn in full view, waited for.
void BM_Frame(benchmark::State& state, std::int64_t size)
{
    if (!UseSheet(size)) {
        state.SkipWithError("the sheet does not load");
        return;
    }
    GlDevice& device = surface->Device();
    current.scene->Update();
    Camera camera;
    const ViewFraming framing = FrameScene(*current.scene, camera, settings.width, settings.height, kFramingFill);
    auto frame = [&] {
        current.animation->Advance(1.0f / 60);
        current.scene->Update();
        device.BeginFrame();
        device.SetPerspective(settings.width, settings.height);
        camera.Apply();
        framing.Begin();
        current.scene->Render();
        framing.End();
        gl.glFinish();
        device.EndFrame();
    };
    frame(); // the driver builds its programs for the state on the first frame
    for (auto _ : state)
        frame();
}

// Runs a program with its output thrown away; its wall time and peak resident memory.
struct ProgramRun {
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

// Programs are started by a small process forked before this one grows: a process's peak
// memory counts what it held before it turned into the program (exec keeps the larger), so
// a program started from here directly would report this process's size as its own.
class Launcher {
public:
    bool Start()
    {
        int toLauncher[2], fromLauncher[2];
        if (pipe(toLauncher) != 0 || pipe(fromLauncher) != 0)
            return false;
        pid = fork();
        if (pid < 0)
            return false;
        if (pid == 0) {
            close(toLauncher[1]);
            close(fromLauncher[0]);
            Serve(toLauncher[0], fromLauncher[1]);
            _exit(0);
        }
        close(toLauncher[0]);
        close(fromLauncher[1]);
        out = toLauncher[1];
        in = fromLauncher[0];
        return true;
    }
    ~Launcher()
    {
        if (pid > 0) {
            close(out);
            close(in);
            waitpid(pid, nullptr, 0);
        }
    }
    ProgramRun Run(const std::vector<std::string>& args) const
    {
        std::string request;
        for (const std::string& arg : args)
            request += arg + '\0';
        const auto length = static_cast<std::uint32_t>(request.size());
        ProgramRun run;
        if (!WriteAll(out, &length, sizeof length) || !WriteAll(out, request.data(), length) ||
            !ReadAll(in, &run, sizeof run))
            return {};
        return run;
    }

private:
    static bool WriteAll(int fd, const void* data, std::size_t size)
    {
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = write(fd, p, size);
            if (n <= 0)
                return false;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    static bool ReadAll(int fd, void* data, std::size_t size)
    {
        char* p = static_cast<char*>(data);
        while (size > 0) {
            const ssize_t n = read(fd, p, size);
            if (n <= 0)
                return false;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    [[noreturn]] static void Serve(int requests, int replies)
    {
        std::uint32_t length = 0;
        while (ReadAll(requests, &length, sizeof length)) {
            std::string request(length, '\0');
            if (!ReadAll(requests, request.data(), length))
                break;
            std::vector<char*> argv;
            for (std::size_t at = 0; at < request.size(); at += std::strlen(&request[at]) + 1)
                argv.push_back(&request[at]);
            argv.push_back(nullptr);
            ProgramRun run;
            const auto start = std::chrono::steady_clock::now();
            const pid_t child = fork();
            if (child == 0) {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, 1);
                dup2(null, 2);
                execvp(argv[0], argv.data());
                _exit(127);
            }
            int status = 0;
            rusage usage{};
            if (child > 0 && wait4(child, &status, 0, &usage) == child) {
                run.seconds = Seconds(start);
                run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // KiB on Linux
                run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            if (!WriteAll(replies, &run, sizeof run))
                break;
        }
        _exit(0);
    }

    pid_t pid = -1;
    int out = -1, in = -1;
};
Launcher launcher;

void BM_Program(benchmark::State& state, std::vector<std::string> args)
{
    // The programs get the memory this process held for the shared sheet.
    current.Release();
    currentSize = 0;
    for (auto _ : state) {
        const ProgramRun run = launcher.Run(args);
        if (!run.ok) {
            state.SkipWithError(("failed: " + args[0]).c_str());
            break;
        }
        state.SetIterationTime(run.seconds);
        state.counters["peak_MiB"] = run.peakMiB;
    }
}

std::string Tool(const char* name)
{
    return (settings.bin / name).string();
}

std::string PictureSize(char separator)
{
    return std::to_string(settings.width) + separator + std::to_string(settings.height);
}

bool HaveF3d()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0' && std::system("command -v f3d >/dev/null 2>&1") == 0;
}

// One benchmark per figure and size; the name is "<figure>/<size>".
void RegisterAll()
{
    const bool f3d = HaveF3d();
    for (std::int64_t size : settings.sizes) {
        const Sheet& sheet = sheets[size];
        const std::string n = "/" + std::to_string(size);
        const std::string picture = (settings.dir / ("render" + n.substr(1) + ".png")).string();
        auto each = [](benchmark::internal::Benchmark* b) {
            b->Repetitions(settings.repeat)->Unit(benchmark::kMillisecond);
        };
        each(
            benchmark::RegisterBenchmark(("load_cold" + n).c_str(), BM_Load, size, true)->Iterations(1)->UseRealTime());
        each(benchmark::RegisterBenchmark(("load_warm" + n).c_str(), BM_Load, size, false)
                 ->Iterations(1)
                 ->UseRealTime());
        each(benchmark::RegisterBenchmark(("update" + n).c_str(), BM_Update, size)->MinTime(0.2)->UseRealTime());
        each(benchmark::RegisterBenchmark(("frame" + n).c_str(), BM_Frame, size)->MinTime(0.2)->UseRealTime());
        const std::vector<std::pair<std::string, std::vector<std::string>>> programs{
            {"render",
             {Tool("orvex-render"), sheet.mes.string(), "--anim", sheet.knx.string(), "--time", "0.5", "--fit",
              "--size", PictureSize('x'), "-o", picture}},
            {"render16", {Tool("orvex-render"), sheet.mes.string(), "--size", "16x16", "-o", picture}},
            {"export",
             {Tool("orvex-convert"), sheet.mes.string(), "--anim", sheet.knx.string(), "-o", sheet.glb.string()}},
            {"info", {Tool("orvex-info"), sheet.mes.string()}},
        };
        for (const auto& [figure, args] : programs)
            each(benchmark::RegisterBenchmark((figure + n).c_str(), BM_Program, args)->Iterations(1)->UseManualTime());
        if (f3d)
            each(benchmark::RegisterBenchmark(("f3d" + n).c_str(), BM_Program,
                                              std::vector<std::string>{"f3d", sheet.glb.string(), "--dry-run",
                                                                       "--output", picture + ".f3d.png", "--resolution",
                                                                       PictureSize(',')})
                     ->Iterations(1)
                     ->UseManualTime());
    }
}

// ---- The table ----

// Every repetition's time per iteration (seconds) and peak memory, by benchmark name; the
// console shows one line per benchmark.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const std::string& base = run.run_name.function_name; // "<figure>/<size>"
            if (run.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", base.c_str(), run.error_message.c_str());
                continue;
            }
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            times[base].push_back(seconds);
            auto peak = run.counters.find("peak_MiB");
            if (peak != run.counters.end())
                peaks[base].push_back(peak->second.value);
            std::fprintf(stderr, "%-22s %10.4f s\n", base.c_str(), seconds);
        }
    }

    double Time(const std::string& name) const { return Median(times, name); }
    double Peak(const std::string& name) const { return Median(peaks, name); }

private:
    static double Median(const std::map<std::string, std::vector<double>>& all, const std::string& name)
    {
        auto found = all.find(name);
        if (found == all.end() || found->second.empty())
            return 0;
        std::vector<double> values = found->second;
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    std::map<std::string, std::vector<double>> times, peaks;
};

std::string Duration(double seconds)
{
    char text[32];
    if (seconds <= 0)
        return "–";
    if (seconds < 0.01)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else if (seconds < 1)
        std::snprintf(text, sizeof text, "%.0f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::string Number(double value, const char* format)
{
    char text[32];
    if (value <= 0)
        return "–";
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Count(std::int64_t n)
{
    if (n >= 1'000'000)
        return Number(static_cast<double>(n) / 1e6, "%.2gM");
    return Number(static_cast<double>(n) / 1e3, "%.3gk");
}

// The columns of the table: a heading and, for one sheet, the figure (0 when missing).
struct Column {
    const char* heading;
    std::string (*format)(double);
    double (*value)(const TableReporter&, const Sheet&);
};

std::string AsDuration(double v)
{
    return Duration(v);
}
std::string AsMiB(double v)
{
    return Number(v, "%.0f MiB");
}
std::string AsMB(double v)
{
    return Number(v / 1e6, v < 1e7 ? "%.2g MB" : "%.0f MB");
}
std::string AsRatio(double v)
{
    return Number(v, "%.2f×");
}
std::string AsPercent(double v)
{
    return Number(v * 100, "%.2g %%");
}

std::string Key(const char* figure, const Sheet& sheet)
{
    return std::string(figure) + "/" + std::to_string(sheet.asked);
}

// clang-format off
const Column kColumns[] = {
    {"File", AsMB, [](const TableReporter&, const Sheet& s) { return static_cast<double>(s.fileBytes); }},
    {"Load cold", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("load_cold", s)); }},
    {"Load warm", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("load_warm", s)); }},
    {"Update", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("update", s)); }},
    {"Headless frame", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("frame", s)); }},
    {"Update share", AsPercent, [](const TableReporter& t, const Sheet& s) {
        const double frame = t.Time(Key("frame", s));
        return frame > 0 ? t.Time(Key("update", s)) / frame : 0.0; }},
    {"orvex-render PNG", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("render", s)); }},
    {"its peak", AsMiB, [](const TableReporter& t, const Sheet& s) { return t.Peak(Key("render", s)); }},
    {"render 16x16", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("render16", s)); }},
    {"its peak", AsMiB, [](const TableReporter& t, const Sheet& s) { return t.Peak(Key("render16", s)); }},
    {"Export .glb", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("export", s)); }},
    {"orvex-info", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("info", s)); }},
    {"its peak", AsMiB, [](const TableReporter& t, const Sheet& s) { return t.Peak(Key("info", s)); }},
    {"info ÷ render 16x16", AsRatio, [](const TableReporter& t, const Sheet& s) {
        const double render = t.Time(Key("render16", s));
        return render > 0 ? t.Time(Key("info", s)) / render : 0.0; }},
    {"f3d PNG", AsDuration, [](const TableReporter& t, const Sheet& s) { return t.Time(Key("f3d", s)); }},
    {"its peak", AsMiB, [](const TableReporter& t, const Sheet& s) { return t.Peak(Key("f3d", s)); }},
    {"orvex-render ÷ f3d", AsRatio, [](const TableReporter& t, const Sheet& s) {
        const double f3d = t.Time(Key("f3d", s));
        return f3d > 0 ? t.Time(Key("render", s)) / f3d : 0.0; }},
};
// clang-format on

void PrintTable(const TableReporter& t)
{
    std::printf("\n| Vertices |");
    for (const Column& column : kColumns)
        std::printf(" %s |", column.heading);
    std::printf("\n|---|");
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
        std::printf("---|");
    std::printf("\n");
    std::vector<const Sheet*> rows;
    for (std::int64_t size : settings.sizes)
        rows.push_back(&sheets[size]);
    for (const Sheet* sheet : rows) {
        std::printf("| %s |", Count(sheet->vertices).c_str());
        for (const Column& column : kColumns)
            std::printf(" %s |", column.format(column.value(t, *sheet)).c_str());
        std::printf("\n");
    }
    // Growth per tenfold of vertices between neighbouring sizes: 10.00× is linear.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const double steps =
            std::log10(static_cast<double>(rows[i]->vertices) / static_cast<double>(rows[i - 1]->vertices));
        std::printf("| ×10 from %s to %s |", Count(rows[i - 1]->vertices).c_str(), Count(rows[i]->vertices).c_str());
        for (const Column& column : kColumns) {
            const double from = column.value(t, *rows[i - 1]);
            const double to = column.value(t, *rows[i]);
            const bool grows = column.format != AsRatio && column.format != AsPercent; // shares do not
            std::printf(" %s |", grows && from > 0 && to > 0 && steps > 0
                                     ? AsRatio(std::pow(to / from, 1 / steps)).c_str()
                                     : "–");
        }
        std::printf("\n");
    }
}

std::string FirstLine(const char* path, const char* prefix)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) == 0)
            return line.substr(line.find(':') + 2);
    }
    return "";
}

std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    in >> one >> five >> fifteen;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

bool ParseSettings(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--dir" && hasValue)
            settings.dir = argv[++i];
        else if (arg == "--bin" && hasValue)
            settings.bin = argv[++i];
        else if (arg == "--repeat" && hasValue)
            settings.repeat = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--picture" && hasValue &&
                 std::sscanf(argv[++i], "%dx%d", &settings.width, &settings.height) == 2)
            continue;
        else if (arg == "--sizes" && hasValue) {
            settings.sizes.clear();
            std::string list = argv[++i];
            for (std::size_t at = 0; at < list.size();) {
                const std::size_t comma = std::min(list.find(',', at), list.size());
                settings.sizes.push_back(std::atoll(list.substr(at, comma - at).c_str()));
                at = comma + 1;
            }
        } else {
            std::fprintf(stderr,
                         "usage: bench_scale [--dir DIR] [--sizes N,N,...] [--repeat R] [--picture WxH] [--bin DIR] "
                         "[--benchmark_...]\n");
            return false;
        }
    }
    if (settings.bin.empty())
        settings.bin = fs::read_symlink("/proc/self/exe").parent_path();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (!launcher.Start()) {
        std::fprintf(stderr, "bench_scale: cannot start the program launcher\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (!ParseSettings(argc, argv))
        return 2;
    std::error_code error;
    fs::create_directories(settings.dir, error);
    std::string why;
    if (!WriteTexture(settings.dir / "sheet.TGA")) {
        std::fprintf(stderr, "bench_scale: cannot write into %s\n", settings.dir.c_str());
        return 1;
    }
    for (std::int64_t size : settings.sizes) {
        std::fprintf(stderr, "writing the sheet of %lld vertices\n", static_cast<long long>(size));
        if (!MakeSheet(size, &why)) {
            std::fprintf(stderr, "bench_scale: %s\n", why.c_str());
            return 1;
        }
    }
    surface = MakeHeadlessSurface(settings.width, settings.height);
    if (!surface->Ready()) {
        std::fprintf(stderr, "bench_scale: no offscreen GL surface\n");
        return 1;
    }
    const char* renderer = reinterpret_cast<const char*>(gl.glGetString(GL_RENDERER));
    const std::string loadBefore = LoadAverage();

    RegisterAll();
    TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    current.Release();
    surface.reset();

    std::printf("Machine: %s, %ld cores; GL: %s; pictures %dx%d\n", FirstLine("/proc/cpuinfo", "model name").c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), renderer ? renderer : "?", settings.width, settings.height);
    std::printf("Load average before: %s, after: %s; medians of %d runs, wall time\n", loadBefore.c_str(),
                LoadAverage().c_str(), settings.repeat);
    PrintTable(table);
    benchmark::Shutdown();
    return 0;
}
