// The geometry of the Galilean satellites' mutual events on the precise
// theory (L1.2 satellites, VSOP87 planets): occultations seen from the
// Earth's centre, each satellite taken when the light we receive left it;
// eclipses seen from the Sun, each satellite taken when the sunlight passed
// it. The satellites are spheres of the IAU mean radii, the Sun a disc of
// 695 700 km.
//
// Photometric model (a Jupiter observer's photometer with both satellites
// in its aperture): uniform discs of the geometric albedo in V (Io 0.63,
// Europe 0.67, Ganymède 0.43, Callisto 0.17), each satellite's light
// proportional to albedo x radius²; in an eclipse each point of the target
// receives the part of the (uniform) solar disc that the eclipser leaves
// uncovered as seen from that point, so the penumbra darkens smoothly from
// its edge to the umbra (or to the antumbra's constant partial light).
#pragma once

#include "observer.h"
#include "vec3.h"

namespace zeno {

// IAU mean radii, km: 0 Io, 1 Europe, 2 Ganymède, 3 Callisto.
constexpr double kSatelliteRadiusKm[4] = {1821.6, 1560.8, 2631.2, 2410.3};
// Geometric albedos in V, same order.
constexpr double kSatelliteAlbedoV[4] = {0.63, 0.67, 0.43, 0.17};
// The Sun's radius, km (IAU 2015 nominal).
constexpr double kSunRadiusKm = 695700;

enum class MutualType { Occultation, Eclipse };

// The four satellites at one instant of observation (UT), seen from the
// Earth's centre or, given a place, from the observer (topocentric: each
// body's parallax and light-time from there).
struct MutualSnapshot {
    double jdUt = 0;          // UT Julian Day of the observation
    double jdTT = 0;          // its TT Julian Day
    Vec3 geocentric[4];       // km, J2000 equator, from the observer: each satellite when its light left it
    Vec3 heliocentric[4];     // km, J2000 equator: same instants
    Vec3 velocity[4];         // km/s, heliocentric velocity at that instant
    Vec3 east, north, toward; // sky frame of Jupiter as seen (unit): x east, y along the projected pole, z away
};

// `satellites`: bit k set computes satellite k (the others stay zero);
// `site`: the observer's place, or null for the Earth's centre.
MutualSnapshot mutualSnapshot(double jdUt, unsigned satellites = 0xF, const Site* site = nullptr);

// Two satellites of one snapshot in the plane of the target (the hidden or
// eclipsed one) at the target's distance, km; axes as the main scene's: x
// toward the east of the sky, y toward Jupiter's projected north pole.
struct PairGeometry {
    MutualType type = MutualType::Occultation;
    int occulter = 0, target = 1;   // 0..3
    double dx = 0, dy = 0;          // km: occulting disc's (or shadow axis') centre minus the target's
    double separationKm = 0;        // hypot(dx, dy)
    double targetRadiusKm = 0;
    // Occultation: the occulter's radius scaled to the target's distance.
    // Eclipse: the mean of the umbra's and penumbra's radii (the eclipser's
    // disc as it darkens the target: see lightLost).
    double occulterRadiusKm = 0;
    double umbraRadiusKm = 0;       // eclipse: negative beyond the umbra's apex (antumbra)
    double penumbraRadiusKm = 0;    // eclipse
    bool rolesHold = false;         // occulter nearer the Earth (occultation) / the Sun (eclipse)
    // The radius at which the two outlines touch: first and last contacts.
    double contactKm() const;
};

PairGeometry occultationGeometry(const MutualSnapshot& s, int occulter, int target);
PairGeometry eclipseGeometry(const MutualSnapshot& s, int eclipser, int target);

// The fraction (0..1) of the target's light lost, for target radius R,
// separation c and, for an occultation, the occulting radius; for an
// eclipse the umbra's and penumbra's radii. Non-increasing in c.
double occultationLightLost(double targetKm, double occulterKm, double separationKm);
double eclipseLightLost(double targetKm, double umbraKm, double penumbraKm, double separationKm);
double lightLost(const PairGeometry& g);

// The target's share of the pair's light (albedo x radius²).
double targetWeight(int occulter, int target);

// Area of the overlap of two discs of radii a and b whose centres are c apart.
double discOverlapArea(double a, double b, double c);

} // namespace zeno
