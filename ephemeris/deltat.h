// Delta T = TT - UT for the modern theory (the original theory keeps its own
// polynomial in ephemeride.cpp).
#pragma once

namespace zeno {

// Seconds, for a decimal year (2000.0 = 1 January 2000). From 1620 to 2026:
// observed values at the start of even years (Meeus, Astronomical Algorithms,
// table 10.A, to 1998; then the IERS/USNO values, 69.11 s on 1 January 2026),
// interpolated linearly. Outside: the polynomials of Espenak & Meeus (NASA,
// 2006); from 2026 to 2050 a smooth step from the last observed value to
// their polynomial, which stays within UTC's bound (TT - UTC = 69.184 s,
// |UT1 - UTC| < 0.9 s) until about 2030. Any finite year gives a finite value.
double deltaTModerne(double year);

} // namespace zeno
