// Vector operations and angle wrapping.
#include "MathExpect.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(MathVector, ArithmeticAllowsOutputToBeAnInput)
{
    Vector3 a{1.0f, 2.0f, 3.0f};
    const Vector3 b{0.5f, -4.0f, 8.0f};
    VectorAdd(&a, &b, &a);
    ExpectVector(a, {1.5f, -2.0f, 11.0f});
    VectorSubtract(&a, &b, &a);
    ExpectVector(a, {1.0f, 2.0f, 3.0f});
    EXPECT_EQ(VectorDot(&a, &b), 0.5f - 8.0f + 24.0f);
    Vector3 c{};
    VectorCopy(&b, &c);
    ExpectVector(c, b);
}

TEST(MathVector, EqualUsesInclusiveDoubleToleranceOnEachComponent)
{
    // Just below the double 0.001; its float neighbour 0.001f is already above it.
    const float below = std::nextafter(0.001f, 0.0f);
    // No two floats differ by exactly the double 0.001, so the bound is probed from just below:
    // this pair's difference lies within 5e-12 of it, and taken in float it would round up to
    // 0.001f and fail.
    const float tiny = -6.39e-11f;
    ASSERT_LE(static_cast<double>(below) - tiny, 0.001);
    ASSERT_GT(static_cast<double>(below - tiny), 0.001);

    struct Case {
        Vector3 a, b;
        bool equal;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0.0009f, 0, 0}, true},        {{0, 0, 0}, {0.0011f, 0, 0}, false},
        {{0, 0, 0}, {0.001f, 0, 0}, false},        {{0, 0, 0}, {-0.001f, 0, 0}, false},
        {{0, 0, 0}, {below, -below, below}, true}, {{below, 0, 0}, {tiny, 0, 0}, true},
        {{5, 5, 5}, {5, 5.0011f, 5}, false},       {{5, 5, 5}, {5, 5, 4.9989f}, false},
        {{-2, 7, 1e6f}, {-2, 7, 1e6f}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VectorEqual(&c.a, &c.b), c.equal) << c.b.x << " " << c.b.y << " " << c.b.z;
        EXPECT_EQ(VectorEqual(&c.b, &c.a), c.equal);
    }
}

TEST(MathVector, NormalizeReturnsPreviousLength)
{
    Vector3 zero{0, 0, 0};
    EXPECT_EQ(VectorNormalize(&zero), 0.0f);
    ExpectVector(zero, {0, 0, 0});

    // Every component non-zero, so each must be divided.
    Vector3 v{3, -12, 4};
    EXPECT_EQ(VectorNormalize(&v), 13.0f);
    ExpectVector(v, {3.0f / 13.0f, -12.0f / 13.0f, 4.0f / 13.0f});

    // Squares beyond float range must not overflow the length.
    Vector3 big{-3e30f, 0, 4e30f};
    EXPECT_FLOAT_EQ(VectorNormalize(&big), 5e30f);
    ExpectVector(big, {-0.6f, 0.0f, 0.8f}, 1e-7f);
}

TEST(MathAngles, WrapStepsByWholeTurnsIntoHalfOpenRange)
{
    struct Case {
        float in, out;
    };
    const Case cases[] = {
        {kPi, -kPi},                                   // +π is outside [-π, π)
        {-kPi, -kPi},                                  // -π is inside
        {7.0f, 7.0f - kTwoPi},                         // one turn down
        {20.0f, ((20.0f - kTwoPi) - kTwoPi) - kTwoPi}, // turn by turn, rounded each step
        {-4.0f, -4.0f + kTwoPi},
        {-10.0f, (-10.0f + kTwoPi) + kTwoPi},
        {0.0f, 0.0f},
        {std::nextafter(kPi, 0.0f), std::nextafter(kPi, 0.0f)},
        {-1.5f, -1.5f},
        {3.0f, 3.0f},
    };
    for (const Case& c : cases) {
        Vector3 v{c.in, c.in, c.in};
        WrapAngles(&v);
        SCOPED_TRACE(c.in);
        ExpectVector(v, {c.out, c.out, c.out});
    }
    Vector3 mixed{kPi, -kPi, 7.0f};
    WrapAngles(&mixed);
    ExpectVector(mixed, {-kPi, -kPi, 7.0f - kTwoPi});
}

TEST(MathAngles, WrapTerminatesOnHugeAndNonFiniteInput)
{
    Vector3 v{std::numeric_limits<float>::quiet_NaN(), kInf, -kInf};
    WrapAngles(&v);
    EXPECT_TRUE(std::isnan(v.x) && std::isnan(v.y) && std::isnan(v.z));

    // From 2^27 on, a step of 2π no longer changes the float.
    const float huge[] = {FLT_MAX, -FLT_MAX, 1e30f, -3e9f, 134217728.0f, 5000.0f, -1025.0f};
    for (float in : huge) {
        Vector3 w{in, in, in};
        WrapAngles(&w);
        EXPECT_GE(w.x, -kPi) << in;
        EXPECT_LT(w.x, kPi) << in;
        EXPECT_EQ(w.x, w.z) << in;
        // Still a whole number of turns away from the input, up to the float's spacing there.
        const double turns = (static_cast<double>(in) - w.x) / kTwoPi;
        EXPECT_NEAR(turns, std::round(turns), 1e-3 + std::fabs(turns) * 1e-6) << in;
    }
}

} // namespace
