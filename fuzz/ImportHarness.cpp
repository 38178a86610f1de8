#include "ImportHarness.h"

#include "convert/Names.h"

#include <filesystem>

namespace fuzzimport {

ImportHarness::ImportHarness(Format format) : format(format)
{
    if (format == Format::Obj)
        assimp = std::make_unique<convert::AssimpBytesReader>("obj");
}

ImportHarness::~ImportHarness() = default;

const char* ImportHarness::FileName() const
{
    return format == Format::Obj ? "input.obj" : "input.glb";
}

Outcome ImportHarness::Run(const std::uint8_t* data, std::size_t size, const convert::ConvertOptions& options,
                           convert::ConvertReport* report, std::string* error)
{
    *report = convert::ConvertReport{};
    convert::Content content;
    const bool imported =
        assimp ? assimp->Read(data, size, &content, error) : convert::ImportGltfBytes(data, size, &content, error);
    if (!imported)
        return Outcome::Refused;
    int clip = -1;
    std::vector<std::string> names;
    for (const convert::Clip& c : content.clips)
        names.push_back(c.name);
    std::string unused;
    if (convert::ChooseClip(names, options.animation, &clip, &unused) && clip >= 0) {
        const double keys = convert::ClipFrames(content.clips[clip], convert::BakeOptions{}.framesPerSecond) *
                            static_cast<double>(content.nodes.size());
        // Beyond the converter's own limit the clip is left out, which is quick.
        if (keys > MaxKeys && keys <= convert::MaxAnimationKeys)
            return Outcome::ImportedOnly;
    }
    const std::string prefix = convert::FileSafe(std::filesystem::path(options.outBase).filename().string());
    return convert::BakeContent(content, options, prefix, report, error) ? Outcome::Converted : Outcome::Refused;
}

convert::ConvertOptions HarnessOptions()
{
    convert::ConvertOptions options;
    options.outBase = "fuzz";
    options.center = true;
    return options;
}

} // namespace fuzzimport
