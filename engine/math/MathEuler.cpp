// Euler angles (X applied first, then Y, then Z) to quaternions and matrices.
#include "orvex/math/MathLib.h"

#include <cmath>

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

float Sin(float a)
{
    return static_cast<float>(std::sin(static_cast<double>(a)));
}

float Cos(float a)
{
    return static_cast<float>(std::cos(static_cast<double>(a)));
}

// The 3×3 block of Rz·Ry·Rx for angles in degrees, row-major.
void EulerRotation(const Vector3* degrees, float r[9])
{
    const float ax = degrees->x * kDegreesToRadians;
    const float ay = degrees->y * kDegreesToRadians;
    const float az = degrees->z * kDegreesToRadians;
    const float sx = Sin(ax), cx = Cos(ax);
    const float sy = Sin(ay), cy = Cos(ay);
    const float sz = Sin(az), cz = Cos(az);

    r[0] = cy * cz;
    r[1] = sx * sy * cz - cx * sz;
    r[2] = cx * sy * cz + sx * sz;
    r[3] = cy * sz;
    r[4] = sx * sy * sz + cx * cz;
    r[5] = cx * sy * sz - sx * cz;
    r[6] = -sy;
    r[7] = sx * cy;
    r[8] = cx * cy;
}

} // namespace

void EulerToQuaternion(const Vector3* radians, Quaternion* out)
{
    const float hx = radians->x * 0.5f;
    const float hy = radians->y * 0.5f;
    const float hz = radians->z * 0.5f;
    const float sx = Sin(hx), cx = Cos(hx);
    const float sy = Sin(hy), cy = Cos(hy);
    const float sz = Sin(hz), cz = Cos(hz);

    out->x = sx * cy * cz - cx * sy * sz;
    out->y = cx * sy * cz + sx * cy * sz;
    out->z = cx * cy * sz - sx * sy * cz;
    out->w = cx * cy * cz + sx * sy * sz;
}

void EulerToMatrix(const Vector3* degrees, Matrix4* out)
{
    float r[9];
    EulerRotation(degrees, r);
    float* m = out->m;
    m[0] = r[0], m[1] = r[1], m[2] = r[2], m[3] = 0.0f;
    m[4] = r[3], m[5] = r[4], m[6] = r[5], m[7] = 0.0f;
    m[8] = r[6], m[9] = r[7], m[10] = r[8], m[11] = 0.0f;
}

void EulerToMatrixTransposed(const Vector3* degrees, Matrix4* out)
{
    float r[9];
    EulerRotation(degrees, r);
    float* m = out->m;
    m[0] = r[0], m[1] = r[3], m[2] = r[6], m[3] = 0.0f;
    m[4] = r[1], m[5] = r[4], m[6] = r[7], m[7] = 0.0f;
    m[8] = r[2], m[9] = r[5], m[10] = r[8], m[11] = 0.0f;
}
