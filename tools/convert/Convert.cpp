#include "convert/Convert.h"
#include "convert/Center.h"

#include "convert/Names.h"
#include "convert/Output.h"
#include "convert/Progress.h"

#include <chrono>
#include <filesystem>

namespace convert {

namespace {

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

bool ChooseClip(const std::vector<std::string>& names, const std::string& animation, int* clip, std::string* error)
{
    if (animation.empty()) {
        *clip = names.empty() ? -1 : 0;
        return true;
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == animation) {
            *clip = static_cast<int>(i);
            return true;
        }
    if (animation.find_first_not_of("0123456789") == std::string::npos && animation.size() < 10) {
        int index = std::stoi(animation);
        if (index < static_cast<int>(names.size())) {
            *clip = index;
            return true;
        }
    }
    std::string known;
    for (std::size_t i = 0; i < names.size(); ++i)
        known += (i ? ", " : "") + std::to_string(i) + " \"" + names[i] + "\"";
    *error = "no animation \"" + animation + "\"; the file has " +
             (names.empty() ? std::string("none") : std::to_string(names.size()) + ": " + known);
    return false;
}

bool RunConversion(const ConvertOptions& options, Progress* progress, ConvertReport* report, std::string* error)
{
    *report = ConvertReport{};
    auto stage = [&](const std::string& what) {
        if (progress)
            progress->Stage(what);
    };

    // The texture names carry the output's name, so scenes converted into one folder do
    // not overwrite each other's pictures.
    std::string prefix = FileSafe(std::filesystem::path(options.outBase).filename().string());
    if (prefix.empty()) {
        *error = "the output name \"" + options.outBase + "\" has no file name";
        return false;
    }
    constexpr std::size_t RoomForTexture = 8;
    if (prefix.size() + 1 + RoomForTexture > MaxTextureNameBytes) {
        *error = "the output name \"" + prefix + "\" cannot be made to fit the texture names (at most " +
                 std::to_string(MaxTextureNameBytes - 1 - RoomForTexture) + " bytes)";
        return false;
    }
    std::filesystem::path folder = std::filesystem::path(options.outBase).parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        *error = "the output folder \"" + folder.string() + "\" does not exist";
        return false;
    }

    stage("importing " + options.input);
    auto start = std::chrono::steady_clock::now();
    Content content;
    if (!Import(options.input, options.importer, &content, error)) {
        *error = options.input + ": " + *error;
        return false;
    }
    report->importSeconds = Since(start);
    report->format = content.format;
    report->warnings = content.warnings;
    for (const Clip& c : content.clips)
        report->clipNames.push_back(c.name);

    BakeOptions bake;
    bake.scale = options.scale;
    bake.texturePrefix = prefix;
    if (!ChooseClip(report->clipNames, options.animation, &bake.clip, error))
        return false;
    report->clip = bake.clip;

    stage("baking meshes, textures and animation");
    start = std::chrono::steady_clock::now();
    if (!Bake(content, bake, &report->baked, error)) {
        *error = options.input + ": " + *error;
        return false;
    }
    if (options.center)
        report->centerOffset = CenterScene(&report->baked.files);
    report->bakeSeconds = Since(start);
    report->warnings.insert(report->warnings.end(), report->baked.warnings.begin(), report->baked.warnings.end());

    stage("writing " + options.outBase + ".mes");
    start = std::chrono::steady_clock::now();
    if (!WriteOutput(report->baked.files, options.outBase, error))
        return false;
    report->writeSeconds = Since(start);
    report->files = OutputFiles(report->baked.files, options.outBase);
    stage("");
    return true;
}

} // namespace convert
