// The converter's output: the records of the .mes, .knx and TGA files, in file order and
// in the files' own single precision, ready for the writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace convert {

struct OutNode {
    std::string name;
    int parent = -1;
    float position[3] = {0, 0, 0};
    float rotation[4] = {0, 0, 0, 1};
};

// GL_T2F_N3F_V3F, as the mesh file stores it.
struct OutVertex {
    float s = 0, t = 0;
    float normal[3] = {0, 0, 1};
    float position[3] = {0, 0, 0};
};

struct OutGroup {
    std::string material;
    std::vector<std::vector<std::int32_t>> lists; // three indices per triangle, front faces clockwise
};

struct OutMesh {
    std::string name;
    std::vector<OutVertex> vertices;
    std::vector<std::int32_t> nodes; // the node carrying each vertex
    std::vector<OutGroup> groups;
};

struct OutMaterial {
    std::string name;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {1, 1, 1, 1};
    float specular[4] = {0, 0, 0, 1};
    float shininess = 0;
    std::string texture; // the texture's name; its file is texture + ".TGA"
};

// Rows from the top of the picture down: the first row is the one at t = 0.
struct OutTexture {
    std::string name;
    int width = 0, height = 0;
    int channels = 3; // 3: red, green, blue; 4: with alpha
    std::vector<std::uint8_t> pixels;
};

struct OutKey {
    float position[3] = {0, 0, 0};
    float rotation[4] = {0, 0, 0, 1};
};

struct OutTrack {
    std::string name;
    int parent = -1;
    std::vector<OutKey> keys; // one per frame
};

struct OutAnimation {
    std::string clipName;
    double framesPerSecond = 20;
    double duration = 0; // seconds covered by the source clip
    std::uint32_t frameCount = 0;
    std::vector<OutTrack> tracks; // one per node, track i drives node i
};

struct BakedScene {
    std::vector<OutMaterial> materials;
    std::vector<OutNode> nodes;
    std::vector<OutMesh> meshes;
    std::vector<OutTexture> textures;
    bool animated = false;
    OutAnimation animation;

    // How the output relates to the content it came from.
    std::vector<int> contentNodeOfNode; // content node index of each output node
    std::vector<int> nodeOfContentNode; // output node index of each content node
    std::size_t skinnedVertices = 0;
    std::size_t multiInfluenceVertices = 0; // skinned vertices with more than one weight
    std::size_t unweightedVertices = 0;     // skinned vertices without any weight
    std::vector<std::string> warnings;
};

} // namespace convert
