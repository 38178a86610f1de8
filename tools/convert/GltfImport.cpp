// glTF 2.0 through tinygltf.
// Images are kept encoded and decoded later, only when a material uses them.
#include "convert/Import.h"

#include "convert/Geometry.h"
#include "convert/Sampler.h"

#include "convert/TinyGltf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

namespace convert {

namespace {

bool KeepEncodedImage(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                      const unsigned char* bytes, int size, void*)
{
    image->image.assign(bytes, bytes + size);
    image->width = image->height = 0;
    return true;
}

// The engine's own material values that orvex-convert's glTF export keeps in a material's
// extras: "orvex": {"ambient": [r, g, b, a], "diffuse": [...], "specular": [...], "shininess": s}.
// Nothing unless all four are there and well formed.
std::optional<EngineColors> EngineColorsOf(const tinygltf::Value& extras)
{
    if (!extras.IsObject() || !extras.Has("orvex"))
        return std::nullopt;
    const tinygltf::Value& engine = extras.Get("orvex");
    auto color = [&](const char* key, Color* out) {
        if (!engine.Has(key))
            return false;
        const tinygltf::Value& v = engine.Get(key);
        if (!v.IsArray() || v.ArrayLen() != 4)
            return false;
        float c[4];
        for (int i = 0; i < 4; ++i) {
            if (!v.Get(i).IsNumber())
                return false;
            c[i] = static_cast<float>(v.Get(i).GetNumberAsDouble());
        }
        *out = {c[0], c[1], c[2], c[3]};
        return true;
    };
    EngineColors colors;
    if (!engine.IsObject() || !color("ambient", &colors.ambient) || !color("diffuse", &colors.diffuse) ||
        !color("specular", &colors.specular) || !engine.Has("shininess") || !engine.Get("shininess").IsNumber())
        return std::nullopt;
    colors.shininess = static_cast<float>(engine.Get("shininess").GetNumberAsDouble());
    return colors;
}

class GltfReader {
public:
    GltfReader(const tinygltf::Model& model, Content* content) : model(model), content(*content) {}

    bool Run(std::string* error);

private:
    bool ReadAccessor(int index, int wantComponents, std::vector<double>* out, std::string* error) const;
    bool ReadIndices(int index, std::size_t vertexCount, std::vector<std::uint32_t>* out, std::string* error) const;
    bool CollectNodes(std::string* error);
    void ReadMaterials();
    bool ReadSkins(std::string* error);
    bool ReadMesh(int sourceNode, std::string* error);
    bool ReadPrimitive(const tinygltf::Primitive& primitive, bool skinned, int jointCount, Mesh* mesh,
                       const std::string& where, std::string* error);
    bool ReadAnimations(std::string* error);
    void Warn(const std::string& text) { content.warnings.push_back(text); }

    const tinygltf::Model& model;
    Content& content;
    std::vector<int> contentNodeOf; // source node -> content node, -1 when not in the scene
    std::vector<int> sourceNodeOf;  // content node -> source node
    std::vector<int> imageOfTexture;
};

bool GltfReader::ReadAccessor(int index, int wantComponents, std::vector<double>* out, std::string* error) const
{
    std::string where = "accessor " + std::to_string(index);
    if (index < 0 || index >= static_cast<int>(model.accessors.size())) {
        *error = where + " does not exist";
        return false;
    }
    const tinygltf::Accessor& a = model.accessors[index];
    int components = tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type));
    int componentSize = tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(a.componentType));
    if (components <= 0 || componentSize <= 0 || (wantComponents > 0 && components != wantComponents)) {
        *error = where + " has an unexpected type";
        return false;
    }
    if (a.count > (std::size_t(1) << 28)) {
        *error = where + " is too large";
        return false;
    }
    auto decode = [&](const unsigned char* p, int componentType, bool normalized) -> double {
        switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT: {
            float f;
            std::memcpy(&f, p, 4);
            return f;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return normalized ? p[0] / 255.0 : p[0];
        case TINYGLTF_COMPONENT_TYPE_BYTE: {
            double v = static_cast<signed char>(p[0]);
            return normalized ? std::max(v / 127.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            std::uint16_t v;
            std::memcpy(&v, p, 2);
            return normalized ? v / 65535.0 : v;
        }
        case TINYGLTF_COMPONENT_TYPE_SHORT: {
            std::int16_t v;
            std::memcpy(&v, p, 2);
            return normalized ? std::max(v / 32767.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
            std::uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
        default:
            return 0;
        }
    };
    // Locates `count` elements of `size` bytes with `stride` in a buffer view; null when
    // they do not lie inside it.
    auto locate = [&](int viewIndex, std::size_t offset, std::size_t count, std::size_t size,
                      std::size_t stride) -> const unsigned char* {
        if (viewIndex < 0 || viewIndex >= static_cast<int>(model.bufferViews.size()))
            return nullptr;
        const tinygltf::BufferView& view = model.bufferViews[viewIndex];
        if (view.buffer < 0 || view.buffer >= static_cast<int>(model.buffers.size()))
            return nullptr;
        const std::vector<unsigned char>& data = model.buffers[view.buffer].data;
        if (view.byteOffset > data.size() || view.byteLength > data.size() - view.byteOffset)
            return nullptr;
        if (count > 0) {
            std::size_t span = stride * (count - 1) + size;
            if (offset > view.byteLength || span > view.byteLength - offset)
                return nullptr;
        }
        return data.data() + view.byteOffset + offset;
    };

    std::size_t elementSize = static_cast<std::size_t>(components) * componentSize;
    out->assign(a.count * components, 0.0);
    if (a.bufferView >= 0) {
        std::size_t stride = elementSize;
        if (a.bufferView < static_cast<int>(model.bufferViews.size()) && model.bufferViews[a.bufferView].byteStride)
            stride = model.bufferViews[a.bufferView].byteStride;
        if (stride < elementSize) {
            *error = where + " has a stride shorter than its elements";
            return false;
        }
        const unsigned char* base = locate(a.bufferView, a.byteOffset, a.count, elementSize, stride);
        if (!base) {
            *error = where + " lies outside its buffer";
            return false;
        }
        for (std::size_t i = 0; i < a.count; ++i)
            for (int c = 0; c < components; ++c)
                (*out)[i * components + c] = decode(base + i * stride + c * componentSize, a.componentType, a.normalized);
    }
    if (a.sparse.isSparse) {
        std::size_t n = static_cast<std::size_t>(std::max(a.sparse.count, 0));
        int indexSize = tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(a.sparse.indices.componentType));
        const unsigned char* idx = indexSize > 0 ? locate(a.sparse.indices.bufferView, a.sparse.indices.byteOffset, n,
                                                          indexSize, indexSize)
                                                 : nullptr;
        const unsigned char* val =
            locate(a.sparse.values.bufferView, a.sparse.values.byteOffset, n, elementSize, elementSize);
        if (!idx || !val) {
            *error = where + ": sparse data lies outside its buffer";
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            double target = decode(idx + i * indexSize, a.sparse.indices.componentType, false);
            if (!(target >= 0) || target >= static_cast<double>(a.count)) {
                *error = where + ": sparse index out of range";
                return false;
            }
            std::size_t t = static_cast<std::size_t>(target);
            for (int c = 0; c < components; ++c)
                (*out)[t * components + c] = decode(val + i * elementSize + c * componentSize, a.componentType, a.normalized);
        }
    }
    return true;
}

bool GltfReader::ReadIndices(int index, std::size_t vertexCount, std::vector<std::uint32_t>* out,
                             std::string* error) const
{
    std::vector<double> raw;
    if (!ReadAccessor(index, 1, &raw, error))
        return false;
    out->resize(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!(raw[i] >= 0) || raw[i] >= static_cast<double>(vertexCount)) {
            *error = "accessor " + std::to_string(index) + ": vertex index " + std::to_string(raw[i]) +
                     " is not below the vertex count " + std::to_string(vertexCount);
            return false;
        }
        (*out)[i] = static_cast<std::uint32_t>(raw[i]);
    }
    return true;
}

bool GltfReader::CollectNodes(std::string* error)
{
    int n = static_cast<int>(model.nodes.size());
    std::vector<int> parent(n, -1);
    for (int i = 0; i < n; ++i) {
        for (int c : model.nodes[i].children) {
            if (c < 0 || c >= n || c == i) {
                *error = "node " + std::to_string(i) + " lists an invalid child";
                return false;
            }
            if (parent[c] != -1) {
                *error = "node " + std::to_string(c) + " has more than one parent";
                return false;
            }
            parent[c] = i;
        }
    }
    // The scene's nodes: the default scene, else the first, else every root.
    std::vector<int> roots;
    int scene = model.defaultScene >= 0 ? model.defaultScene : (model.scenes.empty() ? -1 : 0);
    if (scene >= static_cast<int>(model.scenes.size())) {
        *error = "the default scene does not exist";
        return false;
    }
    if (scene >= 0) {
        roots = model.scenes[scene].nodes;
    } else {
        for (int i = 0; i < n; ++i)
            if (parent[i] < 0)
                roots.push_back(i);
    }
    std::vector<char> inScene(n, 0);
    std::vector<int> stack;
    for (int r : roots) {
        if (r < 0 || r >= n || parent[r] != -1) {
            *error = "the scene lists an invalid root node";
            return false;
        }
        stack.push_back(r);
    }
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        if (inScene[i]) {
            *error = "the node hierarchy contains a cycle";
            return false;
        }
        inScene[i] = 1;
        for (int c : model.nodes[i].children)
            stack.push_back(c);
    }

    contentNodeOf.assign(n, -1);
    for (int i = 0; i < n; ++i) {
        if (!inScene[i])
            continue;
        contentNodeOf[i] = static_cast<int>(sourceNodeOf.size());
        sourceNodeOf.push_back(i);
    }
    for (int source : sourceNodeOf) {
        const tinygltf::Node& s = model.nodes[source];
        Node node;
        node.name = s.name;
        node.parent = parent[source] >= 0 ? contentNodeOf[parent[source]] : -1;
        if (s.matrix.size() == 16) {
            // Column-major 4x4.
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c)
                    node.restMatrix.m[4 * r + c] = s.matrix[4 * c + r];
            if (!DecomposeTrs(node.restMatrix, &node.rest.translation, &node.rest.rotation, &node.rest.scale))
                node.rest = Trs{};
        } else {
            if (s.translation.size() == 3)
                node.rest.translation = {s.translation[0], s.translation[1], s.translation[2]};
            if (s.rotation.size() == 4)
                node.rest.rotation = Normalized(Quat{s.rotation[0], s.rotation[1], s.rotation[2], s.rotation[3]});
            if (s.scale.size() == 3)
                node.rest.scale = {s.scale[0], s.scale[1], s.scale[2]};
            node.restMatrix = FromTrs(node.rest.translation, node.rest.rotation, node.rest.scale);
        }
        content.nodes.push_back(std::move(node));
    }
    return true;
}

void GltfReader::ReadMaterials()
{
    imageOfTexture.assign(model.textures.size(), -1);
    for (std::size_t t = 0; t < model.textures.size(); ++t) {
        int source = model.textures[t].source;
        if (source >= 0 && source < static_cast<int>(model.images.size()))
            imageOfTexture[t] = source;
    }
    for (const tinygltf::Image& s : model.images) {
        Image image;
        std::string stem = std::filesystem::path(s.uri).stem().string();
        image.name = !s.name.empty() ? std::filesystem::path(s.name).stem().string() : stem;
        image.origin = s.uri.empty() ? "embedded image" : s.uri;
        image.encoded = s.image;
        content.images.push_back(std::move(image));
    }
    for (const tinygltf::Material& s : model.materials) {
        Material m;
        m.name = s.name;
        const tinygltf::PbrMetallicRoughness& pbr = s.pbrMetallicRoughness;
        Color base;
        if (pbr.baseColorFactor.size() == 4)
            base = {static_cast<float>(pbr.baseColorFactor[0]), static_cast<float>(pbr.baseColorFactor[1]),
                    static_cast<float>(pbr.baseColorFactor[2]), static_cast<float>(pbr.baseColorFactor[3])};
        m.diffuse = base;
        // The colour lives in the texture, which modulates the lit colour: a neutral ambient
        // leaves faces turned away from the light at a fifth of their colour.
        m.ambient = {0.5f, 0.5f, 0.5f, 1};
        double metallic = std::clamp(pbr.metallicFactor, 0.0, 1.0);
        double roughness = std::clamp(pbr.roughnessFactor, 0.01, 1.0);
        auto mix = [&](float c) { return static_cast<float>(0.04 * (1 - metallic) + c * metallic); };
        m.specular = {mix(base.r), mix(base.g), mix(base.b), 1};
        // Blinn-Phong exponent of the same highlight width as the GGX roughness.
        double alpha = roughness * roughness;
        m.shininess = static_cast<float>(std::clamp(2.0 / (alpha * alpha) - 2.0, 0.0, 128.0));
        int texture = pbr.baseColorTexture.index;
        if (texture >= 0 && texture < static_cast<int>(imageOfTexture.size()))
            m.image = imageOfTexture[texture];
        m.engine = EngineColorsOf(s.extras);
        content.materials.push_back(std::move(m));
    }
}

bool GltfReader::ReadSkins(std::string* error)
{
    for (std::size_t s = 0; s < model.skins.size(); ++s) {
        const tinygltf::Skin& source = model.skins[s];
        Skin skin;
        for (int j : source.joints) {
            if (j < 0 || j >= static_cast<int>(contentNodeOf.size()) || contentNodeOf[j] < 0) {
                *error = "skin " + std::to_string(s) + " names a joint that is not in the scene";
                return false;
            }
            skin.joints.push_back(contentNodeOf[j]);
        }
        skin.inverseBind.assign(skin.joints.size(), Affine{});
        if (source.inverseBindMatrices >= 0) {
            std::vector<double> m;
            if (!ReadAccessor(source.inverseBindMatrices, 16, &m, error))
                return false;
            if (m.size() < 16 * skin.joints.size()) {
                *error = "skin " + std::to_string(s) + " has fewer inverse bind matrices than joints";
                return false;
            }
            for (std::size_t j = 0; j < skin.joints.size(); ++j)
                for (int r = 0; r < 3; ++r)
                    for (int c = 0; c < 4; ++c)
                        skin.inverseBind[j].m[4 * r + c] = m[16 * j + 4 * c + r];
        }
        content.skins.push_back(std::move(skin));
    }
    return true;
}

bool GltfReader::ReadPrimitive(const tinygltf::Primitive& p, bool skinned, int jointCount, Mesh* mesh,
                               const std::string& where, std::string* error)
{
    int mode = p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode;
    if (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP && mode != TINYGLTF_MODE_TRIANGLE_FAN) {
        Warn(where + ": points and lines are not converted");
        return true;
    }
    auto attribute = [&](const char* name) {
        auto it = p.attributes.find(name);
        return it == p.attributes.end() ? -1 : it->second;
    };
    int positionAccessor = attribute("POSITION");
    if (positionAccessor < 0) {
        Warn(where + ": no positions, skipped");
        return true;
    }
    std::vector<double> positions;
    if (!ReadAccessor(positionAccessor, 3, &positions, error))
        return false;
    std::size_t count = positions.size() / 3;
    std::size_t first = mesh->positions.size();

    auto readSized = [&](int accessor, int components, std::vector<double>* out, const char* what) {
        if (!ReadAccessor(accessor, components, out, error))
            return false;
        if (out->size() != count * components) {
            *error = where + ": " + what + " count differs from the position count";
            return false;
        }
        return true;
    };

    std::vector<double> normals;
    int normalAccessor = attribute("NORMAL");
    if (normalAccessor >= 0 && !readSized(normalAccessor, 3, &normals, "normal"))
        return false;

    int texCoordSet = 0;
    if (p.material >= 0 && p.material < static_cast<int>(model.materials.size()))
        texCoordSet = std::max(0, model.materials[p.material].pbrMetallicRoughness.baseColorTexture.texCoord);
    std::vector<double> uv;
    int uvAccessor = attribute(("TEXCOORD_" + std::to_string(texCoordSet)).c_str());
    if (uvAccessor >= 0 && !readSized(uvAccessor, 2, &uv, "texture coordinate"))
        return false;

    std::vector<std::uint32_t> indices;
    if (p.indices >= 0) {
        if (!ReadIndices(p.indices, count, &indices, error)) {
            *error = where + ": " + *error;
            return false;
        }
    } else {
        indices.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            indices[i] = static_cast<std::uint32_t>(i);
    }
    if (mode == TINYGLTF_MODE_TRIANGLE_STRIP)
        indices = StripToTriangles(indices);
    else if (mode == TINYGLTF_MODE_TRIANGLE_FAN)
        indices = FanToTriangles(indices);
    indices.resize(indices.size() - indices.size() % 3);

    // Weights: up to two sets of four.
    std::vector<std::vector<double>> joints, weights;
    if (skinned) {
        for (int set = 0;; ++set) {
            int ja = attribute(("JOINTS_" + std::to_string(set)).c_str());
            int wa = attribute(("WEIGHTS_" + std::to_string(set)).c_str());
            if (ja < 0 || wa < 0)
                break;
            joints.emplace_back();
            weights.emplace_back();
            if (!readSized(ja, 4, &joints.back(), "joint") || !readSized(wa, 4, &weights.back(), "weight"))
                return false;
        }
    }

    for (std::size_t v = 0; v < count; ++v) {
        mesh->positions.push_back({positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]});
        if (!normals.empty())
            mesh->normals.push_back({normals[3 * v], normals[3 * v + 1], normals[3 * v + 2]});
        mesh->texcoords.push_back(uv.empty() ? 0.0f : static_cast<float>(uv[2 * v]));
        mesh->texcoords.push_back(uv.empty() ? 0.0f : static_cast<float>(uv[2 * v + 1]));
        if (skinned) {
            for (std::size_t set = 0; set < joints.size(); ++set) {
                for (int k = 0; k < 4; ++k) {
                    double w = weights[set][4 * v + k];
                    double j = joints[set][4 * v + k];
                    if (!(w > 0))
                        continue;
                    if (!(j >= 0) || j >= jointCount) {
                        *error = where + ": vertex " + std::to_string(v) + " names joint " +
                                 std::to_string(static_cast<long long>(j)) + " of a skin with " +
                                 std::to_string(jointCount) + " joints";
                        return false;
                    }
                    mesh->weights.push_back({static_cast<int>(j), static_cast<float>(w)});
                }
            }
            mesh->weightStart.push_back(static_cast<std::uint32_t>(mesh->weights.size()));
        }
    }
    MeshPart part;
    part.material = p.material >= 0 && p.material < static_cast<int>(content.materials.size()) ? p.material : -1;
    part.triangles.reserve(indices.size());
    for (std::uint32_t i : indices)
        part.triangles.push_back(static_cast<std::uint32_t>(first + i));
    if (normals.empty())
        ComputeNormals(mesh->positions, part.triangles, first, &mesh->normals);
    mesh->parts.push_back(std::move(part));
    return true;
}

bool GltfReader::ReadMesh(int sourceNode, std::string* error)
{
    const tinygltf::Node& node = model.nodes[sourceNode];
    if (node.mesh < 0)
        return true;
    if (node.mesh >= static_cast<int>(model.meshes.size())) {
        *error = "node " + std::to_string(sourceNode) + " uses a mesh that does not exist";
        return false;
    }
    const tinygltf::Mesh& source = model.meshes[node.mesh];
    Mesh mesh;
    mesh.name = !source.name.empty() ? source.name : node.name;
    mesh.node = contentNodeOf[sourceNode];
    int jointCount = 0;
    if (node.skin >= 0) {
        if (node.skin >= static_cast<int>(content.skins.size())) {
            *error = "node " + std::to_string(sourceNode) + " uses a skin that does not exist";
            return false;
        }
        mesh.skin = node.skin;
        jointCount = static_cast<int>(content.skins[node.skin].joints.size());
        mesh.weightStart.push_back(0);
    }
    for (std::size_t p = 0; p < source.primitives.size(); ++p) {
        std::string where = "mesh '" + mesh.name + "' primitive " + std::to_string(p);
        if (!ReadPrimitive(source.primitives[p], mesh.skin >= 0, jointCount, &mesh, where, error))
            return false;
        if (!source.primitives[p].targets.empty() && p == 0)
            Warn("mesh '" + mesh.name + "': morph targets are not converted");
    }
    content.meshes.push_back(std::move(mesh));
    return true;
}

bool GltfReader::ReadAnimations(std::string* error)
{
    for (std::size_t a = 0; a < model.animations.size(); ++a) {
        const tinygltf::Animation& source = model.animations[a];
        Clip clip;
        clip.name = source.name;
        for (const tinygltf::AnimationChannel& ch : source.channels) {
            std::string where = "animation " + std::to_string(a) + " channel";
            if (ch.target_path == "weights") {
                Warn(where + ": morph weights are not converted");
                continue;
            }
            if (ch.target_node < 0 || ch.target_node >= static_cast<int>(contentNodeOf.size()) ||
                contentNodeOf[ch.target_node] < 0)
                continue; // a node outside the scene
            if (ch.sampler < 0 || ch.sampler >= static_cast<int>(source.samplers.size())) {
                *error = where + " uses a sampler that does not exist";
                return false;
            }
            const tinygltf::AnimationSampler& s = source.samplers[ch.sampler];
            Channel channel;
            channel.node = contentNodeOf[ch.target_node];
            if (ch.target_path == "translation")
                channel.target = Target::Translation;
            else if (ch.target_path == "rotation")
                channel.target = Target::Rotation;
            else if (ch.target_path == "scale")
                channel.target = Target::Scale;
            else
                continue;
            if (s.interpolation == "STEP")
                channel.interpolation = Interpolation::Step;
            else if (s.interpolation == "CUBICSPLINE")
                channel.interpolation = Interpolation::CubicSpline;
            else
                channel.interpolation = Interpolation::Linear;
            if (!ReadAccessor(s.input, 1, &channel.times, error) ||
                !ReadAccessor(s.output, ComponentCount(channel.target), &channel.values, error)) {
                *error = where + ": " + *error;
                return false;
            }
            std::size_t perKey = ComponentCount(channel.target) *
                                 (channel.interpolation == Interpolation::CubicSpline ? 3 : 1);
            if (channel.times.empty() || channel.values.size() != channel.times.size() * perKey) {
                *error = where + ": key times and values do not match";
                return false;
            }
            for (std::size_t i = 1; i < channel.times.size(); ++i) {
                if (!(channel.times[i] > channel.times[i - 1])) {
                    *error = where + ": key times do not increase";
                    return false;
                }
            }
            if (!(channel.times.front() >= 0) || !std::isfinite(channel.times.back())) {
                *error = where + ": negative or invalid key time";
                return false;
            }
            clip.channels.push_back(std::move(channel));
        }
        content.clips.push_back(std::move(clip));
    }
    return true;
}

bool GltfReader::Run(std::string* error)
{
    content.format = "glTF 2.0";
    if (!CollectNodes(error))
        return false;
    ReadMaterials();
    if (!ReadSkins(error))
        return false;
    for (int source : sourceNodeOf)
        if (!ReadMesh(source, error))
            return false;
    return ReadAnimations(error);
}

} // namespace

bool ImportGltf(const std::string& path, Content* content, std::string* error)
{
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepEncodedImage, nullptr);
    tinygltf::Model model;
    std::string err, warn;
    // Binary files start with the magic "glTF", whatever their extension.
    bool binary = false;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char magic[4];
        binary = std::fread(magic, 1, 4, f) == 4 && std::memcmp(magic, "glTF", 4) == 0;
        std::fclose(f);
    }
    bool ok = binary ? loader.LoadBinaryFromFile(&model, &err, &warn, path)
                     : loader.LoadASCIIFromFile(&model, &err, &warn, path);
    if (!ok) {
        while (!err.empty() && (err.back() == '\n' || err.back() == ' '))
            err.pop_back();
        *error = err.empty() ? "not a readable glTF file" : err;
        return false;
    }
    *content = Content{};
    if (!warn.empty())
        content->warnings.push_back(warn);
    GltfReader reader(model, content);
    return reader.Run(error);
}

} // namespace convert
