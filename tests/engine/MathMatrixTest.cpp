// Matrix construction, composition, point transformation and the hand-off to OpenGL.
#include "MathExpect.h"

#include "orvex/render/GlApi.h"

#include <cmath>

namespace {

constexpr float kMarker = 42.0f;

Matrix4 Marked()
{
    Matrix4 m;
    for (float& value : m.m) {
        value = kMarker;
    }
    return m;
}

TEST(MathMatrix, BuildersWriteAllTwelveValues)
{
    const Vector3 t{1, 2, 3};
    const Vector3 s{4, 5, 6};
    Matrix4 m = Marked();
    MatrixIdentity(&m);
    ExpectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0});
    m = Marked();
    MatrixTranslation(&t, &m);
    ExpectMatrix(m, {1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3});
    m = Marked();
    MatrixScaling(&s, &m);
    ExpectMatrix(m, {4, 0, 0, 0, 0, 5, 0, 0, 0, 0, 6, 0});

    // sin and cos of 0.5 rounded to float.
    const float sa = static_cast<float>(std::sin(0.5)), ca = static_cast<float>(std::cos(0.5));
    m = Marked();
    MatrixRotationX(0.5f, &m);
    ExpectMatrix(m, {1, 0, 0, 0, 0, ca, sa, 0, 0, -sa, ca, 0});
    m = Marked();
    MatrixRotationY(0.5f, &m);
    ExpectMatrix(m, {ca, 0, -sa, 0, 0, 1, 0, 0, sa, 0, ca, 0});
    m = Marked();
    MatrixRotationZ(0.5f, &m);
    ExpectMatrix(m, {ca, sa, 0, 0, -sa, ca, 0, 0, 0, 0, 1, 0});

    const Vector3 degrees{10, 20, 30};
    for (auto build : {EulerToMatrix, EulerToMatrixTransposed}) {
        m = Marked();
        build(&degrees, &m);
        for (float value : m.m) {
            EXPECT_NE(value, kMarker);
        }
    }

    Matrix4 copy = Marked();
    const Matrix4 source{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    MatrixCopy(&source, &copy);
    ExpectMatrix(copy, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
}

TEST(MathMatrix, TransformPointAppliesRowsAndTranslation)
{
    const Matrix4 m{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    const Vector3 p{1, -1, 2};
    Vector3 out;
    MatrixTransformPoint(&p, &m, &out);
    ExpectVector(out, {1 - 2 + 6 + 4.0f, 5 - 6 + 14 + 8.0f, 9 - 10 + 22 + 12.0f});
}

TEST(MathMatrix, MultiplyComposesTranslationAndAppliesRightOperandFirst)
{
    const Matrix4 a{{0, -2, 0, 5, 1, 0, 0, 6, 0, 0, 3, 7}};
    const Vector3 t{1, 2, 3};
    Matrix4 b, out = Marked();
    MatrixTranslation(&t, &b);
    MatrixMultiply(&a, &b, &out);
    // a's block unchanged; translation = a's block · t + a's translation.
    ExpectMatrix(out, {0, -2, 0, -4 + 5.0f, 1, 0, 0, 1 + 6.0f, 0, 0, 3, 9 + 7.0f});

    // Move along X, then turn +90° about Z (the transposed builder with -90°): b first.
    Matrix4 move, turn, composed;
    const Vector3 step{1, 0, 0};
    MatrixTranslation(&step, &move);
    MatrixRotationZ(-1.5707964f, &turn);
    MatrixMultiply(&move, &turn, &composed);
    const Vector3 p{1, 0, 0};
    Vector3 viaComposed, turned, viaSteps;
    MatrixTransformPoint(&p, &composed, &viaComposed);
    MatrixTransformPoint(&p, &turn, &turned);
    MatrixTransformPoint(&turned, &move, &viaSteps);
    ExpectVector(viaComposed, {1.0f, 1.0f, 0.0f}, 1e-6f);
    ExpectVector(viaComposed, viaSteps);
}

// Records what reaches glMultMatrixf; the previous slot is put back on scope exit.
struct MultMatrixRecorder {
    static inline int calls = 0;
    static inline float last[16] = {};
    decltype(gl.glMultMatrixf) saved = gl.glMultMatrixf;

    static void ORVEX_GL_APIENTRY Record(const GLfloat* m)
    {
        ++calls;
        for (int i = 0; i < 16; ++i) {
            last[i] = m[i];
        }
    }

    MultMatrixRecorder()
    {
        calls = 0;
        gl.glMultMatrixf = Record;
    }
    ~MultMatrixRecorder() { gl.glMultMatrixf = saved; }
};

TEST(MathMatrix, MultiplyGLHandsOverColumnMajorArray)
{
    const Matrix4 m{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    {
        MultMatrixRecorder recorder;
        MatrixMultiplyGL(&m);
        ASSERT_EQ(MultMatrixRecorder::calls, 1);
        const float expected[16] = {1, 5, 9, 0, 2, 6, 10, 0, 3, 7, 11, 0, 4, 8, 12, 1};
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(MultMatrixRecorder::last[i], expected[i]) << "element " << i;
        }
    }
    // Without a loaded driver the call is dropped, not made through a null slot.
    auto saved = gl.glMultMatrixf;
    gl.glMultMatrixf = nullptr;
    MatrixMultiplyGL(&m);
    gl.glMultMatrixf = saved;
}

} // namespace
