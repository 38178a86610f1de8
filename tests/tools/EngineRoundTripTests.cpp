// The converter's files read back by the engine itself: MeshScene, KeyframeAnimation and
// Mesh skinning put the real models where their glTF sources put them.
#include "BakedPose.h"
#include "GltfReference.h"
#include "TempDir.h"
#include "ToolTestSupport.h"

#include "RecordingGl.h"

#include "convert/Output.h"
#include "convert/bake/Bake.h"
#include "convert/import/Import.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace tooltest;

namespace {

// A model converted into a scratch folder and loaded by the engine, with a GL table that
// lets materials create their textures without a context.
class EngineModel {
public:
    EngineModel(const std::string& model, int clip) : dir("engine-" + model + "-" + std::to_string(clip))
    {
        InstallNoOpGl();
        std::string error;
        convert::Content content;
        if (!convert::Import(ModelPath(model), convert::Importer::Automatic, &content, &error)) {
            ADD_FAILURE() << model << ": " << error;
            return;
        }
        convert::BakeOptions options;
        options.clip = clip;
        if (!convert::Bake(content, options, &baked, &error) ||
            !convert::WriteOutput(baked.files, dir.File("scene"), &error)) {
            ADD_FAILURE() << model << ": " << error;
            return;
        }
        ClearMaterials();
        ClearTextures();
        scene = std::make_unique<MeshScene>();
        if (!scene->Load(dir.File("scene.mes").c_str())) {
            ADD_FAILURE() << model << ": the engine refuses the converted scene";
            return;
        }
        if (clip >= 0) {
            animation = std::make_unique<KeyframeAnimation>();
            if (!animation->Load(dir.File("scene.knx").c_str()) || !scene->SetAnimation(animation.get())) {
                ADD_FAILURE() << model << ": the engine refuses the converted animation";
                return;
            }
        }
        ok = reference.Load(ModelPath(model));
        EXPECT_TRUE(ok) << model;
    }
    ~EngineModel()
    {
        scene.reset();
        ClearMaterials();
        ClearTextures();
    }

    // Plays the animation from its start to `frame` the way the viewer does, with
    // Advance, then updates the scene. 0.05 s is exactly one frame at 20 frames per second.
    void PlayTo(std::uint32_t frame)
    {
        animation->Load(dir.File("scene.knx").c_str()); // rewinds the time to 0
        scene->SetAnimation(animation.get());
        for (std::uint32_t f = 0; f < frame; ++f)
            animation->Advance(0.05f);
        ASSERT_FLOAT_EQ(animation->GetTime(), static_cast<float>(frame));
        scene->Update();
    }

    Mat Bone(int node) const
    {
        const float* m = scene->GetBoneMatrices()[node].m;
        return {m[0], m[4], m[8], 0, m[1], m[5], m[9], 0, m[2], m[6], m[10], 0, m[3], m[7], m[11], 1};
    }

    TempDir dir;
    convert::BakedScene baked;
    std::unique_ptr<MeshScene> scene;
    std::unique_ptr<KeyframeAnimation> animation;
    GltfReference reference;
    bool ok = false;
};

bool Warned(const convert::BakedScene& s, const std::string& text)
{
    return std::any_of(s.warnings.begin(), s.warnings.end(),
                       [&](const std::string& w) { return w.find(text) != std::string::npos; });
}

} // namespace

// Rigid models: the engine's bone matrices after Advance and Update, times the stretch the
// converter left in the vertices, are the source's node world transforms at the same time
// (STEP and CUBICSPLINE compared with the source's own interpolation).
TEST(EngineRoundTrip, RigidBonesMatchTheSourceWorldTransforms)
{
    struct Case {
        const char* model;
        int clip;
    };
    std::vector<Case> cases{{"BoxAnimated", 0}, {"AnimatedCube", 0}};
    for (int clip = 0; clip < 9; ++clip)
        cases.push_back({"InterpolationTest", clip});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " clip " + std::to_string(c.clip));
        EngineModel m(c.model, c.clip);
        ASSERT_TRUE(m.ok);
        int nodes = m.scene->GetNodeCount();
        ASSERT_EQ(nodes, m.reference.NodeCount());

        // The rest pose: no animation bound, bones from the nodes.
        m.scene->SetAnimation(nullptr);
        m.scene->Update();
        std::vector<Mat> restWorld = m.reference.Worlds(-1, 0);
        std::vector<Mat> stretch(nodes);
        for (int n = 0; n < nodes; ++n)
            stretch[n] = MatMul(MatInverse(m.Bone(n)), restWorld[m.baked.contentNodeOfNode[n]]);

        std::uint32_t frames = m.animation->GetFrameCount();
        for (std::uint32_t f : {0u, 1u, 5u, 8u, 17u, 25u, 33u, frames - 2}) {
            if (f + 1 >= frames)
                continue;
            m.PlayTo(f);
            std::vector<Mat> world = m.reference.Worlds(c.clip, f / 20.0);
            for (int n = 0; n < nodes; ++n) {
                const std::string& name = m.baked.files.scene.nodes[n].name;
                if (Warned(m.baked, "'" + name + "'"))
                    continue; // an animated scale the format cannot hold
                EXPECT_LT(MatDiff(MatMul(m.Bone(n), stretch[n]), world[m.baked.contentNodeOfNode[n]]), 1e-4)
                    << "node " << name << " frame " << f;
            }
        }
    }
}

// Skinned models: with every bone at its joint's bind matrix (the inverse of the
// inverse-bind matrix), Mesh::Update puts every vertex at its source position; at
// animation times every single-influence vertex follows the source's own skinning.
TEST(EngineRoundTrip, SkinnedMeshesReproduceBindPoseAndSourceSkinning)
{
    for (const char* model : {"RiggedSimple", "CesiumMan"}) {
        SCOPED_TRACE(model);
        EngineModel m(model, 0);
        ASSERT_TRUE(m.ok);
        int meshNode = m.reference.SkinnedMeshNode();
        std::vector<V3> source = m.reference.Positions(meshNode);
        std::vector<int> influences = m.reference.InfluenceCounts(meshNode);
        ASSERT_EQ(m.scene->GetMeshCount(), 1);
        Mesh& mesh = m.scene->GetMeshes()[0];
        ASSERT_EQ(mesh.GetVertexCount(), static_cast<int>(source.size()));

        int nodes = m.scene->GetNodeCount();
        std::vector<Matrix4> bind(nodes);
        for (Matrix4& b : bind)
            MatrixIdentity(&b);
        std::vector<int> joints = m.reference.Joints(meshNode);
        std::vector<Mat> inverseBinds = m.reference.InverseBinds(meshNode);
        for (std::size_t j = 0; j < joints.size(); ++j) {
            Mat b = MatInverse(inverseBinds[j]);
            float* out = bind[m.baked.nodeOfContentNode[joints[j]]].m;
            for (int r = 0; r < 3; ++r)
                for (int k = 0; k < 4; ++k)
                    out[4 * r + k] = static_cast<float>(b[k * 4 + r]);
        }
        mesh.SetBoneMatrices(bind.data(), nodes);
        mesh.Update();
        double worst = 0;
        for (int v = 0; v < mesh.GetVertexCount(); ++v) {
            const Vector3& p = mesh.GetVertices()[v].position;
            worst = std::max(
                {worst, std::fabs(p.x - source[v][0]), std::fabs(p.y - source[v][1]), std::fabs(p.z - source[v][2])});
        }
        EXPECT_LT(worst, 1e-4);

        mesh.SetBoneMatrices(m.scene->GetBoneMatrices(), nodes);
        std::uint32_t frames = m.animation->GetFrameCount();
        for (std::uint32_t f : {0u, 3u, 10u, 21u, frames - 2}) {
            m.PlayTo(f);
            std::vector<V3> skinned = m.reference.Skinned(meshNode, 0, f / 20.0);
            double worstFrame = 0;
            for (int v = 0; v < mesh.GetVertexCount(); ++v) {
                if (influences[v] != 1)
                    continue;
                const Vector3& p = mesh.GetVertices()[v].position;
                worstFrame = std::max({worstFrame, std::fabs(p.x - skinned[v][0]), std::fabs(p.y - skinned[v][1]),
                                       std::fabs(p.z - skinned[v][2])});
            }
            EXPECT_LT(worstFrame, 1e-3) << "frame " << f;
        }
    }
}
