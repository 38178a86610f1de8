#pragma once
// File paths as the framework's interface has them (UTF-8 text) and as the standard library's
// file system functions take them.
#include <filesystem>
#include <string>

namespace fw {

inline std::filesystem::path PathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The path made absolute and normal ("a/./b/../c" is "a/c"); unchanged when that fails.
std::string AbsolutePath(const std::string& path);
// The working folder, empty when it cannot be read.
std::string CurrentFolder();

} // namespace fw
