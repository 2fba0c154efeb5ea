// The three phenomenon tests. Each is called once per satellite; everything
// that differs between satellites arrives as arguments.
#pragma once

#include "hote.h"
#include "modern_theory.h"

#include <cstdint>

namespace zeno {

struct Ephemeride;

// Working values of the shadow test, kept beside the record; each call
// overwrites the ones it reaches.
struct TravailOmbre {
    double DiscOmbre = 0;  // discriminant of the line-globe meeting
    double tOmbre = 0;     // equatorial radii along the Sun's line
    double XOmbre = 0;     // shadow offsets, equatorial radii
    double YOmbre = 0;
};

// Common to the three tests:
//   e       the record after calculeJupiter: psi, Ds, De in degrees
//   rSat    satellite's distance from Jupiter's centre, RJ (r1..r4)
//   u       corrected satellite angle, degrees, unreduced (u1c..u4c)
//   X, Y    satellite's apparent offsets, RJ (X1..X4, Y1..Y4)
//   radius  marker radius in scene units, also the satellite's identity:
//           a radius outside 10, 8, 16, 14 draws but writes no label
// Discs go to both scenes through DessineDisque, which throws
// ErreurExecution 6 when a scene coordinate overflows.

// Eclipse in Jupiter's shadow. Draws the satellite's disc at (X, Y) in its
// own colour, or in the eclipse colour when eclipsed (components 0..255).
// On the far side from the Sun writes the Ec label: "Eclipsé" or a space;
// on the near side leaves it. Throws ErreurExecution 11 when rSat is 0 on
// the far side.
void TestOmbre(Hote& hote, const Ephemeride& e, double rSat, double u, double X, double Y,
               std::int16_t radius, std::int16_t ownRed, std::int16_t ownGreen, std::int16_t ownBlue,
               std::int16_t eclRed, std::int16_t eclGreen, std::int16_t eclBlue);

// Shadow on the disk, for a satellite on the Sun's side (u - psi, in whole
// degrees, outside 90..270). Writes w.DiscOmbre, then, when the shadow
// meets the globe, w.tOmbre, w.XOmbre, w.YOmbre (RJ), draws the shadow in
// black and writes "Ombre"; otherwise writes a space. X and Y are unused.
void TestProj(Hote& hote, const Ephemeride& e, TravailOmbre& w, double rSat, double u,
              double X, double Y, std::int16_t radius);

// Occultation or transit, by the satellite's centre against the limb
// X^2 + 1.148 Y^2 = 1. Behind the planet (u in whole degrees within
// 90..270, ends excluded) covers an occulted satellite with a disc in the
// disk colour and writes the Oc label ("Occulté" or a space); in front
// writes the Pa label ("Passage" or a space). rSat is unused.
void TestCache(Hote& hote, double rSat, double u, double X, double Y, std::int16_t radius);

// u (degrees, any size) rounded to a whole degree, halves to even, and
// reduced into 0..359.
double wholeDegreeTurn(double u);

// The precise theory's phenomena (phenomena_geometry.h) drawn and labelled.
// Draws and labels as the original tests do, in the same order: every
// satellite in its own or its eclipse colour (Eclipsé), the shadows on the
// disk in black (Ombre), the occulted satellites covered in the disk colour
// (Occulté), the transits (Passage). Each of the sixteen labels is written.
void dessinePrecis(Hote& hote, const ModernEphemeris& e);

} // namespace zeno
