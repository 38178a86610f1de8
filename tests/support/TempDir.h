// The scratch folder of the tests: a fresh, empty folder under the system's temp folder,
// removed with everything in it when the object goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempDir {
public:
    // The folder is named orvex-<label>-<random digits>; a folder that cannot be made
    // throws, so that no test writes beside it.
    explicit TempDir(const std::string& label = "test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    // The path of `name` (which may hold folders) inside the folder.
    std::string File(const std::string& name) const { return path + "/" + name; }
    // Writes the bytes to File(name) and returns its path.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // Names of the files and folders in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::string path;
};
