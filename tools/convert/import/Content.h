// The converter's intermediate content model: what every importer fills and what the
// baker turns into .mes, .knx and TGA files. It keeps the source's own data (scale,
// skin weights, interpolation modes, key times) so that one baker decides how to fit it
// into the engine's formats.
#pragma once

#include "convert/Affine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace convert {

struct Trs {
    Vec3 translation;
    Quat rotation;
    Vec3 scale{1, 1, 1};
};

struct Node {
    std::string name;
    int parent = -1;   // index into Content::nodes, -1 for a root; may be greater than this node's
    Trs rest;          // the rest pose; animation channels replace its parts
    Affine restMatrix; // the same pose as a matrix (exact for sources that give a matrix)
};

struct Weight {
    int joint = 0; // index into the skin's joint list
    float weight = 0;
};

struct MeshPart {
    int material = -1;                    // index into Content::materials, -1 for none
    std::vector<std::uint32_t> triangles; // three vertex indices each, front faces counter-clockwise
};

struct Mesh {
    std::string name;
    int node = -1; // the node that holds the mesh
    int skin = -1; // index into Content::skins, -1 for a rigid mesh
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;    // empty, or one per position
    std::vector<float> texcoords; // empty, or s, t per position; t = 0 is the image's top row
    // Skinned meshes: the influences of vertex v are weights[weightStart[v] .. weightStart[v + 1]).
    std::vector<std::uint32_t> weightStart;
    std::vector<Weight> weights;
    std::vector<MeshPart> parts;
};

struct Skin {
    std::vector<int> joints;         // node indices
    std::vector<Affine> inverseBind; // one per joint: mesh space to the joint's frame at bind pose
};

struct Color {
    float r = 1, g = 1, b = 1, a = 1;
};

// A material's values as the engine holds them, when the source carries them exactly.
struct EngineColors {
    Color ambient, diffuse, specular;
    float shininess = 0;
};

struct Material {
    std::string name;
    Color ambient{0.2f, 0.2f, 0.2f, 1};
    Color diffuse{0.8f, 0.8f, 0.8f, 1}; // also what colours the texture
    Color specular{0, 0, 0, 1};
    float shininess = 0;
    int image = -1; // the diffuse texture: index into Content::images, -1 for none
    // A glTF file orvex-convert wrote keeps the engine's values in the material's extras: they
    // are written as they are, in place of the values above (which still colour the texture).
    std::optional<EngineColors> engine;
};

// A texture as found in the source: encoded bytes (PNG, JPEG, ...) or already decoded
// 8-bit RGBA pixels, rows from the top of the picture down.
struct Image {
    std::string name;   // a readable name derived from the source (file stem, image name)
    std::string origin; // where it came from, for messages
    std::vector<std::uint8_t> encoded;
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba; // used when encoded is empty
};

enum class Target { Translation, Rotation, Scale };
enum class Interpolation { Step, Linear, CubicSpline };

struct Channel {
    int node = -1;
    Target target = Target::Translation;
    Interpolation interpolation = Interpolation::Linear;
    std::vector<double> times; // seconds, increasing
    // Per key 3 values (translation, scale) or 4 (rotation x, y, z, w); cubic splines hold
    // in-tangent, value and out-tangent for every key.
    std::vector<double> values;
};

struct Clip {
    std::string name;
    std::vector<Channel> channels;
    // One line for each part of the source clip left out or replaced, with why. They are
    // warnings when this clip is the one converted.
    std::vector<std::string> dropped;
};

struct Content {
    std::string format; // "glTF", or the Assimp importer's description
    std::vector<Node> nodes;
    std::vector<Mesh> meshes;
    std::vector<Skin> skins;
    std::vector<Material> materials;
    std::vector<Image> images;
    std::vector<Clip> clips;
    // One line for each part of the file dropped, replaced or approximated on import.
    std::vector<std::string> warnings;
    // Faults in parts of the file the conversion does not use; the output is complete.
    std::vector<std::string> notes;
};

} // namespace convert
