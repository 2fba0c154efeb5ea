// Delta T = TT - UT for the modern theory (the original theory keeps its own
// polynomial in ephemeride.cpp).
#pragma once

namespace zeno {

// Seconds, for a decimal year (2000.0 = 1 January 2000). From 1620 to 2024:
// observed values at the start of even years (Meeus, Astronomical Algorithms,
// table 10.A, to 1998; then the IERS values), interpolated linearly. Outside:
// the polynomials of Espenak & Meeus (NASA, 2006); from 2024 to 2050 their
// polynomial is shifted to meet the last observed value, the shift fading
// out linearly by 2050. Any finite year gives a finite value.
double deltaTModerne(double year);

} // namespace zeno
