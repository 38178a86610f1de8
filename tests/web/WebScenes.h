// Scenes for the web backend's tests, made with the format writer: a flat grid of more
// vertices than 16-bit indices reach, textured with a picture whose sides are not powers of
// two, a quad whose material has no texture, and a floor that only a point light lights.
#pragma once

#include "format/MeshWriter.h"
#include "format/TgaWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace webscenes {

inline constexpr const char* kGridTexture = "checker";
inline constexpr int kTextureWidth = 100, kTextureHeight = 75;

// Red and blue checks of 10 pixels with a green ramp across the picture: every part of it
// tells where it is, so a texture sampled wrongly shows.
inline orvex::format::TgaDesc CheckerTexture()
{
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < kTextureHeight; ++y) {
        for (int x = 0; x < kTextureWidth; ++x) {
            const bool check = ((x / 10) + (y / 10)) % 2 == 0;
            rgb.push_back(check ? 230 : 30);
            rgb.push_back(static_cast<std::uint8_t>(x * 255 / (kTextureWidth - 1)));
            rgb.push_back(check ? 40 : 220);
        }
    }
    return orvex::format::TgaFromPixels(kTextureWidth, kTextureHeight, 3, rgb.data());
}

// `columns` x `rows` vertices over an 8 x 6 rectangle about the origin, facing +z (the
// camera), their triangles clockwise as the engine's front faces are; the texture repeats
// 3 times across and 2 times down. Before it, a small quad in the lower right corner is drawn
// with a material that has no texture: it draws with whatever texture the frame before left
// bound, which in the viewer is the overlay font's, in GL_REPLACE. After it, a floor reaches
// from under the camera into the distance: the engine's light, a point behind the viewer, lights
// it less and less with distance, where a light from that direction would leave it dark.
inline orvex::format::SceneDesc GridScene(int columns, int rows)
{
    using namespace orvex::format;
    SceneDesc scene;
    MaterialDesc& textured = scene.materials.emplace_back();
    textured.name = "grid";
    textured.specular = {0.5f, 0.5f, 0.5f, 1.0f};
    textured.shininess = 10.0f;
    textured.texture = kGridTexture;
    MaterialDesc& plain = scene.materials.emplace_back();
    plain.name = "plain";
    plain.diffuse = {0.9f, 0.6f, 0.1f, 1.0f};
    scene.nodes.emplace_back().name = "root";

    MeshDesc& quad = scene.meshes.emplace_back();
    quad.name = "quad";
    // Corners off the pixels' centres, so that no edge depends on a rasteriser's tie-break.
    const float corners[4][2] = {{2.61f, -2.87f}, {3.87f, -2.87f}, {2.61f, -1.63f}, {3.87f, -1.63f}};
    for (const auto& corner : corners) {
        VertexDesc v;
        v.normal = {0, 0, 1};
        v.position = {corner[0], corner[1], 0.01f};
        quad.vertices.push_back(v);
        quad.nodeIndices.push_back(0);
    }
    quad.groups.push_back(GroupDesc{"plain", {TriangleListDesc{{0, 2, 1, 1, 2, 3}}}});

    MeshDesc& grid = scene.meshes.emplace_back();
    grid.name = "grid";
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            VertexDesc v;
            v.s = 3.0f * static_cast<float>(i) / static_cast<float>(columns - 1);
            v.t = 2.0f * static_cast<float>(rows - 1 - j) / static_cast<float>(rows - 1);
            v.normal = {0, 0, 1};
            v.position = {-4.0f + 8.0f * static_cast<float>(i) / static_cast<float>(columns - 1),
                          -3.0f + 6.0f * static_cast<float>(j) / static_cast<float>(rows - 1), 0.0f};
            grid.vertices.push_back(v);
            grid.nodeIndices.push_back(0);
        }
    }
    std::vector<std::int32_t> indices;
    for (int j = 0; j + 1 < rows; ++j) {
        for (int i = 0; i + 1 < columns; ++i) {
            const std::int32_t a = j * columns + i, b = a + 1, c = a + columns, d = c + 1;
            indices.insert(indices.end(), {a, c, b, b, c, d});
        }
    }
    grid.groups.push_back(GroupDesc{"grid", {TriangleListDesc{indices}}});

    MeshDesc& floor = scene.meshes.emplace_back();
    floor.name = "floor";
    constexpr int kFloorSide = 21;
    for (int j = 0; j < kFloorSide; ++j) {
        for (int i = 0; i < kFloorSide; ++i) {
            VertexDesc v;
            v.s = static_cast<float>(i) / 4, v.t = static_cast<float>(j) / 4;
            v.normal = {0, 1, 0};
            v.position = {-8.0f + 16.0f * static_cast<float>(i) / (kFloorSide - 1), -3.3f,
                          -40.0f + 48.0f * static_cast<float>(j) / (kFloorSide - 1)};
            floor.vertices.push_back(v);
            floor.nodeIndices.push_back(0);
        }
    }
    std::vector<std::int32_t> floorIndices;
    for (int j = 0; j + 1 < kFloorSide; ++j) {
        for (int i = 0; i + 1 < kFloorSide; ++i) {
            const std::int32_t a = j * kFloorSide + i, b = a + 1, c = a + kFloorSide, d = c + 1;
            floorIndices.insert(floorIndices.end(), {a, b, c, b, d, c}); // clockwise seen from above
        }
    }
    floor.groups.push_back(GroupDesc{"grid", {TriangleListDesc{floorIndices}}});

    return scene;
}

} // namespace webscenes
