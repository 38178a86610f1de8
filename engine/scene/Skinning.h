/// @file
/// Rigid skinning of a mesh's vertices: each vertex follows one bone with full weight. The
/// plain loop is the reference; on x86-64 the same arithmetic runs on the vector units (SSE2
/// everywhere, AVX2 where the processor has it), chosen once at run time, with results equal
/// to the reference's bit for bit.
#pragma once

#include "orvex/math/MathLib.h"
#include "orvex/scene/SceneElements.h"

#include <cstdint>

/// The ways SkinVertices can run.
enum class SkinningPath {
    Scalar, ///< the plain loop, one vertex at a time: the reference
    Sse2,   ///< on SSE2, which every x86-64 has
    Avx2,   ///< on AVX2, where the processor has it
};

/// For i below `count`: the position of out[i] = bones[nodes[i]] applied to rest[i]; texture
/// coordinates and normals stay as they are. Every node index must name a bone.
void SkinVertices(const Matrix4* bones, const Vector3* rest, const std::int32_t* nodes, MeshVertex* out,
                  std::int32_t count);
/// The reference, one vertex at a time, whatever path is chosen.
void SkinVerticesScalar(const Matrix4* bones, const Vector3* rest, const std::int32_t* nodes, MeshVertex* out,
                        std::int32_t count);

/// Whether this build and this processor can take `path` (Scalar always can).
bool SkinningPathAvailable(SkinningPath path);
/// The path SkinVertices takes: the fastest available unless SetSkinningPath chose another.
SkinningPath GetSkinningPath();
/// Chooses the path (tests and benchmarks compare them); false, changing nothing, when it is
/// not available.
bool SetSkinningPath(SkinningPath path);
/// "scalar", "sse2" or "avx2".
const char* SkinningPathName(SkinningPath path);
