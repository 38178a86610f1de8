// Affine 3×4 matrices: construction, composition, point transformation and the hand-off to OpenGL.
#include "orvex/math/MathLib.h"

#include "orvex/render/GlApi.h"

#include <cmath>

namespace {

float Sin(float a)
{
    return static_cast<float>(std::sin(static_cast<double>(a)));
}

float Cos(float a)
{
    return static_cast<float>(std::cos(static_cast<double>(a)));
}

void SetRows(Matrix4* out, float r0, float r1, float r2, float r4, float r5, float r6, float r8, float r9, float r10)
{
    float* m = out->m;
    m[0] = r0, m[1] = r1, m[2] = r2, m[3] = 0.0f;
    m[4] = r4, m[5] = r5, m[6] = r6, m[7] = 0.0f;
    m[8] = r8, m[9] = r9, m[10] = r10, m[11] = 0.0f;
}

} // namespace

void MatrixCopy(const Matrix4* src, Matrix4* dst)
{
    for (int i = 0; i < 12; ++i) {
        dst->m[i] = src->m[i];
    }
}

void MatrixIdentity(Matrix4* m)
{
    SetRows(m, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f);
}

void MatrixTranslation(const Vector3* t, Matrix4* out)
{
    MatrixIdentity(out);
    out->m[3] = t->x;
    out->m[7] = t->y;
    out->m[11] = t->z;
}

void MatrixScaling(const Vector3* s, Matrix4* out)
{
    SetRows(out, s->x, 0.0f, 0.0f, 0.0f, s->y, 0.0f, 0.0f, 0.0f, s->z);
}

// The axis rotations are stored transposed: with column vectors they turn by -a.
void MatrixRotationX(float radians, Matrix4* out)
{
    const float sa = Sin(radians), ca = Cos(radians);
    SetRows(out, 1.0f, 0.0f, 0.0f, 0.0f, ca, sa, 0.0f, -sa, ca);
}

void MatrixRotationY(float radians, Matrix4* out)
{
    const float sa = Sin(radians), ca = Cos(radians);
    SetRows(out, ca, 0.0f, -sa, 0.0f, 1.0f, 0.0f, sa, 0.0f, ca);
}

void MatrixRotationZ(float radians, Matrix4* out)
{
    const float sa = Sin(radians), ca = Cos(radians);
    SetRows(out, ca, sa, 0.0f, -sa, ca, 0.0f, 0.0f, 0.0f, 1.0f);
}

void MatrixMultiply(const Matrix4* a, const Matrix4* b, Matrix4* out)
{
    const float* x = a->m;
    const float* y = b->m;
    float* o = out->m;
    for (int r = 0; r < 3; ++r) {
        const float* row = x + 4 * r;
        for (int k = 0; k < 3; ++k) {
            o[4 * r + k] = row[0] * y[k] + row[1] * y[4 + k] + row[2] * y[8 + k];
        }
        // b's implied bottom row (0 0 0 1) adds a's own translation.
        o[4 * r + 3] = row[0] * y[3] + row[1] * y[7] + row[2] * y[11] + row[3];
    }
}

void MatrixMultiplyGL(const Matrix4* m)
{
    const float* s = m->m;
    const GLfloat columns[16] = {
        s[0], s[4], s[8],  0.0f, //
        s[1], s[5], s[9],  0.0f, //
        s[2], s[6], s[10], 0.0f, //
        s[3], s[7], s[11], 1.0f,
    };
    if (gl.glMultMatrixf != nullptr) {
        gl.glMultMatrixf(columns);
    }
}

void MatrixTransformPoint(const Vector3* p, const Matrix4* matrix, Vector3* out)
{
    const float* m = matrix->m;
    out->x = p->x * m[0] + p->y * m[1] + p->z * m[2] + m[3];
    out->y = p->x * m[4] + p->y * m[5] + p->z * m[6] + m[7];
    out->z = p->x * m[8] + p->y * m[9] + p->z * m[10] + m[11];
}
