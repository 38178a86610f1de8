// What the content tool tests share: where the real models are and running the tools as
// programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

// $ORVEX_ASSETS, else ORVEX_SOURCE_DIR/../shared/assets. A global test environment skips every
// test of the program, with the reason, when the models are not there.
std::filesystem::path AssetsDir();

// The .gltf (or, with binary, the .glb) file of one of the models.
std::string ModelPath(const std::string& model, bool binary = false);

// The six models every tool test runs on.
const std::vector<std::string>& AllModels();

struct RunResult {
    int exitCode = -1;
    std::string out; // standard output
    std::string err; // standard error
};

// Runs build/bin/<tool> with the arguments (no shell involved) and collects its output.
RunResult RunTool(const std::string& tool, const std::vector<std::string>& args);

// The same for any program: a path, or a name looked up in PATH.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args);

} // namespace tooltest
