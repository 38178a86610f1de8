// The steps the glTF export checks share, run as a user runs orvex-convert.
#pragma once

#include "ToolTestSupport.h"

#include <string>

namespace tooltest {

struct EngineFiles {
    std::string scene;     // .mes
    std::string animation; // .knx, "" when the model does not animate
};

// orvex-convert MODEL -o BASE (MODEL a glTF file): the engine's files. Fails the test (check
// with ASSERT_NO_FATAL_FAILURE) when the conversion fails.
void ImportModel(const std::string& model, const std::string& base, EngineFiles* out);

// orvex-convert SCENE.mes [--anim ANIMATION.knx] -o OUTPUT; fails the test when it fails.
void ExportScene(const EngineFiles& files, const std::string& output);

// The bundled sample scene, samples/2.MES with samples/2.KNX.
EngineFiles Sample();

} // namespace tooltest
