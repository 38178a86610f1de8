#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tooltest {

namespace {

std::filesystem::path FindAssets()
{
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    if (!source || !*source)
        return {};
    return std::filesystem::path(source) / ".." / "shared" / "assets";
}

// A failed assertion here would only mark the tests skipped; missing models must fail the run.
class AssetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::filesystem::path dir = FindAssets();
        const char* problem = nullptr;
        if (dir.empty())
            problem = "ORVEX_SOURCE_DIR is not set: the tool tests need the real models in "
                      "$ORVEX_SOURCE_DIR/../shared/assets (ctest sets it)";
        else if (!std::filesystem::is_directory(dir / "CesiumMan"))
            problem = "the real models are missing: no folder ../shared/assets/CesiumMan beside the source";
        if (problem) {
            std::fprintf(stderr, "%s\n", problem);
            std::exit(1);
        }
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new AssetsEnvironment);

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

std::filesystem::path AssetsDir() { return FindAssets(); }

std::string ModelPath(const std::string& model, bool binary)
{
    return (AssetsDir() / model / (binary ? "glTF-Binary" : "glTF") / (model + (binary ? ".glb" : ".gltf"))).string();
}

const std::vector<std::string>& AllModels()
{
    static const std::vector<std::string> models{"BoxAnimated", "AnimatedCube", "InterpolationTest",
                                                 "RiggedSimple", "CesiumMan",    "BoxTextured"};
    return models;
}

ScratchDir::ScratchDir(const std::string& name)
{
    std::filesystem::path base = std::filesystem::temp_directory_path();
    path = base / ("orvex-tools-" + name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::vector<std::string> ScratchDir::Files() const
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

RunResult RunTool(const std::string& tool, const std::vector<std::string>& args)
{
    RunResult result;
    std::string program = std::string(ORVEX_TOOLS_BIN_DIR) + "/" + tool;
    char outName[] = "/tmp/orvex-tool-out-XXXXXX";
    char errName[] = "/tmp/orvex-tool-err-XXXXXX";
    int outFd = mkstemp(outName), errFd = mkstemp(errName);
    if (outFd < 0 || errFd < 0)
        return result;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        std::perror("execv");
        _exit(127);
    }
    int status = 0;
    if (pid > 0)
        waitpid(pid, &status, 0);
    close(outFd);
    close(errFd);
    result.exitCode = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAll(outName);
    result.err = ReadAll(errName);
    std::remove(outName);
    std::remove(errName);
    return result;
}

} // namespace tooltest
