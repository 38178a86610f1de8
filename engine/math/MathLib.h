/// @file
/// Vector, quaternion and affine-matrix math: plain value types and free functions over them.
///
/// Every argument is a pointer (scalars excepted), inputs first, output last. Values are stored
/// in single precision; sqrt, sin, cos and acos are evaluated in double and rounded to float.
///
/// Outputs are written component by component while the inputs are still being read, so
/// MatrixMultiply and MatrixTransformPoint need an output distinct from every input. The vector
/// functions, MatrixCopy and QuaternionSlerp may write into one of their inputs.
#pragma once

#include <type_traits>

/// Files store the three floats in this order. Euler angles keep the X rotation in x, Y in y, Z in z.
struct Vector3 {
    /// @{
    /// The components.
    float x, y, z;
    /// @}
};

/// Scalar part last. A rotation by a about unit axis n is (n·sin(a/2), cos(a/2)).
/// Nothing here normalises a quaternion; callers keep them unit length.
struct Quaternion {
    /// @{
    /// The vector part x, y, z and the scalar w.
    float x, y, z, w;
    /// @}
};

/// Affine transform, three rows of four, row-major: row r is m[4r]..m[4r+3]. Columns 0-2 are
/// the linear part, column 3 (m[3], m[7], m[11]) the translation; the bottom row (0 0 0 1) is
/// implied. Points are column vectors: p' = M·(p, 1). Not an identity until MatrixIdentity.
struct Matrix4 {
    /// The three rows, four values each.
    float m[12];
};

static_assert(sizeof(Vector3) == 12 && std::is_trivial_v<Vector3> && std::is_standard_layout_v<Vector3>);
static_assert(sizeof(Quaternion) == 16 && std::is_trivial_v<Quaternion> && std::is_standard_layout_v<Quaternion>);
static_assert(sizeof(Matrix4) == 48 && std::is_trivial_v<Matrix4> && std::is_standard_layout_v<Matrix4>);

// ---- Vectors ----

/// dst = src.
void VectorCopy(const Vector3* src, Vector3* dst);
/// out = a + b.
void VectorAdd(const Vector3* a, const Vector3* b, Vector3* out);
/// out = a - b.
void VectorSubtract(const Vector3* a, const Vector3* b, Vector3* out);
/// True when every component differs by at most the double 0.001 (inclusive), the differences
/// taken in double. Note 0.001f lies just above that bound.
bool VectorEqual(const Vector3* a, const Vector3* b);
/// Scales v to unit length and returns the length it had; a zero vector is left alone and gives 0.
float VectorNormalize(Vector3* v);
/// The dot product a·b.
float VectorDot(const Vector3* a, const Vector3* b);
/// Brings each component into [-π, π) by whole turns of the single-precision 2π: +π becomes -π,
/// -π stays. NaN stays NaN; an infinite component becomes NaN.
void WrapAngles(Vector3* angles);

// ---- Euler angles ----

/// Radians. qZ·qY·qX: X applies first, then Y, then Z.
void EulerToQuaternion(const Vector3* radians, Quaternion* out);
/// Degrees. Rz·Ry·Rx with translation 0; all twelve values written.
void EulerToMatrix(const Vector3* degrees, Matrix4* out);
/// Degrees. The transpose (inverse) of EulerToMatrix's rotation, translation 0.
void EulerToMatrixTransposed(const Vector3* degrees, Matrix4* out);

// ---- Quaternions ----

/// Spherical interpolation along the shorter arc; t = 0 gives from. Nearly equal quaternions
/// (1 - |from·to| <= 0.01) are blended linearly. The result is not renormalised.
void QuaternionSlerp(const Quaternion* from, const Quaternion* to, float t, Quaternion* out);
/// Writes only the 3×3 rotation block; the translation column m[3], m[7], m[11] is untouched.
void QuaternionToMatrix(const Quaternion* q, Matrix4* out);
/// Reads the rotation block. For the matrix of a unit quaternion q it yields q's conjugate
/// (or its negation): the inverse rotation.
void MatrixToQuaternion(const Matrix4* m, Quaternion* out);

// ---- Matrices ----

/// dst = src.
void MatrixCopy(const Matrix4* src, Matrix4* dst);
/// The identity: no rotation, no translation.
void MatrixIdentity(Matrix4* m);
/// A move by t: identity rotation, translation t.
void MatrixTranslation(const Vector3* t, Matrix4* out);
/// A scale by s.x, s.y, s.z along the axes, translation 0.
void MatrixScaling(const Vector3* s, Matrix4* out);
/// Radians. These are the transposes of the right-handed axis rotations: in the column-vector
/// convention they rotate by -a.
/// @{
void MatrixRotationX(float radians, Matrix4* out);
void MatrixRotationY(float radians, Matrix4* out);
void MatrixRotationZ(float radians, Matrix4* out);
/// @}
/// out = a·b (b applies first). out must not be a or b.
void MatrixMultiply(const Matrix4* a, const Matrix4* b, Matrix4* out);
/// Multiplies the current OpenGL matrix by m, handed over column-major. Selects no matrix mode;
/// needs the thread holding the current context. Does nothing while no driver is loaded.
void MatrixMultiplyGL(const Matrix4* m);
/// out = m·(p, 1). out must not be p.
void MatrixTransformPoint(const Vector3* p, const Matrix4* m, Vector3* out);
