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
    QString JD;          // UT Julian Day as number text, then the JDE text (step 5)
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
    double DeltaT = 0;   // TD - UT: seconds after step 3, days after step 4
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

// Steps 1 to 23: Delta T, the JDE (through its 15-digit number text, written
// into e.JD), Jupiter's geometry, the central meridians and the declinations.
void calculeJupiter(Ephemeride& e, const JourJulienTU& jd, const QLocale& locale);

// Steps 24 to 28: the four satellites, in the order u1..u4, G, H, u1c..u4c,
// r1..r4, X1, Y1 .. X4, Y4.
void calculeSatellites(Ephemeride& e);

// Throws ErreurExecution (6 overflow, 5 invalid) when any field is not
// finite. One cheap check on the results instead of one per operation.
void verifieFini(const Ephemeride& e);

// A central meridian reduced for display: omega - 360 * floor(omega / 360).
double reduitMeridien(double omega);

} // namespace zeno
