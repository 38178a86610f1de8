// glTF 2.0: the reference check first (GltfCheck), then tinygltf parses what the check
// passed, and the reader turns it into content. Buffers and images are read by the check,
// never by tinygltf: it would read image bytes outside a buffer view whose range is wrong.
// Images are kept encoded and decoded later, only when a material uses them.
#include "convert/import/Import.h"

#include "convert/import/Geometry.h"
#include "convert/import/ImageDecode.h"
#include "convert/import/Sampler.h"
#include "convert/import/gltfcheck/GltfCheck.h"

#include "convert/import/TinyGltf.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>

namespace convert {

namespace {

std::string At(const std::string& path, std::size_t i)
{
    return path + "[" + std::to_string(i) + "]";
}

// The engine's own material values that orvex-convert's glTF export keeps in a material's
// extras: "orvex": {"ambient": [r, g, b, a], "diffuse": [...], "specular": [...], "shininess": s}.
// Nothing unless all four are there, well formed and finite.
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
            if (!std::isfinite(c[i]))
                return false;
        }
        *out = {c[0], c[1], c[2], c[3]};
        return true;
    };
    EngineColors colors;
    if (!engine.IsObject() || !color("ambient", &colors.ambient) || !color("diffuse", &colors.diffuse) ||
        !color("specular", &colors.specular) || !engine.Has("shininess") || !engine.Get("shininess").IsNumber())
        return std::nullopt;
    colors.shininess = static_cast<float>(engine.Get("shininess").GetNumberAsDouble());
    if (!std::isfinite(colors.shininess))
        return std::nullopt;
    return colors;
}

class GltfReader {
public:
    GltfReader(const tinygltf::Model& model, GltfCheck& check, Content* content)
        : model(model), check(check), content(*content)
    {
    }

    bool Run(std::string* error);

private:
    bool ReadAccessor(int index, int wantComponents, std::vector<double>* out, std::string* error) const;
    bool ReadIndices(int index, std::size_t vertexCount, std::vector<std::uint32_t>* out, std::string* error) const;
    void CollectNodes();
    void ReadMaterials();
    int PlainCopy(int material);
    bool ReadSkin(int source, int* skin, std::string* error);
    bool ReadMesh(int sourceNode, std::string* error);
    bool ReadPrimitive(int meshIndex, int p, bool skinned, int jointCount, Mesh* mesh, std::string* error);
    void ReadAnimations();
    bool ReadChannel(const tinygltf::Animation& source, const tinygltf::AnimationChannel& ch, Channel* channel,
                     std::string* why) const;
    void Warn(const std::string& text) { content.warnings.push_back(text); }

    const tinygltf::Model& model;
    GltfCheck& check;
    Content& content;
    std::vector<int> contentNodeOf; // source node -> content node, -1 when not in the scene
    std::vector<int> sourceNodeOf;  // content node -> source node
    std::map<int, int> skinOf;      // source skin -> content skin
    std::map<int, int> plainCopyOf; // material -> its copy without texture
};

bool GltfReader::ReadAccessor(int index, int wantComponents, std::vector<double>* out, std::string* error) const
{
    const std::string where = At("accessors", index);
    // The check passed every accessor the reader is given; these guards only keep a
    // disagreement between the two from reading outside memory.
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
        if (view.buffer < 0 || view.buffer >= static_cast<int>(check.buffers.size()))
            return nullptr;
        const std::vector<std::uint8_t>& data = check.buffers[view.buffer];
        if (view.byteOffset > data.size() || view.byteLength > data.size() - view.byteOffset)
            return nullptr;
        if (count > 0) {
            if (count - 1 > view.byteLength / std::max<std::size_t>(stride, 1))
                return nullptr;
            std::size_t span = stride * (count - 1) + size;
            if (offset > view.byteLength || span > view.byteLength - offset)
                return nullptr;
        }
        return data.data() + view.byteOffset + offset;
    };

    std::size_t elementSize = static_cast<std::size_t>(components) * componentSize;
    if (a.count > (std::size_t(1) << 28)) {
        *error = where + " is too large";
        return false;
    }
    out->assign(a.count * components, 0.0);
    if (a.bufferView >= 0) {
        std::size_t stride = elementSize;
        if (a.bufferView < static_cast<int>(model.bufferViews.size()) && model.bufferViews[a.bufferView].byteStride)
            stride = model.bufferViews[a.bufferView].byteStride;
        const unsigned char* base =
            stride < elementSize ? nullptr : locate(a.bufferView, a.byteOffset, a.count, elementSize, stride);
        if (!base) {
            *error = where + " lies outside its buffer";
            return false;
        }
        for (std::size_t i = 0; i < a.count; ++i)
            for (int c = 0; c < components; ++c)
                (*out)[i * components + c] =
                    decode(base + i * stride + c * componentSize, a.componentType, a.normalized);
    }
    if (a.sparse.isSparse) {
        std::size_t n = static_cast<std::size_t>(std::max(a.sparse.count, 0));
        int indexSize = tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(a.sparse.indices.componentType));
        const unsigned char* idx =
            indexSize > 0 ? locate(a.sparse.indices.bufferView, a.sparse.indices.byteOffset, n, indexSize, indexSize)
                          : nullptr;
        const unsigned char* val =
            locate(a.sparse.values.bufferView, a.sparse.values.byteOffset, n, elementSize, elementSize);
        if (!idx || !val) {
            *error = where + ".sparse lies outside its buffer";
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            double target = decode(idx + i * indexSize, a.sparse.indices.componentType, false);
            if (!(target >= 0) || target >= static_cast<double>(a.count)) {
                *error = where + ".sparse.indices: index " + std::to_string(static_cast<long long>(target)) +
                         " is not below the accessor's count " + std::to_string(a.count);
                return false;
            }
            std::size_t t = static_cast<std::size_t>(target);
            for (int c = 0; c < components; ++c)
                (*out)[t * components + c] =
                    decode(val + i * elementSize + c * componentSize, a.componentType, a.normalized);
        }
    }
    // A float that is not a number (or infinite) would travel into the engine's files.
    if (a.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT) {
        auto bad = std::find_if(out->begin(), out->end(), [](double v) { return !std::isfinite(v); });
        if (bad != out->end()) {
            *error = where + ": element " + std::to_string((bad - out->begin()) / components) +
                     " holds a value that is not a finite number";
            return false;
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
            *error = At("accessors", index) + " holds the index " + std::to_string(static_cast<long long>(raw[i])) +
                     ", which is not below the vertex count " + std::to_string(vertexCount);
            return false;
        }
        (*out)[i] = static_cast<std::uint32_t>(raw[i]);
    }
    return true;
}

void GltfReader::CollectNodes()
{
    int n = static_cast<int>(model.nodes.size());
    std::vector<int> parent(n, -1);
    std::vector<char> inScene(n, 0);
    for (int i : check.convertedNodes)
        inScene[i] = 1;
    for (int i = 0; i < n; ++i)
        if (inScene[i])
            for (int c : model.nodes[i].children)
                if (c >= 0 && c < n)
                    parent[c] = i;
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
}

void GltfReader::ReadMaterials()
{
    for (std::size_t i = 0; i < check.images.size(); ++i) {
        GltfCheck::Image& source = check.images[i];
        Image image;
        std::string stem = std::filesystem::path(source.uri).stem().string();
        image.name = !source.name.empty() ? std::filesystem::path(source.name).stem().string() : stem;
        image.origin = At("images", i) + (source.uri.empty() ? "" : " (" + source.uri + ")");
        image.encoded = std::move(source.bytes);
        content.images.push_back(std::move(image));
    }
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        const tinygltf::Material& s = model.materials[i];
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
        if (i < check.baseColorImage.size())
            m.image = check.baseColorImage[i];
        m.engine = EngineColorsOf(s.extras);
        content.materials.push_back(std::move(m));
    }
}

// The material without its texture, for a primitive that cannot map the texture.
int GltfReader::PlainCopy(int material)
{
    auto found = plainCopyOf.find(material);
    if (found != plainCopyOf.end())
        return found->second;
    Material copy = content.materials[material];
    copy.image = -1;
    copy.name = (copy.name.empty() ? "material_" + std::to_string(material) : copy.name) + "_plain";
    int index = static_cast<int>(content.materials.size());
    content.materials.push_back(std::move(copy));
    plainCopyOf[material] = index;
    return index;
}

bool GltfReader::ReadSkin(int s, int* skinIndex, std::string* error)
{
    if (auto found = skinOf.find(s); found != skinOf.end()) {
        *skinIndex = found->second;
        return true;
    }
    const tinygltf::Skin& source = model.skins[s];
    Skin skin;
    for (int j : source.joints) {
        if (j < 0 || j >= static_cast<int>(contentNodeOf.size()) || contentNodeOf[j] < 0) {
            *error = At("skins", s) + ".joints: a joint is not in the converted scene";
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
            *error = At("skins", s) + ".inverseBindMatrices: fewer matrices than joints";
            return false;
        }
        for (std::size_t j = 0; j < skin.joints.size(); ++j)
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c)
                    skin.inverseBind[j].m[4 * r + c] = m[16 * j + 4 * c + r];
    }
    *skinIndex = static_cast<int>(content.skins.size());
    skinOf[s] = *skinIndex;
    content.skins.push_back(std::move(skin));
    return true;
}

bool GltfReader::ReadPrimitive(int meshIndex, int p, bool skinned, int jointCount, Mesh* mesh, std::string* error)
{
    const tinygltf::Primitive& primitive = model.meshes[meshIndex].primitives[p];
    const std::string where = At(At("meshes", meshIndex) + ".primitives", p);
    int mode = primitive.mode < 0 ? TINYGLTF_MODE_TRIANGLES : primitive.mode;
    if (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP && mode != TINYGLTF_MODE_TRIANGLE_FAN) {
        Warn(where + ": points and lines are not converted; the primitive is dropped");
        return true;
    }
    auto attribute = [&](const std::string& name) {
        auto it = primitive.attributes.find(name);
        return it == primitive.attributes.end() ? -1 : it->second;
    };
    // Data faults the check cannot see without reading: the path of the attribute first.
    auto read = [&](const std::string& name, int accessor, int components, std::vector<double>* out) {
        if (ReadAccessor(accessor, components, out, error))
            return true;
        *error = where + ".attributes." + name + ": " + *error;
        return false;
    };
    int positionAccessor = attribute("POSITION");
    if (positionAccessor < 0) {
        Warn(where + ": has no POSITION; the primitive is dropped");
        return true;
    }
    std::vector<double> positions;
    if (!read("POSITION", positionAccessor, 3, &positions))
        return false;
    std::size_t count = positions.size() / 3;
    std::size_t first = mesh->positions.size();

    auto readSized = [&](const std::string& name, int accessor, int components, std::vector<double>* out) {
        if (!read(name, accessor, components, out))
            return false;
        if (out->size() != count * components) {
            *error = where + ".attributes." + name + ": its count differs from the position count";
            return false;
        }
        return true;
    };

    std::vector<double> normals;
    int normalAccessor = attribute("NORMAL");
    if (normalAccessor >= 0 && !readSized("NORMAL", normalAccessor, 3, &normals))
        return false;

    const bool hasMaterial = primitive.material >= 0 && primitive.material < static_cast<int>(check.texCoordSet.size());
    const std::string texCoordName =
        "TEXCOORD_" + std::to_string(hasMaterial ? check.texCoordSet[primitive.material] : 0);
    std::vector<double> uv;
    int uvAccessor = attribute(texCoordName);
    if (uvAccessor >= 0 && !readSized(texCoordName, uvAccessor, 2, &uv))
        return false;

    std::vector<std::uint32_t> indices;
    if (primitive.indices >= 0) {
        if (!ReadIndices(primitive.indices, count, &indices, error)) {
            *error = where + ".indices: " + *error;
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

    // Weights: the sets that come in pairs, in order.
    std::vector<std::vector<double>> joints, weights;
    std::vector<std::string> jointNames;
    if (skinned) {
        for (int set = 0;; ++set) {
            std::string jn = "JOINTS_" + std::to_string(set), wn = "WEIGHTS_" + std::to_string(set);
            int ja = attribute(jn), wa = attribute(wn);
            if (ja < 0 || wa < 0)
                break;
            joints.emplace_back();
            weights.emplace_back();
            jointNames.push_back(jn);
            if (!readSized(jn, ja, 4, &joints.back()) || !readSized(wn, wa, 4, &weights.back()))
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
                        *error = where + ".attributes." + jointNames[set] + ": vertex " + std::to_string(v) +
                                 " names joint " + std::to_string(static_cast<long long>(j)) + " of a skin with " +
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
    part.material =
        hasMaterial && primitive.material < static_cast<int>(model.materials.size()) ? primitive.material : -1;
    if (part.material >= 0 && check.untexturedPrimitives.count({meshIndex, p}))
        part.material = PlainCopy(part.material);
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
        *error = At("nodes", sourceNode) + ".mesh: " + std::to_string(node.mesh) + " is not a mesh";
        return false;
    }
    const tinygltf::Mesh& source = model.meshes[node.mesh];
    Mesh mesh;
    mesh.name = !source.name.empty() ? source.name : node.name;
    mesh.node = contentNodeOf[sourceNode];
    int jointCount = 0;
    if (node.skin >= 0) {
        if (node.skin >= static_cast<int>(model.skins.size())) {
            *error = At("nodes", sourceNode) + ".skin: " + std::to_string(node.skin) + " is not a skin";
            return false;
        }
        if (!ReadSkin(node.skin, &mesh.skin, error))
            return false;
        jointCount = static_cast<int>(content.skins[mesh.skin].joints.size());
        mesh.weightStart.push_back(0);
    }
    for (std::size_t p = 0; p < source.primitives.size(); ++p) {
        if (!ReadPrimitive(node.mesh, static_cast<int>(p), mesh.skin >= 0, jointCount, &mesh, error))
            return false;
        if (!source.primitives[p].targets.empty() && p == 0)
            Warn(At("meshes", node.mesh) + ": morph targets are not converted; the mesh keeps its base shape");
    }
    content.meshes.push_back(std::move(mesh));
    return true;
}

// A channel the check kept, with the faults only its data shows.
bool GltfReader::ReadChannel(const tinygltf::Animation& source, const tinygltf::AnimationChannel& ch, Channel* channel,
                             std::string* why) const
{
    const tinygltf::AnimationSampler& s = source.samplers[ch.sampler];
    channel->node = contentNodeOf[ch.target_node];
    channel->target = ch.target_path == "rotation" ? Target::Rotation
                      : ch.target_path == "scale"  ? Target::Scale
                                                   : Target::Translation;
    channel->interpolation = s.interpolation == "STEP"          ? Interpolation::Step
                             : s.interpolation == "CUBICSPLINE" ? Interpolation::CubicSpline
                                                                : Interpolation::Linear;
    if (!ReadAccessor(s.input, 1, &channel->times, why) ||
        !ReadAccessor(s.output, ComponentCount(channel->target), &channel->values, why))
        return false;
    std::size_t perKey =
        ComponentCount(channel->target) * (channel->interpolation == Interpolation::CubicSpline ? 3 : 1);
    if (channel->times.empty() || channel->values.size() != channel->times.size() * perKey) {
        *why = "its key times and values do not match";
        return false;
    }
    for (std::size_t i = 1; i < channel->times.size(); ++i)
        if (!(channel->times[i] > channel->times[i - 1])) {
            *why = At("accessors", s.input) + ": key time " + std::to_string(i) + " does not come after the one before";
            return false;
        }
    if (!(channel->times.front() >= 0) || !std::isfinite(channel->times.back())) {
        *why = At("accessors", s.input) + ": a key time is negative or not a number";
        return false;
    }
    return true;
}

void GltfReader::ReadAnimations()
{
    for (std::size_t a = 0; a < model.animations.size(); ++a) {
        const tinygltf::Animation& source = model.animations[a];
        Clip clip;
        clip.name = source.name;
        if (a < check.clipWarnings.size())
            clip.dropped = std::move(check.clipWarnings[a]);
        for (std::size_t c = 0; c < source.channels.size(); ++c) {
            if (a >= check.channelKept.size() || c >= check.channelKept[a].size() || !check.channelKept[a][c])
                continue;
            const std::string path = At(At("animations", a) + ".channels", c);
            Channel channel;
            std::string why;
            if (ReadChannel(source, source.channels[c], &channel, &why))
                clip.channels.push_back(std::move(channel));
            else
                clip.dropped.push_back(path + ": " + why + "; " + path + " is dropped");
        }
        content.clips.push_back(std::move(clip));
    }
}

bool GltfReader::Run(std::string* error)
{
    content.format = "glTF 2.0";
    CollectNodes();
    ReadMaterials();
    for (int source : sourceNodeOf)
        if (!ReadMesh(source, error))
            return false;
    ReadAnimations();
    return true;
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

bool ImportGltfFile(GltfFile& file, Content* content, std::string* error)
{
    GltfCheck check;
    if (!CheckGltf(file, &check)) {
        *error = Lines(check.refusals);
        return false;
    }
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string err, warn;
    if (!loader.LoadASCIIFromString(&model, &err, &warn, check.json.data(), static_cast<unsigned>(check.json.size()),
                                    "")) {
        while (!err.empty() && (err.back() == '\n' || err.back() == ' '))
            err.pop_back();
        *error = "tinygltf cannot read the file: " + (err.empty() ? std::string("no reason given") : err);
        return false;
    }
    *content = Content{};
    content->warnings = std::move(check.warnings);
    content->notes = std::move(check.notes);
    while (!warn.empty() && (warn.back() == '\n' || warn.back() == ' '))
        warn.pop_back();
    if (!warn.empty())
        content->warnings.push_back("tinygltf: " + warn);
    GltfReader reader(model, check, content);
    return reader.Run(error);
}

} // namespace

bool ImportGltf(const std::string& path, Content* content, std::string* error)
{
    GltfFile file;
    {
        std::vector<std::uint8_t> bytes;
        if (!ReadFileBytes(path, &bytes)) {
            *error = "cannot be read";
            return false;
        }
        if (!SplitGltf(bytes.data(), bytes.size(), &file, error))
            return false;
    }
    file.folder = std::filesystem::path(path).parent_path().string();
    file.readsFiles = true;
    return ImportGltfFile(file, content, error);
}

bool ImportGltfBytes(const std::uint8_t* data, std::size_t size, Content* content, std::string* error)
{
    GltfFile file;
    if (!SplitGltf(data, size, &file, error))
        return false;
    return ImportGltfFile(file, content, error);
}

} // namespace convert
