// An independent, deliberately plain glTF 2.0 evaluator for the tests: node world
// transforms and skinned vertex positions at any time of any clip, computed straight
// from the file with the interpolation the glTF specification defines. It shares no code
// with the converter, so the converter is checked against the source itself.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tooltest {

// Column-major 4x4, as glTF stores matrices.
using Mat = std::array<double, 16>;
using V3 = std::array<double, 3>;

Mat MatMul(const Mat& a, const Mat& b);
Mat MatInverse(const Mat& m);
V3 MatPoint(const Mat& m, const V3& p);

class GltfReference {
public:
    bool Load(const std::string& path);

    int NodeCount() const { return static_cast<int>(nodes.size()); }
    const std::string& NodeName(int node) const { return nodes[node].name; }
    int ClipCount() const { return static_cast<int>(clips.size()); }
    const std::string& ClipName(int clip) const { return clips[clip].name; }

    // World transform of every node (glTF node index) at `seconds` of `clip`; clip -1 is
    // the rest pose.
    std::vector<Mat> Worlds(int clip, double seconds) const;

    // The first node that holds a skinned mesh, -1 when none does.
    int SkinnedMeshNode() const;
    // Vertex positions of the mesh of `node` as stored (all primitives in order).
    std::vector<V3> Positions(int node) const;
    // Number of non-zero weights of each vertex of the skinned mesh of `node`.
    std::vector<int> InfluenceCounts(int node) const;
    // Skinned positions of the mesh of `node` at `seconds` of `clip`.
    std::vector<V3> Skinned(int node, int clip, double seconds) const;
    // Joints (node indices) and inverse bind matrices of the skin of `node`.
    std::vector<int> Joints(int node) const;
    std::vector<Mat> InverseBinds(int node) const;

    // Triangle and vertex counts over all meshes of the scene.
    int SceneVertexCount() const;
    int SceneTriangleCount() const;

private:
    struct NodeData {
        std::string name;
        std::vector<int> children;
        bool hasMatrix = false;
        Mat matrix{};
        V3 t{0, 0, 0}, s{1, 1, 1};
        std::array<double, 4> r{0, 0, 0, 1};
        int mesh = -1, skin = -1;
    };
    struct ChannelData {
        int node;
        std::string path, interpolation;
        std::vector<double> times, values;
    };
    struct ClipData {
        std::string name;
        std::vector<ChannelData> channels;
    };
    struct Primitive {
        std::vector<V3> positions;
        std::vector<std::array<int, 4>> joints;
        std::vector<std::array<double, 4>> weights;
        int triangles = 0;
    };

    std::vector<double> Accessor(int index) const;
    std::vector<double> Sample(const ChannelData& c, double t) const;

    std::vector<NodeData> nodes;
    std::vector<int> roots;
    std::vector<ClipData> clips;
    std::vector<std::vector<Primitive>> meshes;
    std::vector<std::vector<int>> skinJoints;
    std::vector<std::vector<Mat>> skinInverseBinds;

    // Raw file data kept for accessor reads.
    struct View {
        int buffer;
        std::size_t offset, length, stride;
    };
    struct Acc {
        int view;
        std::size_t offset, count;
        int componentType, components;
        bool normalized;
    };
    std::vector<std::vector<unsigned char>> buffers;
    std::vector<View> views;
    std::vector<Acc> accessors;
};

} // namespace tooltest
