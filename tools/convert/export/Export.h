// One whole export, as orvex-convert runs it: read the scene (and animation) with the
// engine's loaders, build the glTF document, write OUT.glb, or OUT.gltf with its .bin and
// PNG files beside it.
#pragma once

#include "convert/export/GltfExport.h"

#include <string>
#include <vector>

namespace convert {

class Progress;

struct ExportOptions {
    std::string scene;     // .mes
    std::string animation; // .knx, or empty
    std::string output;    // .glb or .gltf
};

struct ExportReport {
    std::size_t nodes = 0, addedNodes = 0, meshes = 0, skins = 0, vertices = 0, triangles = 0;
    std::size_t materials = 0, textures = 0;
    std::uint32_t frames = 0;
    std::size_t channels = 0;
    std::string animationName;
    std::vector<std::string> files; // written, in order
    std::vector<std::string> warnings;
    double readSeconds = 0, buildSeconds = 0, writeSeconds = 0;
};

// Whether a path names a scene file (.mes, any letter case): what makes orvex-convert export.
bool IsScenePath(const std::string& path);

// False with a message, leaving no output file behind, when any step fails.
bool RunExport(const ExportOptions& options, Progress* progress, ExportReport* report, std::string* error);

} // namespace convert
