// The matrices of the fixed-function layer: 4x4, column-major as GL keeps them (element
// [column * 4 + row]), built the way the GL 1.1 matrix commands define them.
#pragma once

#include <array>

struct GlMatrix {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float At(int row, int column) const { return m[column * 4 + row]; }
    bool operator==(const GlMatrix& other) const = default;
};

// a x b: what glMultMatrix(b) makes of a current matrix a.
GlMatrix Multiply(const GlMatrix& a, const GlMatrix& b);
GlMatrix FromColumnMajor(const float* values);

// The matrices of glFrustum, glOrtho, glRotatef (degrees about an axis that need not be of
// unit length; a zero axis gives the identity), glTranslatef and glScalef.
GlMatrix Frustum(double left, double right, double bottom, double top, double zNear, double zFar);
GlMatrix Ortho(double left, double right, double bottom, double top, double zNear, double zFar);
GlMatrix Rotation(float degrees, float x, float y, float z);
GlMatrix Translation(float x, float y, float z);
GlMatrix Scaling(float x, float y, float z);

// m x (x, y, z, w).
std::array<float, 4> Transform(const GlMatrix& m, const std::array<float, 4>& v);

// The matrix normals are carried into eye space with: the inverse transpose of the upper-left
// 3x3 of the modelview matrix, column-major. A singular matrix gives zeros.
std::array<float, 9> NormalMatrix(const GlMatrix& modelView);
