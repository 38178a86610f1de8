#include "TempDir.h"

#include "format/ByteWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

TempDir::TempDir(const std::string& label)
{
    // A new folder of a random name: creating it fails when the name is taken.
    std::random_device random;
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && path.empty() && !ec; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        const std::filesystem::path candidate = base / ("orvex-" + label + "-" + suffix);
        if (std::filesystem::create_directory(candidate, ec))
            path = candidate.string();
    }
    if (path.empty())
        throw std::runtime_error("cannot make a folder for orvex-" + label + " in the temp folder: " + ec.message());
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::string file = File(name);
    // Unlink first: ext4 flushes a file that is truncated and rewritten when it is closed,
    // which makes tests that rewrite one fixture many times crawl.
    std::remove(file.c_str());
    orvex::format::WriteBytes(file, bytes);
    return file;
}

std::vector<std::string> TempDir::Files() const
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}
