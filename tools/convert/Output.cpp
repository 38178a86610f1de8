#include "convert/Output.h"

#include "convert/WriteTogether.h"

#include <filesystem>

namespace convert {

namespace fmt = orvex::format;

fmt::TgaDesc ToTgaDesc(const fmt::TextureDesc& texture)
{
    fmt::TgaDesc desc =
        fmt::TgaFromPixels(static_cast<std::uint16_t>(texture.width), static_cast<std::uint16_t>(texture.height),
                           texture.channels, texture.pixels.data());
    desc.descriptor |= 0x20; // rows stored top first
    return desc;
}

std::vector<std::string> OutputFiles(const fmt::SceneFiles& files, const std::string& base)
{
    std::vector<std::string> paths{base + ".mes"};
    if (files.animation)
        paths.push_back(base + ".knx");
    std::filesystem::path folder = std::filesystem::path(base).parent_path();
    for (const fmt::TextureDesc& t : files.textures)
        paths.push_back((folder / (t.name + ".TGA")).string());
    return paths;
}

bool WriteOutput(const fmt::SceneFiles& files, const std::string& base, std::string* error)
{
    for (const fmt::TextureDesc& t : files.textures) {
        if (t.width <= 0 || t.height <= 0 || t.width > 65535 || t.height > 65535) {
            *error = "texture '" + t.name + "' is " + std::to_string(t.width) + "x" + std::to_string(t.height) +
                     " pixels; a TGA file holds at most 65535 a side";
            return false;
        }
    }
    std::vector<std::string> paths = OutputFiles(files, base);
    std::vector<PlannedFile> planned;
    std::size_t next = 0;
    planned.push_back(
        {paths[next++], [&](const std::string& p, std::string* r) { return fmt::WriteScene(p, files.scene, r); }});
    if (files.animation)
        planned.push_back({paths[next++], [&](const std::string& p, std::string* r) {
                               return fmt::WriteAnimation(p, *files.animation, r);
                           }});
    for (const fmt::TextureDesc& texture : files.textures)
        planned.push_back({paths[next++], [&texture](const std::string& p, std::string* r) {
                               return fmt::WriteTga(p, ToTgaDesc(texture), r);
                           }});
    return WriteTogether(planned, error);
}

} // namespace convert
