// orvex-convert: brings a model of any format Assimp reads (glTF through tinygltf) into
// the engine's .mes, .knx and TGA files, and a .mes scene with its .knx animation out to
// glTF 2.0.
#include "convert/Convert.h"
#include "convert/Progress.h"
#include "convert/export/Export.h"

#include "CommandLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

// The formats line depends on the build: with or without Assimp.
const std::string UsageText =
    std::string("usage: orvex-convert INPUT [-o OUTBASE] [--animation N|NAME] [--scale S] [--center]\n"
                "       orvex-convert SCENE.mes [--anim ANIMATION.knx] [-o OUT.glb|OUT.gltf]\n"
                "\n"
                "Converts a model (") +
    convert::FormatsRead() +
    ") into OUTBASE.mes,\n"
    "OUTBASE.knx (when it animates) and one TGA per texture next to them.\n"
    "\n"
    "  -o OUTBASE          output path without extension (default: the input's name in the\n"
    "                      current folder)\n"
    "  --animation N|NAME  the clip to write, by index or name (default: the first)\n"
    "  --scale S           scales the whole scene by S (default 1)\n"
    "  --center            moves the scene so the middle of its meshes, at the stored\n"
    "                      pose, is at the origin\n"
    "  -h, --help          this text\n"
    "  --version           prints the version\n"
    "\n"
    "Damaged files. A glTF file's references are checked before anything is converted,\n"
    "and each fault is told with its JSON path, for example\n"
    "  meshes[0].primitives[0].material: 999 is not a material\n"
    "- Refused (exit status 1, nothing written) when the model would come out wrong: the\n"
    "  scene and its node hierarchy (a child that is not a node, a node with two parents,\n"
    "  a cycle), a node's mesh or skin, a skin's joints and inverse bind matrices, a\n"
    "  primitive's attributes, indices and material, every accessor, buffer view and\n"
    "  buffer these read (type, count, the bytes it reads), a buffer file that is\n"
    "  missing, and extensions the file requires that the converter does not read.\n"
    "- Converted, with one warning per part dropped or replaced: a material whose base\n"
    "  colour texture, image or image data is broken keeps its colour instead of the\n"
    "  texture; a primitive without the texture coordinates its texture reads is drawn\n"
    "  in the material's colour; an animation channel whose sampler, target, key times\n"
    "  or values are broken is dropped; an unknown interpolation is read as LINEAR.\n"
    "- Noted: faults in parts that are not converted (other scenes, objects nothing\n"
    "  uses, cameras, texture samplers, textures other than the base colour, the\n"
    "  animations not chosen).\n"
    "An animation that lost every channel is never written as the clip: asked for with\n"
    "--animation it is refused; chosen by default, the scene is written without it.\n"
    "Other formats: a file Assimp's validation rejects is refused; the problems Assimp\n"
    "reports and steps around (a material or texture file it cannot find, a face it\n"
    "leaves out) become warnings. OBJ files that would crash Assimp are refused.\n"
    "Every warning names a part dropped, replaced or approximated; when there is one, the\n"
    "last line says \"partial conversion\" instead of \"done\".\n"
    "\n"
    "Exit status: 0 converted (also when partial), 1 refused or failed, 2 usage error.\n"
    "\n"
    "Given a .mes scene, writes it the other way, as glTF 2.0 that looks and plays as the\n"
    "viewer shows it: OUT.glb (one file, pictures inside), or OUT.gltf with OUT.bin and one\n"
    "PNG per texture beside it (default: the scene's name with .glb, in the current folder).\n"
    "The scene and its animation are read with the engine's own loaders.\n"
    "\n"
    "  --anim ANIMATION.knx  adds the animation, named after the file: one translation and\n"
    "                      one rotation channel per track, linear, key k at k/20 s\n"
    "\n"
    "Nodes keep their rest pose; a mesh on one node stays that node's mesh, a mesh whose\n"
    "vertices follow several nodes is skinned (one joint per vertex, weight 1). Triangles\n"
    "are turned round for glTF's counter-clockwise front faces. Materials map as follows:\n";

std::string Count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

void PrintSummary(const convert::ConvertOptions& options, const convert::ConvertReport& r, double seconds)
{
    const convert::BakedScene& b = r.baked;
    const orvex::format::SceneDesc& s = b.files.scene;
    std::size_t vertices = 0, triangles = 0;
    for (const auto& m : s.meshes) {
        vertices += m.vertices.size();
        for (const auto& g : m.groups)
            for (const auto& l : g.lists)
                triangles += l.indices.size() / 3;
    }
    std::printf("%s (%s)\n", options.input.c_str(), r.format.c_str());
    std::printf("wrote %s: %s, %s (%s, %s), %s\n", r.files[0].c_str(), Count(s.nodes.size(), "node", "nodes").c_str(),
                Count(s.meshes.size(), "mesh", "meshes").c_str(), Count(vertices, "vertex", "vertices").c_str(),
                Count(triangles, "triangle", "triangles").c_str(),
                Count(s.materials.size(), "material", "materials").c_str());
    std::size_t next = 1;
    if (b.files.animation) {
        const orvex::format::AnimationDesc& a = *b.files.animation;
        std::string clip = std::to_string(r.clip) + (b.clipName.empty() ? "" : " \"" + b.clipName + "\"");
        std::printf("wrote %s: animation %s of %zu, %u frames at %g fps (%.3f s), %zu tracks\n",
                    r.files[next++].c_str(), clip.c_str(), r.clipNames.size(), a.frameCount, b.framesPerSecond,
                    b.clipDuration, a.tracks.size());
    }
    for (const auto& t : b.files.textures)
        std::printf("wrote %s: %dx%d, %d-bit\n", r.files[next++].c_str(), t.width, t.height, t.channels * 8);
    if (b.skinnedVertices > 0)
        std::printf("skinning: %zu of %zu skinned vertices had more than one influence; each follows its heaviest "
                    "joint\n",
                    b.multiInfluenceVertices, b.skinnedVertices);
    if (options.center)
        std::printf("centered: moved by (%g, %g, %g)\n", r.centerOffset.x, r.centerOffset.y, r.centerOffset.z);
    std::printf("%s\n", convert::FinishLine(r, seconds).c_str());
}

void PrintExportSummary(const convert::ExportOptions& options, const convert::ExportReport& r, double seconds)
{
    std::printf("%s%s%s\n", options.scene.c_str(), options.animation.empty() ? "" : " with ",
                options.animation.c_str());
    std::string added = r.addedNodes ? " (" + std::to_string(r.addedNodes) + " added)" : "";
    std::printf("wrote %s: %s%s, %s (%zu skinned; %s, %s), %s, %s\n", r.files[0].c_str(),
                Count(r.nodes, "node", "nodes").c_str(), added.c_str(), Count(r.meshes, "mesh", "meshes").c_str(),
                r.skins, Count(r.vertices, "vertex", "vertices").c_str(),
                Count(r.triangles, "triangle", "triangles").c_str(),
                Count(r.materials, "material", "materials").c_str(), Count(r.textures, "texture", "textures").c_str());
    if (r.channels)
        std::printf("animation \"%s\": %u frames (%.3f s), %zu channels\n", r.animationName.c_str(), r.frames,
                    r.frames > 1 ? (r.frames - 1) / 20.0 : 0.0, r.channels);
    for (std::size_t i = 1; i < r.files.size(); ++i)
        std::printf("wrote %s\n", r.files[i].c_str());
    std::printf("done in %.3f s (read %.3f s, build %.3f s, write %.3f s)\n", seconds, r.readSeconds, r.buildSeconds,
                r.writeSeconds);
}

// Notes on parts that are not converted, the first few of them.
void PrintNotes(const std::vector<std::string>& notes)
{
    constexpr std::size_t MaxNotes = 20;
    for (std::size_t n = 0; n < notes.size() && n < MaxNotes; ++n)
        std::fprintf(stderr, "orvex-convert: note: %s\n", notes[n].c_str());
    if (notes.size() > MaxNotes)
        std::fprintf(stderr, "orvex-convert: note: and %zu more\n", notes.size() - MaxNotes);
}

// Runs one conversion either way with progress on stderr, then its warnings, and its error
// or its summary; returns the exit status.
template <typename Options, typename Report, typename Run, typename Summary>
int RunAndReport(const Options& options, Run run, Summary summary)
{
    Report report;
    std::string error;
    bool ok;
    double seconds;
    {
        convert::Progress progress("orvex-convert");
        ok = run(options, &progress, &report, &error);
        seconds = progress.Elapsed();
    }
    if constexpr (requires { report.notes; })
        PrintNotes(report.notes);
    for (const std::string& w : report.warnings)
        std::fprintf(stderr, "orvex-convert: warning: %s\n", w.c_str());
    if (!ok) {
        for (std::size_t start = 0; start <= error.size();) {
            std::size_t end = std::min(error.find('\n', start), error.size());
            std::fprintf(stderr, "orvex-convert: %s\n", error.substr(start, end - start).c_str());
            start = end + 1;
        }
        return 1;
    }
    summary(options, report, seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    convert::ConvertOptions options;
    bool haveOutput = false;
    std::string sceneAnimation;
    std::vector<std::string> importOnly; // options that only make sense when importing
    cli::CommandLine line("orvex-convert", UsageText + convert::MaterialMapping);
    line.Value(
        "-o",
        [&](const std::string& value) {
            options.outBase = value;
            return haveOutput = true;
        },
        "-o needs an output path");
    line.Value(
        "--animation",
        [&](const std::string& value) {
            options.animation = value;
            importOnly.push_back("--animation");
            return !value.empty();
        },
        "--animation needs an index or a name");
    line.Value(
        "--anim",
        [&](const std::string& value) {
            sceneAnimation = value;
            return !value.empty();
        },
        "--anim needs a .knx file");
    line.Value(
        "--scale",
        [&](const std::string& value) {
            char* end = nullptr;
            const double s = std::strtod(value.c_str(), &end);
            options.scale = s;
            importOnly.push_back("--scale");
            return end != value.c_str() && !*end && std::isfinite(s) && s > 0;
        },
        "--scale needs a positive number");
    line.Flag("--center", [&] {
        options.center = true;
        importOnly.push_back("--center");
    });
    line.Operands([&options](const std::string& arg) -> std::string {
        if (!options.input.empty())
            return "more than one input: " + options.input + " and " + arg;
        options.input = arg;
        return "";
    });
    if (const std::optional<int> status = line.Parse(argc, argv))
        return *status;

    if (options.input.empty())
        return line.Refuse("no input file");
    if (convert::IsScenePath(options.input)) {
        if (!importOnly.empty())
            return line.Refuse(importOnly.front() + " is for importing; a .mes scene is exported as it is");
        convert::ExportOptions exportOptions{options.input, sceneAnimation, options.outBase};
        if (!haveOutput)
            exportOptions.output = std::filesystem::path(options.input).stem().string() + ".glb";
        return RunAndReport<convert::ExportOptions, convert::ExportReport>(exportOptions, convert::RunExport,
                                                                           PrintExportSummary);
    }
    if (!sceneAnimation.empty())
        return line.Refuse("--anim goes with a .mes scene (to export it); to pick a clip of " + options.input +
                           " use --animation");
    if (!haveOutput)
        options.outBase = std::filesystem::path(options.input).stem().string();

    return RunAndReport<convert::ConvertOptions, convert::ConvertReport>(options, convert::RunConversion, PrintSummary);
}
