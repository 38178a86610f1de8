// Bone update: MeshScene::Update with a bound animation of 64 tracks and no meshes,
// reported as time per track; the rest-pose update (no animation) alongside.
#include "format/AnimationWriter.h"
#include "format/MeshWriter.h"
#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/MeshScene.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

constexpr int kTracks = 64;
constexpr std::uint32_t kFrames = 100;

std::string TempPath(const char* extension)
{
    return "/tmp/orvex-bench-update-" + std::to_string(getpid()) + extension;
}

orvex::format::Quat AxisAngle(float x, float y, float z, float radians)
{
    const float length = std::sqrt(x * x + y * y + z * z);
    const float s = std::sin(radians / 2) / length;
    return {x * s, y * s, z * s, std::cos(radians / 2)};
}

// A 64-node skeleton (a binary tree, parents before children) without meshes, and an
// animation whose keys turn every bone a little differently each frame.
bool MakeSceneAndAnimation(MeshScene& scene, KeyframeAnimation& animation)
{
    using namespace orvex::format;
    SceneDesc desc;
    AnimationDesc anim;
    anim.frameCount = kFrames;
    for (int b = 0; b < kTracks; ++b) {
        NodeDesc& node = desc.nodes.emplace_back();
        node.name = "bone" + std::to_string(b);
        node.parent = b == 0 ? -1 : (b - 1) / 2;
        TrackDesc& track = anim.tracks.emplace_back();
        track.name = node.name;
        track.parent = node.parent;
        for (std::uint32_t k = 0; k < kFrames; ++k) {
            const float angle = 0.05f * static_cast<float>(k) + 0.01f * static_cast<float>(b);
            track.keys.push_back(KeyDesc{{0.1f * b, 1.0f, 0.01f * k}, AxisAngle(1, 2, 3 + b % 5, angle)});
        }
    }
    const std::string meshPath = TempPath(".mes");
    const std::string animPath = TempPath(".knx");
    const bool written = WriteScene(meshPath, desc) && WriteAnimation(animPath, anim);
    const bool loaded = written && scene.Load(meshPath.c_str()) && animation.Load(animPath.c_str());
    std::remove(meshPath.c_str());
    std::remove(animPath.c_str());
    return loaded && scene.SetAnimation(&animation);
}

void BM_BoneUpdateAnimated(benchmark::State& state)
{
    MeshScene scene;
    KeyframeAnimation animation;
    if (!MakeSceneAndAnimation(scene, animation)) {
        state.SkipWithError("cannot build the scene");
        return;
    }
    for (auto _ : state) {
        animation.Advance(0.016f); // a new blend every frame, as in the viewer
        scene.Update();
        benchmark::DoNotOptimize(scene.GetBoneMatrices());
        benchmark::ClobberMemory();
    }
    state.counters["per_track"] =
        benchmark::Counter(kTracks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_BoneUpdateRestPose(benchmark::State& state)
{
    MeshScene scene;
    KeyframeAnimation animation;
    if (!MakeSceneAndAnimation(scene, animation)) {
        state.SkipWithError("cannot build the scene");
        return;
    }
    scene.SetAnimation(nullptr);
    for (auto _ : state) {
        scene.Update();
        benchmark::DoNotOptimize(scene.GetBoneMatrices());
        benchmark::ClobberMemory();
    }
    state.counters["per_node"] =
        benchmark::Counter(kTracks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_BoneUpdateAnimated);
BENCHMARK(BM_BoneUpdateRestPose);

} // namespace

BENCHMARK_MAIN();
