// Double-precision transform math for the converter: the content model keeps source
// transforms exactly, and only the final file records are rounded to float.
//
// Conventions match the engine's: column vectors, an affine matrix stored as three rows of
// four (translation in the last column, bottom row 0 0 0 1 implied), quaternions x, y, z, w.
#pragma once

namespace convert {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Quat {
    double x = 0, y = 0, z = 0, w = 1;
};

struct Affine {
    double m[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
};

// A proper rotation followed by a translation: what a node of the file can hold.
struct Rigid {
    Quat rotation;
    Vec3 translation;
};

Vec3 Add(const Vec3& a, const Vec3& b);
Vec3 Scale(const Vec3& v, double s);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Normalized(const Vec3& v); // (0, 0, 0) stays (0, 0, 0)

double Dot(const Quat& a, const Quat& b);
Quat Normalized(const Quat& q); // a zero quaternion becomes the identity
Quat Multiply(const Quat& a, const Quat& b);
Quat Conjugate(const Quat& q);
Vec3 Rotate(const Quat& q, const Vec3& v); // q must be unit length
// Spherical interpolation along the shorter arc; t = 0 gives a.
Quat Slerp(const Quat& a, Quat b, double t);

Affine Multiply(const Affine& a, const Affine& b);
// False (out untouched) when the linear part is singular.
bool Inverse(const Affine& a, Affine* out);
double Determinant(const Affine& a);
Vec3 TransformPoint(const Affine& a, const Vec3& p);
Vec3 TransformVector(const Affine& a, const Vec3& v);
// Transforms a normal by the inverse transpose of the linear part and normalises it.
Vec3 TransformNormal(const Affine& a, const Vec3& n);

Affine FromTrs(const Vec3& t, const Quat& r, const Vec3& s);
Affine FromRigid(const Rigid& r);
Affine Scaling(double s);
// Rotation matrix to unit quaternion; the matrix must be a proper rotation.
Quat RotationToQuat(const double r[9]);
// Splits the matrix into the rotation of its polar decomposition and its translation, so
// that a = FromRigid(out) * stretch with stretch symmetric. A mirroring matrix gives the
// rotation of -a's linear part (the mirror stays in the stretch). False when the linear
// part is singular; out is then untouched.
bool RigidPart(const Affine& a, Rigid* out);
// Translation, rotation and scale of a matrix without shear (negative determinant puts the
// sign into the x scale). False when the linear part is singular.
bool DecomposeTrs(const Affine& a, Vec3* t, Quat* r, Vec3* s);

// Largest absolute element difference of two matrices.
double MaxDifference(const Affine& a, const Affine& b);

} // namespace convert
