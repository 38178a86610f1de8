#include "orvex/web/FixedFunctionMath.h"

#include <cmath>

GlMatrix Multiply(const GlMatrix& a, const GlMatrix& b)
{
    GlMatrix r;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.At(row, k) * b.At(k, column);
            r.m[column * 4 + row] = sum;
        }
    }
    return r;
}

GlMatrix FromColumnMajor(const float* values)
{
    GlMatrix r;
    for (int i = 0; i < 16; ++i)
        r.m[i] = values[i];
    return r;
}

GlMatrix Frustum(double l, double r, double b, double t, double n, double f)
{
    GlMatrix m;
    // clang-format off
    m.m = {static_cast<float>(2 * n / (r - l)), 0, 0, 0,
           0, static_cast<float>(2 * n / (t - b)), 0, 0,
           static_cast<float>((r + l) / (r - l)), static_cast<float>((t + b) / (t - b)),
           static_cast<float>(-(f + n) / (f - n)), -1,
           0, 0, static_cast<float>(-2 * f * n / (f - n)), 0};
    // clang-format on
    return m;
}

GlMatrix Ortho(double l, double r, double b, double t, double n, double f)
{
    GlMatrix m;
    // clang-format off
    m.m = {static_cast<float>(2 / (r - l)), 0, 0, 0,
           0, static_cast<float>(2 / (t - b)), 0, 0,
           0, 0, static_cast<float>(-2 / (f - n)), 0,
           static_cast<float>(-(r + l) / (r - l)), static_cast<float>(-(t + b) / (t - b)),
           static_cast<float>(-(f + n) / (f - n)), 1};
    // clang-format on
    return m;
}

GlMatrix Rotation(float degrees, float x, float y, float z)
{
    const double length = std::sqrt(double{x} * x + double{y} * y + double{z} * z);
    GlMatrix m;
    if (length == 0)
        return m;
    const double ux = x / length, uy = y / length, uz = z / length;
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians), k = 1 - c;
    // Rows of the rotation, stored by columns.
    const double rows[3][3] = {
        {ux * ux * k + c, ux * uy * k - uz * s, ux * uz * k + uy * s},
        {uy * ux * k + uz * s, uy * uy * k + c, uy * uz * k - ux * s},
        {uz * ux * k - uy * s, uz * uy * k + ux * s, uz * uz * k + c},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            m.m[column * 4 + row] = static_cast<float>(rows[row][column]);
    return m;
}

GlMatrix Translation(float x, float y, float z)
{
    GlMatrix m;
    m.m[12] = x, m.m[13] = y, m.m[14] = z;
    return m;
}

GlMatrix Scaling(float x, float y, float z)
{
    GlMatrix m;
    m.m[0] = x, m.m[5] = y, m.m[10] = z;
    return m;
}

std::array<float, 4> Transform(const GlMatrix& m, const std::array<float, 4>& v)
{
    std::array<float, 4> r{};
    for (int row = 0; row < 4; ++row)
        r[row] = m.At(row, 0) * v[0] + m.At(row, 1) * v[1] + m.At(row, 2) * v[2] + m.At(row, 3) * v[3];
    return r;
}

std::array<float, 9> NormalMatrix(const GlMatrix& mv)
{
    // a..i: the upper-left 3x3 by rows.
    const double a = mv.At(0, 0), b = mv.At(0, 1), c = mv.At(0, 2);
    const double d = mv.At(1, 0), e = mv.At(1, 1), f = mv.At(1, 2);
    const double g = mv.At(2, 0), h = mv.At(2, 1), i = mv.At(2, 2);
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    std::array<float, 9> n{};
    if (det == 0)
        return n;
    // The inverse transpose is the cofactor matrix over the determinant; stored by columns,
    // element [column * 3 + row] holds cofactor (row, column).
    const double cofactor[3][3] = {
        {e * i - f * h, -(d * i - f * g), d * h - e * g},
        {-(b * i - c * h), a * i - c * g, -(a * h - b * g)},
        {b * f - c * e, -(a * f - c * d), a * e - b * d},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            n[column * 3 + row] = static_cast<float>(cofactor[row][column] / det);
    return n;
}
