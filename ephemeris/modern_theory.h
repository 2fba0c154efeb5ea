// The modern theory: the satellites from L1.2, Jupiter and the Earth from
// VSOP87 (libnova), light-time for Jupiter and for each satellite, Jupiter's
// pole and rotation from the IAU/WGCCRE 2015 report, Delta T from deltat.h.
#pragma once

#include "vec3.h"

#include <QString>

namespace zeno {

// Years over which L1.2 was fitted to observations, with a margin: outside,
// the positions are still computed but flagged.
constexpr int kModernFirstYear = 1850;
constexpr int kModernLastYear = 2150;

// Whether a UT Julian Day lies within those years.
bool withinFittedYears(double jdUT);
// Those years as text: "1850-2150".
QString fittedYearsText();

// The satellites' theory the precise theory uses now (l12Corrected()), as
// every window, report and export names it: "L1.2 corrigée par les
// observations 2009–2021" or "L1.2 telle que publiée". Translated (context
// "Theorie"), or in French for the files whose form is French.
QString l12TheoryName();
QString l12TheoryNameFrench();
// The name of either, for a choice between them.
QString l12TheoryName(bool corrected);

// Jupiter's radii (IAU): the unit of every offset below is the equatorial one.
constexpr double kJupiterEquatorialKm = 71492;
constexpr double kJupiterPolarKm = 66854;

// One computation. The sky frame is centred on Jupiter as seen: x toward the
// east of the sky (the sign of the original record's X), y along Jupiter's
// north pole projected on the sky, z away from the observer (depth).
struct ModernEphemeris {
    double JD = 0;        // UT Julian Day
    double DeltaT = 0;    // s, TT - UT
    double JDE = 0;       // TT Julian Day
    double Delta = 0;     // AU, Earth-Jupiter when the light left Jupiter
    double r = 0;         // AU, Sun-Jupiter
    double lightTime = 0; // days, Jupiter to the Earth
    double X1 = 0, X2 = 0, X3 = 0, X4 = 0;   // apparent offsets, Jupiter equatorial radii
    double Y1 = 0, Y2 = 0, Y3 = 0, Y4 = 0;
    double Z1 = 0, Z2 = 0, Z3 = 0, Z4 = 0;   // depth: positive behind Jupiter's centre
    double Ds = 0;        // degrees, planetocentric declination of the Sun
    double De = 0;        // degrees, planetocentric declination of the Earth
    double omega1 = 0, omega2 = 0, omega3 = 0;   // degrees, central meridians System I, II, III, 0..360
    bool horsValidite = false;   // date outside kModernFirstYear..kModernLastYear

    // For the phenomena, in the sky frame, Jupiter radii.
    double pole[3] = {};       // Jupiter's north pole (unit)
    double soleil[3] = {};     // toward the Sun as the light meets Jupiter (unit, aberrated)
    double eclipse[4][3] = {}; // each satellite from Jupiter when the light we see leaves it
    double ombre[4][3] = {};   // each satellite when it casts the shadow we see on the disk
};

// The record for a UT Julian Day. Finite for any JD in the calendar's range;
// horsValidite set outside the theory's fitted years.
ModernEphemeris computeModern(double jdUT);

// Heliocentric Earth and Jupiter (AU, J2000 mean equator) at a TT Julian
// Day: straight from VSOP87, or as the computation takes them, interpolated
// between half-day nodes.
struct PlanetPositions {
    double earth[3];
    double jupiter[3];
};
PlanetPositions planetPositions(double jdTT, bool interpolated);

// Jupiter's north pole (IAU/WGCCRE 2015), unit vector in the J2000 mean
// equator, at a TT Julian Day.
Vec3 jupiterPoleJ2000(double jdTT);

// Decimal year of a Julian Day (2000.0 at JD 2451544.5 roughly; for Delta T).
double decimalYear(double jd);

} // namespace zeno
