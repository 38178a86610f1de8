// Pieces of the glTF exporter shared by its source files.
#pragma once

#include "convert/Affine.h"
#include "convert/export/GltfExport.h"
#include "convert/export/GltfExportBuffer.h"

#include <map>
#include <string>
#include <vector>

namespace convert {

// The document while it is built. Node i is the file's node i; nodes the exporter adds (mesh
// holders, a common root) come after them.
struct GltfBuild {
    GltfExportBuffer buffer;
    GltfJson nodes = GltfJson::array();
    std::vector<int> parent;                   // of every glTF node, -1 for a root
    std::vector<Rigid> restWorld;              // of every file node, from the values written
    std::map<std::string, int> materialOfName; // the first material of each name, as the engine finds it
    std::vector<std::string> warnings;

    // Appends a node without transform; returns its index.
    int AddNode(const std::string& name, int parentNode);
};

// Adds a glTF mesh for every file mesh that has triangles (and a skin where its vertices
// follow several nodes), attached to the node that holds it.
void AddMeshes(const orvex::format::SceneDesc& scene, GltfBuild* build, GltfJson* meshes, GltfJson* skins);

} // namespace convert
