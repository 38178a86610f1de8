// Quaternion interpolation and conversion to and from rotation matrices.
#include "orvex/math/MathLib.h"

#include <cmath>

void QuaternionSlerp(const Quaternion* from, const Quaternion* to, float t, Quaternion* out)
{
    // Local copies: out may be from or to.
    const Quaternion a = *from;
    Quaternion b = *to;

    float cosom = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (cosom < 0.0f) {
        // q and -q are the same rotation; going to -to takes the shorter arc.
        cosom = -cosom;
        b = {-b.x, -b.y, -b.z, -b.w};
    }

    float scale0;
    float scale1;
    if (1.0f - cosom > 0.01f) {
        const float omega = static_cast<float>(std::acos(static_cast<double>(cosom)));
        const float sinom = static_cast<float>(std::sin(static_cast<double>(omega)));
        scale0 = static_cast<float>(std::sin(static_cast<double>((1.0f - t) * omega))) / sinom;
        scale1 = static_cast<float>(std::sin(static_cast<double>(t * omega))) / sinom;
    } else {
        // So close that sin(omega) would be tiny: blend linearly.
        scale0 = 1.0f - t;
        scale1 = t;
    }

    out->x = scale0 * a.x + scale1 * b.x;
    out->y = scale0 * a.y + scale1 * b.y;
    out->z = scale0 * a.z + scale1 * b.z;
    out->w = scale0 * a.w + scale1 * b.w;
}

void QuaternionToMatrix(const Quaternion* q, Matrix4* out)
{
    const float x2 = q->x + q->x;
    const float y2 = q->y + q->y;
    const float z2 = q->z + q->z;
    const float xx = q->x * x2, xy = q->x * y2, xz = q->x * z2;
    const float yy = q->y * y2, yz = q->y * z2, zz = q->z * z2;
    const float wx = q->w * x2, wy = q->w * y2, wz = q->w * z2;

    // m[3], m[7] and m[11] belong to the caller: the scene fills the translation itself.
    float* m = out->m;
    m[0] = 1.0f - (yy + zz);
    m[1] = xy - wz;
    m[2] = xz + wy;
    m[4] = xy + wz;
    m[5] = 1.0f - (xx + zz);
    m[6] = yz - wx;
    m[8] = xz - wy;
    m[9] = yz + wx;
    m[10] = 1.0f - (xx + yy);
}

void MatrixToQuaternion(const Matrix4* matrix, Quaternion* out)
{
    const float* m = matrix->m;
    const float trace = m[0] + m[5] + m[10];

    if (trace > 0.0f) {
        float s = static_cast<float>(std::sqrt(static_cast<double>(trace + 1.0f)));
        out->w = s / 2.0f;
        s = 0.5f / s;
        out->x = (m[6] - m[9]) * s;
        out->y = (m[8] - m[2]) * s;
        out->z = (m[1] - m[4]) * s;
        return;
    }

    // Work from the largest diagonal element, which keeps s well away from zero.
    auto at = [m](int row, int column) { return m[4 * row + column]; };
    constexpr int kNext[3] = {1, 2, 0};
    int i = 0;
    if (m[5] > m[0]) {
        i = 1;
    }
    if (m[10] > at(i, i)) {
        i = 2;
    }
    const int j = kNext[i];
    const int k = kNext[j];

    float q[4];
    float s = static_cast<float>(std::sqrt(static_cast<double>((at(i, i) - (at(j, j) + at(k, k))) + 1.0f)));
    q[i] = s / 2.0f;
    if (s != 0.0f) {
        s = 0.5f / s;
    }
    q[3] = (at(j, k) - at(k, j)) * s;
    q[j] = (at(i, j) + at(j, i)) * s;
    q[k] = (at(i, k) + at(k, i)) * s;

    out->x = q[0];
    out->y = q[1];
    out->z = q[2];
    out->w = q[3];
}
