#include "orvex/scene/Skinning.h"

#include <cstddef>

// Every x86-64 processor has SSE2. AVX2 is asked for per function and chosen at run time;
// not on Windows, where GCC cannot keep 32-byte vectors spilled to the stack aligned.
// Other processors (i686 with x87 arithmetic, WebAssembly, ARM) take the plain loop.
#if defined(__x86_64__) || defined(_M_X64)
#define ORVEX_SKINNING_SSE2 1
#include <emmintrin.h>
#if defined(__GNUC__) && !defined(_WIN32)
#define ORVEX_SKINNING_AVX2 1
#include <immintrin.h>
#endif
#endif

// This file is compiled without contraction into fused multiply-adds (-ffp-contract=off),
// so the loop and the vector paths round every product and sum the same way.

void SkinVerticesScalar(const Matrix4* __restrict bones, const Vector3* __restrict rest,
                        const std::int32_t* __restrict nodes, MeshVertex* __restrict out, std::int32_t count)
{
    for (std::int32_t i = 0; i < count; ++i) {
        const float* m = bones[nodes[i]].m;
        const float x = rest[i].x;
        const float y = rest[i].y;
        const float z = rest[i].z;
        Vector3& position = out[i].position;
        position.x = m[0] * x + m[1] * y + m[2] * z + m[3];
        position.y = m[4] * x + m[5] * y + m[6] * z + m[7];
        position.z = m[8] * x + m[9] * y + m[10] * z + m[11];
    }
}

#if ORVEX_SKINNING_SSE2
namespace {

// The vector paths write the upper 16 bytes of a vertex record: the normal's z, then the
// position. Lane 0 carries the normal's z through unchanged.
static_assert(offsetof(MeshVertex, normal) + 3 * sizeof(float) == 20 && offsetof(MeshVertex, position) == 20 &&
              sizeof(MeshVertex) == 32);

// A bone's matrix as four columns (0, m[k], m[4 + k], m[8 + k]): the vertex's position is
// ((c0·x + c1·y) + c2·z) + c3, lane by lane the reference's order of operations.
struct BoneColumns {
    __m128 c0, c1, c2, c3;
};

inline BoneColumns LoadColumns(const Matrix4& bone)
{
    __m128 lane0 = _mm_setzero_ps();
    __m128 row0 = _mm_loadu_ps(bone.m);
    __m128 row1 = _mm_loadu_ps(bone.m + 4);
    __m128 row2 = _mm_loadu_ps(bone.m + 8);
    _MM_TRANSPOSE4_PS(lane0, row0, row1, row2);
    return {lane0, row0, row1, row2};
}

// `r` holds x, y, z of the rest position in its lanes 0 to 2.
inline void SkinOne(const BoneColumns& bone, __m128 r, MeshVertex& vertex)
{
    const __m128 x = _mm_shuffle_ps(r, r, 0x00);
    const __m128 y = _mm_shuffle_ps(r, r, 0x55);
    const __m128 z = _mm_shuffle_ps(r, r, 0xAA);
    const __m128 p = _mm_add_ps(
        _mm_add_ps(_mm_add_ps(_mm_mul_ps(bone.c0, x), _mm_mul_ps(bone.c1, y)), _mm_mul_ps(bone.c2, z)), bone.c3);
    float* upper = &vertex.normal.z;
    _mm_storeu_ps(upper, _mm_move_ss(p, _mm_loadu_ps(upper)));
}

// The last vertex's rest position, read without going past the array's end.
inline __m128 LoadLastRest(const Vector3& rest)
{
    return _mm_setr_ps(rest.x, rest.y, rest.z, 0.0f);
}

void SkinSse2(const Matrix4* bones, const Vector3* rest, const std::int32_t* nodes, MeshVertex* out, std::int32_t count)
{
    if (count <= 0)
        return;
    // Vertices come in runs on one bone: its columns are made once per run.
    std::int32_t bone = -1;
    BoneColumns columns{};
    for (std::int32_t i = 0; i < count; ++i) {
        if (nodes[i] != bone) {
            bone = nodes[i];
            columns = LoadColumns(bones[bone]);
        }
        // Sixteen bytes from rest[i] reach into rest[i + 1], which the last vertex has not.
        const __m128 r = i + 1 < count ? _mm_loadu_ps(&rest[i].x) : LoadLastRest(rest[i]);
        SkinOne(columns, r, out[i]);
    }
}

#if ORVEX_SKINNING_AVX2
// Two vertices at a time when they share a bone; one at a time where the bone changes.
__attribute__((target("avx2"))) void SkinAvx2(const Matrix4* bones, const Vector3* rest, const std::int32_t* nodes,
                                              MeshVertex* out, std::int32_t count)
{
    const __m256i pickX = _mm256_setr_epi32(0, 0, 0, 0, 3, 3, 3, 3);
    const __m256i pickY = _mm256_setr_epi32(1, 1, 1, 1, 4, 4, 4, 4);
    const __m256i pickZ = _mm256_setr_epi32(2, 2, 2, 2, 5, 5, 5, 5);
    std::int32_t bone = -1;
    BoneColumns columns{};
    __m256 c0 = _mm256_setzero_ps();
    __m256 c1 = c0;
    __m256 c2 = c0;
    __m256 c3 = c0;
    std::int32_t i = 0;
    // 32 bytes from rest[i] reach into rest[i + 2].
    while (i + 2 < count) {
        if (nodes[i] != bone) {
            bone = nodes[i];
            columns = LoadColumns(bones[bone]);
            c0 = _mm256_set_m128(columns.c0, columns.c0);
            c1 = _mm256_set_m128(columns.c1, columns.c1);
            c2 = _mm256_set_m128(columns.c2, columns.c2);
            c3 = _mm256_set_m128(columns.c3, columns.c3);
        }
        if (nodes[i + 1] != bone) {
            SkinOne(columns, _mm_loadu_ps(&rest[i].x), out[i]);
            ++i;
            continue;
        }
        const __m256 r = _mm256_loadu_ps(&rest[i].x);
        const __m256 x = _mm256_permutevar8x32_ps(r, pickX);
        const __m256 y = _mm256_permutevar8x32_ps(r, pickY);
        const __m256 z = _mm256_permutevar8x32_ps(r, pickZ);
        const __m256 p = _mm256_add_ps(
            _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(c0, x), _mm256_mul_ps(c1, y)), _mm256_mul_ps(c2, z)), c3);
        float* first = &out[i].normal.z;
        float* second = &out[i + 1].normal.z;
        const __m256 kept = _mm256_set_m128(_mm_loadu_ps(second), _mm_loadu_ps(first));
        const __m256 merged = _mm256_blend_ps(kept, p, 0xEE); // lanes 0 and 4 keep the normals' z
        _mm_storeu_ps(first, _mm256_castps256_ps128(merged));
        _mm_storeu_ps(second, _mm256_extractf128_ps(merged, 1));
        i += 2;
    }
    for (; i < count; ++i) {
        if (nodes[i] != bone) {
            bone = nodes[i];
            columns = LoadColumns(bones[bone]);
        }
        const __m128 r = i + 1 < count ? _mm_loadu_ps(&rest[i].x) : LoadLastRest(rest[i]);
        SkinOne(columns, r, out[i]);
    }
}
#endif

} // namespace
#endif

namespace {

using SkinFunction = void (*)(const Matrix4*, const Vector3*, const std::int32_t*, MeshVertex*, std::int32_t);

SkinningPath FastestPath()
{
#if ORVEX_SKINNING_AVX2
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return SkinningPath::Avx2;
#endif
#if ORVEX_SKINNING_SSE2
    return SkinningPath::Sse2;
#else
    return SkinningPath::Scalar;
#endif
}

SkinFunction FunctionOf(SkinningPath path)
{
    switch (path) {
#if ORVEX_SKINNING_AVX2
    case SkinningPath::Avx2:
        return SkinAvx2;
#endif
#if ORVEX_SKINNING_SSE2
    case SkinningPath::Sse2:
        return SkinSse2;
#endif
    default:
        return SkinVerticesScalar;
    }
}

// The program's choice, made on first use.
bool pathChosen = false;
SkinningPath chosenPath = SkinningPath::Scalar;
SkinFunction chosenFunction = SkinVerticesScalar;

void Choose(SkinningPath path)
{
    chosenPath = path;
    chosenFunction = FunctionOf(path);
    pathChosen = true;
}

} // namespace

bool SkinningPathAvailable(SkinningPath path)
{
    switch (path) {
    case SkinningPath::Scalar:
        return true;
    case SkinningPath::Sse2:
        return FastestPath() != SkinningPath::Scalar;
    case SkinningPath::Avx2:
        return FastestPath() == SkinningPath::Avx2;
    }
    return false;
}

SkinningPath GetSkinningPath()
{
    if (!pathChosen)
        Choose(FastestPath());
    return chosenPath;
}

bool SetSkinningPath(SkinningPath path)
{
    if (!SkinningPathAvailable(path))
        return false;
    Choose(path);
    return true;
}

const char* SkinningPathName(SkinningPath path)
{
    switch (path) {
    case SkinningPath::Scalar:
        return "scalar";
    case SkinningPath::Sse2:
        return "sse2";
    case SkinningPath::Avx2:
        return "avx2";
    }
    return "scalar";
}

void SkinVertices(const Matrix4* bones, const Vector3* rest, const std::int32_t* nodes, MeshVertex* out,
                  std::int32_t count)
{
    if (!pathChosen)
        Choose(FastestPath());
    chosenFunction(bones, rest, nodes, out, count);
}
