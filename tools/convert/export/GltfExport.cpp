// The glTF exporter: nodes, materials, textures, the animation and the containers. Meshes
// and skins are in GltfExportMeshes.cpp.
#include "convert/export/GltfExportParts.h"

#include "convert/Names.h"
#include "convert/export/PngEncode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <set>

namespace convert {

namespace fmt = orvex::format;

const char* const MaterialMapping =
    "  texture (TGA)       baseColorTexture, as PNG (inside a .glb, beside a .gltf); linear\n"
    "                      filtering and repeat wrapping, as the engine samples it\n"
    "  diffuse             with a texture: baseColorFactor white, since the engine's colour\n"
    "                      material draws textured faces in white light and the texture's\n"
    "                      colours; without one: baseColorFactor = diffuse red, green, blue\n"
    "  shininess           roughnessFactor = (2 / (shininess + 2))^(1/4), the GGX roughness\n"
    "                      of a Blinn-Phong highlight of that exponent; metallicFactor 0\n"
    "  ambient, specular   no glTF counterpart (glTF viewers light with their own ambient\n"
    "                      and reflections)\n"
    "  alpha               opaque: the engine draws without blending\n"
    "  all four colours and the shininess, exactly, in the material's extras as\n"
    "  \"orvex\": {\"ambient\", \"diffuse\", \"specular\", \"shininess\"}; orvex-convert reads them\n"
    "  back from there when it imports the file again\n";

int GltfBuild::AddNode(const std::string& name, int parentNode)
{
    nodes.push_back({{"name", AsUtf8(name)}});
    parent.push_back(parentNode);
    return static_cast<int>(nodes.size()) - 1;
}

namespace {

Quat ToQuat(const fmt::Quat& q)
{
    return {q.x, q.y, q.z, q.w};
}

// A quaternion of unit length as floats; false for one of zero length.
bool UnitRotation(const fmt::Quat& q, fmt::Quat* out)
{
    const Quat d = ToQuat(q);
    const double length = std::sqrt(Dot(d, d));
    if (!(length > 1e-12) || !std::isfinite(length))
        return false;
    *out = {static_cast<float>(d.x / length), static_cast<float>(d.y / length), static_cast<float>(d.z / length),
            static_cast<float>(d.w / length)};
    return true;
}

bool IsIdentity(const fmt::Quat& q)
{
    return q.x == 0 && q.y == 0 && q.z == 0 && q.w == 1;
}

void AddNodes(const fmt::SceneDesc& scene, GltfBuild* build)
{
    std::size_t notUnit = 0;
    for (const fmt::NodeDesc& node : scene.nodes) {
        const int index = build->AddNode(node.name, node.parent);
        GltfJson& json = build->nodes[index];
        fmt::Quat rotation;
        if (!UnitRotation(node.rotation, &rotation)) {
            rotation = {};
            build->warnings.push_back("node '" + node.name + "' has a rotation of zero length; written as none");
        } else if (std::fabs(std::sqrt(Dot(ToQuat(node.rotation), ToQuat(node.rotation))) - 1) > 1e-3) {
            ++notUnit;
        }
        if (node.position.x != 0 || node.position.y != 0 || node.position.z != 0)
            json["translation"] = {node.position.x, node.position.y, node.position.z};
        if (!IsIdentity(rotation))
            json["rotation"] = {rotation.x, rotation.y, rotation.z, rotation.w};

        // The rest pose glTF readers compose from exactly these values.
        const Rigid local{ToQuat(rotation), {node.position.x, node.position.y, node.position.z}};
        if (node.parent < 0) {
            build->restWorld.push_back(local);
        } else {
            const Rigid& up = build->restWorld[node.parent];
            build->restWorld.push_back(Rigid{Multiply(up.rotation, local.rotation),
                                             Add(up.translation, Rotate(up.rotation, local.translation))});
        }
    }
    if (notUnit > 0)
        build->warnings.push_back(std::to_string(notUnit) +
                                  " node rotations are not of unit length; they are written normalised");
}

// Percent-encodes what is not allowed in a relative URI reference.
std::string UriOf(const std::string& file)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : file) {
        if (std::isalnum(c) || (c != 0 && std::strchr("-._~", c))) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// The picture as glTF's base colour reads it. An alpha-only texture modulates only the alpha,
// so the engine draws its faces white: a white picture that keeps the alpha.
std::vector<std::uint8_t> PngOf(const fmt::TextureDesc& texture)
{
    if (texture.channels != 1)
        return EncodePng(texture.width, texture.height, texture.channels, texture.pixels.data());
    std::vector<std::uint8_t> greyAlpha;
    greyAlpha.reserve(texture.pixels.size() * 2);
    for (std::uint8_t a : texture.pixels)
        greyAlpha.insert(greyAlpha.end(), {255, a});
    return EncodePng(texture.width, texture.height, 2, greyAlpha.data());
}

bool AddMaterials(const fmt::SceneFiles& files, const GltfExportOptions& options, GltfBuild* build, GltfDocument* out,
                  GltfJson* materials, GltfJson* textures, GltfJson* images, std::string* error)
{
    std::map<std::string, int> textureOfName;
    std::set<std::string> fileNames; // lower case: some file systems ignore letter case
    for (std::size_t m = 0; m < files.scene.materials.size(); ++m) {
        const fmt::MaterialDesc& source = files.scene.materials[m];
        build->materialOfName.emplace(source.name, static_cast<int>(m));
        const fmt::TextureDesc* texture = source.texture.empty() ? nullptr : files.FindTexture(source.texture);

        GltfJson pbr = GltfJson::object();
        if (texture) {
            auto found = textureOfName.find(texture->name);
            if (found == textureOfName.end()) {
                std::vector<std::uint8_t> png = PngOf(*texture);
                if (png.empty()) {
                    *error = "texture '" + texture->name + "' (" + std::to_string(texture->width) + "x" +
                             std::to_string(texture->height) + ") cannot be encoded as PNG";
                    return false;
                }
                GltfJson image = {{"name", AsUtf8(texture->name)}};
                if (options.binary) {
                    image["bufferView"] = build->buffer.AddView(png.data(), png.size(), 0);
                    image["mimeType"] = "image/png";
                } else {
                    std::string base = FileSafe(texture->name), file = base + ".png";
                    auto lower = [](std::string s) {
                        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
                        return s;
                    };
                    for (int n = 2; fileNames.count(lower(file)); ++n)
                        file = base + "_" + std::to_string(n) + ".png";
                    fileNames.insert(lower(file));
                    image["uri"] = UriOf(file);
                    out->images.push_back({file, std::move(png)});
                }
                images->push_back(std::move(image));
                textures->push_back({{"sampler", 0}, {"source", images->size() - 1}});
                found = textureOfName.emplace(texture->name, static_cast<int>(textures->size()) - 1).first;
            }
            pbr["baseColorTexture"] = {{"index", found->second}};
        } else {
            pbr["baseColorFactor"] = {source.diffuse[0], source.diffuse[1], source.diffuse[2], 1.0f};
        }
        pbr["metallicFactor"] = 0.0f;
        const double shininess = std::clamp(static_cast<double>(source.shininess), 0.0, 128.0);
        pbr["roughnessFactor"] = static_cast<float>(std::pow(2.0 / (shininess + 2.0), 0.25));

        GltfJson engine = {{"ambient", source.ambient},
                           {"diffuse", source.diffuse},
                           {"specular", source.specular},
                           {"shininess", source.shininess}};
        materials->push_back({{"name", AsUtf8(source.name)},
                              {"pbrMetallicRoughness", std::move(pbr)},
                              {"extras", {{"orvex", std::move(engine)}}}});
    }
    return true;
}

// Key k at k / 20 s, never later: a reader that samples at k / 20 then lands on the key
// itself or a hair past it, never on the one before.
float KeyTime(std::uint32_t k)
{
    const double exact = k / 20.0;
    float t = static_cast<float>(exact);
    if (static_cast<double>(t) > exact)
        t = std::nextafter(t, 0.0f);
    return t;
}

bool AddAnimation(const fmt::SceneFiles& files, const GltfExportOptions& options, GltfBuild* build,
                  GltfJson* animations, std::string* error)
{
    const fmt::AnimationDesc& animation = *files.animation;
    const auto& nodes = files.scene.nodes;
    // Each bone is the track's parent's bone times its key; glTF composes a node with its
    // parent node. Both agree only where the parents do.
    for (std::size_t t = 0; t < animation.tracks.size() && t < nodes.size(); ++t) {
        if (animation.tracks[t].parent != nodes[t].parent) {
            *error = "track " + std::to_string(t) + " ('" + animation.tracks[t].name + "') follows track " +
                     std::to_string(animation.tracks[t].parent) + " while its node follows node " +
                     std::to_string(nodes[t].parent) +
                     "; glTF animates nodes within their own hierarchy, so this cannot be written";
            return false;
        }
    }
    if (animation.tracks.empty() || animation.frameCount == 0)
        return true;
    if (animation.tracks.size() < nodes.size())
        build->warnings.push_back("the animation has " + std::to_string(animation.tracks.size()) + " tracks for " +
                                  std::to_string(nodes.size()) +
                                  " nodes: the others keep their rest pose in glTF (the engine leaves their bones as "
                                  "they were before the animation was bound)");

    const std::uint32_t frames = animation.frameCount;
    std::vector<float> times(frames);
    for (std::uint32_t k = 0; k < frames; ++k)
        times[k] = KeyTime(k);
    GltfExportBuffer& buffer = build->buffer;
    const int input = buffer.Add(times.data(), frames, gltf::Float, "SCALAR", 0, true);

    GltfJson samplers = GltfJson::array(), channels = GltfJson::array();
    std::size_t zeroRotations = 0;
    for (std::size_t t = 0; t < animation.tracks.size(); ++t) {
        const fmt::TrackDesc& track = animation.tracks[t];
        std::vector<float> translations, rotations;
        fmt::Quat previous;
        for (std::uint32_t k = 0; k < frames; ++k) {
            const fmt::KeyDesc& key = track.keys[k];
            translations.insert(translations.end(), {key.position.x, key.position.y, key.position.z});
            fmt::Quat q;
            if (!UnitRotation(key.rotation, &q)) {
                q = {};
                ++zeroRotations;
            }
            // The engine blends along the shorter arc; keys on one side of the sphere make
            // every reader's spherical blend take the same one.
            if (k > 0 && q.x * previous.x + q.y * previous.y + q.z * previous.z + q.w * previous.w < 0)
                q = {-q.x, -q.y, -q.z, -q.w};
            rotations.insert(rotations.end(), {q.x, q.y, q.z, q.w});
            previous = q;
        }
        const int translation = buffer.Add(translations.data(), frames, gltf::Float, "VEC3", 0);
        const int rotation = buffer.Add(rotations.data(), frames, gltf::Float, "VEC4", 0);
        for (auto [output, path] : {std::pair{translation, "translation"}, std::pair{rotation, "rotation"}}) {
            channels.push_back({{"sampler", samplers.size()}, {"target", {{"node", t}, {"path", path}}}});
            samplers.push_back({{"input", input}, {"interpolation", "LINEAR"}, {"output", output}});
        }
    }
    if (zeroRotations > 0)
        build->warnings.push_back(std::to_string(zeroRotations) +
                                  " animation keys have a rotation of zero length; written as none");
    animations->push_back({{"name", AsUtf8(options.animationName)},
                           {"channels", std::move(channels)},
                           {"samplers", std::move(samplers)}});
    return true;
}

bool Finite(std::initializer_list<float> values)
{
    for (float v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// glTF holds finite numbers only (JSON has no others); the engine reads whatever the file
// holds. "" when every number of the scene is finite, else the first record that is not.
std::string NonFinite(const fmt::SceneFiles& files)
{
    for (const fmt::MaterialDesc& m : files.scene.materials)
        for (const auto* c : {&m.ambient, &m.diffuse, &m.specular})
            if (!Finite({(*c)[0], (*c)[1], (*c)[2], (*c)[3], m.shininess}))
                return "material '" + m.name + "'";
    for (const fmt::NodeDesc& n : files.scene.nodes)
        if (!Finite({n.position.x, n.position.y, n.position.z, n.rotation.x, n.rotation.y, n.rotation.z, n.rotation.w}))
            return "node '" + n.name + "'";
    for (const fmt::MeshDesc& mesh : files.scene.meshes)
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            const fmt::VertexDesc& x = mesh.vertices[v];
            if (!Finite({x.s, x.t, x.normal.x, x.normal.y, x.normal.z, x.position.x, x.position.y, x.position.z}))
                return "mesh '" + mesh.name + "' vertex " + std::to_string(v);
        }
    if (files.animation)
        for (const fmt::TrackDesc& track : files.animation->tracks)
            for (std::size_t k = 0; k < track.keys.size(); ++k) {
                const fmt::KeyDesc& key = track.keys[k];
                if (!Finite({key.position.x, key.position.y, key.position.z, key.rotation.x, key.rotation.y,
                             key.rotation.z, key.rotation.w}))
                    return "track '" + track.name + "' key " + std::to_string(k);
            }
    return {};
}

void PutIfAny(GltfJson& document, const char* key, GltfJson&& array)
{
    if (!array.empty())
        document[key] = std::move(array);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
}

} // namespace

bool BuildGltf(const fmt::SceneFiles& files, const GltfExportOptions& options, GltfDocument* out, std::string* error)
{
    *out = GltfDocument{};
    // Only what the engine itself would load: indices, counts and parents are then in range.
    std::string problem = fmt::CheckScene(files.scene);
    if (problem.empty() && files.animation) {
        problem = fmt::CheckAnimation(*files.animation);
        if (problem.empty() && files.animation->tracks.size() > files.scene.nodes.size())
            problem = "the animation has more tracks than the scene has nodes";
    }
    if (problem.empty()) {
        const std::string where = NonFinite(files);
        if (!where.empty())
            problem = where + " holds a number that is not finite, which glTF cannot hold";
    }
    for (const fmt::TextureDesc& t : files.textures)
        if (problem.empty() && (t.width <= 0 || t.height <= 0 || t.channels < 1 || t.channels > 4 ||
                                t.pixels.size() != std::size_t(t.width) * t.height * t.channels))
            problem = "texture '" + t.name + "' has pixels that do not match its size";
    if (!problem.empty()) {
        *error = problem;
        return false;
    }
    GltfBuild build;
    AddNodes(files.scene, &build);
    GltfJson materials = GltfJson::array(), textures = GltfJson::array(), images = GltfJson::array();
    if (!AddMaterials(files, options, &build, out, &materials, &textures, &images, error))
        return false;
    GltfJson animations = GltfJson::array();
    if (files.animation && !AddAnimation(files, options, &build, &animations, error))
        return false;
    GltfJson meshes = GltfJson::array(), skins = GltfJson::array();
    AddMeshes(files.scene, &build, &meshes, &skins);

    std::vector<std::vector<int>> children(build.nodes.size());
    std::vector<int> roots;
    for (std::size_t n = 0; n < build.parent.size(); ++n)
        (build.parent[n] < 0 ? roots : children[build.parent[n]]).push_back(static_cast<int>(n));
    for (std::size_t n = 0; n < children.size(); ++n)
        if (!children[n].empty())
            build.nodes[n]["children"] = children[n];

    GltfJson& doc = out->json;
    doc["asset"] = {{"version", "2.0"}, {"generator", options.generator}};
    if (!build.nodes.empty()) {
        doc["scene"] = 0;
        doc["scenes"] = {{{"nodes", roots}}};
    }
    PutIfAny(doc, "nodes", std::move(build.nodes));
    PutIfAny(doc, "meshes", std::move(meshes));
    PutIfAny(doc, "skins", std::move(skins));
    PutIfAny(doc, "materials", std::move(materials));
    PutIfAny(doc, "textures", std::move(textures));
    PutIfAny(doc, "images", std::move(images));
    if (doc.contains("textures"))
        doc["samplers"] = {{{"magFilter", 9729}, {"minFilter", 9729}, {"wrapS", 10497}, {"wrapT", 10497}}};
    PutIfAny(doc, "animations", std::move(animations));
    PutIfAny(doc, "accessors", std::move(build.buffer.Accessors()));
    PutIfAny(doc, "bufferViews", std::move(build.buffer.Views()));
    if (!build.buffer.Bytes().empty()) {
        GltfJson buffer = {{"byteLength", build.buffer.Bytes().size()}};
        if (!options.binary)
            buffer["uri"] = UriOf(options.bufferUri);
        doc["buffers"] = {std::move(buffer)};
    }
    out->buffer = build.buffer.Bytes();
    out->warnings = std::move(build.warnings);
    return true;
}

std::string GltfText(const GltfDocument& document)
{
    return document.json.dump(1, ' ') + "\n";
}

std::vector<std::uint8_t> GlbBytes(const GltfDocument& document)
{
    std::string json = document.json.dump();
    json.resize((json.size() + 3) & ~std::size_t(3), ' ');
    const std::size_t binary = (document.buffer.size() + 3) & ~std::size_t(3);
    const std::size_t total = 12 + 8 + json.size() + (binary ? 8 + binary : 0);
    if (total > 0xFFFFFFFFu)
        return {};
    std::vector<std::uint8_t> out;
    out.reserve(total);
    out.insert(out.end(), {'g', 'l', 'T', 'F'});
    PutU32(out, 2);
    PutU32(out, static_cast<std::uint32_t>(total));
    PutU32(out, static_cast<std::uint32_t>(json.size()));
    out.insert(out.end(), {'J', 'S', 'O', 'N'});
    out.insert(out.end(), json.begin(), json.end());
    if (binary) {
        PutU32(out, static_cast<std::uint32_t>(binary));
        out.insert(out.end(), {'B', 'I', 'N', 0});
        out.insert(out.end(), document.buffer.begin(), document.buffer.end());
        out.resize(total, 0);
    }
    return out;
}

} // namespace convert
