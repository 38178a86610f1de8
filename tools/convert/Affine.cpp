#include "convert/Affine.h"

#include <algorithm>
#include <cmath>

namespace convert {

Vec3 Add(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Scale(const Vec3& v, double s)
{
    return {v.x * s, v.y * s, v.z * s};
}
double Dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Normalized(const Vec3& v)
{
    double len = std::sqrt(Dot(v, v));
    return len > 0 ? Scale(v, 1.0 / len) : v;
}

double Dot(const Quat& a, const Quat& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Quat Normalized(const Quat& q)
{
    double len = std::sqrt(Dot(q, q));
    if (!(len > 0))
        return Quat{};
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Quat Multiply(const Quat& a, const Quat& b)
{
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Quat Conjugate(const Quat& q)
{
    return {-q.x, -q.y, -q.z, q.w};
}

Vec3 Rotate(const Quat& q, const Vec3& v)
{
    Quat r = Multiply(Multiply(q, Quat{v.x, v.y, v.z, 0}), Conjugate(q));
    return {r.x, r.y, r.z};
}

Quat Slerp(const Quat& a, Quat b, double t)
{
    double cosom = Dot(a, b);
    if (cosom < 0) {
        cosom = -cosom;
        b = {-b.x, -b.y, -b.z, -b.w};
    }
    double s0 = 1 - t, s1 = t;
    if (1 - cosom > 1e-9) {
        double omega = std::acos(std::min(cosom, 1.0));
        double sinom = std::sin(omega);
        s0 = std::sin((1 - t) * omega) / sinom;
        s1 = std::sin(t * omega) / sinom;
    }
    return Normalized(Quat{s0 * a.x + s1 * b.x, s0 * a.y + s1 * b.y, s0 * a.z + s1 * b.z, s0 * a.w + s1 * b.w});
}

Affine Multiply(const Affine& a, const Affine& b)
{
    Affine out;
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 4; ++k) {
            double v = a.m[4 * r] * b.m[k] + a.m[4 * r + 1] * b.m[4 + k] + a.m[4 * r + 2] * b.m[8 + k];
            if (k == 3)
                v += a.m[4 * r + 3];
            out.m[4 * r + k] = v;
        }
    }
    return out;
}

double Determinant(const Affine& a)
{
    const double* m = a.m;
    return m[0] * (m[5] * m[10] - m[6] * m[9]) - m[1] * (m[4] * m[10] - m[6] * m[8]) +
           m[2] * (m[4] * m[9] - m[5] * m[8]);
}

bool Inverse(const Affine& a, Affine* out)
{
    const double* m = a.m;
    double det = Determinant(a);
    double scale = 0;
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            scale = std::max(scale, std::fabs(m[4 * r + k]));
    if (!(std::fabs(det) > 1e-300) || std::fabs(det) <= 1e-14 * scale * scale * scale)
        return false;
    double inv[9] = {
        (m[5] * m[10] - m[6] * m[9]) / det, (m[2] * m[9] - m[1] * m[10]) / det, (m[1] * m[6] - m[2] * m[5]) / det,
        (m[6] * m[8] - m[4] * m[10]) / det, (m[0] * m[10] - m[2] * m[8]) / det, (m[2] * m[4] - m[0] * m[6]) / det,
        (m[4] * m[9] - m[5] * m[8]) / det,  (m[1] * m[8] - m[0] * m[9]) / det,  (m[0] * m[5] - m[1] * m[4]) / det,
    };
    Affine r;
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 3; ++k)
            r.m[4 * row + k] = inv[3 * row + k];
        r.m[4 * row + 3] = -(inv[3 * row] * m[3] + inv[3 * row + 1] * m[7] + inv[3 * row + 2] * m[11]);
    }
    *out = r;
    return true;
}

Vec3 TransformPoint(const Affine& a, const Vec3& p)
{
    const double* m = a.m;
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
}

Vec3 TransformVector(const Affine& a, const Vec3& v)
{
    const double* m = a.m;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
}

Vec3 TransformNormal(const Affine& a, const Vec3& n)
{
    Affine inv;
    if (!Inverse(a, &inv))
        return Normalized(TransformVector(a, n));
    // Inverse transpose: multiply by the columns of the inverse instead of its rows.
    const double* m = inv.m;
    return Normalized(Vec3{m[0] * n.x + m[4] * n.y + m[8] * n.z, m[1] * n.x + m[5] * n.y + m[9] * n.z,
                           m[2] * n.x + m[6] * n.y + m[10] * n.z});
}

Affine FromTrs(const Vec3& t, const Quat& rotation, const Vec3& s)
{
    Affine a = FromRigid(Rigid{rotation, t});
    for (int r = 0; r < 3; ++r) {
        a.m[4 * r] *= s.x;
        a.m[4 * r + 1] *= s.y;
        a.m[4 * r + 2] *= s.z;
    }
    return a;
}

Affine FromRigid(const Rigid& rigid)
{
    const Quat& q = rigid.rotation;
    double x2 = q.x + q.x, y2 = q.y + q.y, z2 = q.z + q.z;
    double xx = q.x * x2, xy = q.x * y2, xz = q.x * z2;
    double yy = q.y * y2, yz = q.y * z2, zz = q.z * z2;
    double wx = q.w * x2, wy = q.w * y2, wz = q.w * z2;
    Affine a;
    a.m[0] = 1 - (yy + zz), a.m[1] = xy - wz, a.m[2] = xz + wy, a.m[3] = rigid.translation.x;
    a.m[4] = xy + wz, a.m[5] = 1 - (xx + zz), a.m[6] = yz - wx, a.m[7] = rigid.translation.y;
    a.m[8] = xz - wy, a.m[9] = yz + wx, a.m[10] = 1 - (xx + yy), a.m[11] = rigid.translation.z;
    return a;
}

Affine Scaling(double s)
{
    Affine a;
    a.m[0] = a.m[5] = a.m[10] = s;
    return a;
}

Quat RotationToQuat(const double r[9])
{
    // Shepperd's method: divide by the largest of the four candidates.
    double trace = r[0] + r[4] + r[8];
    Quat q;
    if (trace > 0) {
        double s = std::sqrt(trace + 1.0) * 2;
        q = {(r[7] - r[5]) / s, (r[2] - r[6]) / s, (r[3] - r[1]) / s, 0.25 * s};
    } else if (r[0] > r[4] && r[0] > r[8]) {
        double s = std::sqrt(1.0 + r[0] - r[4] - r[8]) * 2;
        q = {0.25 * s, (r[1] + r[3]) / s, (r[2] + r[6]) / s, (r[7] - r[5]) / s};
    } else if (r[4] > r[8]) {
        double s = std::sqrt(1.0 + r[4] - r[0] - r[8]) * 2;
        q = {(r[1] + r[3]) / s, 0.25 * s, (r[5] + r[7]) / s, (r[2] - r[6]) / s};
    } else {
        double s = std::sqrt(1.0 + r[8] - r[0] - r[4]) * 2;
        q = {(r[2] + r[6]) / s, (r[5] + r[7]) / s, 0.25 * s, (r[3] - r[1]) / s};
    }
    return Normalized(q);
}

namespace {

double Det3(const double q[9])
{
    return q[0] * (q[4] * q[8] - q[5] * q[7]) - q[1] * (q[3] * q[8] - q[5] * q[6]) + q[2] * (q[3] * q[7] - q[4] * q[6]);
}

// The orthogonal factor of the polar decomposition (Higham's iteration).
bool PolarRotation(const double a[9], double q[9])
{
    std::copy(a, a + 9, q);
    for (int iteration = 0; iteration < 100; ++iteration) {
        double det = Det3(q);
        if (!(std::fabs(det) > 1e-300))
            return false;
        // Inverse transpose = cofactor matrix / det.
        double it[9] = {
            (q[4] * q[8] - q[5] * q[7]) / det, (q[5] * q[6] - q[3] * q[8]) / det, (q[3] * q[7] - q[4] * q[6]) / det,
            (q[2] * q[7] - q[1] * q[8]) / det, (q[0] * q[8] - q[2] * q[6]) / det, (q[1] * q[6] - q[0] * q[7]) / det,
            (q[1] * q[5] - q[2] * q[4]) / det, (q[2] * q[3] - q[0] * q[5]) / det, (q[0] * q[4] - q[1] * q[3]) / det,
        };
        double change = 0;
        for (int i = 0; i < 9; ++i) {
            double next = 0.5 * (q[i] + it[i]);
            change = std::max(change, std::fabs(next - q[i]));
            q[i] = next;
        }
        if (change < 1e-15)
            break;
    }
    return true;
}

} // namespace

bool RigidPart(const Affine& a, Rigid* out)
{
    double lin[9] = {a.m[0], a.m[1], a.m[2], a.m[4], a.m[5], a.m[6], a.m[8], a.m[9], a.m[10]};
    double scale = 0;
    for (double v : lin)
        scale = std::max(scale, std::fabs(v));
    double det = Det3(lin);
    if (!(scale > 0) || std::fabs(det) <= 1e-12 * scale * scale * scale)
        return false;
    if (det < 0)
        for (double& v : lin)
            v = -v;
    double q[9];
    if (!PolarRotation(lin, q))
        return false;
    out->rotation = RotationToQuat(q);
    out->translation = {a.m[3], a.m[7], a.m[11]};
    return true;
}

bool DecomposeTrs(const Affine& a, Vec3* t, Quat* r, Vec3* s)
{
    const double* m = a.m;
    double len[3];
    for (int k = 0; k < 3; ++k) {
        len[k] = std::sqrt(m[k] * m[k] + m[4 + k] * m[4 + k] + m[8 + k] * m[8 + k]);
        if (!(len[k] > 0))
            return false;
    }
    if (Determinant(a) < 0)
        len[0] = -len[0];
    double rot[9];
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3; ++k)
            rot[3 * row + k] = m[4 * row + k] / len[k];
    *t = {m[3], m[7], m[11]};
    *r = RotationToQuat(rot);
    *s = {len[0], len[1], len[2]};
    return true;
}

double MaxDifference(const Affine& a, const Affine& b)
{
    double d = 0;
    for (int i = 0; i < 12; ++i)
        d = std::max(d, std::fabs(a.m[i] - b.m[i]));
    return d;
}

} // namespace convert
