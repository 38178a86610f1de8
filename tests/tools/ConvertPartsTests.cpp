// The converter's pieces on small hand-made inputs: the source interpolation, the node
// order, name fitting, and the Assimp importer on a model written by the test.
#include "GltfReference.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "convert/Names.h"
#include "convert/bake/Bake.h"
#include "convert/bake/Pose.h"
#include "convert/import/Import.h"
#include "convert/import/Sampler.h"

#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <cmath>
#include <fstream>

using namespace tooltest;
using convert::Channel;
using convert::Interpolation;
using convert::Target;

namespace {

Channel MakeChannel(Target target, Interpolation interpolation, std::vector<double> times, std::vector<double> values)
{
    Channel c;
    c.node = 0;
    c.target = target;
    c.interpolation = interpolation;
    c.times = std::move(times);
    c.values = std::move(values);
    return c;
}

double SampleX(const Channel& c, double t)
{
    double v[4];
    convert::SampleChannel(c, t, v);
    return v[0];
}

} // namespace

// Keys at 1 s and 3 s (x: 10, then 30):
//
//   time   0     1     2     3     4
//   STEP   10    10    10    30    30
//   LINEAR 10    10    20    30    30
//
// Before the first key the first value holds; after the last the last.
TEST(ConvertParts, StepAndLinearHoldOutsideTheirKeys)
{
    struct Row {
        double t, step, linear;
    };
    Channel step = MakeChannel(Target::Translation, Interpolation::Step, {1, 3}, {10, 0, 0, 30, 0, 0});
    Channel linear = MakeChannel(Target::Translation, Interpolation::Linear, {1, 3}, {10, 0, 0, 30, 0, 0});
    for (const Row& r :
         {Row{0, 10, 10}, Row{1, 10, 10}, Row{2, 10, 20}, Row{2.999, 10, 29.99}, Row{3, 30, 30}, Row{4, 30, 30}}) {
        EXPECT_DOUBLE_EQ(SampleX(step, r.t), r.step) << "t " << r.t;
        EXPECT_NEAR(SampleX(linear, r.t), r.linear, 1e-9) << "t " << r.t;
    }
    // A key stored as a float reaches the same instant computed in double.
    Channel floatKey =
        MakeChannel(Target::Translation, Interpolation::Step, {0, static_cast<float>(0.1)}, {1, 0, 0, 2, 0, 0});
    EXPECT_EQ(SampleX(floatKey, 2 / 20.0), 2);
    EXPECT_EQ(convert::ClipDuration(convert::Clip{"", {step, floatKey}, {}}), 3);
}

// Cubic Hermite spline with tangents scaled by the key interval; a rotation comes out
// normalised, and linear rotation takes the shorter arc.
TEST(ConvertParts, CubicSplineAndRotations)
{
    // x goes 0 -> 1 over 2 s with out-tangent 1 and in-tangent 0 (per second).
    // p(u) = h00*0 + h10*2*1 + h01*1 + h11*2*0; at u = 0.5: 0.125*2 + 0.5 = 0.75.
    Channel cubic = MakeChannel(Target::Translation, Interpolation::CubicSpline, {0, 2},
                                {0, 0, 0, /*v*/ 0, 0, 0, /*out*/ 1, 0, 0, /*in*/ 0, 0, 0, /*v*/ 1, 0, 0, 0, 0, 0});
    EXPECT_NEAR(SampleX(cubic, 1), 0.75, 1e-12);
    EXPECT_NEAR(SampleX(cubic, 2), 1, 1e-12);

    // Half a turn about z written as (0,0,0,1) -> (0,0,0,-1)-ish neighbour: the second key
    // is the negated first, so the shorter arc is no rotation at all.
    Channel flip = MakeChannel(Target::Rotation, Interpolation::Linear, {0, 1}, {0, 0, 0.2, 0.98, 0, 0, -0.2, -0.98});
    double q[4];
    convert::SampleChannel(flip, 0.5, q);
    EXPECT_NEAR(std::fabs(q[2]), 0.2 / std::sqrt(0.2 * 0.2 + 0.98 * 0.98), 1e-9);
    EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1, 1e-12);

    EXPECT_FALSE(
        convert::ChannelIsValid(MakeChannel(Target::Translation, Interpolation::Linear, {1, 1}, {0, 0, 0, 1, 1, 1})));
    EXPECT_FALSE(convert::ChannelIsValid(
        MakeChannel(Target::Translation, Interpolation::CubicSpline, {0, 1}, {0, 0, 0, 1, 1, 1})));
}

// Parents come first; otherwise the source order is kept. A cycle is refused.
TEST(ConvertParts, NodesAreOrderedParentsFirst)
{
    convert::Content content;
    content.nodes.resize(5);
    // 0 is a child of 3; 1 is a root; 2 is a child of 1; 3 is a root; 4 is a child of 0.
    int parents[5] = {3, -1, 1, -1, 0};
    for (int i = 0; i < 5; ++i)
        content.nodes[i].parent = parents[i];
    std::vector<int> order;
    std::string error;
    ASSERT_TRUE(convert::ParentsFirstOrder(content, &order, &error));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 0, 4}));

    content.nodes[3].parent = 4; // 3 -> 4 -> 0 -> 3
    EXPECT_FALSE(convert::ParentsFirstOrder(content, &order, &error));
    EXPECT_NE(error.find("cycle"), std::string::npos);
}

TEST(ConvertParts, NamesFitTheirLimitAndStayUnique)
{
    std::set<std::string> taken;
    EXPECT_EQ(convert::FitName("", "fallback", 79, &taken), "fallback");
    EXPECT_EQ(convert::FitName("skin", "x", 79, &taken), "skin");
    EXPECT_EQ(convert::FitName("skin", "x", 79, &taken), "skin_2");
    EXPECT_EQ(convert::FitName("skin", "x", 79, &taken), "skin_3");

    std::string longName(100, 'a');
    std::string first = convert::FitName(longName, "x", 79, &taken);
    std::string second = convert::FitName(longName, "x", 79, &taken);
    EXPECT_EQ(first.size(), 79u);
    EXPECT_EQ(second.size(), 79u);
    EXPECT_NE(first, second);

    // "é" is two bytes: a cut at 3 bytes keeps "aé" whole rather than half of it.
    EXPECT_EQ(convert::Truncated("a\xC3\xA9\xC3\xA9", 4), "a\xC3\xA9");
    EXPECT_EQ(convert::Truncated("a\xC3\xA9\xC3\xA9", 2), "a");
    EXPECT_EQ(convert::FileSafe("Cesium Man/img#0"), "Cesium_Man_img_0");
}

// The Assimp path, on an OBJ model with a material and a PNG texture written here: a unit
// quad facing +z with the texture's top-left corner at its top-left.
TEST(ConvertParts, AssimpReadsOtherFormats)
{
    TempDir dir("assimp");
    {
        std::ofstream obj(dir.File("quad.obj"));
        obj << "mtllib quad.mtl\n"
               "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
               "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
               "vn 0 0 1\n"
               "usemtl red_paint\n"
               "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";
        std::ofstream mtl(dir.File("quad.mtl"));
        mtl << "newmtl red_paint\nKa 0.1 0.1 0.1\nKd 1 0.5 0.25\nKs 0.5 0.5 0.5\nNs 200\nmap_Kd paint.png\n";
    }
    // 2x2 picture: top row red, green; bottom row blue, white.
    const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    ASSERT_TRUE(stbi_write_png(dir.File("paint.png").c_str(), 2, 2, 3, pixels, 6));

    convert::Content content;
    std::string error;
    ASSERT_TRUE(convert::Import(dir.File("quad.obj"), convert::Importer::Automatic, &content, &error)) << error;
    ASSERT_EQ(content.meshes.size(), 1u);
    EXPECT_EQ(content.meshes[0].positions.size(), 4u); // identical corners joined
    convert::BakedScene baked;
    convert::BakeOptions options;
    ASSERT_TRUE(convert::Bake(content, options, &baked, &error)) << error;

    const auto& materials = baked.files.scene.materials;
    ASSERT_EQ(materials.size(), 1u);
    EXPECT_EQ(materials[0].name, "red_paint");
    EXPECT_FLOAT_EQ(materials[0].shininess, 128); // clamped from 200
    ASSERT_EQ(baked.files.textures.size(), 1u);
    const orvex::format::TextureDesc& tex = baked.files.textures[0];
    ASSERT_EQ(tex.width, 2);
    // The diffuse colour is multiplied in: red stays (255, 0, 0), white becomes (255, 128, 64).
    EXPECT_EQ(tex.pixels[0], 255);
    EXPECT_EQ(tex.pixels[1], 0);
    EXPECT_EQ(tex.pixels[9], 255);
    EXPECT_EQ(tex.pixels[10], 128);
    EXPECT_EQ(tex.pixels[11], 64);
    // The quad's top-left corner (0, 1) samples the picture's first row: t = 0 there.
    const orvex::format::MeshDesc& mesh = baked.files.scene.meshes[0];
    bool foundTopLeft = false;
    for (const orvex::format::VertexDesc& v : mesh.vertices)
        if (v.position.x == 0 && v.position.y == 1) {
            foundTopLeft = true;
            EXPECT_FLOAT_EQ(v.s, 0);
            EXPECT_FLOAT_EQ(v.t, 0);
        }
    EXPECT_TRUE(foundTopLeft);
}

// Both importers read BoxAnimated (linear keys only, which Assimp keeps) and the baked
// animations agree frame for frame.
TEST(ConvertParts, AssimpAndTinygltfAgreeOnLinearAnimation)
{
    std::string path = ModelPath("BoxAnimated");
    convert::Content viaGltf, viaAssimp;
    std::string error;
    ASSERT_TRUE(convert::Import(path, convert::Importer::Gltf, &viaGltf, &error)) << error;
    ASSERT_TRUE(convert::Import(path, convert::Importer::Assimp, &viaAssimp, &error)) << error;
    convert::BakeOptions options;
    options.clip = 0;
    convert::BakedScene a, b;
    ASSERT_TRUE(convert::Bake(viaGltf, options, &a, &error)) << error;
    ASSERT_TRUE(convert::Bake(viaAssimp, options, &b, &error)) << error;
    ASSERT_TRUE(a.files.animation && b.files.animation);
    ASSERT_EQ(a.files.animation->frameCount, b.files.animation->frameCount);

    // Assimp adds a root node of its own; match the nodes that carry the boxes by name.
    for (const orvex::format::MeshDesc& mesh : a.files.scene.meshes) {
        const std::string& carrier = a.files.scene.nodes[mesh.nodeIndices[0]].name;
        int ia = mesh.nodeIndices[0], ib = -1;
        for (const orvex::format::MeshDesc& other : b.files.scene.meshes)
            if (other.name == mesh.name)
                ib = other.nodeIndices[0];
        ASSERT_GE(ib, 0) << carrier;
        for (std::uint32_t f = 0; f < a.files.animation->frameCount; f += 5) {
            // World matrices through the parents.
            auto world = [&](const convert::BakedScene& s, int node) {
                Mat m{};
                m[0] = m[5] = m[10] = m[15] = 1;
                std::vector<int> chain;
                const auto& tracks = s.files.animation->tracks;
                for (int n = node; n >= 0; n = tracks[n].parent)
                    chain.insert(chain.begin(), n);
                for (int n : chain) {
                    const orvex::format::KeyDesc& k = tracks[n].keys[f];
                    Mat local{};
                    double x = k.rotation.x, y = k.rotation.y, z = k.rotation.z, w = k.rotation.w;
                    local = {1 - 2 * (y * y + z * z),
                             2 * (x * y + z * w),
                             2 * (x * z - y * w),
                             0,
                             2 * (x * y - z * w),
                             1 - 2 * (x * x + z * z),
                             2 * (y * z + x * w),
                             0,
                             2 * (x * z + y * w),
                             2 * (y * z - x * w),
                             1 - 2 * (x * x + y * y),
                             0,
                             k.position.x,
                             k.position.y,
                             k.position.z,
                             1};
                    m = MatMul(m, local);
                }
                return m;
            };
            Mat wa = world(a, ia), wb = world(b, ib);
            for (int e = 0; e < 16; ++e)
                EXPECT_NEAR(wa[e], wb[e], 1e-4) << carrier << " frame " << f;
        }
    }
}
