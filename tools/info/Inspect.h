// What orvex-info learns about one file: the engine's own loader decides whether the file
// is accepted, says why not, and supplies the structure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace info {

enum class Kind { Scene, Animation, Texture };

struct TextureInfo {
    bool found = false; // the engine loaded "<name>.TGA"
    int width = 0, height = 0;
    int bitsPerPixel = 0;
    std::string problem; // why the TGA loader refused the file, when it did
};

struct MaterialInfo {
    std::string name;
    float ambient[4], diffuse[4], specular[4];
    float shininess = 0;
    std::string texture; // "" for none
    TextureInfo image;
};

struct NodeInfo {
    std::string name;
    int parent = -1;
    float position[3];
    float rotation[4];
};

struct GroupInfo {
    std::string material;
    int lists = 0;
    long long indices = 0;
};

struct MeshInfo {
    std::string name;
    int vertices = 0;
    long long triangles = 0;
    int nodesUsed = 0; // distinct nodes carrying its vertices
    std::vector<GroupInfo> groups;
};

struct TrackInfo {
    std::string name;
    int parent = -1;
};

struct FileInfo {
    std::string path;
    Kind kind = Kind::Scene;
    bool ok = false;
    std::uint64_t size = 0;
    // A refused file, in the engine's words: where (the section, then the records), why,
    // and the two parts of where on their own.
    std::string where, why;
    std::string section, record;
    std::uint64_t offset = 0;
    bool haveOffset = false;
    std::uint64_t trailingBytes = 0;

    std::vector<MaterialInfo> materials;
    std::vector<NodeInfo> nodes;
    std::vector<MeshInfo> meshes;

    std::uint32_t frames = 0;
    int reserved = 0;
    std::vector<TrackInfo> tracks;

    int width = 0, height = 0, bitsPerPixel = 0, imageType = 0;
};

// The kind by extension (.mes, .knx, .tga, any letter case); false for anything else.
bool KindOfPath(const std::string& path, Kind* kind);

// Loads the file with the engine's loader for its kind and fills in what it holds.
FileInfo Inspect(const std::string& path, Kind kind);

} // namespace info
