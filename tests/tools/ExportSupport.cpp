#include "ExportSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tooltest {

void ImportModel(const std::string& model, const std::string& base, EngineFiles* out)
{
    RunResult r = RunTool("orvex-convert", {model, "-o", base});
    ASSERT_EQ(r.exitCode, 0) << model << ": " << r.err;
    out->scene = base + ".mes";
    out->animation = std::filesystem::exists(base + ".knx") ? base + ".knx" : "";
}

void ExportScene(const EngineFiles& files, const std::string& output)
{
    std::vector<std::string> args{files.scene, "-o", output};
    if (!files.animation.empty())
        args.insert(args.end(), {"--anim", files.animation});
    RunResult r = RunTool("orvex-convert", args);
    ASSERT_EQ(r.exitCode, 0) << files.scene << ": " << r.err;
}

EngineFiles Sample()
{
    const char* source = std::getenv("ORVEX_SOURCE_DIR");
    std::filesystem::path samples = std::filesystem::path(source ? source : ".") / "samples";
    return {(samples / "2.MES").string(), (samples / "2.KNX").string()};
}

} // namespace tooltest
