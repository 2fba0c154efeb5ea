// The one small vector kit of the program: 3-vectors and 3x3 matrices of
// doubles, for the modern theory and the phenomena geometry.
#pragma once

#include <array>
#include <cmath>

namespace zeno {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;   // rows

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vec3 operator*(double k, const Vec3& a) { return {k * a[0], k * a[1], k * a[2]}; }
inline double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double norm(const Vec3& a) { return std::sqrt(dot(a, a)); }
inline Vec3 unit(const Vec3& a) { return (1 / norm(a)) * a; }
inline Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline Vec3 times(const Mat3& m, const Vec3& v) { return {dot(m[0], v), dot(m[1], v), dot(m[2], v)}; }
// Rotation of the frame about x (ERFA's R1), radians.
inline Mat3 rot1(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    return Mat3{{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

} // namespace zeno
