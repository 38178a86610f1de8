// Every model goes glTF -> .mes/.knx -> .glb (and .gltf) -> .mes/.knx, and the second pair of
// files reproduces the first: the same nodes, meshes and materials, vertices and keys within
// 1e-5, and the same texture pictures (their names carry each output's name).
#include "ExportSupport.h"
#include "SceneCompare.h"
#include "TempDir.h"

#include "format/EngineRead.h"

#include <gtest/gtest.h>

using namespace tooltest;
namespace fmt = orvex::format;

namespace {

void ExpectSameScene(const EngineFiles& first, const EngineFiles& second)
{
    fmt::SceneFiles a, b;
    std::string error;
    ASSERT_TRUE(fmt::ReadWithEngine(first.scene, first.animation, &a, &error)) << error;
    ASSERT_TRUE(fmt::ReadWithEngine(second.scene, second.animation, &b, &error)) << error;
    CompareOptions options;
    options.tolerance = 1e-5;
    options.textureNames = false;
    for (const std::string& difference : SceneDifferences(a, b, options))
        ADD_FAILURE() << difference;
}

} // namespace

TEST(ExportRoundTrip, EveryModelComesBackAsItWent)
{
    TempDir dir("export-round-trip");
    for (const std::string& model : AllModels()) {
        for (const char* container : {".glb", ".gltf"}) {
            SCOPED_TRACE(model + " through " + container);
            const std::string name = model + container;
            std::filesystem::create_directories(dir.File(name));
            EngineFiles first, second;
            ASSERT_NO_FATAL_FAILURE(ImportModel(ModelPath(model), dir.File(name + "/first"), &first));
            ASSERT_NO_FATAL_FAILURE(ExportScene(first, dir.File(name + "/export" + container)));
            ASSERT_NO_FATAL_FAILURE(
                ImportModel(dir.File(name + "/export" + container), dir.File(name + "/second"), &second));
            ExpectSameScene(first, second);
        }
    }
}
