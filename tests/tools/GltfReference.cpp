#include "GltfReference.h"

#include "convert/import/TinyGltf.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tooltest {

Mat MatMul(const Mat& a, const Mat& b)
{
    Mat r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double v = 0;
            for (int k = 0; k < 4; ++k)
                v += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = v;
        }
    return r;
}

Mat MatInverse(const Mat& m)
{
    // Gauss-Jordan on the full 4x4 (row-major copy of the column-major input).
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[c * 4 + r];
            a[r][c + 4] = r == c ? 1 : 0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c]))
                pivot = r;
        std::swap(a[c], a[pivot]);
        double d = a[c][c];
        for (double& v : a[c])
            v /= d;
        for (int r = 0; r < 4; ++r)
            if (r != c) {
                double f = a[r][c];
                for (int k = 0; k < 8; ++k)
                    a[r][k] -= f * a[c][k];
            }
    }
    Mat out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[c * 4 + r] = a[r][c + 4];
    return out;
}

V3 MatPoint(const Mat& m, const V3& p)
{
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

namespace {

Mat Trs(const V3& t, const std::array<double, 4>& q0, const V3& s)
{
    double n = std::sqrt(q0[0] * q0[0] + q0[1] * q0[1] + q0[2] * q0[2] + q0[3] * q0[3]);
    double x = q0[0] / n, y = q0[1] / n, z = q0[2] / n, w = q0[3] / n;
    Mat m{};
    m[0] = (1 - 2 * (y * y + z * z)) * s[0];
    m[1] = (2 * (x * y + z * w)) * s[0];
    m[2] = (2 * (x * z - y * w)) * s[0];
    m[4] = (2 * (x * y - z * w)) * s[1];
    m[5] = (1 - 2 * (x * x + z * z)) * s[1];
    m[6] = (2 * (y * z + x * w)) * s[1];
    m[8] = (2 * (x * z + y * w)) * s[2];
    m[9] = (2 * (y * z - x * w)) * s[2];
    m[10] = (1 - 2 * (x * x + y * y)) * s[2];
    m[12] = t[0], m[13] = t[1], m[14] = t[2], m[15] = 1;
    return m;
}

bool KeepBytes(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int, void*)
{
    return true;
}

} // namespace

bool GltfReference::Load(const std::string& path)
{
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepBytes, nullptr);
    tinygltf::Model model;
    std::string err, warn;
    bool binary = path.size() > 4 && path.substr(path.size() - 4) == ".glb";
    if (!(binary ? loader.LoadBinaryFromFile(&model, &err, &warn, path)
                 : loader.LoadASCIIFromFile(&model, &err, &warn, path)))
        return false;
    for (const auto& b : model.buffers)
        buffers.push_back(b.data);
    for (const auto& v : model.bufferViews)
        views.push_back({v.buffer, v.byteOffset, v.byteLength, v.byteStride});
    for (const auto& a : model.accessors)
        accessors.push_back({a.bufferView, a.byteOffset, a.count, a.componentType,
                             tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type)), a.normalized});
    for (const auto& n : model.nodes) {
        NodeData d;
        d.name = n.name;
        d.children = n.children;
        d.mesh = n.mesh;
        d.skin = n.skin;
        if (n.matrix.size() == 16) {
            d.hasMatrix = true;
            std::copy(n.matrix.begin(), n.matrix.end(), d.matrix.begin());
        }
        if (n.translation.size() == 3)
            d.t = {n.translation[0], n.translation[1], n.translation[2]};
        if (n.rotation.size() == 4)
            d.r = {n.rotation[0], n.rotation[1], n.rotation[2], n.rotation[3]};
        if (n.scale.size() == 3)
            d.s = {n.scale[0], n.scale[1], n.scale[2]};
        nodes.push_back(d);
    }
    roots = model.scenes[model.defaultScene >= 0 ? model.defaultScene : 0].nodes;
    for (const auto& a : model.animations) {
        ClipData clip;
        clip.name = a.name;
        for (const auto& ch : a.channels) {
            const auto& s = a.samplers[ch.sampler];
            clip.channels.push_back({ch.target_node, ch.target_path,
                                     s.interpolation.empty() ? "LINEAR" : s.interpolation, Accessor(s.input),
                                     Accessor(s.output)});
        }
        clips.push_back(clip);
    }
    for (const auto& m : model.meshes) {
        std::vector<Primitive> prims;
        for (const auto& p : m.primitives) {
            Primitive prim;
            std::vector<double> pos = Accessor(p.attributes.at("POSITION"));
            for (std::size_t i = 0; i + 2 < pos.size(); i += 3)
                prim.positions.push_back({pos[i], pos[i + 1], pos[i + 2]});
            if (p.attributes.count("JOINTS_0")) {
                std::vector<double> j = Accessor(p.attributes.at("JOINTS_0"));
                std::vector<double> w = Accessor(p.attributes.at("WEIGHTS_0"));
                for (std::size_t i = 0; i + 3 < j.size(); i += 4) {
                    prim.joints.push_back({int(j[i]), int(j[i + 1]), int(j[i + 2]), int(j[i + 3])});
                    prim.weights.push_back({w[i], w[i + 1], w[i + 2], w[i + 3]});
                }
            }
            prim.triangles =
                static_cast<int>((p.indices >= 0 ? Accessor(p.indices).size() : prim.positions.size()) / 3);
            prims.push_back(prim);
        }
        meshes.push_back(prims);
    }
    for (const auto& s : model.skins) {
        skinJoints.push_back(s.joints);
        std::vector<double> m = Accessor(s.inverseBindMatrices);
        std::vector<Mat> ibm;
        for (std::size_t j = 0; j < s.joints.size(); ++j) {
            Mat x;
            std::copy(m.begin() + 16 * j, m.begin() + 16 * j + 16, x.begin());
            ibm.push_back(x);
        }
        skinInverseBinds.push_back(ibm);
    }
    return true;
}

std::vector<double> GltfReference::Accessor(int index) const
{
    const Acc& a = accessors[index];
    const View& v = views[a.view];
    int size = a.componentType == 5126 || a.componentType == 5125   ? 4
               : a.componentType == 5123 || a.componentType == 5122 ? 2
                                                                    : 1;
    std::size_t stride = v.stride ? v.stride : static_cast<std::size_t>(size) * a.components;
    const unsigned char* base = buffers[v.buffer].data() + v.offset + a.offset;
    std::vector<double> out;
    for (std::size_t i = 0; i < a.count; ++i)
        for (int c = 0; c < a.components; ++c) {
            const unsigned char* p = base + i * stride + c * size;
            double value = 0;
            if (a.componentType == 5126) {
                float f;
                std::memcpy(&f, p, 4);
                value = f;
            } else if (a.componentType == 5125) {
                std::uint32_t u;
                std::memcpy(&u, p, 4);
                value = u;
            } else if (a.componentType == 5123) {
                std::uint16_t u;
                std::memcpy(&u, p, 2);
                value = a.normalized ? u / 65535.0 : u;
            } else {
                value = a.normalized ? p[0] / 255.0 : p[0];
            }
            out.push_back(value);
        }
    return out;
}

std::vector<double> GltfReference::Sample(const ChannelData& c, double t) const
{
    std::size_t n = c.path == "rotation" ? 4 : 3;
    bool cubic = c.interpolation == "CUBICSPLINE";
    std::size_t stride = cubic ? 3 * n : n;
    auto value = [&](std::size_t key, std::size_t part) {
        return std::vector<double>(c.values.begin() + key * stride + part * n,
                                   c.values.begin() + key * stride + part * n + n);
    };
    std::size_t part = cubic ? 1 : 0;
    std::vector<double> out;
    if (t <= c.times.front()) {
        out = value(0, part);
    } else if (t >= c.times.back()) {
        out = value(c.times.size() - 1, part);
    } else {
        std::size_t k = 0;
        while (c.times[k + 1] <= t)
            ++k;
        double td = c.times[k + 1] - c.times[k];
        double u = (t - c.times[k]) / td;
        if (c.interpolation == "STEP") {
            out = value(k, 0);
        } else if (cubic) {
            auto p0 = value(k, 1), b0 = value(k, 2), p1 = value(k + 1, 1), a1 = value(k + 1, 0);
            double u2 = u * u, u3 = u2 * u;
            for (std::size_t i = 0; i < n; ++i)
                out.push_back((2 * u3 - 3 * u2 + 1) * p0[i] + td * (u3 - 2 * u2 + u) * b0[i] +
                              (-2 * u3 + 3 * u2) * p1[i] + td * (u3 - u2) * a1[i]);
        } else if (n == 4) {
            // Spherical interpolation along the shorter arc.
            auto a = value(k, 0), b = value(k + 1, 0);
            double d = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
            if (d < 0) {
                d = -d;
                for (double& x : b)
                    x = -x;
            }
            double wa = 1 - u, wb = u;
            if (d < 1 - 1e-12) {
                double angle = std::acos(d);
                wa = std::sin((1 - u) * angle) / std::sin(angle);
                wb = std::sin(u * angle) / std::sin(angle);
            }
            for (int i = 0; i < 4; ++i)
                out.push_back(wa * a[i] + wb * b[i]);
        } else {
            auto a = value(k, 0), b = value(k + 1, 0);
            for (std::size_t i = 0; i < n; ++i)
                out.push_back(a[i] + (b[i] - a[i]) * u);
        }
    }
    return out;
}

std::vector<Mat> GltfReference::Worlds(int clip, double seconds) const
{
    std::vector<Mat> world(nodes.size());
    std::vector<std::pair<int, Mat>> stack;
    Mat identity{};
    identity[0] = identity[5] = identity[10] = identity[15] = 1;
    for (int r : roots)
        stack.push_back({r, identity});
    while (!stack.empty()) {
        auto [i, parent] = stack.back();
        stack.pop_back();
        const NodeData& n = nodes[i];
        Mat local;
        if (n.hasMatrix) {
            local = n.matrix;
        } else {
            V3 t = n.t, s = n.s;
            std::array<double, 4> r = n.r;
            if (clip >= 0)
                for (const ChannelData& c : clips[clip].channels) {
                    if (c.node != i)
                        continue;
                    std::vector<double> v = Sample(c, seconds);
                    if (c.path == "translation")
                        t = {v[0], v[1], v[2]};
                    else if (c.path == "rotation")
                        r = {v[0], v[1], v[2], v[3]};
                    else if (c.path == "scale")
                        s = {v[0], v[1], v[2]};
                }
            local = Trs(t, r, s);
        }
        world[i] = MatMul(parent, local);
        for (int c : n.children)
            stack.push_back({c, world[i]});
    }
    return world;
}

int GltfReference::SkinnedMeshNode() const
{
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].mesh >= 0 && nodes[i].skin >= 0)
            return static_cast<int>(i);
    return -1;
}

std::vector<V3> GltfReference::Positions(int node) const
{
    std::vector<V3> out;
    for (const Primitive& p : meshes[nodes[node].mesh])
        out.insert(out.end(), p.positions.begin(), p.positions.end());
    return out;
}

std::vector<int> GltfReference::InfluenceCounts(int node) const
{
    std::vector<int> out;
    for (const Primitive& p : meshes[nodes[node].mesh])
        for (const auto& w : p.weights)
            out.push_back(static_cast<int>(std::count_if(w.begin(), w.end(), [](double x) { return x > 0; })));
    return out;
}

std::vector<V3> GltfReference::Skinned(int node, int clip, double seconds) const
{
    std::vector<Mat> world = Worlds(clip, seconds);
    int skin = nodes[node].skin;
    std::vector<Mat> jointMatrix;
    for (std::size_t j = 0; j < skinJoints[skin].size(); ++j)
        jointMatrix.push_back(MatMul(world[skinJoints[skin][j]], skinInverseBinds[skin][j]));
    std::vector<V3> out;
    for (const Primitive& p : meshes[nodes[node].mesh])
        for (std::size_t v = 0; v < p.positions.size(); ++v) {
            V3 sum{0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                if (!(p.weights[v][k] > 0))
                    continue;
                V3 q = MatPoint(jointMatrix[p.joints[v][k]], p.positions[v]);
                for (int c = 0; c < 3; ++c)
                    sum[c] += p.weights[v][k] * q[c];
            }
            out.push_back(sum);
        }
    return out;
}

std::vector<int> GltfReference::Joints(int node) const
{
    return skinJoints[nodes[node].skin];
}
std::vector<Mat> GltfReference::InverseBinds(int node) const
{
    return skinInverseBinds[nodes[node].skin];
}

int GltfReference::SceneVertexCount() const
{
    int count = 0;
    for (const NodeData& n : nodes)
        if (n.mesh >= 0)
            for (const Primitive& p : meshes[n.mesh])
                count += static_cast<int>(p.positions.size());
    return count;
}

int GltfReference::SceneTriangleCount() const
{
    int count = 0;
    for (const NodeData& n : nodes)
        if (n.mesh >= 0)
            for (const Primitive& p : meshes[n.mesh])
                count += p.triangles;
    return count;
}

} // namespace tooltest
