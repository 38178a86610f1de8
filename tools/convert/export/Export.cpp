#include "convert/export/Export.h"

#include "convert/Progress.h"
#include "convert/WriteTogether.h"

#include "format/ByteWriter.h"
#include "format/EngineRead.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>

namespace convert {

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Count(const orvex::format::SceneFiles& files, const GltfDocument& document, ExportReport* report)
{
    report->nodes = files.scene.nodes.size();
    if (document.json.contains("nodes"))
        report->addedNodes = document.json["nodes"].size() - report->nodes;
    if (document.json.contains("meshes"))
        report->meshes = document.json["meshes"].size();
    if (document.json.contains("skins"))
        report->skins = document.json["skins"].size();
    for (const auto& mesh : files.scene.meshes) {
        report->vertices += mesh.vertices.size();
        for (const auto& group : mesh.groups)
            for (const auto& list : group.lists)
                report->triangles += list.indices.size() / 3;
    }
    report->materials = files.scene.materials.size();
    if (document.json.contains("images"))
        report->textures = document.json["images"].size();
    if (document.json.contains("animations")) {
        report->frames = files.animation->frameCount;
        report->channels = document.json["animations"][0]["channels"].size();
    }
}

} // namespace

bool IsScenePath(const std::string& path)
{
    return LowerExtension(path) == ".mes";
}

bool RunExport(const ExportOptions& options, Progress* progress, ExportReport* report, std::string* error)
{
    *report = ExportReport{};
    auto stage = [&](const std::string& what) {
        if (progress)
            progress->Stage(what);
    };
    const std::string ext = LowerExtension(options.output);
    if (ext != ".glb" && ext != ".gltf") {
        *error = "the output \"" + options.output + "\" must end in .glb or .gltf";
        return false;
    }
    const bool binary = ext == ".glb";
    const fs::path output(options.output);
    std::error_code ec;
    if (output.filename().empty() || output.stem().empty()) {
        *error = "the output \"" + options.output + "\" has no file name";
        return false;
    }
    if (!output.parent_path().empty() && !fs::is_directory(output.parent_path(), ec)) {
        *error = "the output folder \"" + output.parent_path().string() + "\" does not exist";
        return false;
    }

    stage("reading " + options.scene);
    auto start = std::chrono::steady_clock::now();
    orvex::format::SceneFiles files;
    if (!orvex::format::ReadWithEngine(options.scene, options.animation, &files, error))
        return false;
    report->readSeconds = Since(start);

    stage("building the glTF document");
    start = std::chrono::steady_clock::now();
    GltfExportOptions gltf;
    gltf.binary = binary;
    gltf.bufferUri = output.stem().string() + ".bin";
    gltf.animationName = options.animation.empty() ? "" : fs::path(options.animation).stem().string();
    report->animationName = gltf.animationName;
    GltfDocument document;
    if (!BuildGltf(files, gltf, &document, error)) {
        *error = options.scene + ": " + *error;
        return false;
    }
    report->warnings = document.warnings;
    Count(files, document, report);
    report->buildSeconds = Since(start);

    stage("writing " + options.output);
    start = std::chrono::steady_clock::now();
    std::vector<PlannedFile> planned;
    auto bytes = [](const std::vector<std::uint8_t>& data) {
        return [&data](const std::string& path, std::string*) { return orvex::format::WriteBytes(path, data); };
    };
    std::vector<std::uint8_t> main;
    if (binary) {
        main = GlbBytes(document);
        if (main.empty()) {
            *error = options.output + ": the scene's data is larger than a .glb file can hold (4 GiB); write .gltf";
            return false;
        }
        planned.push_back({options.output, bytes(main)});
    } else {
        const std::string text = GltfText(document);
        main.assign(text.begin(), text.end());
        planned.push_back({options.output, bytes(main)});
        if (!document.buffer.empty())
            planned.push_back({(output.parent_path() / gltf.bufferUri).string(), bytes(document.buffer)});
        for (const GltfImageFile& image : document.images)
            planned.push_back({(output.parent_path() / image.uri).string(), bytes(image.png)});
    }
    if (!WriteTogether(planned, error))
        return false;
    for (const PlannedFile& file : planned)
        report->files.push_back(file.path);
    report->writeSeconds = Since(start);
    stage("");
    return true;
}

} // namespace convert
