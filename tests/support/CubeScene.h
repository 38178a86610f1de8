// A cube scene for tests that look at whole models: one node, one mesh of 24 vertices (each
// face with its own normal) drawn with one untextured material. Needs the format writer.
#pragma once

#include "format/MeshWriter.h"

#include <string>
#include <vector>

namespace testscenes {

// A cube of side `size` about `middle`, drawn with material `material`.
inline orvex::format::SceneDesc CubeScene(float size, orvex::format::Vec3 middle, const std::string& material)
{
    using namespace orvex::format;
    SceneDesc scene;
    scene.materials.emplace_back().name = material;
    scene.nodes.emplace_back().name = "root";
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "cube";
    const float h = size / 2;
    const float faces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    std::vector<std::int32_t> indices;
    for (const auto& n : faces) {
        // Two axes across the face: u, and v = n x u.
        const float u[3] = {n[0] != 0 ? 0.0f : 1.0f, n[0] != 0 ? 1.0f : 0.0f, 0.0f};
        const float v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2], n[0] * u[1] - n[1] * u[0]};
        const auto first = static_cast<std::int32_t>(mesh.vertices.size());
        for (const auto& c : corners) {
            VertexDesc vertex;
            vertex.normal = {n[0], n[1], n[2]};
            vertex.position = {middle.x + h * (n[0] + c[0] * u[0] + c[1] * v[0]),
                               middle.y + h * (n[1] + c[0] * u[1] + c[1] * v[1]),
                               middle.z + h * (n[2] + c[0] * u[2] + c[1] * v[2])};
            mesh.vertices.push_back(vertex);
            mesh.nodeIndices.push_back(0);
        }
        // Both windings, so the cube shows whichever way faces are culled.
        indices.insert(indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
        indices.insert(indices.end(), {first, first + 2, first + 1, first, first + 3, first + 2});
    }
    mesh.groups.push_back(GroupDesc{material, {TriangleListDesc{indices}}});
    return scene;
}

} // namespace testscenes
