// L1.2 corrected by the observed mutual events: per satellite, an offset and
// a rate of the mean longitude, Δλ(t) = Δλ0 + Δn (t - t0). The satellite's
// jovicentric position and velocity are turned by Δλ about the pole of
// Jupiter's equator: the orbits lie within 0.5° of it, so a turn about the
// true orbital pole would differ by less than 1e-2 of the correction.
// The constants come from tools/fit_correction (see l12_correction.cpp).
#pragma once

#include "l12.h"

namespace zeno {

// Parameter k: satellite k / 2; even k the offset (µrad at the epoch), odd
// k the rate (µrad per Julian year).
constexpr int kCorrectionParameters = 8;

struct CorrectionL12 {
    double epochJdTT = 2457023.5;         // t0: 2015 January 1, 0h TT, mid-way through the data
    double p[kCorrectionParameters] = {}; // µrad, µrad/year as above
    // Δλ of a satellite at a TT Julian Day, radians.
    double longitudeRad(int satellite, double jdTT) const;
};

// The fitted constants and their covariance ((µrad, µrad/year)²).
struct FittedCorrectionL12 {
    CorrectionL12 correction;
    double covariance[kCorrectionParameters][kCorrectionParameters];
    // What the covariance leaves out, km along the relative path: the error
    // of a left-out season's predicted central instants (each event's median
    // over its observers, times its speed), added in quadrature to the
    // formal error of every prediction.
    double modelErrorKm;
};
const FittedCorrectionL12& fittedCorrectionL12();

// The precise theory's satellites: L1.2 with the fitted correction (the
// default) or, with false, L1.2 as published, bit for bit. For the whole
// program; safe to call from any thread.
void setL12Corrected(bool corrected);
bool l12Corrected();
// For a fit: the constants used in place of the fitted ones while set (the
// caller keeps them alive); null goes back to the fitted ones.
void setTrialCorrection(const CorrectionL12* trial);

// The state with the correction applied.
EtatL12 corrected(const EtatL12& state, const CorrectionL12& c, int satellite, double jdTT);
// The state the precise theory uses: etatL12, corrected unless switched off.
EtatL12 etatPrecis(int satellite, double jdTT);

// Jupiter's equator pole (l12PoleJ2000) as the correction's axis.
const double* correctionAxis();

} // namespace zeno
