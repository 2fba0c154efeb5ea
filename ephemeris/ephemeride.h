// Jupiter and its four Galilean satellites: Meeus' low-accuracy theory in its
// 1900-epoch form (d = JDE - 2415020), with a polynomial for Delta T.
#pragma once

#include "calendar.h"

#include <QLocale>
#include <QString>

namespace zeno {

// Every quantity of one computation. Angles in degrees, never reduced to one
// turn; R, r, Delta in AU; satellite distances and offsets in Jupiter
// equatorial radii. Fields in this order, under these names.
struct Ephemeride {
    QString JD;          // UT Julian Day as number text, then the JDE text
    double d = 0;        // days, JDE - 2415020
    double V = 0;        // argument of Jupiter's long-period term
    double M = 0;        // mean anomaly of the Earth
    double N = 0;        // mean anomaly of Jupiter
    double J = 0;        // difference term of the mean longitudes
    double A = 0;        // equation of the centre of the Earth
    double B = 0;        // equation of the centre of Jupiter
    double K = 0;        // J + A - B
    double R = 0;        // AU, radius vector of the Earth
    double r = 0;        // AU, radius vector of Jupiter
    double Delta = 0;    // AU, Earth-Jupiter distance
    double sinpsi = 0;   // sine of the phase angle
    double psi = 0;      // phase angle Sun-Jupiter-Earth
    double PhaseCorr = 0; // phase correction of both central meridians
    double DeltaT = 0;   // TD - UT: formed in seconds, held in days
    double T = 0;        // units of 36524.25 days from JD 2415020.5
    double TCorr = 0;    // linear auxiliary term of the Delta T polynomial
    double u1 = 0, u2 = 0, u3 = 0, u4 = 0;     // uncorrected satellite angles
    double G = 0, H = 0;                        // perturbations of Ganymede, Callisto
    double u1c = 0, u2c = 0, u3c = 0, u4c = 0; // corrected angles
    double r1 = 0, r2 = 0, r3 = 0, r4 = 0;     // Jupiter radii from the centre
    double X1 = 0, X2 = 0, X3 = 0, X4 = 0;     // apparent offsets, Jupiter radii
    double Y1 = 0, Y2 = 0, Y3 = 0, Y4 = 0;
    double omega1 = 0;   // central meridian, System I, unreduced
    double omega2 = 0;   // central meridian, System II, unreduced
    double lambda = 0;   // heliocentric longitude of Jupiter
    double Ds = 0;       // planetocentric declination of the Sun
    double De = 0;       // planetocentric declination of the Earth
};

// Every 64-bit field of the record, in record order, with its unit: the one
// list that the finiteness check, the companion's JSON, the tests and the
// fuzzers walk. Units: "d" days, "deg" degrees, "AU", "RJ" Jupiter
// equatorial radii, "T" units of 36524.25 days, "1" a pure number.
struct RecordField {
    const char* name;
    double Ephemeride::*member;
    const char* unit;
};
inline constexpr RecordField kRecordFields[] = {
    {"d", &Ephemeride::d, "d"}, {"V", &Ephemeride::V, "deg"}, {"M", &Ephemeride::M, "deg"},
    {"N", &Ephemeride::N, "deg"}, {"J", &Ephemeride::J, "deg"}, {"A", &Ephemeride::A, "deg"},
    {"B", &Ephemeride::B, "deg"}, {"K", &Ephemeride::K, "deg"}, {"R", &Ephemeride::R, "AU"},
    {"r", &Ephemeride::r, "AU"}, {"Delta", &Ephemeride::Delta, "AU"}, {"sinpsi", &Ephemeride::sinpsi, "1"},
    {"psi", &Ephemeride::psi, "deg"}, {"PhaseCorr", &Ephemeride::PhaseCorr, "deg"},
    {"DeltaT", &Ephemeride::DeltaT, "d"}, {"T", &Ephemeride::T, "T"}, {"TCorr", &Ephemeride::TCorr, "1"},
    {"u1", &Ephemeride::u1, "deg"}, {"u2", &Ephemeride::u2, "deg"}, {"u3", &Ephemeride::u3, "deg"},
    {"u4", &Ephemeride::u4, "deg"}, {"G", &Ephemeride::G, "deg"}, {"H", &Ephemeride::H, "deg"},
    {"u1c", &Ephemeride::u1c, "deg"}, {"u2c", &Ephemeride::u2c, "deg"}, {"u3c", &Ephemeride::u3c, "deg"},
    {"u4c", &Ephemeride::u4c, "deg"}, {"r1", &Ephemeride::r1, "RJ"}, {"r2", &Ephemeride::r2, "RJ"},
    {"r3", &Ephemeride::r3, "RJ"}, {"r4", &Ephemeride::r4, "RJ"}, {"X1", &Ephemeride::X1, "RJ"},
    {"X2", &Ephemeride::X2, "RJ"}, {"X3", &Ephemeride::X3, "RJ"}, {"X4", &Ephemeride::X4, "RJ"},
    {"Y1", &Ephemeride::Y1, "RJ"}, {"Y2", &Ephemeride::Y2, "RJ"}, {"Y3", &Ephemeride::Y3, "RJ"},
    {"Y4", &Ephemeride::Y4, "RJ"}, {"omega1", &Ephemeride::omega1, "deg"},
    {"omega2", &Ephemeride::omega2, "deg"}, {"lambda", &Ephemeride::lambda, "deg"},
    {"Ds", &Ephemeride::Ds, "deg"}, {"De", &Ephemeride::De, "deg"},
};

// Jupiter for one instant: Delta T, the JDE, the Earth-Jupiter geometry, the
// central meridians and the planetocentric declinations of Sun and Earth.
//   in:  jd      UT Julian Day as gregorJuli formed it (value read back from
//                its 15-digit text)
//        locale  regional settings of the JDE text
//   out: e.T, e.TCorr; e.DeltaT (TD - UT, days); e.JD (the JDE as number
//        text, replacing the UT one); e.d (days, the JDE rounded to 15
//        digits minus 2415020); e.V .. e.K, e.lambda, e.psi, e.PhaseCorr,
//        e.omega1, e.omega2, e.Ds, e.De (degrees, unreduced); e.R, e.r,
//        e.Delta (AU); e.sinpsi.
//   Fields are plain doubles: an overflow shows as inf or NaN, which
//   verifieFini then reports; nothing is thrown here.
void calculeJupiter(Ephemeride& e, const JourJulienTU& jd, const QLocale& locale);

// The four satellites, from the fields calculeJupiter wrote (d, Delta, psi,
// B, De).
//   out: e.u1 .. e.u4, e.G, e.H, e.u1c .. e.u4c (degrees, unreduced);
//        e.r1 .. e.r4 (RJ from Jupiter's centre); e.X1 .. e.X4 and
//        e.Y1 .. e.Y4 (RJ), apparent offsets from Jupiter's centre along
//        and across its equator.
//   Computed in the order u1..u4, G, H, u1c..u4c, r1..r4, X1, Y1 .. X4, Y4.
//   Nothing is thrown here.
void calculeSatellites(Ephemeride& e);

// Throws ErreurExecution (6 overflow, 5 invalid) when any field is not
// finite. One cheap check on the results instead of one per operation.
void verifieFini(const Ephemeride& e);

// A central meridian reduced for display: omega - 360 * floor(omega / 360).
double reduitMeridien(double omega);

} // namespace zeno
