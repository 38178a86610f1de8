#include "convert/Convert.h"
#include "convert/bake/Center.h"

#include "convert/Names.h"
#include "convert/Output.h"
#include "convert/Progress.h"
#include "convert/import/Sampler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace convert {

namespace {

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each line of a message, prefixed with the input's path; a long list is cut short.
std::string PerLine(const std::string& input, const std::string& message)
{
    constexpr std::size_t MaxLines = 20;
    std::string out;
    std::size_t lines = 0, start = 0;
    while (start <= message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos)
            end = message.size();
        if (++lines <= MaxLines)
            out += (out.empty() ? "" : "\n") + input + ": " + message.substr(start, end - start);
        start = end + 1;
    }
    if (lines > MaxLines)
        out += "\n" + input + ": and " + std::to_string(lines - MaxLines) + " more faults";
    return out;
}

std::string Seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", s);
    return text;
}

std::string ClipLabel(const std::vector<std::string>& names, int clip)
{
    return "animation " + std::to_string(clip) + (names[clip].empty() ? "" : " \"" + names[clip] + "\"");
}

} // namespace

double ClipFrames(const Clip& clip, double framesPerSecond)
{
    return std::floor(ClipDuration(clip) * framesPerSecond) + 2; // at least what the baker makes
}

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

bool BakeContent(const Content& content, const ConvertOptions& options, const std::string& texturePrefix,
                 ConvertReport* report, std::string* error)
{
    report->format = content.format;
    report->warnings = content.warnings;
    report->notes = content.notes;
    report->clipNames.clear();
    for (const Clip& c : content.clips)
        report->clipNames.push_back(c.name);

    BakeOptions bake;
    bake.scale = options.scale;
    bake.texturePrefix = texturePrefix;
    if (!ChooseClip(report->clipNames, options.animation, &bake.clip, error))
        return false;
    // What was dropped from a clip counts only for the clip converted.
    for (std::size_t c = 0; c < content.clips.size(); ++c) {
        const bool converted = static_cast<int>(c) == bake.clip;
        for (const std::string& line : content.clips[c].dropped)
            (converted ? report->warnings : report->notes)
                .push_back(converted ? line
                                     : line + " (" + ClipLabel(report->clipNames, static_cast<int>(c)) +
                                           " is not converted)");
    }
    // A clip that cannot be baked is refused when asked for; chosen by default, the scene
    // is written without it.
    std::string unbakeable;
    if (bake.clip >= 0) {
        const Clip& clip = content.clips[bake.clip];
        const double seconds = ClipDuration(clip);
        const double frames = ClipFrames(clip, bake.framesPerSecond);
        if (clip.channels.empty() && !clip.dropped.empty())
            unbakeable = " has no channel left to convert";
        else if (!(frames * static_cast<double>(content.nodes.size()) <= MaxAnimationKeys))
            unbakeable = " lasts " + Seconds(seconds) + " s: " + std::to_string(content.nodes.size()) + " nodes at " +
                         std::to_string(static_cast<long long>(std::min(frames, 1e15))) +
                         " frames are more keys than the converter writes (" +
                         std::to_string(static_cast<long long>(MaxAnimationKeys)) + ")";
    }
    if (!unbakeable.empty()) {
        const std::string label = ClipLabel(report->clipNames, bake.clip);
        if (!options.animation.empty()) {
            *error = label + unbakeable;
            return false;
        }
        report->warnings.push_back(label + unbakeable + ", so no animation is written" +
                                   (content.clips.size() > 1 ? " (choose another with --animation)" : ""));
        bake.clip = -1;
    }
    report->clip = bake.clip;
    if (!Bake(content, bake, &report->baked, error))
        return false;
    if (options.center)
        report->centerOffset = CenterScene(&report->baked.files);
    report->warnings.insert(report->warnings.end(), report->baked.warnings.begin(), report->baked.warnings.end());
    return true;
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
        *error = PerLine(options.input, *error);
        return false;
    }
    report->importSeconds = Since(start);

    stage("baking meshes, textures and animation");
    start = std::chrono::steady_clock::now();
    if (!BakeContent(content, options, prefix, report, error)) {
        *error = options.input + ": " + *error;
        return false;
    }
    report->bakeSeconds = Since(start);

    stage("writing " + options.outBase + ".mes");
    start = std::chrono::steady_clock::now();
    if (!WriteOutput(report->baked.files, options.outBase, error))
        return false;
    report->writeSeconds = Since(start);
    report->files = OutputFiles(report->baked.files, options.outBase);
    stage("");
    return true;
}

std::string FinishLine(const ConvertReport& r, double seconds)
{
    char times[160];
    std::snprintf(times, sizeof times, " in %.3f s (import %.3f s, bake %.3f s, write %.3f s)", seconds,
                  r.importSeconds, r.bakeSeconds, r.writeSeconds);
    if (r.warnings.empty())
        return std::string("done") + times;
    std::size_t n = r.warnings.size();
    return std::string("partial conversion") + times + ": " + std::to_string(n) +
           (n == 1 ? " warning says" : " warnings say") + " what was dropped or replaced";
}

} // namespace convert
