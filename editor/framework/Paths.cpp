#include "framework/Paths.h"

#include <system_error>

namespace fw {

std::string AbsolutePath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(PathFromUtf8(path), error);
    if (error)
        return path;
    return Utf8FromPath(absolute.lexically_normal());
}

std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : Utf8FromPath(current);
}

} // namespace fw
