// Vector operations and angle wrapping.
#include "orvex/math/MathLib.h"

#include <cmath>
#include <limits>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
// Beyond this many radians the turn-by-turn loop gets slow, and from 2^27 on a step of 2π no
// longer changes the float at all, so larger angles are first reduced with an exact fmod.
constexpr float kStepLimit = 1024.0f;

float WrapAngle(float a)
{
    if (std::isnan(a)) {
        return a;
    }
    if (std::isinf(a)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (std::fabs(a) > kStepLimit) {
        a = static_cast<float>(std::fmod(static_cast<double>(a), static_cast<double>(kTwoPi)));
    }
    while (a >= kPi) {
        a -= kTwoPi;
    }
    while (a < -kPi) {
        a += kTwoPi;
    }
    return a;
}

} // namespace

void VectorCopy(const Vector3* src, Vector3* dst)
{
    dst->x = src->x;
    dst->y = src->y;
    dst->z = src->z;
}

void VectorAdd(const Vector3* a, const Vector3* b, Vector3* out)
{
    out->x = a->x + b->x;
    out->y = a->y + b->y;
    out->z = a->z + b->z;
}

void VectorSubtract(const Vector3* a, const Vector3* b, Vector3* out)
{
    out->x = a->x - b->x;
    out->y = a->y - b->y;
    out->z = a->z - b->z;
}

bool VectorEqual(const Vector3* a, const Vector3* b)
{
    // The bound is the double 0.001; differences are taken in double so that float rounding
    // cannot push a difference just under the bound onto 0.001f, which lies above it.
    constexpr double kTolerance = 0.001;
    if (std::fabs(static_cast<double>(a->x) - static_cast<double>(b->x)) > kTolerance) {
        return false;
    }
    if (std::fabs(static_cast<double>(a->y) - static_cast<double>(b->y)) > kTolerance) {
        return false;
    }
    if (std::fabs(static_cast<double>(a->z) - static_cast<double>(b->z)) > kTolerance) {
        return false;
    }
    return true;
}

float VectorNormalize(Vector3* v)
{
    // The sum of squares in double cannot overflow for any finite float vector.
    const double x = v->x;
    const double y = v->y;
    const double z = v->z;
    const float len = static_cast<float>(std::sqrt(x * x + y * y + z * z));
    if (len == 0.0f) {
        return 0.0f;
    }
    v->x /= len;
    v->y /= len;
    v->z /= len;
    return len;
}

float VectorDot(const Vector3* a, const Vector3* b)
{
    return a->x * b->x + a->y * b->y + a->z * b->z;
}

void WrapAngles(Vector3* angles)
{
    angles->x = WrapAngle(angles->x);
    angles->y = WrapAngle(angles->y);
    angles->z = WrapAngle(angles->z);
}
