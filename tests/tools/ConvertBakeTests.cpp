// The converter at the content level, on the real models: what the baked records put
// where, compared with an independent evaluation of the glTF source.
#include "BakedPose.h"
#include "GltfReference.h"
#include "ToolTestSupport.h"

#include "convert/bake/Bake.h"
#include "convert/bake/Center.h"
#include "convert/import/Import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace tooltest;

namespace {

struct Converted {
    convert::Content content;
    convert::BakedScene baked;
    GltfReference reference;
};

// Imports and bakes one model with `clip` (-1: no animation) and loads the reference.
void Convert(const std::string& model, int clip, Converted* c, bool binary = false)
{
    std::string error;
    std::string path = ModelPath(model, binary);
    ASSERT_TRUE(convert::Import(path, convert::Importer::Automatic, &c->content, &error)) << model << ": " << error;
    convert::BakeOptions options;
    options.clip = clip;
    ASSERT_TRUE(convert::Bake(c->content, options, &c->baked, &error)) << model << ": " << error;
    ASSERT_TRUE(c->reference.Load(path)) << model;
    // Every node of these models is in its scene, so output node k is source node
    // contentNodeOfNode[k].
    ASSERT_EQ(c->reference.NodeCount(), static_cast<int>(c->baked.files.scene.nodes.size())) << model;
}

int SourceNode(const Converted& c, std::size_t outputNode)
{
    return c.baked.contentNodeOfNode[outputNode];
}

std::size_t Triangles(const convert::BakedScene& s)
{
    std::size_t n = 0;
    for (const auto& m : s.files.scene.meshes)
        for (const auto& g : m.groups)
            for (const auto& l : g.lists)
                n += l.indices.size() / 3;
    return n;
}

std::size_t Vertices(const convert::BakedScene& s)
{
    std::size_t n = 0;
    for (const auto& m : s.files.scene.meshes)
        n += m.vertices.size();
    return n;
}

bool Warned(const convert::BakedScene& s, const std::string& text)
{
    return std::any_of(s.warnings.begin(), s.warnings.end(),
                       [&](const std::string& w) { return w.find(text) != std::string::npos; });
}

} // namespace

// Counts of every model, in both the .gltf and the .glb form where both exist.
TEST(ConvertBake, CountsMatchTheSource)
{
    struct Expected {
        const char* model;
        std::size_t meshes, materials, textures, clips;
        bool binary;
    };
    const Expected table[] = {
        {"BoxAnimated", 2, 2, 2, 1, true},         {"AnimatedCube", 1, 1, 1, 1, false},
        {"InterpolationTest", 10, 10, 2, 9, true}, {"RiggedSimple", 1, 1, 1, 1, true},
        {"CesiumMan", 1, 1, 1, 1, true},           {"BoxTextured", 1, 1, 1, 0, true},
    };
    for (const Expected& e : table) {
        for (bool binary : {false, true}) {
            if (binary && !e.binary)
                continue;
            SCOPED_TRACE(std::string(e.model) + (binary ? " (glb)" : " (gltf)"));
            Converted c;
            Convert(e.model, e.clips ? 0 : -1, &c, binary);
            if (HasFatalFailure())
                return;
            const orvex::format::SceneDesc& scene = c.baked.files.scene;
            EXPECT_EQ(scene.meshes.size(), e.meshes);
            EXPECT_EQ(scene.materials.size(), e.materials);
            EXPECT_EQ(c.baked.files.textures.size(), e.textures);
            EXPECT_EQ(c.content.clips.size(), e.clips);
            EXPECT_EQ(static_cast<int>(Vertices(c.baked)), c.reference.SceneVertexCount());
            EXPECT_EQ(static_cast<int>(Triangles(c.baked)), c.reference.SceneTriangleCount());
            for (std::size_t k = 0; k < scene.nodes.size(); ++k) {
                const std::string& source = c.reference.NodeName(SourceNode(c, k));
                if (!source.empty()) {
                    EXPECT_EQ(scene.nodes[k].name, source);
                }
                EXPECT_LT(scene.nodes[k].parent, static_cast<int>(k)); // parents first
            }
        }
    }
    Converted cesium;
    Convert("CesiumMan", 0, &cesium);
    EXPECT_EQ(Vertices(cesium.baked), 3273u); // every source vertex, none joined
}

// Rigid models: at every frame, each node's bone matrix times the stretch the baker left in
// its vertices (taken from the rest pose) gives the source's world transform at the same
// time, for STEP, LINEAR and CUBICSPLINE sources, keys starting after 0 and samplers of
// different lengths.
TEST(ConvertBake, RigidModelsFollowTheSourceOnTheFrameGrid)
{
    struct Case {
        const char* model;
        int clip;
        std::uint32_t frames;
    };
    std::vector<Case> cases{{"BoxAnimated", 0, 76}, {"AnimatedCube", 0, 41}};
    for (int clip = 0; clip < 9; ++clip)
        cases.push_back({"InterpolationTest", clip, 0});
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.model) + " clip " + std::to_string(k.clip));
        Converted c;
        Convert(k.model, k.clip, &c);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(c.baked.files.animation);
        const orvex::format::AnimationDesc& anim = *c.baked.files.animation;
        const auto& nodes = c.baked.files.scene.nodes;
        if (k.frames) {
            EXPECT_EQ(anim.frameCount, k.frames);
        }
        EXPECT_EQ(anim.frameCount, static_cast<std::uint32_t>(std::ceil(c.baked.clipDuration * 20 - 1e-6)) + 1);
        ASSERT_EQ(anim.tracks.size(), nodes.size());

        std::vector<Mat> restBones = RestBones(c.baked);
        std::vector<Mat> restWorld = c.reference.Worlds(-1, 0);
        std::vector<Mat> stretch(restBones.size());
        for (std::size_t n = 0; n < restBones.size(); ++n) {
            stretch[n] = MatMul(MatInverse(restBones[n]), restWorld[SourceNode(c, n)]);
            EXPECT_EQ(anim.tracks[n].parent, nodes[n].parent);
        }
        for (std::uint32_t f = 0; f < anim.frameCount; ++f) {
            std::vector<Mat> bones = FrameBones(c.baked, f);
            std::vector<Mat> world = c.reference.Worlds(k.clip, f / 20.0);
            for (std::size_t n = 0; n < bones.size(); ++n) {
                const std::string& name = nodes[n].name;
                // Nodes whose scale animates cannot follow; the baker says so by name.
                if (Warned(c.baked, "'" + name + "'"))
                    continue;
                EXPECT_LT(MatDiff(MatMul(bones[n], stretch[n]), world[SourceNode(c, n)]), 1e-4)
                    << "node " << name << " frame " << f;
            }
        }
    }
}

// The three scale clips animate a scale the format cannot hold: each warning names its node,
// and the other clips warn about nothing.
TEST(ConvertBake, AnimatedScaleIsReportedByNodeName)
{
    const char* scaled[] = {"'Cube'", "'Cube.001'", "'Cube.002'"};
    for (int clip = 0; clip < 9; ++clip) {
        Converted c;
        Convert("InterpolationTest", clip, &c);
        if (HasFatalFailure())
            return;
        if (clip < 3) {
            EXPECT_TRUE(Warned(c.baked, scaled[clip])) << "clip " << clip;
            EXPECT_TRUE(Warned(c.baked, "animated scale")) << "clip " << clip;
        } else {
            EXPECT_TRUE(c.baked.warnings.empty()) << "clip " << clip << ": " << c.baked.warnings.front();
        }
    }
    // RiggedSimple and CesiumMan animate scale with constant values: nothing to report.
    for (const char* model : {"RiggedSimple", "CesiumMan"}) {
        Converted c;
        Convert(model, 0, &c);
        EXPECT_TRUE(c.baked.warnings.empty()) << model;
    }
}

// Skinned models: every vertex hangs on its heaviest joint in that joint's bind frame, so
// with the bone matrices at the bind pose every vertex is back at its source position; at
// animation times the single-influence vertices follow the source's own skinning.
TEST(ConvertBake, SkinnedVerticesReproduceBindPoseAndSourceSkinning)
{
    struct Case {
        const char* model;
        std::size_t multi; // vertices with more than one influence
    };
    for (const Case& k : {Case{"RiggedSimple", 0}, Case{"CesiumMan", 0}}) {
        SCOPED_TRACE(k.model);
        Converted c;
        Convert(k.model, 0, &c);
        if (HasFatalFailure())
            return;
        int meshNode = c.reference.SkinnedMeshNode();
        ASSERT_GE(meshNode, 0);
        std::vector<V3> source = c.reference.Positions(meshNode);
        std::vector<int> influences = c.reference.InfluenceCounts(meshNode);
        const orvex::format::SceneDesc& scene = c.baked.files.scene;
        ASSERT_EQ(scene.meshes.size(), 1u);
        const orvex::format::MeshDesc& mesh = scene.meshes[0];
        ASSERT_EQ(mesh.vertices.size(), source.size());
        EXPECT_EQ(c.baked.skinnedVertices, source.size());
        EXPECT_EQ(
            c.baked.multiInfluenceVertices,
            static_cast<std::size_t>(std::count_if(influences.begin(), influences.end(), [](int n) { return n > 1; })));
        EXPECT_GT(c.baked.multiInfluenceVertices, 0u);

        // Bind matrices per output node.
        std::vector<int> joints = c.reference.Joints(meshNode);
        std::vector<Mat> inverseBinds = c.reference.InverseBinds(meshNode);
        std::vector<Mat> bindOfNode(scene.nodes.size());
        std::vector<bool> isJoint(scene.nodes.size(), false);
        for (std::size_t j = 0; j < joints.size(); ++j) {
            int out = c.baked.nodeOfContentNode[joints[j]];
            bindOfNode[out] = MatInverse(inverseBinds[j]);
            isJoint[out] = true;
        }
        double worstBind = 0;
        for (std::size_t v = 0; v < source.size(); ++v) {
            int node = mesh.nodeIndices[v];
            ASSERT_TRUE(isJoint[node]) << "vertex " << v << " is not carried by a joint";
            const auto& p = mesh.vertices[v].position;
            V3 at = MatPoint(bindOfNode[node], {p.x, p.y, p.z});
            for (int a = 0; a < 3; ++a)
                worstBind = std::max(worstBind, std::fabs(at[a] - source[v][a]));
        }
        EXPECT_LT(worstBind, 1e-4);

        const orvex::format::AnimationDesc& anim = *c.baked.files.animation;
        for (std::uint32_t f : {0u, 7u, 13u, anim.frameCount / 2, anim.frameCount - 1}) {
            std::vector<Mat> bones = FrameBones(c.baked, f);
            std::vector<V3> skinned = c.reference.Skinned(meshNode, 0, f / 20.0);
            double worst = 0;
            for (std::size_t v = 0; v < source.size(); ++v) {
                if (influences[v] != 1)
                    continue;
                const auto& p = mesh.vertices[v].position;
                V3 at = MatPoint(bones[mesh.nodeIndices[v]], {p.x, p.y, p.z});
                for (int a = 0; a < 3; ++a)
                    worst = std::max(worst, std::fabs(at[a] - skinned[v][a]));
            }
            EXPECT_LT(worst, 1e-3) << "frame " << f;
        }
    }
}

// The engine culls counter-clockwise faces: after baking, each triangle's clockwise normal
// agrees with the stored vertex normals, and rigid vertices sit where the source puts them.
TEST(ConvertBake, FrontFacesAreClockwiseAndRigidVerticesInPlace)
{
    for (const std::string& model : {std::string("BoxTextured"), std::string("BoxAnimated"),
                                     std::string("AnimatedCube"), std::string("InterpolationTest")}) {
        SCOPED_TRACE(model);
        Converted c;
        Convert(model, -1, &c);
        if (HasFatalFailure())
            return;
        std::vector<Mat> bones = RestBones(c.baked);
        std::vector<Mat> world = c.reference.Worlds(-1, 0);
        std::size_t agree = 0, total = 0;
        for (const orvex::format::MeshDesc& mesh : c.baked.files.scene.meshes) {
            int holder = SourceNode(c, mesh.nodeIndices[0]);
            std::vector<V3> source = c.reference.Positions(holder);
            ASSERT_EQ(source.size(), mesh.vertices.size());
            std::vector<V3> drawn(mesh.vertices.size());
            for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
                const auto& p = mesh.vertices[v].position;
                drawn[v] = MatPoint(bones[mesh.nodeIndices[v]], {p.x, p.y, p.z});
                V3 expected = MatPoint(world[holder], source[v]);
                for (int a = 0; a < 3; ++a)
                    ASSERT_NEAR(drawn[v][a], expected[a], 1e-4) << "mesh " << mesh.name << " vertex " << v;
            }
            for (const auto& g : mesh.groups)
                for (const auto& list : g.lists)
                    for (std::size_t t = 0, end = list.indices.size(); t + 2 < end; t += 3) {
                        const auto& l = list.indices;
                        const V3 &a = drawn[l[t]], &b = drawn[l[t + 1]], &d = drawn[l[t + 2]];
                        V3 e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, e2{d[0] - a[0], d[1] - a[1], d[2] - a[2]};
                        V3 cross{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                 e1[0] * e2[1] - e1[1] * e2[0]};
                        const auto& n = mesh.vertices[l[t]].normal;
                        double dot = cross[0] * n.x + cross[1] * n.y + cross[2] * n.z;
                        ++total;
                        // Counter-clockwise order gives the outward normal; clockwise the opposite.
                        agree += dot < 0;
                    }
        }
        EXPECT_EQ(agree, total);
    }
}

// Every material gets a texture: the untextured boxes a small one of their diffuse colour,
// the textured models their decoded picture (palettised PNG, RGBA PNG, JPEG).
TEST(ConvertBake, MaterialsCarryTheirColourInATexture)
{
    Converted box;
    Convert("BoxAnimated", -1, &box);
    ASSERT_EQ(box.baked.files.textures.size(), 2u);
    const auto& materials = box.baked.files.scene.materials;
    for (std::size_t m = 0; m < 2; ++m) {
        const orvex::format::MaterialDesc& mat = materials[m];
        const orvex::format::TextureDesc* tex = box.baked.files.FindTexture(mat.texture);
        ASSERT_NE(tex, nullptr) << mat.name;
        EXPECT_EQ(tex->channels, 3);
        EXPECT_EQ(tex->width, 4);
        EXPECT_EQ(tex->pixels[0], static_cast<std::uint8_t>(std::lround(mat.diffuse[0] * 255)));
        EXPECT_EQ(tex->pixels[1], static_cast<std::uint8_t>(std::lround(mat.diffuse[1] * 255)));
        EXPECT_EQ(tex->pixels[2], static_cast<std::uint8_t>(std::lround(mat.diffuse[2] * 255)));
    }
    EXPECT_EQ(materials[0].name, "inner");
    EXPECT_EQ(materials[1].name, "outer");

    struct Picture {
        const char* model;
        int width, height;
    };
    for (const Picture& p : {Picture{"BoxTextured", 256, 256}, Picture{"AnimatedCube", 512, 512},
                             Picture{"CesiumMan", 1024, 1024}, Picture{"InterpolationTest", 1000, 100}}) {
        Converted c;
        Convert(p.model, -1, &c);
        const orvex::format::TextureDesc* found = nullptr;
        for (const auto& t : c.baked.files.textures)
            if (t.width == p.width && t.height == p.height)
                found = &t;
        ASSERT_NE(found, nullptr) << p.model;
        EXPECT_EQ(found->pixels.size(), static_cast<std::size_t>(p.width) * p.height * found->channels);
        EXPECT_LE(found->name.size(), 75u);
    }
    // The shininess of every material lies in the range OpenGL accepts.
    for (const auto& m : materials) {
        EXPECT_GE(m.shininess, 0.0f);
        EXPECT_LE(m.shininess, 128.0f);
    }
}

namespace {

// Every vertex of the scene in scene space, under the given bone matrices.
std::vector<std::array<double, 3>> VertexPositions(const convert::BakedScene& s, const std::vector<Mat>& bones)
{
    std::vector<std::array<double, 3>> out;
    for (const auto& mesh : s.files.scene.meshes)
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            const Mat& m = bones[mesh.nodeIndices[v]];
            const auto& p = mesh.vertices[v].position;
            out.push_back({m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                           m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]});
        }
    return out;
}

} // namespace

TEST(ConvertBake, CenteringMovesEveryPoseByOneOffsetAndTheRestBoxAboutTheOrigin)
{
    for (const std::string model : {"CesiumMan", "BoxAnimated", "RiggedSimple"}) {
        SCOPED_TRACE(model);
        Converted c;
        ASSERT_NO_FATAL_FAILURE(Convert(model, 0, &c));
        const convert::BakedScene before = c.baked;
        const convert::Vec3 offset = convert::CenterScene(&c.baked.files);
        const double shift[3] = {offset.x, offset.y, offset.z};

        // The stored pose: its box is centred on the origin, and every vertex moved by the offset.
        const auto rest = VertexPositions(c.baked, RestBones(c.baked));
        const auto restBefore = VertexPositions(before, RestBones(before));
        ASSERT_EQ(rest.size(), restBefore.size());
        for (int axis = 0; axis < 3; ++axis) {
            double low = rest[0][axis], high = rest[0][axis];
            for (const auto& p : rest) {
                low = std::min(low, p[axis]);
                high = std::max(high, p[axis]);
            }
            EXPECT_NEAR((low + high) / 2, 0.0, 1e-4) << "axis " << axis;
        }
        for (std::size_t v = 0; v < rest.size(); ++v)
            for (int axis = 0; axis < 3; ++axis)
                ASSERT_NEAR(rest[v][axis], restBefore[v][axis] + shift[axis], 1e-4) << "vertex " << v;

        // The animation plays the same motion, moved by the same offset, at every frame.
        ASSERT_TRUE(c.baked.files.animation);
        for (std::uint32_t frame = 0; frame < c.baked.files.animation->frameCount; ++frame) {
            const auto now = VertexPositions(c.baked, FrameBones(c.baked, frame));
            const auto was = VertexPositions(before, FrameBones(before, frame));
            for (std::size_t v = 0; v < now.size(); ++v)
                for (int axis = 0; axis < 3; ++axis)
                    ASSERT_NEAR(now[v][axis], was[v][axis] + shift[axis], 1e-4)
                        << "frame " << frame << ", vertex " << v;
        }
    }
}
