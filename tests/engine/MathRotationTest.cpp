// Euler angles, quaternions and the rotation blocks they build.
#include "MathExpect.h"

#include <cmath>

namespace {

constexpr float kHalfPi = 1.5707964f;
constexpr float kDegree = 0.017453292f;

// Column c of the rotation block: where the basis axis c goes.
Vector3 Column(const Matrix4& m, int c)
{
    return {m.m[c], m.m[4 + c], m.m[8 + c]};
}

void ExpectBlockNear(const Matrix4& a, const Matrix4& b, float tolerance)
{
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) {
        EXPECT_NEAR(a.m[i], b.m[i], tolerance) << "element " << i;
    }
}

Quaternion Normalized(float x, float y, float z, float w)
{
    const float len = std::sqrt(x * x + y * y + z * z + w * w);
    return {x / len, y / len, z / len, w / len};
}

TEST(MathRotation, PositiveAnglesTurnCounterClockwiseButAxisBuildersTurnBack)
{
    // Axis a by +90°: the next axis goes to the one after it (Y to Z about X, Z to X about Y,
    // X to Y about Z). The axis builders are transposed and turn the other way.
    struct Case {
        Vector3 radians;
        void (*axisBuilder)(float, Matrix4*);
        int from, to;
    };
    const Case cases[] = {
        {{kHalfPi, 0, 0}, MatrixRotationX, 1, 2},
        {{0, kHalfPi, 0}, MatrixRotationY, 2, 0},
        {{0, 0, kHalfPi}, MatrixRotationZ, 0, 1},
    };
    for (const Case& c : cases) {
        Quaternion q;
        EulerToQuaternion(&c.radians, &q);
        Matrix4 fromQuaternion{};
        QuaternionToMatrix(&q, &fromQuaternion);
        const Vector3 degrees{c.radians.x / kDegree, c.radians.y / kDegree, c.radians.z / kDegree};
        Matrix4 fromEuler;
        EulerToMatrix(&degrees, &fromEuler);
        Matrix4 axis;
        c.axisBuilder(kHalfPi, &axis);

        float e[3] = {0, 0, 0};
        e[c.to] = 1.0f;
        ExpectVector(Column(fromQuaternion, c.from), {e[0], e[1], e[2]}, 1e-6f);
        ExpectVector(Column(fromEuler, c.from), {e[0], e[1], e[2]}, 1e-6f);
        ExpectVector(Column(axis, c.from), {-e[0], -e[1], -e[2]}, 1e-6f);
    }
}

TEST(MathRotation, EulerQuaternionAndMatrixAgree)
{
    const Vector3 triples[] = {
        {0, 0, 0}, {30, 0, 0}, {0, -45, 0}, {0, 0, 120}, {10, 20, 30}, {-75, 33, 160}, {90, 90, 90}, {400, -200, 15},
    };
    for (const Vector3& degrees : triples) {
        SCOPED_TRACE(testing::Message() << degrees.x << " " << degrees.y << " " << degrees.z);
        const Vector3 radians{degrees.x * kDegree, degrees.y * kDegree, degrees.z * kDegree};
        Quaternion q;
        EulerToQuaternion(&radians, &q);
        EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0f, 1e-6f);
        Matrix4 fromQuaternion{};
        QuaternionToMatrix(&q, &fromQuaternion);

        Matrix4 euler, transposed;
        EulerToMatrix(&degrees, &euler);
        EulerToMatrixTransposed(&degrees, &transposed);
        ExpectBlockNear(fromQuaternion, euler, 2e-6f);

        // Rz·Ry·Rx from the (transposed) axis builders: X applies first.
        Matrix4 rx, ry, rz, zy, composed;
        MatrixRotationX(-radians.x, &rx);
        MatrixRotationY(-radians.y, &ry);
        MatrixRotationZ(-radians.z, &rz);
        MatrixMultiply(&rz, &ry, &zy);
        MatrixMultiply(&zy, &rx, &composed);
        ExpectBlockNear(composed, euler, 2e-6f);

        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(transposed.m[4 * r + c], euler.m[4 * c + r]);
            }
            EXPECT_EQ(euler.m[4 * r + 3], 0.0f);
            EXPECT_EQ(transposed.m[4 * r + 3], 0.0f);
        }
    }
}

TEST(MathRotation, QuaternionToMatrixLeavesTranslationUntouched)
{
    Matrix4 m{{7, 7, 7, 42, 7, 7, 7, 43, 7, 7, 7, 44}};
    const Quaternion identity{0, 0, 0, 1};
    QuaternionToMatrix(&identity, &m);
    ExpectMatrix(m, {1, 0, 0, 42, 0, 1, 0, 43, 0, 0, 1, 44});
}

TEST(MathRotation, SlerpEndpointsAndShorterArc)
{
    const Quaternion from = Normalized(0.1f, 0.2f, 0.3f, 0.9f);
    const Quaternion to = Normalized(-0.5f, 0.4f, 0.1f, 0.7f);
    const Quaternion opposite{-to.x, -to.y, -to.z, -to.w};
    const Quaternion identity{0, 0, 0, 1};
    Quaternion out;

    QuaternionSlerp(&from, &to, 0.0f, &out);
    ExpectQuaternion(out, from);
    QuaternionSlerp(&from, &to, 1.0f, &out);
    ExpectQuaternion(out, to);
    // from·opposite < 0: interpolate towards -opposite, which is to.
    QuaternionSlerp(&from, &opposite, 1.0f, &out);
    ExpectQuaternion(out, to);
    // Exactly half a turn apart (from·to = 0) both arcs are as long: the keys are taken as
    // given, so halfway from identity to 180° about X is +90° about X, not -90°.
    const Quaternion halfTurnX{1, 0, 0, 0};
    QuaternionSlerp(&identity, &halfTurnX, 0.5f, &out);
    ExpectQuaternion(out, {std::sin(kHalfPi / 2), 0, 0, std::cos(kHalfPi / 2)}, 1e-6f);

    // Halfway from identity to 90° about Z is 45° about Z, and stays unit length.
    const Quaternion quarter{0, 0, std::sin(kHalfPi / 2), std::cos(kHalfPi / 2)};
    QuaternionSlerp(&identity, &quarter, 0.5f, &out);
    EXPECT_NEAR(out.z, std::sin(kHalfPi / 4), 1e-6f);
    EXPECT_NEAR(out.w, std::cos(kHalfPi / 4), 1e-6f);

    // Output may be one of the inputs.
    Quaternion alias = from;
    QuaternionSlerp(&alias, &to, 1.0f, &alias);
    ExpectQuaternion(alias, to);
}

TEST(MathRotation, SlerpBlendsNearlyEqualQuaternionsLinearly)
{
    const Quaternion q = Normalized(0.3f, -0.2f, 0.5f, 0.8f);
    for (float t : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        Quaternion out;
        QuaternionSlerp(&q, &q, t, &out);
        ExpectQuaternion(out, q, 1e-7f);
    }

    // Half angles 0.12 and 0.16 about X put 1 - from·to at 0.0072 and 0.0128, either side of
    // the 0.01 threshold. A linear blend shortens the result, a spherical one keeps it unit length.
    const Quaternion identity{0, 0, 0, 1};
    struct Case {
        float halfAngle;
        bool linear;
    };
    for (const Case& c : {Case{0.12f, true}, Case{0.16f, false}}) {
        const Quaternion to{std::sin(c.halfAngle), 0, 0, std::cos(c.halfAngle)};
        Quaternion mid;
        QuaternionSlerp(&identity, &to, 0.5f, &mid);
        const float length = std::sqrt(mid.x * mid.x + mid.w * mid.w);
        if (c.linear) {
            EXPECT_FLOAT_EQ(mid.x, 0.5f * to.x);
            EXPECT_FLOAT_EQ(mid.w, 0.5f + 0.5f * to.w);
            EXPECT_LT(length, 1.0f - 1e-4f);
        } else {
            EXPECT_NEAR(length, 1.0f, 1e-6f);
            EXPECT_NEAR(mid.x, std::sin(c.halfAngle / 2), 1e-6f);
        }
    }
}

TEST(MathRotation, MatrixToQuaternionGivesInverseAndPicksLargestDiagonal)
{
    // The branch shows in the sign: the component it starts from comes out positive.
    struct Case {
        Quaternion q;
        int positive; // 3 = w (trace > 0), else the largest diagonal's axis
    };
    const Case cases[] = {
        {{0, 0, 0, 1}, 3},
        {Normalized(0.2f, -0.1f, 0.3f, 0.9f), 3},
        {Normalized(0.9f, 0.3f, -0.2f, 0.1f), 0},
        {Normalized(0.2f, -0.9f, 0.3f, 0.1f), 1},
        {Normalized(-0.1f, 0.3f, 0.9f, -0.2f), 2},
        {{1, 0, 0, 0}, 0},
        {{0, 1, 0, 0}, 1},
        {{0, 0, 1, 0}, 2},
    };
    for (const Case& c : cases) {
        Matrix4 m{};
        QuaternionToMatrix(&c.q, &m);
        Quaternion out;
        MatrixToQuaternion(&m, &out);
        const float conjugate[4] = {-c.q.x, -c.q.y, -c.q.z, c.q.w};
        const float got[4] = {out.x, out.y, out.z, out.w};
        const float sign = conjugate[c.positive] < 0.0f ? -1.0f : 1.0f;
        EXPECT_GT(got[c.positive], 0.0f) << "case " << (&c - cases);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(got[i], sign * conjugate[i], 1e-6f) << "case " << (&c - cases) << " component " << i;
        }
    }
}

TEST(MathRotation, MatrixToQuaternionTiesKeepLowerIndex)
{
    // 120° about (1, 1, 1): x to y, y to z, z to x. Diagonal all zero, trace 0: i = 0.
    Matrix4 cycle{{0, 0, 1, 9, 1, 0, 0, 9, 0, 1, 0, 9}};
    Quaternion out;
    MatrixToQuaternion(&cycle, &out);
    ExpectQuaternion(out, {0.5f, 0.5f, 0.5f, -0.5f});

    Matrix4 zero{};
    MatrixToQuaternion(&zero, &out);
    ExpectQuaternion(out, {0.5f, 0.0f, 0.0f, 0.0f});

    // m[5] ties m[0] and stays at i = 0; m[10] beats them and wins.
    Matrix4 tie{{-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, -1, 0}};
    MatrixToQuaternion(&tie, &out);
    ExpectQuaternion(out, {std::sqrt(2.0f) / 2.0f, 0.0f, 0.0f, 0.0f}, 1e-7f);
    tie.m[10] = -0.5f;
    MatrixToQuaternion(&tie, &out);
    ExpectQuaternion(out, {0.0f, 0.0f, std::sqrt(2.5f) / 2.0f, 0.0f}, 1e-7f);
}

} // namespace
