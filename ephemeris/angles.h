// Degrees and radians as the theory converts them. The factors are the
// theory's own rounded values, not pi / 180: every result depends on them to
// the last bit, so they are written here once for the ephemeris and the
// phenomenon tests.
#pragma once

#include <cmath>

namespace zeno {

constexpr double kDegToRad = 0.01745329252;        // at every sine and cosine
constexpr double kDoubleDegToRad = 0.03490658504;  // doubled differences of satellite angles
constexpr double kRadToDeg = 57.29577951;          // after the one arc tangent

// Sine and cosine of an angle in degrees, never reduced to one turn first.
inline double sind(double deg) { return std::sin(deg * kDegToRad); }
inline double cosd(double deg) { return std::cos(deg * kDegToRad); }

} // namespace zeno
