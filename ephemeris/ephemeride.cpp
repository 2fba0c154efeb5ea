#include "ephemeride.h"

#include "angles.h"
#include "erreur.h"
#include "regional.h"

#include <cmath>

namespace zeno {

namespace {

constexpr double kPhaseCoefficient = 57.3;         // phase correction, not a conversion
constexpr double kLightAUPerDay = 173;             // AU light travels in one day
constexpr double kEpoch1900 = 2415020;             // d = JDE - 2415020
constexpr double kDeltaTEpoch = 2415020.5;         // origin of T
constexpr double kDeltaTUnit = 36524.25;           // days in one unit of T

// The day count corrected for light-time: the same value in every formula.
double lightTimeDays(const Ephemeride& e) { return e.d - e.Delta / kLightAUPerDay; }

} // namespace

void calculeJupiter(Ephemeride& e, const JourJulienTU& jd, const QLocale& locale)
{
    // Time scales: Delta T, then the JDE through its 15-digit text.
    e.T = (jd.value() - kDeltaTEpoch) / kDeltaTUnit;
    e.TCorr = -36.164 * e.T - 3.012215;
    e.DeltaT = 24.349 + 72.318 * e.T + 29.95 * (e.T * e.T) + 1.821 * e.TCorr;
    e.DeltaT = e.DeltaT / kSecondsPerDay;
    const double jde = jd.value() + e.DeltaT;
    e.JD = numberText(jde, locale);
    e.d = round15(jde) - kEpoch1900;

    // Earth and Jupiter.
    e.V = 134.63 + 0.00111587 * e.d;
    const double sinV = sind(e.V);
    e.M = 358.476 + 0.9856003 * e.d;
    e.N = 225.328 + 0.0830853 * e.d + 0.33 * sinV;
    e.J = 221.647 + 0.9025179 * e.d - 0.33 * sinV;
    e.A = 1.916 * sind(e.M) + 0.02 * std::sin((2 * e.M) * kDegToRad);
    e.B = 5.552 * sind(e.N) + 0.167 * std::sin((2 * e.N) * kDegToRad);
    e.K = e.J + e.A - e.B;
    e.R = 1.00014 - 0.01672 * cosd(e.M) - 0.00014 * std::cos((2 * e.M) * kDegToRad);
    e.r = 5.20867 - 0.25192 * cosd(e.N) - 0.0061 * std::cos((2 * e.N) * kDegToRad);
    e.Delta = std::sqrt(e.r * e.r + e.R * e.R - 2 * e.r * e.R * cosd(e.K));
    const double sinK = sind(e.K);
    e.sinpsi = sinK * e.R / e.Delta;
    e.psi = kRadToDeg * std::atan(e.sinpsi / std::sqrt(1 - e.sinpsi * e.sinpsi));

    // The sign of the correction is that of -sin K; where sin K is exactly 0,
    // psi is 0 too and the correction vanishes whatever the sign.
    if (sinK == 0) {
        e.PhaseCorr = 0;
    } else {
        const double sign = -sinK / std::fabs(sinK);
        const double halfPsi = std::sin((e.psi * kDegToRad) / 2);
        e.PhaseCorr = sign * kPhaseCoefficient * (halfPsi * halfPsi);
    }

    // Central meridians, at the light-time corrected day count.
    const double dLight = lightTimeDays(e);
    e.omega1 = 268.28 + 877.8169088 * dLight + e.psi - e.B + e.PhaseCorr;
    e.omega2 = 290.28 + 870.1869088 * dLight + e.psi - e.B + e.PhaseCorr;
    e.lambda = 238.05 + 0.083091 * e.d + 0.33 * sinV + e.B;
    e.Ds = 3.07 * sind(e.lambda + 44.5);
    e.De = e.Ds - 2.15 * sind(e.psi) * cosd(e.lambda + 24)
         - 1.31 * ((e.r - e.Delta) / e.Delta) * sind(e.lambda - 99.4);
}

void calculeSatellites(Ephemeride& e)
{
    const double dLight = lightTimeDays(e);
    e.u1 = 84.5506 + 203.405863 * dLight + e.psi - e.B;
    e.u2 = 41.5015 + 101.2916323 * dLight + e.psi - e.B;
    e.u3 = 109.977 + 50.2345169 * dLight + e.psi - e.B;
    e.u4 = 176.3586 + 21.4879802 * dLight + e.psi - e.B;
    e.G = 187.3 + 50.310674 * dLight;
    e.H = 311.1 + 21.569229 * dLight;

    e.u1c = e.u1 + 0.472 * std::sin((e.u1 - e.u2) * kDoubleDegToRad);
    e.u2c = e.u2 + 1.073 * std::sin((e.u2 - e.u3) * kDoubleDegToRad);
    e.u3c = e.u3 + 0.174 * sind(e.G);
    e.u4c = e.u4 + 0.845 * sind(e.H);

    e.r1 = 5.9061 - 0.0244 * std::cos((e.u1 - e.u2) * kDoubleDegToRad);
    e.r2 = 9.3972 - 0.0889 * std::cos((e.u2 - e.u3) * kDoubleDegToRad);
    e.r3 = 14.9894 - 0.0227 * cosd(e.G);
    e.r4 = 26.3649 - 0.1944 * cosd(e.H);

    e.X1 = -e.r1 * sind(e.u1c);
    e.Y1 = -e.r1 * cosd(e.u1c) * sind(e.De);
    e.X2 = -e.r2 * sind(e.u2c);
    e.Y2 = -e.r2 * cosd(e.u2c) * sind(e.De);
    e.X3 = -e.r3 * sind(e.u3c);
    e.Y3 = -e.r3 * cosd(e.u3c) * sind(e.De);
    e.X4 = -e.r4 * sind(e.u4c);
    e.Y4 = -e.r4 * cosd(e.u4c) * sind(e.De);
}

void verifieFini(const Ephemeride& e)
{
    for (const RecordField& field : kRecordFields) {
        const double v = e.*field.member;
        if (std::isnan(v))
            throw ErreurExecution(ErreurExecution::ArgumentIncorrect);
        if (std::isinf(v))
            throw ErreurExecution(ErreurExecution::Depassement);
    }
}

double reduitMeridien(double omega) { return omega - 360 * std::floor(omega / 360); }

} // namespace zeno
