// Assertions on the math types shared by the Math*Test files. A tolerance of 0 means exact.
#pragma once

#include "orvex/math/MathLib.h"

#include <gtest/gtest.h>

inline void ExpectNearOrEqual(float got, float expected, float tolerance, const char* what)
{
    if (tolerance == 0.0f) {
        EXPECT_EQ(got, expected) << what;
    } else {
        EXPECT_NEAR(got, expected, tolerance) << what;
    }
}

inline void ExpectVector(const Vector3& v, Vector3 expected, float tolerance = 0.0f)
{
    ExpectNearOrEqual(v.x, expected.x, tolerance, "x");
    ExpectNearOrEqual(v.y, expected.y, tolerance, "y");
    ExpectNearOrEqual(v.z, expected.z, tolerance, "z");
}

inline void ExpectQuaternion(const Quaternion& q, Quaternion expected, float tolerance = 0.0f)
{
    ExpectNearOrEqual(q.x, expected.x, tolerance, "x");
    ExpectNearOrEqual(q.y, expected.y, tolerance, "y");
    ExpectNearOrEqual(q.z, expected.z, tolerance, "z");
    ExpectNearOrEqual(q.w, expected.w, tolerance, "w");
}

inline void ExpectMatrix(const Matrix4& m, const float (&expected)[12])
{
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(m.m[i], expected[i]) << "element " << i;
    }
}
