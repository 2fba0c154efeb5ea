// The three phenomenon tests. Each is called once per satellite; everything
// that differs between satellites arrives as arguments.
#pragma once

#include "hote.h"

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

// Eclipse in Jupiter's shadow; draws every satellite (own or eclipse colour).
void TestOmbre(Hote& hote, const Ephemeride& e, double rSat, double u, double X, double Y,
               std::int16_t radius, std::int16_t ownRed, std::int16_t ownGreen, std::int16_t ownBlue,
               std::int16_t eclRed, std::int16_t eclGreen, std::int16_t eclBlue);

// Shadow on the disk; draws it black and writes "Ombre".
void TestProj(Hote& hote, const Ephemeride& e, TravailOmbre& w, double rSat, double u,
              double X, double Y, std::int16_t radius);

// Occultation behind the disk (covered in the disk colour) or transit in front.
void TestCache(Hote& hote, double rSat, double u, double X, double Y, std::int16_t radius);

// u rounded to a whole degree (halves to even) and reduced into 0..359.
double wholeDegreeTurn(double u);

} // namespace zeno
