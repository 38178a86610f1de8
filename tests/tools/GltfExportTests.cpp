// The glTF exporter on scenes built in code: where each mesh goes, what its vertices and
// triangles become, the skin, materials, the animation's keys, and the .glb container.
#include "convert/export/GltfExport.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cmath>
#include <cstring>

namespace fmt = orvex::format;
using convert::GltfDocument;
using convert::GltfJson;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool Warned(const GltfDocument& d, const std::string& part)
{
    for (const std::string& w : d.warnings)
        if (Contains(w, part))
            return true;
    return false;
}

// Every component of an accessor, as numbers.
std::vector<double> Values(const GltfDocument& d, int accessor)
{
    const GltfJson& a = d.json["accessors"][accessor];
    const GltfJson& view = d.json["bufferViews"][a["bufferView"].get<int>()];
    const std::size_t offset = view["byteOffset"].get<std::size_t>() + a.value("byteOffset", std::size_t(0));
    static const std::map<std::string, int> components{
        {"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3}, {"VEC4", 4}, {"MAT4", 16}};
    const std::size_t n = a["count"].get<std::size_t>() * components.at(a["type"].get<std::string>());
    const int type = a["componentType"];
    std::vector<double> out;
    const std::uint8_t* p = d.buffer.data() + offset;
    for (std::size_t i = 0; i < n; ++i) {
        if (type == 5126) {
            float f;
            std::memcpy(&f, p + 4 * i, 4);
            out.push_back(f);
        } else if (type == 5125) {
            std::uint32_t v;
            std::memcpy(&v, p + 4 * i, 4);
            out.push_back(v);
        } else if (type == 5123) {
            std::uint16_t v;
            std::memcpy(&v, p + 2 * i, 2);
            out.push_back(v);
        } else {
            out.push_back(p[i]);
        }
    }
    return out;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want, double tolerance = 1e-6)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tolerance) << "component " << i;
}

GltfDocument Build(const fmt::SceneFiles& files, convert::GltfExportOptions options = {})
{
    GltfDocument d;
    std::string error;
    EXPECT_TRUE(convert::BuildGltf(files, options, &d, &error)) << error;
    return d;
}

fmt::MaterialDesc Material(const std::string& name, const std::string& texture = "")
{
    fmt::MaterialDesc m;
    m.name = name;
    m.texture = texture;
    return m;
}

fmt::VertexDesc Vertex(float x, float y, float z, fmt::Vec3 normal = {0, 0, 1})
{
    return {0.25f, 0.75f, normal, {x, y, z}};
}

// Root "base" at (0, 0, 5); "arm" below it, 1 along x and turned 90 degrees about z.
fmt::SceneFiles TwoNodes()
{
    fmt::SceneFiles f;
    f.scene.materials.push_back(Material("paint"));
    f.scene.nodes.push_back({"base", -1, {0, 0, 5}, {0, 0, 0, 1}});
    f.scene.nodes.push_back({"arm", 0, {1, 0, 0}, {0, 0, 0.70710678f, 0.70710678f}});
    return f;
}

} // namespace

// A mesh carried by one node is that node's mesh in its frame; its normals are turned into
// that frame (the engine keeps them in the scene's), its triangles turned round.
TEST(GltfExport, MeshOnOneNodeIsThatNodesMesh)
{
    fmt::SceneFiles f = TwoNodes();
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "hand";
    mesh.vertices = {Vertex(0, 0, 0, {0, 1, 0}), Vertex(1, 0, 0, {0, 1, 0}), Vertex(0, 1, 0, {0, 1, 0}),
                     Vertex(5, 5, 5, {0, 1, 0})};
    mesh.nodeIndices = {1, 1, 1, 1};
    mesh.groups.push_back({"paint", {{{0, 1, 2, 3}}}}); // the last index makes no triangle
    GltfDocument d = Build(f);

    const GltfJson& nodes = d.json["nodes"];
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0]["name"], "base");
    EXPECT_EQ(nodes[0]["translation"], GltfJson({0.0f, 0.0f, 5.0f}));
    EXPECT_FALSE(nodes[0].contains("rotation")); // the identity is left out
    EXPECT_EQ(nodes[0]["children"], GltfJson({1}));
    EXPECT_EQ(nodes[1]["mesh"], 0);
    EXPECT_FALSE(nodes[1].contains("skin"));
    EXPECT_FALSE(d.json.contains("skins"));
    EXPECT_EQ(d.json["scenes"][0]["nodes"], GltfJson({0}));

    const GltfJson& primitive = d.json["meshes"][0]["primitives"][0];
    EXPECT_EQ(d.json["meshes"][0]["name"], "hand");
    EXPECT_EQ(primitive["material"], 0);
    ExpectNear(Values(d, primitive["indices"]), {0, 2, 1});
    const GltfJson& attributes = primitive["attributes"];
    ExpectNear(Values(d, attributes["POSITION"]), {0, 0, 0, 1, 0, 0, 0, 1, 0, 5, 5, 5});
    EXPECT_EQ(d.json["accessors"][attributes["POSITION"].get<int>()]["max"], GltfJson({5.0f, 5.0f, 5.0f}));
    // (0, 1, 0) in the scene is (1, 0, 0) in the frame of a node turned 90 degrees about z.
    ExpectNear(Values(d, attributes["NORMAL"]), {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0});
    ExpectNear(Values(d, attributes["TEXCOORD_0"]), {0.25, 0.75, 0.25, 0.75, 0.25, 0.75, 0.25, 0.75});
    EXPECT_FALSE(attributes.contains("JOINTS_0"));
}

// A mesh whose vertices follow several nodes is skinned at the rest pose: positions and
// normals in the scene's frame, one joint per vertex with weight 1, inverse bind matrices
// that undo each joint's rest frame, so that a joint at rest moves nothing.
TEST(GltfExport, MeshOnSeveralNodesIsSkinnedAsTheEngineSkins)
{
    fmt::SceneFiles f = TwoNodes();
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "body";
    mesh.vertices = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0, 1, 0)};
    mesh.nodeIndices = {0, 1, 1};
    mesh.groups.push_back({"paint", {{{0, 1, 2}}}});
    GltfDocument d = Build(f);

    // No node is named after the mesh: it gets a root of its own.
    const GltfJson& nodes = d.json["nodes"];
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[2]["name"], "body");
    EXPECT_EQ(nodes[2]["mesh"], 0);
    EXPECT_EQ(nodes[2]["skin"], 0);
    EXPECT_FALSE(nodes[2].contains("translation"));
    EXPECT_EQ(d.json["scenes"][0]["nodes"], GltfJson({0, 2}));
    EXPECT_EQ(d.json["skins"][0]["joints"], GltfJson({0, 1}));

    const GltfJson& attributes = d.json["meshes"][0]["primitives"][0]["attributes"];
    // Vertex 1 at (1, 0, 0) of "arm": the arm turns it to (0, 1, 0) and stands at (1, 0, 5).
    ExpectNear(Values(d, attributes["POSITION"]), {0, 0, 5, 1, 1, 5, 0, 0, 5});
    ExpectNear(Values(d, attributes["NORMAL"]), {0, 0, 1, 0, 0, 1, 0, 0, 1});
    ExpectNear(Values(d, attributes["JOINTS_0"]), {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
    ExpectNear(Values(d, attributes["WEIGHTS_0"]), {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_EQ(d.json["accessors"][attributes["JOINTS_0"].get<int>()]["componentType"], 5121);

    // Column-major inverses of base (translate 0, 0, 5) and arm (turned, at 1, 0, 5).
    const std::vector<double> inverse = Values(d, d.json["skins"][0]["inverseBindMatrices"]);
    ExpectNear(inverse, {1, 0,  0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1, //
                         0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 1, -5, 1});

    // An empty leaf named after the mesh (where an importer left it) holds it instead.
    f.scene.nodes.push_back({"body", 0, {0, 0, 0}, {0, 0, 0, 1}});
    d = Build(f);
    ASSERT_EQ(d.json["nodes"].size(), 3u);
    EXPECT_EQ(d.json["nodes"][2]["skin"], 0);
    EXPECT_EQ(d.json["nodes"][0]["children"], GltfJson({1, 2}));
}

// Lists that use separate, ascending runs of the vertices get one run each, so that a reader
// that gives every primitive its own vertices rebuilds the same array; lists that share
// vertices all see the whole array. Groups name their material as the engine finds it: the
// first of that name.
TEST(GltfExport, PrimitivesPerTriangleList)
{
    fmt::SceneFiles f = TwoNodes();
    f.scene.materials.push_back(Material("paint")); // a second "paint" nobody finds
    f.scene.materials.push_back(Material("glass"));
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "parts";
    for (int v = 0; v < 9; ++v)
        mesh.vertices.push_back(Vertex(float(v), 0, 0));
    mesh.nodeIndices.assign(9, 0);
    mesh.groups.push_back({"paint", {{{0, 1, 2}}, {{6, 7, 8}}}});
    mesh.groups.push_back({"glass", {{{3, 4, 5}}, {}}}); // an empty list draws nothing
    GltfDocument d = Build(f);
    const GltfJson& primitives = d.json["meshes"][0]["primitives"];
    ASSERT_EQ(primitives.size(), 3u);
    const int material[] = {0, 2, 0};
    const double firstX[] = {0, 3, 6};
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(primitives[p]["material"], material[p]) << p;
        ExpectNear(Values(d, primitives[p]["indices"]), {0, 2, 1});
        const std::vector<double> positions = Values(d, primitives[p]["attributes"]["POSITION"]);
        ASSERT_EQ(positions.size(), 9u);
        EXPECT_EQ(positions[0], firstX[p]) << p;
    }

    mesh.groups[1].lists[0].indices = {3, 4, 0}; // now sharing vertex 0
    d = Build(f);
    const GltfJson& shared = d.json["meshes"][0]["primitives"];
    ASSERT_EQ(shared.size(), 3u);
    EXPECT_EQ(shared[0]["attributes"]["POSITION"], shared[1]["attributes"]["POSITION"]);
    ExpectNear(Values(d, shared[2]["indices"]), {3, 0, 4});
}

// What cannot be drawn or held is left out or mended, with a warning; a track that hangs
// elsewhere than its node cannot be written at all.
TEST(GltfExport, UnusualScenesWarnOrAreRefused)
{
    fmt::SceneFiles f = TwoNodes();
    f.scene.nodes.push_back({"caf\xE9", -1, {0, 0, 0}, {0, 0, 0, 2}}); // a second root: Latin-1 name, rotation not unit
    fmt::MeshDesc& bare = f.scene.meshes.emplace_back();
    bare.name = "bare";
    bare.vertices = {Vertex(0, 0, 0)};
    bare.nodeIndices = {0};
    bare.groups.push_back({"paint", {{{0, 0}}}});
    fmt::MeshDesc& spread = f.scene.meshes.emplace_back();
    spread.name = "spread";
    spread.vertices = {Vertex(0, 0, 0, {0, 0, 0}), Vertex(1, 0, 0), Vertex(0, 1, 0)};
    spread.nodeIndices = {1, 2, 2};
    spread.groups.push_back({"paint", {{{0, 1, 2}}}});
    GltfDocument d = Build(f);

    EXPECT_TRUE(Warned(d, "mesh 'bare' has no triangles")) << d.warnings.size();
    ASSERT_EQ(d.json["meshes"].size(), 1u);
    EXPECT_TRUE(Warned(d, "not of unit length"));
    EXPECT_FALSE(d.json["nodes"][2].contains("rotation")); // (0, 0, 0, 2) is the identity, turned unit
    EXPECT_EQ(d.json["nodes"][2]["name"], "caf\xC3\xA9");  // JSON holds UTF-8
    EXPECT_TRUE(Warned(d, "1 vertex normals of zero length"));
    // Joints under two roots need a common one.
    EXPECT_TRUE(Warned(d, "separate hierarchies"));
    const GltfJson& nodes = d.json["nodes"];
    const int common = static_cast<int>(nodes.size()) - 1;
    EXPECT_EQ(nodes[common]["name"], "scene");
    EXPECT_EQ(d.json["scenes"][0]["nodes"].size(), 2u); // the mesh's own root and the common one
    EXPECT_EQ(nodes[common]["children"], GltfJson({0, 2}));

    // What the engine would refuse is refused, with the format's own reason.
    fmt::SceneFiles broken = TwoNodes();
    broken.scene.meshes.push_back({"loose", {Vertex(0, 0, 0)}, {7}, {}});
    GltfDocument out;
    std::string error;
    EXPECT_FALSE(convert::BuildGltf(broken, {}, &out, &error));
    EXPECT_TRUE(Contains(error, "node index 7 out of range")) << error;
    broken = TwoNodes();
    broken.scene.nodes[1].position.y = std::nanf("");
    EXPECT_FALSE(convert::BuildGltf(broken, {}, &out, &error));
    EXPECT_TRUE(Contains(error, "node 'arm' holds a number that is not finite")) << error;
    broken = TwoNodes();
    broken.textures.push_back({"short", 2, 2, 3, {1, 2, 3}});
    EXPECT_FALSE(convert::BuildGltf(broken, {}, &out, &error));
    EXPECT_TRUE(Contains(error, "texture 'short' has pixels that do not match its size")) << error;

    fmt::SceneFiles crossed = TwoNodes();
    fmt::AnimationDesc& animation = crossed.animation.emplace();
    animation.frameCount = 1;
    animation.tracks = {{"base", -1, {{}}}, {"arm", -1, {{}}}};
    EXPECT_FALSE(convert::BuildGltf(crossed, {}, &out, &error));
    EXPECT_TRUE(Contains(error, "track 1 ('arm') follows track -1 while its node follows node 0")) << error;
}

// Textured materials show their picture under white light as the engine draws them;
// untextured ones their diffuse colour; the engine's exact values ride along in extras.
TEST(GltfExport, MaterialsAndTheirPictures)
{
    fmt::SceneFiles f;
    f.scene.materials = {Material("skin", "skin_tex"), Material("plain"), Material("mask", "mask_tex"),
                         Material("skin_again", "skin_tex")};
    f.scene.materials[1].diffuse = {0.5f, 0.25f, 1, 0.5f};
    f.scene.materials[1].shininess = 30;
    f.textures = {{"skin_tex", 2, 1, 3, {255, 0, 0, 0, 0, 255}}, {"mask_tex", 1, 1, 1, {77}}};
    GltfDocument d = Build(f);

    const GltfJson& materials = d.json["materials"];
    ASSERT_EQ(materials.size(), 4u);
    const GltfJson& skin = materials[0]["pbrMetallicRoughness"];
    EXPECT_EQ(skin["baseColorTexture"]["index"], 0);
    EXPECT_FALSE(skin.contains("baseColorFactor")); // white
    EXPECT_EQ(skin["metallicFactor"], 0.0f);
    EXPECT_EQ(skin["roughnessFactor"], 1.0f);                                        // shininess 0: no highlight at all
    EXPECT_EQ(materials[3]["pbrMetallicRoughness"]["baseColorTexture"]["index"], 0); // one picture, shared

    const GltfJson& plain = materials[1]["pbrMetallicRoughness"];
    EXPECT_EQ(plain["baseColorFactor"], GltfJson({0.5f, 0.25f, 1.0f, 1.0f}));
    EXPECT_NEAR(plain["roughnessFactor"].get<double>(), std::pow(2.0 / 32.0, 0.25), 1e-6);
    const GltfJson& extras = materials[1]["extras"]["orvex"];
    EXPECT_EQ(extras["diffuse"], GltfJson({0.5f, 0.25f, 1.0f, 0.5f}));
    EXPECT_EQ(extras["ambient"], GltfJson({0.2f, 0.2f, 0.2f, 1.0f}));
    EXPECT_EQ(extras["shininess"], 30.0f);

    ASSERT_EQ(d.json["images"].size(), 2u);
    EXPECT_EQ(d.json["samplers"][0]["minFilter"], 9729);
    EXPECT_EQ(d.json["samplers"][0]["wrapS"], 10497);
    // The pictures decode to the engine's pixels; alpha only becomes white with that alpha.
    const std::vector<std::vector<std::uint8_t>> expected{{255, 0, 0, 0, 0, 255}, {255, 77}};
    for (int i = 0; i < 2; ++i) {
        const GltfJson& image = d.json["images"][i];
        EXPECT_EQ(image["mimeType"], "image/png");
        const GltfJson& view = d.json["bufferViews"][image["bufferView"].get<int>()];
        int w, h, c;
        stbi_uc* pixels = stbi_load_from_memory(d.buffer.data() + view["byteOffset"].get<std::size_t>(),
                                                view["byteLength"].get<int>(), &w, &h, &c, 0);
        ASSERT_NE(pixels, nullptr);
        EXPECT_TRUE(std::equal(expected[i].begin(), expected[i].end(), pixels)) << i;
        EXPECT_EQ(static_cast<std::size_t>(w * h * c), expected[i].size());
        stbi_image_free(pixels);
    }

    // A .gltf names its pictures as files beside it, safe for any file system.
    convert::GltfExportOptions text;
    text.binary = false;
    text.bufferUri = "my scene.bin";
    f.textures[0].name = f.scene.materials[0].texture = f.scene.materials[3].texture = "dir/Skin Tex";
    d = Build(f, text);
    EXPECT_FALSE(d.json.contains("buffers")); // the pictures are files of their own: nothing else to hold
    f.scene.nodes.push_back({"root", -1, {0, 0, 0}, {0, 0, 0, 1}});
    f.scene.meshes.push_back(
        {"tri", {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0, 1, 0)}, {0, 0, 0}, {{"skin", {{{0, 1, 2}}}}}});
    d = Build(f, text);
    ASSERT_EQ(d.images.size(), 2u);
    EXPECT_EQ(d.images[0].uri, "dir_Skin_Tex.png");
    EXPECT_EQ(d.json["images"][0]["uri"], "dir_Skin_Tex.png");
    EXPECT_EQ(d.json["images"][0]["name"], "dir/Skin Tex");
    EXPECT_EQ(d.json["buffers"][0]["uri"], "my%20scene.bin");
}

// Key k at k/20 s (never later), one translation and one rotation channel per track, linear,
// rotations unit and on one side of the sphere from key to key.
TEST(GltfExport, AnimationKeysAndChannels)
{
    fmt::SceneFiles f = TwoNodes();
    f.scene.nodes.push_back({"tip", 1, {0, 1, 0}, {0, 0, 0, 1}});
    fmt::AnimationDesc& animation = f.animation.emplace();
    animation.frameCount = 48;
    for (int t = 0; t < 2; ++t) {
        fmt::TrackDesc& track = animation.tracks.emplace_back();
        track.name = f.scene.nodes[t].name;
        track.parent = f.scene.nodes[t].parent;
        for (int k = 0; k < 48; ++k) {
            const float sign = k % 2 ? -1.0f : 1.0f; // the same turn, flipped every other key
            track.keys.push_back({{float(k), 0, 0}, {0, 0, sign * 0.6f, sign * 0.8f}});
        }
    }
    animation.tracks[1].keys[5].rotation = {0, 0, 0, 3}; // not unit
    convert::GltfExportOptions options;
    options.animationName = "walk";
    GltfDocument d = Build(f, options);

    const GltfJson& a = d.json["animations"][0];
    EXPECT_EQ(a["name"], "walk");
    ASSERT_EQ(a["channels"].size(), 4u);
    ASSERT_EQ(a["samplers"].size(), 4u);
    const char* paths[] = {"translation", "rotation"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(a["channels"][c]["target"]["node"], c / 2);
        EXPECT_EQ(a["channels"][c]["target"]["path"], paths[c % 2]);
        EXPECT_EQ(a["samplers"][c]["interpolation"], "LINEAR");
    }
    EXPECT_TRUE(Warned(d, "2 tracks for 3 nodes"));

    const std::vector<double> times = Values(d, a["samplers"][0]["input"]);
    ASSERT_EQ(times.size(), 48u);
    for (int k = 0; k < 48; ++k) {
        EXPECT_LE(times[k], k / 20.0) << k;
        EXPECT_NEAR(times[k], k / 20.0, 1e-6) << k;
    }
    EXPECT_EQ(d.json["accessors"][a["samplers"][0]["input"].get<int>()]["max"][0], static_cast<float>(times[47]));
    const std::vector<double> moved = Values(d, a["samplers"][2]["output"]);
    EXPECT_EQ(moved[3 * 47], 47);
    const std::vector<double> turned = Values(d, a["samplers"][3]["output"]);
    for (int k = 0; k < 48; ++k) {
        const double* q = &turned[4 * k];
        if (k == 5) {
            ExpectNear({q[0], q[1], q[2], q[3]}, {0, 0, 0, 1}); // (0, 0, 0, 3) made unit
            continue;
        }
        ExpectNear({q[0], q[1], q[2], q[3]}, {0, 0, 0.6, 0.8}, 1e-6); // flipped back to one side
    }
}

// The .glb container: 12-byte header, a JSON chunk padded with spaces and a binary chunk
// padded with zeros, each to 4 bytes, the lengths adding up.
TEST(GltfExport, GlbContainer)
{
    fmt::SceneFiles f = TwoNodes();
    fmt::MeshDesc& mesh = f.scene.meshes.emplace_back();
    mesh.name = "tri";
    mesh.vertices = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0, 1, 0)};
    mesh.nodeIndices = {0, 0, 0};
    mesh.groups.push_back({"paint", {{{0, 1, 2}}}});
    GltfDocument d = Build(f);
    const std::vector<std::uint8_t> glb = convert::GlbBytes(d);
    auto u32 = [&](std::size_t at) {
        std::uint32_t v;
        std::memcpy(&v, glb.data() + at, 4);
        return v;
    };
    ASSERT_GE(glb.size(), 28u);
    EXPECT_EQ(std::memcmp(glb.data(), "glTF", 4), 0);
    EXPECT_EQ(u32(4), 2u);
    EXPECT_EQ(u32(8), glb.size());
    const std::uint32_t jsonLength = u32(12);
    EXPECT_EQ(jsonLength % 4, 0u);
    EXPECT_EQ(std::memcmp(glb.data() + 16, "JSON", 4), 0);
    const std::string json(glb.begin() + 20, glb.begin() + 20 + jsonLength);
    EXPECT_EQ(GltfJson::parse(json), d.json);
    const std::size_t bin = 20 + jsonLength;
    EXPECT_EQ(std::memcmp(glb.data() + bin + 4, "BIN\0", 4), 0);
    EXPECT_EQ(u32(bin) % 4, 0u);
    EXPECT_GE(u32(bin), d.buffer.size());
    EXPECT_EQ(bin + 8 + u32(bin), glb.size());
    EXPECT_EQ(d.json["buffers"][0]["byteLength"], d.buffer.size());
    EXPECT_FALSE(d.json["buffers"][0].contains("uri"));
}
