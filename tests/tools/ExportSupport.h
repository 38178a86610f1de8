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

// Scenes the models do not hold, made in code and written as <folder>/<name>.mes (and .knx)
// with their TGA textures beside:
// "groups": one mesh of three material groups, each on a run of vertices of its own;
// "rig": an animated mesh that follows two joints, while the node that held it in the file
//   it came from ("figure") carries no vertex, and a bone at the skeleton's end carries none
//   either.
const std::vector<std::string>& MadeScenes();
EngineFiles WriteMadeScene(const std::string& name, const std::string& folder);

} // namespace tooltest
