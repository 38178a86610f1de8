// The math of one animated frame: slerp, rotation matrix and parent product per bone, then
// one transformed point per vertex.
#include "orvex/math/MathLib.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

Quaternion AxisAngle(float x, float y, float z, float angle)
{
    const float len = std::sqrt(x * x + y * y + z * z);
    const float s = std::sin(angle / 2) / len;
    return {x * s, y * s, z * s, std::cos(angle / 2)};
}

void BM_BonePose(benchmark::State& state)
{
    const int bones = static_cast<int>(state.range(0));
    std::vector<Quaternion> from(bones), to(bones);
    std::vector<Matrix4> world(bones);
    for (int i = 0; i < bones; ++i) {
        from[i] = AxisAngle(1.0f, 0.1f * i, 0.3f, 0.02f * i);
        to[i] = AxisAngle(0.2f, 1.0f, 0.1f * i, 0.5f + 0.01f * i);
    }
    float t = 0.0f;
    for (auto _ : state) {
        t = t < 1.0f ? t + 0.01f : 0.0f;
        for (int i = 0; i < bones; ++i) {
            Quaternion q;
            QuaternionSlerp(&from[i], &to[i], t, &q);
            Matrix4 local;
            QuaternionToMatrix(&q, &local);
            local.m[3] = 0.0f, local.m[7] = 1.0f, local.m[11] = 0.0f;
            if (i == 0) {
                MatrixCopy(&local, &world[0]);
            } else {
                MatrixMultiply(&world[(i - 1) / 2], &local, &world[i]);
            }
        }
        benchmark::DoNotOptimize(world.data());
    }
    state.SetItemsProcessed(state.iterations() * bones);
}
BENCHMARK(BM_BonePose)->Arg(32)->Arg(128);

void BM_TransformPoints(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<Vector3> rest(count), moved(count);
    for (int i = 0; i < count; ++i) {
        rest[i] = {0.01f * i, 1.0f, -0.02f * i};
    }
    Matrix4 m;
    const Vector3 angles{10.0f, 20.0f, 30.0f};
    EulerToMatrix(&angles, &m);
    m.m[3] = 1.0f;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            MatrixTransformPoint(&rest[i], &m, &moved[i]);
        }
        benchmark::DoNotOptimize(moved.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TransformPoints)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
