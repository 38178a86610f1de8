#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tooltest {

namespace {

// $ORVEX_ASSETS when set, else the model collection beside the source tree.
std::filesystem::path FindAssets()
{
    if (const char* assets = std::getenv("ORVEX_ASSETS"); assets && *assets)
        return assets;
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    if (!source || !*source)
        return {};
    return std::filesystem::path(source) / ".." / "shared" / "assets";
}

// The models are not part of this repository: without them every tool test is reported as
// skipped, with the reason. (A failure in a global environment is what makes GoogleTest mark
// each test skipped; GTEST_SKIP there would let them pass.)
class AssetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::filesystem::path dir = FindAssets();
        ASSERT_FALSE(dir.empty()) << "no models: set ORVEX_ASSETS, or ORVEX_SOURCE_DIR with the models in "
                                     "$ORVEX_SOURCE_DIR/../shared/assets (ctest sets it)";
        ASSERT_TRUE(std::filesystem::is_directory(dir / "CesiumMan"))
            << "no models: no folder " << (dir / "CesiumMan").string();
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

std::filesystem::path AssetsDir()
{
    return FindAssets();
}

std::string ModelPath(const std::string& model, bool binary)
{
    return (AssetsDir() / model / (binary ? "glTF-Binary" : "glTF") / (model + (binary ? ".glb" : ".gltf"))).string();
}

const std::vector<std::string>& AllModels()
{
    static const std::vector<std::string> models{"BoxAnimated",  "AnimatedCube", "InterpolationTest",
                                                 "RiggedSimple", "CesiumMan",    "BoxTextured"};
    return models;
}

RunResult RunTool(const std::string& tool, const std::vector<std::string>& args)
{
    return RunProgram(std::string(ORVEX_TOOLS_BIN_DIR) + "/" + tool, args);
}

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args)
{
    RunResult result;
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
        execvp(program.c_str(), argv.data());
        std::perror("execvp");
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
