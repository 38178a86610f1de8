#include "DamagedGltf.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace tooltest {

namespace {

using Json = nlohmann::json;

std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void PutU32(std::vector<std::uint8_t>* out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out->push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

template <typename T>
void Append(std::vector<std::uint8_t>* bin, const std::vector<T>& values)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(values.data());
    bin->insert(bin->end(), bytes, bytes + values.size() * sizeof(T));
    while (bin->size() % 4)
        bin->push_back(0);
}

// A 2x2 RGB picture as an uncompressed PNG: stored deflate blocks, with the CRC and
// Adler sums it needs.
std::vector<std::uint8_t> TinyPng()
{
    auto crc = [](const std::uint8_t* p, std::size_t n) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < n; ++i) {
            c ^= p[i];
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
        }
        return ~c;
    };
    auto chunk = [&](std::vector<std::uint8_t>* png, const char* type, const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> body(type, type + 4);
        body.insert(body.end(), data.begin(), data.end());
        for (int i = 3; i >= 0; --i)
            png->push_back(static_cast<std::uint8_t>(data.size() >> (8 * i)));
        png->insert(png->end(), body.begin(), body.end());
        std::uint32_t c = crc(body.data(), body.size());
        for (int i = 3; i >= 0; --i)
            png->push_back(static_cast<std::uint8_t>(c >> (8 * i)));
    };
    const std::vector<std::uint8_t> raw{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 255};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    std::vector<std::uint8_t> z{
        0x78, 0x01, 0x01, static_cast<std::uint8_t>(raw.size()), 0, static_cast<std::uint8_t>(~raw.size()), 0xFF};
    z.insert(z.end(), raw.begin(), raw.end());
    for (std::uint32_t s : {b >> 8, b, a >> 8, a})
        z.push_back(static_cast<std::uint8_t>(s));
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(&png, "IHDR", {0, 0, 0, 2, 0, 0, 0, 2, 8, 2, 0, 0, 0});
    chunk(&png, "IDAT", z);
    chunk(&png, "IEND", {});
    return png;
}

// The case table's edits.
Json& Primitive(Json& d)
{
    return d["meshes"][0]["primitives"][0];
}
Json& Channel(Json& d, int c)
{
    return d["animations"][0]["channels"][c];
}
Json& Sampler(Json& d, int s)
{
    return d["animations"][0]["samplers"][s];
}

} // namespace

bool ReadGlb(const std::filesystem::path& path, Glb* glb)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 20 || std::memcmp(bytes.data(), "glTF", 4) != 0)
        return false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        std::uint32_t length = U32(&bytes[at]), type = U32(&bytes[at + 4]);
        if (length > bytes.size() - at - 8)
            return false;
        const std::uint8_t* data = &bytes[at + 8];
        if (type == 0x4E4F534A)
            glb->json = Json::parse(data, data + length, nullptr, false);
        else if (type == 0x004E4942)
            glb->bin.assign(data, data + length);
        at += 8 + length;
    }
    return glb->json.is_object();
}

std::vector<std::uint8_t> WriteGlb(const Glb& glb)
{
    std::string text = glb.json.dump();
    while (text.size() % 4)
        text += ' ';
    std::vector<std::uint8_t> bin = glb.bin;
    while (bin.size() % 4)
        bin.push_back(0);
    std::vector<std::uint8_t> out{'g', 'l', 'T', 'F'};
    PutU32(&out, 2);
    PutU32(&out, static_cast<std::uint32_t>(12 + 8 + text.size() + (bin.empty() ? 0 : 8 + bin.size())));
    PutU32(&out, static_cast<std::uint32_t>(text.size()));
    PutU32(&out, 0x4E4F534A);
    out.insert(out.end(), text.begin(), text.end());
    if (!bin.empty()) {
        PutU32(&out, static_cast<std::uint32_t>(bin.size()));
        PutU32(&out, 0x004E4942);
        out.insert(out.end(), bin.begin(), bin.end());
    }
    return out;
}

Glb SmallModel()
{
    Glb glb;
    std::vector<std::uint8_t>& bin = glb.bin;
    Json views = Json::array(), accessors = Json::array();
    // Appends values as a buffer view and an accessor over it; returns the accessor.
    auto add = [&](const auto& values, int componentType, const char* type, std::size_t count) {
        std::size_t offset = bin.size();
        Append(&bin, values);
        views.push_back({{"buffer", 0}, {"byteOffset", offset}, {"byteLength", values.size() * sizeof(values[0])}});
        accessors.push_back(
            {{"bufferView", views.size() - 1}, {"componentType", componentType}, {"type", type}, {"count", count}});
        return accessors.size() - 1;
    };
    const auto positions = add(std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, 5126, "VEC3", 4);
    accessors[positions]["min"] = {0, 0, 0};
    accessors[positions]["max"] = {1, 1, 0};
    const auto normals = add(std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}, 5126, "VEC3", 4);
    const auto uv = add(std::vector<float>{0, 0, 1, 0, 0, 1, 1, 1}, 5126, "VEC2", 4);
    const auto joints = add(std::vector<std::uint8_t>{0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, 5121, "VEC4", 4);
    const auto weights = add(std::vector<float>{1, 0, 0, 0, 0.5f, 0.5f, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, 5126, "VEC4", 4);
    const auto indices = add(std::vector<std::uint16_t>{0, 1, 2, 2, 1, 3}, 5123, "SCALAR", 6);
    const auto binds = add(std::vector<float>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0,  0, 0, 1,
                                              1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 1},
                           5126, "MAT4", 2);
    const auto times = add(std::vector<float>{0, 0.5f, 1}, 5126, "SCALAR", 3);
    accessors[times]["min"] = {0};
    accessors[times]["max"] = {1};
    const auto moves = add(std::vector<float>{1, 0, 0, 1, 1, 0, 1, 0, 0}, 5126, "VEC3", 3);
    const auto turns = add(std::vector<float>{0, 0, 0, 1, 0, 0, 0.7071068f, 0.7071068f, 0, 0, 1, 0}, 5126, "VEC4", 3);
    // Cubic spline: in-tangent, value, out-tangent per key.
    const auto stepTimes = add(std::vector<float>{0, 1}, 5126, "SCALAR", 2);
    accessors[stepTimes]["min"] = {0};
    accessors[stepTimes]["max"] = {1};
    const auto slides = add(std::vector<float>{0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 2, 2, 2, 0, 0, 0}, 5126, "VEC3", 6);
    std::vector<std::uint8_t> png = TinyPng();
    std::size_t pictureOffset = bin.size();
    Append(&bin, png);
    views.push_back({{"buffer", 0}, {"byteOffset", pictureOffset}, {"byteLength", png.size()}});

    Json& d = glb.json;
    d["asset"] = {{"version", "2.0"}, {"generator", "orvex tests"}};
    d["scene"] = 0;
    d["scenes"] = {{{"nodes", {0, 2}}}};
    d["nodes"] = {{{"name", "root"}, {"children", {1}}},
                  {{"name", "arm"}, {"translation", {1, 0, 0}}},
                  {{"name", "skin"}, {"mesh", 0}, {"skin", 0}}};
    d["meshes"] = {{{"name", "sheet"},
                    {"primitives",
                     {{{"attributes",
                        {{"POSITION", positions},
                         {"NORMAL", normals},
                         {"TEXCOORD_0", uv},
                         {"JOINTS_0", joints},
                         {"WEIGHTS_0", weights}}},
                       {"indices", indices},
                       {"material", 0}}}}}};
    d["skins"] = {{{"joints", {0, 1}}, {"inverseBindMatrices", binds}}};
    d["materials"] = {
        {{"name", "paint"}, {"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}, {"metallicFactor", 0}}}}};
    d["textures"] = {{{"source", 0}, {"sampler", 0}}};
    d["samplers"] = {{{"magFilter", 9728}}};
    d["images"] = {{{"bufferView", views.size() - 1}, {"mimeType", "image/png"}}};
    d["animations"] = {{{"name", "wave"},
                        {"channels",
                         {{{"sampler", 0}, {"target", {{"node", 1}, {"path", "translation"}}}},
                          {{"sampler", 1}, {"target", {{"node", 1}, {"path", "rotation"}}}},
                          {{"sampler", 2}, {"target", {{"node", 0}, {"path", "translation"}}}}}},
                        {"samplers",
                         {{{"input", times}, {"output", moves}},
                          {{"input", times}, {"output", turns}, {"interpolation", "STEP"}},
                          {{"input", stepTimes}, {"output", slides}, {"interpolation", "CUBICSPLINE"}}}}}};
    d["accessors"] = accessors;
    d["bufferViews"] = views;
    d["buffers"] = {{{"byteLength", bin.size()}}};
    return glb;
}

const std::vector<DamageCase>& DamageCases()
{
    using O = Outcome;
    // clang-format off
    static const std::vector<DamageCase> cases{
        // The scene and its hierarchy.
        {"scene-index", "BoxTextured", [](Json& d) { d["scene"] = 5; }, O::Refused, "scene: 5 is not a scene"},
        {"scene-node", "BoxTextured", [](Json& d) { d["scenes"][0]["nodes"] = {7}; }, O::Refused,
         "scenes[0].nodes[0]: 7 is not a node"},
        {"scene-child-as-root", "BoxTextured", [](Json& d) { d["scenes"][0]["nodes"] = {0, 1}; }, O::Refused,
         "scenes[0].nodes[1]: nodes[1] is not a root: it is a child of nodes[0]"},
        {"other-scene", "BoxTextured", [](Json& d) { d["scenes"].push_back({{"nodes", {42}}}); }, O::Noted,
         "scenes[1].nodes[0]: 42 is not a node (scenes[1] is not converted)"},
        {"node-child", "BoxTextured", [](Json& d) { d["nodes"][0]["children"] = {9}; }, O::Refused,
         "nodes[0].children[0]: 9 is not a node"},
        {"node-own-child", "BoxAnimated", [](Json& d) { d["nodes"][1]["children"] = {1}; }, O::Refused,
         "nodes[1].children[0]: a node cannot be its own child"},
        {"node-two-parents", "BoxAnimated", [](Json& d) { d["nodes"][3]["children"] = {2}; }, O::Refused,
         "nodes[3].children[0]: nodes[2] is already a child of nodes[1]"},
        {"node-cycle", "BoxAnimated", [](Json& d) { d["nodes"][2]["children"] = {0}; }, O::Refused,
         "nodes[0]: is its own ancestor"},
        {"node-mesh", "BoxTextured", [](Json& d) { d["nodes"][1]["mesh"] = 4; }, O::Refused,
         "nodes[1].mesh: 4 is not a mesh"},
        {"node-camera", "BoxTextured", [](Json& d) { d["nodes"][1]["camera"] = 3; }, O::Noted,
         "nodes[1].camera: 3 is not a camera (cameras are not converted)"},
        {"node-skin", "RiggedSimple", [](Json& d) { d["nodes"][2]["skin"] = 3; }, O::Refused,
         "nodes[2].skin: 3 is not a skin"},
        // Skins.
        {"skin-joint", "RiggedSimple", [](Json& d) { d["skins"][0]["joints"] = {3, 40}; }, O::Refused,
         "skins[0].joints[1]: 40 is not a node"},
        {"skin-joint-twice", "RiggedSimple", [](Json& d) { d["skins"][0]["joints"] = {3, 3}; }, O::Refused,
         "skins[0].joints[1]: names nodes[3] twice"},
        {"skin-joint-outside-scene", "RiggedSimple",
         [](Json& d) {
             d["nodes"].push_back({{"name", "stray"}});
             d["skins"][0]["joints"] = {3, 5};
         },
         O::Refused, "skins[0].joints[1]: nodes[5] is not in the converted scene"},
        {"skin-matrices", "RiggedSimple", [](Json& d) { d["skins"][0]["inverseBindMatrices"] = 99; }, O::Refused,
         "skins[0].inverseBindMatrices: 99 is not an accessor"},
        {"skin-matrices-type", "RiggedSimple", [](Json& d) { d["skins"][0]["inverseBindMatrices"] = 3; }, O::Refused,
         "skins[0].inverseBindMatrices: accessors[3] is VEC3 float, where the converter reads MAT4 float"},
        {"skin-matrices-count", "RiggedSimple", [](Json& d) { d["skins"][0]["joints"] = {3, 4, 1}; }, O::Refused,
         "skins[0].inverseBindMatrices: accessors[9] holds 2 matrices for 3 joints"},
        {"skin-joint-data", "RiggedSimple", [](Json& d) { d["skins"][0]["joints"] = {3}; }, O::Refused,
         "meshes[0].primitives[0].attributes.JOINTS_0: vertex"},
        // Primitives.
        {"primitive-position", "BoxTextured", [](Json& d) { Primitive(d)["attributes"]["POSITION"] = 10; },
         O::Refused, "meshes[0].primitives[0].attributes.POSITION: 10 is not an accessor"},
        {"primitive-position-type", "BoxTextured", [](Json& d) { Primitive(d)["attributes"]["POSITION"] = 3; },
         O::Refused,
         "meshes[0].primitives[0].attributes.POSITION: accessors[3] is VEC2 float, where the converter reads VEC3 "
         "float"},
        {"primitive-joints-type", "RiggedSimple", [](Json& d) { Primitive(d)["attributes"]["JOINTS_0"] = 4; },
         O::Refused,
         "meshes[0].primitives[0].attributes.JOINTS_0: accessors[4] is VEC4 float, where the converter reads VEC4 "
         "unsigned byte or unsigned short"},
        {"primitive-counts", "BoxTextured", [](Json& d) { d["accessors"][3]["count"] = 20; }, O::Refused,
         "meshes[0].primitives[0].attributes.TEXCOORD_0: accessors[3] holds 20 elements, POSITION holds 24"},
        {"primitive-unread-attribute", "BoxTextured", [](Json& d) { Primitive(d)["attributes"]["COLOR_0"] = 50; },
         O::Noted, "meshes[0].primitives[0].attributes.COLOR_0: 50 is not an accessor (the converter does not read "
                   "COLOR_0)"},
        {"primitive-indices", "BoxTextured", [](Json& d) { Primitive(d)["indices"] = 12; }, O::Refused,
         "meshes[0].primitives[0].indices: 12 is not an accessor"},
        {"primitive-index-data", "BoxTextured",
         [](Json& d) {
             d["accessors"][0] = {{"bufferView", 1}, {"byteOffset", 2}, {"componentType", 5123}, {"count", 36},
                                  {"type", "SCALAR"}};
         },
         O::Refused, "which is not below the vertex count 24"},
        {"primitive-material", "BoxTextured", [](Json& d) { Primitive(d)["material"] = 999; }, O::Refused,
         "meshes[0].primitives[0].material: 999 is not a material"},
        {"primitive-material-negative", "BoxTextured", [](Json& d) { Primitive(d)["material"] = -1; }, O::Refused,
         "meshes[0].primitives[0].material: -1 is not a material"},
        {"primitive-material-text", "BoxTextured", [](Json& d) { Primitive(d)["material"] = "0"; }, O::Refused,
         "meshes[0].primitives[0].material: \"0\" is not a material"},
        {"primitive-material-huge", "BoxTextured", [](Json& d) { Primitive(d)["material"] = 4294967296ull; },
         O::Refused, "meshes[0].primitives[0].material: 4294967296 is not a material"},
        {"primitive-mode", "BoxTextured", [](Json& d) { Primitive(d)["mode"] = 9; }, O::Refused,
         "meshes[0].primitives[0].mode: 9 is not a primitive mode"},
        {"unused-mesh", "BoxTextured",
         [](Json& d) { d["meshes"].push_back({{"primitives", {{{"attributes", {{"POSITION", 77}}}}}}}); }, O::Noted,
         "meshes[1].primitives[0].attributes.POSITION: 77 is not an accessor (meshes[1] is not used by the converted "
         "scene)"},
        // Accessors, buffer views and buffers.
        {"accessor-view", "BoxTextured", [](Json& d) { d["accessors"][2]["bufferView"] = 9; }, O::Refused,
         "accessors[2].bufferView: 9 is not a buffer view (read by meshes[0].primitives[0].attributes.POSITION)"},
        {"accessor-component-type", "BoxTextured", [](Json& d) { d["accessors"][2]["componentType"] = 5124; },
         O::Refused, "accessors[2].componentType: 5124 is not a component type"},
        {"accessor-type", "BoxTextured", [](Json& d) { d["accessors"][2]["type"] = "VEC7"; }, O::Refused,
         "accessors[2].type: \"VEC7\" is not an accessor type"},
        {"accessor-count", "BoxTextured", [](Json& d) { d["accessors"][2]["count"] = 0; }, O::Refused,
         "accessors[2].count: 0 is not a count of at least 1"},
        {"accessor-range", "BoxTextured", [](Json& d) { d["accessors"][2]["count"] = 100; }, O::Refused,
         "accessors[2]: reads bytes 288 to 1488 of bufferViews[1], which holds 576"},
        {"accessor-unused", "BoxTextured",
         [](Json& d) {
             d["accessors"].push_back({{"bufferView", 99}, {"componentType", 5126}, {"type", "VEC3"}, {"count", 1}});
         },
         O::Noted, "accessors[4].bufferView: 99 is not a buffer view (not used by the conversion)"},
        {"accessor-unstored-count", "BoxTextured",
         [](Json& d) {
             d["accessors"][2] = {{"componentType", 5126}, {"type", "VEC3"}, {"count", 4000000000ull}};
         },
         O::Refused, "accessors[2].count: 4000000000 elements without a buffer view are more than the converter makes"},
        // Sparse values over the positions: their indices and values are read from buffer views too.
        {"accessor-sparse-view", "BoxTextured",
         [](Json& d) {
             d["accessors"][2]["sparse"] = {{"count", 1},
                                            {"indices", {{"bufferView", 9}, {"componentType", 5123}}},
                                            {"values", {{"bufferView", 1}}}};
         },
         O::Refused, "accessors[2].sparse.indices.bufferView: 9 is not a buffer view"},
        {"accessor-sparse-range", "BoxTextured",
         [](Json& d) {
             d["accessors"][2]["sparse"] = {{"count", 2},
                                            {"indices", {{"bufferView", 0}, {"componentType", 5123}}},
                                            {"values", {{"bufferView", 1}, {"byteOffset", 560}}}};
         },
         O::Refused, "accessors[2].sparse.values: reads bytes 560 to 584 of bufferViews[1], which holds 576"},
        // Two 16-bit indices read as one 32-bit index: far beyond the 24 positions.
        {"accessor-sparse-index", "BoxTextured",
         [](Json& d) {
             d["accessors"][2]["sparse"] = {{"count", 1},
                                            {"indices", {{"bufferView", 0}, {"byteOffset", 2}, {"componentType", 5125}}},
                                            {"values", {{"bufferView", 1}}}};
         },
         O::Refused, "meshes[0].primitives[0].attributes.POSITION: accessors[2].sparse.indices: index "},
        {"view-buffer", "BoxTextured", [](Json& d) { d["bufferViews"][1]["buffer"] = 3; }, O::Refused,
         "bufferViews[1].buffer: 3 is not a buffer"},
        {"view-range", "BoxTextured", [](Json& d) { d["bufferViews"][1]["byteLength"] = 100000; }, O::Refused,
         "bufferViews[1]: holds bytes 0 to 100000, beyond the 5176 bytes of buffers[0]"},
        {"view-stride", "BoxTextured", [](Json& d) { d["bufferViews"][1]["byteStride"] = 6; }, O::Refused,
         "bufferViews[1].byteStride: 6 is not a stride of 4 to 252 bytes in steps of 4"},
        {"buffer-length", "BoxTextured", [](Json& d) { d["buffers"][0]["byteLength"] = 999999; }, O::Refused,
         "buffers[0]: holds 5176 bytes, fewer than its byteLength 999999"},
        {"buffer-uri", "BoxTextured", [](Json& d) { d["buffers"][0]["uri"] = "missing.bin"; }, O::Refused,
         "buffers[0].uri: \"missing.bin\" names the file \"missing.bin\", which cannot be read"},
        {"buffer-second-chunk", "BoxTextured", [](Json& d) { d["buffers"].push_back({{"byteLength", 4}}); },
         O::Noted, "buffers[1]: has no uri, and only the first buffer can be the binary chunk (not used by the "
                   "conversion)"},
        // The file as a whole.
        {"required-extension", "BoxTextured",
         [](Json& d) { d["extensionsRequired"] = {"KHR_draco_mesh_compression"}; }, O::Refused,
         "extensionsRequired: the file needs the extension KHR_draco_mesh_compression, which the converter does not "
         "read"},
        {"asset-version", "BoxTextured", [](Json& d) { d["asset"]["version"] = "1.0"; }, O::Refused,
         "asset.version: \"1.0\" is not a glTF 2 version"},
        {"list-not-objects", "BoxTextured", [](Json& d) { d["materials"][0] = 7; }, O::Refused,
         "materials[0]: 7 is not an object"},
        // Materials, textures and images: the material keeps its colour.
        {"material-texture", "BoxTextured",
         [](Json& d) { d["materials"][0]["pbrMetallicRoughness"]["baseColorTexture"]["index"] = 5; }, O::Warned,
         "materials[0].pbrMetallicRoughness.baseColorTexture.index: 5 is not a texture; materials[0] \"Texture\" is "
         "drawn with its colour instead of the texture"},
        {"material-other-texture", "BoxTextured", [](Json& d) { d["materials"][0]["normalTexture"] = {{"index", 8}}; },
         O::Noted,
         "materials[0].normalTexture.index: 8 is not a texture (the converter reads only the base colour texture)"},
        {"material-texcoord", "BoxTextured",
         [](Json& d) { d["materials"][0]["pbrMetallicRoughness"]["baseColorTexture"]["texCoord"] = 1; }, O::Warned,
         "meshes[0].primitives[0]: has no TEXCOORD_1, which the texture of materials[0] reads; the primitive is drawn "
         "with the material's colour"},
        {"texture-image", "BoxTextured", [](Json& d) { d["textures"][0]["source"] = 7; }, O::Warned,
         "textures[0].source: 7 is not an image (read by materials[0].pbrMetallicRoughness.baseColorTexture.index); "
         "materials[0] \"Texture\" is drawn with its colour instead of the texture"},
        {"texture-no-image", "BoxTextured", [](Json& d) { d["textures"][0].erase("source"); }, O::Warned,
         "textures[0]: has no source image the converter can read"},
        {"texture-sampler", "BoxTextured", [](Json& d) { d["textures"][0]["sampler"] = 4; }, O::Noted,
         "textures[0].sampler: 4 is not a sampler (ignored: the engine samples every texture the same way)"},
        {"image-view", "BoxTextured", [](Json& d) { d["images"][0]["bufferView"] = 9; }, O::Warned,
         "images[0].bufferView: 9 is not a buffer view"},
        // tinygltf itself would read the picture's bytes past the end of the buffer here.
        {"image-view-range", "BoxTextured", [](Json& d) { d["bufferViews"][3]["byteLength"] = 99999; }, O::Warned,
         "bufferViews[3]: holds bytes 840 to 100839, beyond the 5176 bytes of buffers[0]"},
        {"image-uri", "BoxTextured", [](Json& d) { d["images"][0] = {{"uri", "missing.png"}}; }, O::Warned,
         "images[0].uri: \"missing.png\" names the file \"missing.png\", which cannot be read"},
        {"image-uri-and-view", "BoxTextured", [](Json& d) { d["images"][0]["uri"] = "picture.png"; }, O::Warned,
         "images[0]: has both a uri and a bufferView"},
        {"image-data-uri", "BoxTextured", [](Json& d) { d["images"][0] = {{"uri", "data:image/png;base64,@@@@"}}; },
         O::Warned, "images[0].uri: \"data:image/png;base64,@@@@\" is a data: URI whose base64 text is broken"},
        // Animations: the channel is dropped.
        {"channel-sampler", "BoxAnimated", [](Json& d) { Channel(d, 0)["sampler"] = 5; }, O::Warned,
         "animations[0].channels[0].sampler: 5 is not a sampler of animations[0]; animations[0].channels[0] is "
         "dropped"},
        {"channel-node", "BoxAnimated", [](Json& d) { Channel(d, 1)["target"]["node"] = 99; }, O::Warned,
         "animations[0].channels[1].target.node: 99 is not a node; animations[0].channels[1] is dropped"},
        {"channel-path", "BoxAnimated", [](Json& d) { Channel(d, 0)["target"]["path"] = "spin"; }, O::Warned,
         "animations[0].channels[0].target.path: \"spin\" is not an animated property; animations[0].channels[0] is "
         "dropped"},
        {"channel-twice", "BoxAnimated", [](Json& d) {
             Json again = Channel(d, 0);
             d["animations"][0]["channels"].push_back(again);
         },
         O::Warned,
         "animations[0].channels[2]: animates the rotation of nodes[2] again, after channels[0]; "
         "animations[0].channels[2] is dropped"},
        {"channels-all", "BoxAnimated",
         [](Json& d) {
             Channel(d, 0)["target"]["node"] = 99;
             Channel(d, 1)["target"]["node"] = 98;
         },
         O::Warned, "animations[0].channels[1].target.node: 98 is not a node"},
        {"sampler-input", "BoxAnimated", [](Json& d) { Sampler(d, 0)["input"] = 99; }, O::Warned,
         "animations[0].samplers[0].input: 99 is not an accessor; animations[0].channels[0] is dropped"},
        {"sampler-output-type", "BoxAnimated", [](Json& d) { Sampler(d, 1)["output"] = 7; }, O::Warned,
         "animations[0].samplers[1].output: accessors[7] is VEC4 float, where the converter reads VEC3 float; "
         "animations[0].channels[1] is dropped"},
        {"sampler-counts", "BoxAnimated", [](Json& d) { Sampler(d, 1)["input"] = 6; }, O::Warned,
         "animations[0].samplers[1]: its output holds 4 values for 2 key times; animations[0].channels[1] is dropped"},
        {"sampler-accessor-range", "BoxAnimated", [](Json& d) { d["accessors"][8]["count"] = 40; }, O::Warned,
         "accessors[8]: reads bytes 8 to 168 of bufferViews[2], which holds 24 (read by "
         "animations[0].samplers[1].input); animations[0].channels[1] is dropped"},
        {"sampler-key-times", "BoxAnimated",
         [](Json& d) {
             d["accessors"].push_back({{"bufferView", 4}, {"componentType", 5126}, {"type", "SCALAR"}, {"count", 4}});
             Sampler(d, 1)["input"] = 10;
         },
         O::Warned,
         "animations[0].channels[1]: accessors[10]: key time 1 does not come after the one before; "
         "animations[0].channels[1] is dropped"},
        {"sampler-interpolation", "BoxAnimated", [](Json& d) { Sampler(d, 0)["interpolation"] = "SMOOTH"; },
         O::Warned,
         "animations[0].samplers[0].interpolation: \"SMOOTH\" is not an interpolation; animations[0].channels[0] is "
         "read as LINEAR"},
        {"animation-no-channels", "BoxAnimated", [](Json& d) { d["animations"][0].erase("channels"); }, O::Warned,
         "animations[0].channels: missing; the animation has nothing to convert"},
        // Nesting only a broken writer makes: the parser would copy it recursively.
        {"deep-extras", "BoxTextured",
         [](Json& d) {
             Json deep = Json::array();
             for (int i = 0; i < 100; ++i)
                 deep = Json::array({deep});
             d["extras"] = deep;
         },
         O::Refused, "the JSON nests deeper than 64 levels"},
    };
    // clang-format on
    return cases;
}

std::vector<std::uint8_t> DamagedGlb(const std::filesystem::path& assets, const DamageCase& c)
{
    Glb glb;
    if (!ReadGlb(assets / c.model / "glTF-Binary" / (c.model + ".glb"), &glb))
        return {};
    c.damage(glb.json);
    return WriteGlb(glb);
}

} // namespace tooltest
