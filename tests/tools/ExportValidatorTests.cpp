// The Khronos glTF-Validator reads every export (each model and the bundled sample, as .glb
// and as .gltf with its .bin and pictures) and reports no error.
#include "ExportSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

using namespace tooltest;

TEST(ExportValidator, EveryExportIsValidGltf)
{
    ASSERT_TRUE(std::filesystem::exists(std::string(ORVEX_GLTF_VALIDATOR_DIR) + "/package.json"))
        << "the glTF-Validator is not installed in " << ORVEX_GLTF_VALIDATOR_DIR << ": run scripts/deps.sh";
    TempDir dir("export-validator");
    std::vector<std::string> exports;
    for (const std::string& model : AllModels()) {
        EngineFiles files;
        ASSERT_NO_FATAL_FAILURE(ImportModel(ModelPath(model), dir.File(model), &files));
        for (const char* container : {".glb", ".gltf"}) {
            std::filesystem::create_directories(dir.File(model + container));
            exports.push_back(dir.File(model + container + "/" + model + container));
            ASSERT_NO_FATAL_FAILURE(ExportScene(files, exports.back()));
        }
    }
    for (const char* container : {".glb", ".gltf"}) {
        exports.push_back(dir.File(std::string("man") + container));
        ASSERT_NO_FATAL_FAILURE(ExportScene(Sample(), exports.back()));
    }

    // One run of the machine's Node.js for all of them.
    std::vector<std::string> args{ORVEX_VALIDATE_SCRIPT, ORVEX_GLTF_VALIDATOR_DIR};
    args.insert(args.end(), exports.begin(), exports.end());
    RunResult r = RunProgram("node", args);
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    std::istringstream lines(r.out);
    std::size_t reports = 0;
    for (std::string line; std::getline(lines, line);) {
        nlohmann::json report = nlohmann::json::parse(line);
        SCOPED_TRACE(report["file"].get<std::string>());
        ++reports;
        EXPECT_EQ(report["validator"], "2.0.0-dev.3.10");
        EXPECT_EQ(report["errors"], 0) << report["messages"].dump(1);
        // Warnings, for the record (a skinned mesh below the skeleton's root, as in the model
        // it came from, and the animated transform of the node holding it, which glTF ignores).
        for (const auto& message : report["messages"])
            std::printf("%s: %s\n", std::filesystem::path(report["file"].get<std::string>()).filename().c_str(),
                        message.get<std::string>().c_str());
    }
    EXPECT_EQ(reports, exports.size());
}
