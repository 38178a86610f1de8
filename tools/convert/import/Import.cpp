#include "convert/import/Import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace convert {

bool IsGltfPath(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".gltf" || ext == ".glb";
}

bool Import(const std::string& path, Importer importer, Content* content, std::string* error)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        *error = std::filesystem::exists(path, ec) ? "not a regular file" : "no such file";
        return false;
    }
    if (importer == Importer::Gltf || (importer == Importer::Automatic && IsGltfPath(path)))
        return ImportGltf(path, content, error);
    return ImportAssimp(path, content, error);
}

} // namespace convert
