// Mesh scenes: loading the example file and header variants, the rest pose and skinning,
// keyframe playback through Update, the draw sequence, and the editor's accessors.
#include "SceneTestSupport.h"

#include "orvex/anim/KeyframeAnimation.h"

#include <cmath>

using namespace fixtures;

namespace {

constexpr float kHalfRoot2 = 0.70710678f;

void ExpectPosition(const MeshVertex& vertex, float x, float y, float z)
{
    EXPECT_NEAR(vertex.position.x, x, 1e-5f);
    EXPECT_NEAR(vertex.position.y, y, 1e-5f);
    EXPECT_NEAR(vertex.position.z, z, 1e-5f);
}

// A scene of `nodes` nodes, each carrying one vertex at rest position (1, 0, 0).
SceneDesc OneVertexPerNode(std::vector<NodeDesc> nodes)
{
    SceneDesc scene;
    scene.materials.emplace_back().name = "m";
    scene.nodes = std::move(nodes);
    MeshDesc& mesh = scene.meshes.emplace_back();
    mesh.name = "points";
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        mesh.vertices.push_back({0.25f, 0.75f, {0, 1, 0}, {1, 0, 0}});
        mesh.nodeIndices.push_back(static_cast<std::int32_t>(i));
    }
    return scene;
}

NodeDesc Node(const std::string& name, std::int32_t parent, Vec3 position, Quat rotation = {})
{
    NodeDesc node;
    node.name = name;
    node.parent = parent;
    node.position = position;
    node.rotation = rotation;
    return node;
}

class MeshSceneTest : public SceneTest {
protected:
    bool LoadAnimation(KeyframeAnimation& animation, const AnimationDesc& desc)
    {
        return animation.Load(dir.Write("anim.knx", EncodeAnimation(desc)).c_str());
    }
};

} // namespace

TEST_F(MeshSceneTest, ExampleFileLoadsAndIsReadToItsLastByte)
{
    const std::vector<std::uint8_t> bytes = EncodeScene(TriangleScene());
    ASSERT_EQ(bytes.size(), 250u);
    MeshScene scene;
    ASSERT_TRUE(Load(scene, bytes));
    ASSERT_EQ(scene.GetNodeCount(), 1);
    EXPECT_STREQ(scene.GetNodes()[0].GetName(), "n");
    EXPECT_EQ(scene.GetNodes()[0].GetParent(), -1);
    ASSERT_EQ(scene.GetMeshCount(), 1);
    const Mesh& mesh = scene.GetMeshes()[0];
    EXPECT_STREQ(mesh.GetName(), "s");
    EXPECT_EQ(mesh.GetVertexCount(), 3);
    EXPECT_EQ(mesh.GetGroupCount(), 1);
    EXPECT_EQ(mesh.GetGroups()[0].GetMaterial(), FindMaterial("m"));
    EXPECT_EQ(mesh.GetGroups()[0].GetLists()[0].GetIndexCount(), 3);
    EXPECT_EQ(scene.GetName(), nullptr); // loading never names the scene

    // The last byte is needed, and a byte after it is never looked at.
    MeshScene shorter;
    EXPECT_FALSE(Load(shorter, {bytes.begin(), bytes.end() - 1}));
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0xFF);
    MeshScene extended;
    EXPECT_TRUE(Load(extended, longer));
}

TEST_F(MeshSceneTest, HeaderVariants)
{
    SceneDesc empty;
    MeshScene scene;
    EXPECT_TRUE(Load(scene, empty));
    EXPECT_EQ(scene.GetNodeCount(), 0);
    EXPECT_EQ(scene.GetMeshCount(), 0);
    EXPECT_EQ(GetMaterialCount(), 0);

    const std::pair<const char*, std::int32_t> refused[] = {{"RIFF", 101}, {"RIFX", 100}, {"RIF", 100}, {"", 100}};
    for (auto [signature, version] : refused) {
        empty.header = {signature, version};
        EXPECT_FALSE(Load(scene, empty)) << signature << " " << version;
    }
    empty.header = {"RIFF01", 100};
    EXPECT_TRUE(Load(scene, empty)) << "6-byte signature";
    EXPECT_FALSE(scene.Load(dir.File("missing.mes").c_str()));
}

TEST_F(MeshSceneTest, EmptySceneUpdatesAndRendersNothing)
{
    MeshScene constructed;
    constructed.Update();
    constructed.Render();
    MeshScene scene;
    ASSERT_TRUE(Load(scene, SceneDesc{}));
    scene.Update();
    scene.Render();
    EXPECT_TRUE(rec.Calls().empty());
}

TEST_F(MeshSceneTest, RestPoseComposesParentOnTheLeft)
{
    MeshScene scene;
    // Root at (1, 2, 3) turned 90 degrees about z; its child at (0, 1, 0) is moved and turned
    // with it (a turn and a move do not commute, so the order of the product shows); a
    // second root turned at the origin.
    ASSERT_TRUE(Load(scene, OneVertexPerNode({Node("root", -1, {1, 2, 3}, RotationZ(90)), Node("child", 0, {0, 1, 0}),
                                              Node("turned", -1, {0, 0, 0}, RotationZ(90))})));
    // Before the first Update the vertices stand where the file put them, and every bone is
    // the identity.
    ExpectPosition(scene.GetMeshes()[0].GetVertices()[0], 1, 0, 0);
    for (int i = 0; i < 3; ++i) {
        const float* m = scene.GetBoneMatrices()[i].m;
        EXPECT_EQ(std::vector<float>(m, m + 12), (std::vector<float>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0})) << i;
    }
    scene.Update();
    const MeshVertex* vertices = scene.GetMeshes()[0].GetVertices();
    ExpectPosition(vertices[0], 1, 3, 3); // (1, 0, 0) turned to (0, 1, 0), then moved
    ExpectPosition(vertices[1], 0, 3, 3); // the child stands at root(0, 1, 0) = (0, 2, 3)
    ExpectPosition(vertices[2], 0, 1, 0);
    // Only positions change.
    EXPECT_EQ(vertices[2].s, 0.25f);
    EXPECT_EQ(vertices[2].t, 0.75f);
    EXPECT_EQ(vertices[2].normal.y, 1.0f);
    EXPECT_EQ(vertices[2].normal.x, 0.0f);
}

TEST_F(MeshSceneTest, SkinningIdentityTranslationAndRotation)
{
    SceneDesc desc = OneVertexPerNode(
        {Node("identity", -1, {0, 0, 0}), Node("back", -1, {0, 0, -5}), Node("turned", -1, {0, 0, 0}, RotationZ(90))});
    desc.meshes[0].vertices[0].position = {3, -2, 7};
    desc.meshes[0].vertices[1].position = {1, 2, 3};
    MeshScene scene;
    ASSERT_TRUE(Load(scene, desc));
    for (int pass = 0; pass < 2; ++pass) { // every Update starts again from the rest positions
        scene.Update();
        const MeshVertex* vertices = scene.GetMeshes()[0].GetVertices();
        ExpectPosition(vertices[0], 3, -2, 7);
        ExpectPosition(vertices[1], 1, 2, -2);
        EXPECT_EQ(vertices[1].normal.y, 1.0f);
        ExpectPosition(vertices[2], 0, 1, 0);
    }
    EXPECT_EQ(scene.GetMeshes()[0].GetRestPositions()[1].z, 3.0f);
}

TEST_F(MeshSceneTest, AnimationInterpolatesBetweenKeysAndHoldsTheLastFrame)
{
    MeshScene scene;
    ASSERT_TRUE(Load(scene, OneVertexPerNode({Node("bone", -1, {0, 0, 0})})));
    AnimationDesc desc = StepAnimation(1, 10); // key k at (k, 0, 0)
    desc.tracks[0].keys[3].rotation = RotationZ(90);
    desc.tracks[0].keys[9].rotation = RotationZ(90);
    KeyframeAnimation animation;
    ASSERT_TRUE(LoadAnimation(animation, desc));
    ASSERT_TRUE(scene.SetAnimation(&animation));
    const MeshVertex& vertex = scene.GetMeshes()[0].GetVertices()[0];

    struct Case {
        float time;
        float x, y;
    };
    const Case cases[] = {
        {2.5f, 2.5f + kHalfRoot2, kHalfRoot2}, // halfway: position 2.5, 45 degrees
        {9.0f, 9.0f, 1.0f},                    // the last key alone
        {9.5f, 9.0f, 1.0f},                    // past it: still the last key, no blend into key 0
        {-0.5f, 1.0f, 0.0f},                   // between -1 and 0: key 0
        {-3.5f, 1.0f, 0.0f},                   // further back: key 0, never a key before it
        {1e9f, 9.0f, 1.0f},
        {std::nanf(""), 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        animation.SetTime(c.time);
        scene.Update();
        EXPECT_NEAR(vertex.position.x, c.x, 1e-5f) << "time " << c.time;
        EXPECT_NEAR(vertex.position.y, c.y, 1e-5f) << "time " << c.time;
    }

    // A quarter of the way between keys that differ in every component: the weights are
    // not symmetric, so keys or weights taken the wrong way round show (halfway would not).
    KeyframeAnimation quarter;
    AnimationDesc two = StepAnimation(1, 2);
    two.tracks[0].keys[0] = KeyDesc{{0, 0, 0}, {}};
    two.tracks[0].keys[1] = KeyDesc{{4, 8, -4}, RotationZ(90)};
    ASSERT_TRUE(LoadAnimation(quarter, two));
    ASSERT_TRUE(scene.SetAnimation(&quarter));
    quarter.SetTime(0.25f);
    scene.Update();
    const float turn = 22.5f * 3.14159265f / 180.0f; // a quarter of 90 degrees
    ExpectPosition(vertex, 1 + std::cos(turn), 2 + std::sin(turn), -1);

    KeyframeAnimation single;
    AnimationDesc one = StepAnimation(1, 1);
    one.tracks[0].keys[0].position = {0, 0, 4};
    ASSERT_TRUE(LoadAnimation(single, one));
    ASSERT_TRUE(scene.SetAnimation(&single));
    for (float time : {0.0f, 0.7f, -0.5f}) {
        single.SetTime(time);
        scene.Update();
        ExpectPosition(vertex, 1, 0, 4);
    }

    // Unbinding brings back the nodes' pose.
    ASSERT_TRUE(scene.SetAnimation(nullptr));
    scene.Update();
    ExpectPosition(vertex, 1, 0, 0);
}

TEST_F(MeshSceneTest, TrackParentsComposeOnTheLeftAndComeFromTheAnimation)
{
    // In the file both nodes are roots; the animation makes track 1 a child of track 0.
    MeshScene scene;
    ASSERT_TRUE(Load(scene, OneVertexPerNode({Node("a", -1, {0, 0, 0}), Node("b", -1, {0, 0, 0})})));
    AnimationDesc desc = StepAnimation(2, 2);
    for (KeyDesc& key : desc.tracks[0].keys)
        key = KeyDesc{{5, 0, 0}, RotationZ(90)};
    for (KeyDesc& key : desc.tracks[1].keys)
        key = KeyDesc{{1, 0, 0}, {}};
    desc.tracks[1].parent = 0;
    KeyframeAnimation animation;
    ASSERT_TRUE(LoadAnimation(animation, desc));
    ASSERT_TRUE(scene.SetAnimation(&animation));
    scene.Update();
    // Bone 1 = bone 0 x local 1: the child's offset (1, 0, 0) is turned by the parent.
    const Matrix4& bone = scene.GetBoneMatrices()[1];
    EXPECT_NEAR(bone.m[3], 5.0f, 1e-5f);
    EXPECT_NEAR(bone.m[7], 1.0f, 1e-5f);
    ExpectPosition(scene.GetMeshes()[0].GetVertices()[1], 5, 2, 0);
}

TEST_F(MeshSceneTest, SetAnimationRefusesWhatTheSkeletonCannotPlay)
{
    MeshScene scene;
    ASSERT_TRUE(Load(scene, OneVertexPerNode({Node("a", -1, {0, 0, 0}), Node("b", 0, {0, 0, 0})})));
    KeyframeAnimation fits;
    ASSERT_TRUE(LoadAnimation(fits, StepAnimation(2, 3)));
    KeyframeAnimation tooMany;
    ASSERT_TRUE(LoadAnimation(tooMany, StepAnimation(3, 3)));
    EXPECT_TRUE(scene.SetAnimation(&fits));
    EXPECT_FALSE(scene.SetAnimation(&tooMany));
    EXPECT_EQ(scene.GetAnimation(), &fits) << "a refused binding keeps the previous one";

    // An animation whose load failed part-way (second track cut short) has a track
    // without keys: it is not bound.
    std::vector<std::uint8_t> bytes = EncodeAnimation(StepAnimation(2, 3));
    bytes.resize(bytes.size() - 1);
    KeyframeAnimation partial;
    ASSERT_FALSE(partial.Load(dir.Write("cut.knx", bytes).c_str()));
    EXPECT_EQ(partial.GetTrackCount(), 2);
    EXPECT_FALSE(scene.SetAnimation(&partial));

    // Fewer tracks than nodes: the other bones keep the pose they had.
    KeyframeAnimation fewer;
    ASSERT_TRUE(LoadAnimation(fewer, StepAnimation(1, 3)));
    scene.SetAnimation(nullptr);
    scene.Update();
    ASSERT_TRUE(scene.SetAnimation(&fewer));
    fewer.SetTime(2.0f);
    scene.Update();
    ExpectPosition(scene.GetMeshes()[0].GetVertices()[0], 3, 0, 0);
    ExpectPosition(scene.GetMeshes()[0].GetVertices()[1], 1, 0, 0);
}

TEST_F(MeshSceneTest, DrawLocksOnceAroundAllGroupsWhenTheExtensionIsThere)
{
    SceneDesc desc = TriangleScene();
    desc.materials.emplace_back().name = "second";
    desc.materials[1].shininess = 2;
    desc.meshes[0].groups.push_back(GroupDesc{"second", {TriangleListDesc{{2, 1, 0, 0, 1, 2, 1}}}});
    MeshScene scene;
    ASSERT_TRUE(Load(scene, desc));
    glCapabilities.hasCompiledVertexArray = 1;
    rec.Clear();
    scene.Render();
    EXPECT_EQ(rec.CallsTo({"glInterleavedArrays", "glLockArraysEXT", "glUnlockArraysEXT", "glMaterialf",
                           "glDrawElements", "glBindTexture"}),
              (std::vector<std::string>{
                  "glInterleavedArrays(GL_T2F_N3F_V3F, 0, <ptr>)",
                  "glLockArraysEXT(0, 3)",
                  "glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0)",
                  "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, [0, 1, 2])",
                  "glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 2)",
                  "glDrawElements(GL_TRIANGLES, 7, GL_UNSIGNED_INT, [2, 1, 0, 0, 1, 2, 1])",
                  "glUnlockArraysEXT()",
              }));
    // GL draws from the very array Update writes into.
    EXPECT_EQ(rec.Records()[0].args[2].pointer, scene.GetMeshes()[0].GetVertices());

    glCapabilities.hasCompiledVertexArray = 0;
    rec.Clear();
    scene.Render();
    EXPECT_EQ(rec.Count("glLockArraysEXT"), 0u);
    EXPECT_EQ(rec.Count("glUnlockArraysEXT"), 0u);
    EXPECT_EQ(rec.Count("glDrawElements"), 2u);
}

// The whole call sequence of a two-group mesh whose first material is textured: the lock
// comes before every call of the first group's material (its texture bind included), the
// unlock after the second group's last draw, and nothing draws outside the lock.
TEST_F(MeshSceneTest, TwoGroupsLockBeforeEveryMaterialCallAndUnlockAfterTheLastDraw)
{
    const std::uint8_t pixel[3] = {10, 20, 30};
    ASSERT_TRUE(WriteTga(dir.File("paint.TGA"), TgaFromPixels(1, 1, 3, pixel)));
    SceneDesc desc = TriangleScene();
    desc.materials[0].texture = dir.File("paint");
    desc.materials.emplace_back().name = "second";
    desc.meshes[0].groups.push_back(GroupDesc{"second", {TriangleListDesc{{2, 1, 0}}, TriangleListDesc{{0, 2, 1}}}});
    MeshScene scene;
    ASSERT_TRUE(Load(scene, desc));
    ASSERT_NE(FindMaterial("m")->GetTexture(), nullptr);
    glCapabilities.hasCompiledVertexArray = 1;
    rec.Clear();
    scene.Render();
    const std::vector<std::string> calls = rec.Calls();
    const std::vector<std::string> names = [&] {
        std::vector<std::string> result;
        for (const std::string& call : calls)
            result.push_back(call.substr(0, call.find('(')));
        return result;
    }();
    EXPECT_EQ(names, (std::vector<std::string>{"glInterleavedArrays", "glLockArraysEXT",
                                               // group 0: the textured material, then its list
                                               "glBindTexture", "glTexEnvf", "glMaterialfv", "glMaterialfv",
                                               "glMaterialfv", "glMaterialf", "glDrawElements",
                                               // group 1: the untextured material, then its two lists
                                               "glMaterialfv", "glMaterialfv", "glMaterialfv", "glMaterialf",
                                               "glDrawElements", "glDrawElements", "glUnlockArraysEXT"}))
        << rec.Script();
    ASSERT_EQ(calls.size(), names.size());
    EXPECT_EQ(calls[1], "glLockArraysEXT(0, 3)");
    EXPECT_EQ(calls[14], "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, [0, 2, 1])") << "the last list drawn last";
}

TEST_F(MeshSceneTest, GroupsWithoutListsAndMeshesWithoutVerticesDrawNothing)
{
    SceneDesc desc = TriangleScene();
    desc.meshes[0].groups[0].lists.clear();
    MeshDesc& empty = desc.meshes.emplace_back();
    empty.name = "empty";
    MeshScene scene;
    ASSERT_TRUE(Load(scene, desc));
    EXPECT_EQ(scene.GetMeshes()[1].GetVertexCount(), 0);
    glCapabilities.hasCompiledVertexArray = 1;
    rec.Clear();
    scene.Update();
    scene.Render();
    EXPECT_EQ(rec.Count("glDrawElements"), 0u);
    EXPECT_EQ(rec.Count("glMaterialf"), 1u) << "the group still applies its material";
    EXPECT_EQ(rec.Count("glInterleavedArrays"), 2u);
    // The empty mesh locks nothing (a lock of no vertices is a GL error).
    EXPECT_EQ(rec.CallsTo({"glLockArraysEXT"}), (std::vector<std::string>{"glLockArraysEXT(0, 3)"}));
}

TEST_F(MeshSceneTest, AccessorsGiveTheEditorNamesAndHierarchy)
{
    SceneDesc desc = TriangleScene();
    desc.nodes = {Node("hips", -1, {}), Node("spine", 0, {}), Node("head", 1, {}), Node("prop", -1, {})};
    desc.meshes.push_back(LineMesh("second", 3, 3, "m"));
    MeshScene scene;
    ASSERT_TRUE(Load(scene, desc));
    ASSERT_EQ(scene.GetNodeCount(), 4);
    const char* names[] = {"hips", "spine", "head", "prop"};
    const std::int32_t parents[] = {-1, 0, 1, -1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(scene.GetNodes()[i].GetName(), names[i]);
        EXPECT_EQ(scene.GetNodes()[i].GetParent(), parents[i]);
    }
    ASSERT_EQ(scene.GetMeshCount(), 2);
    EXPECT_STREQ(scene.GetMeshes()[1].GetName(), "second");
    EXPECT_EQ(scene.GetMeshes()[1].GetNodeIndices()[2], 3);

    scene.Destroy();
    scene.Destroy();
    EXPECT_EQ(scene.GetNodes(), nullptr);
    EXPECT_EQ(scene.GetMeshCount(), 0);
}

TEST_F(MeshSceneTest, LoadingAgainReplacesTheScene)
{
    MeshScene scene;
    ASSERT_TRUE(Load(scene, TriangleScene()));
    SceneDesc second = OneVertexPerNode({Node("x", -1, {}), Node("y", 0, {})});
    second.materials.clear(); // "m" is registered already
    ASSERT_TRUE(Load(scene, second));
    EXPECT_EQ(scene.GetNodeCount(), 2);
    EXPECT_STREQ(scene.GetMeshes()[0].GetName(), "points");
}
