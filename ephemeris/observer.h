// The observer's place and what can be seen from it: apparent altitudes of
// Jupiter and the Sun through libnova (VSOP87).
// Instants are UT, held as zone-less QDateTime in Qt::UTC.
#pragma once

#include "vec3.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace zeno {

// Longitude east positive, as printed on modern maps (Paris is +2.35).
struct Site {
    double latitudeDeg = 48.85;    // north positive, -90..90
    double longitudeDeg = 2.35;    // east positive, -180..180
    double heightM = 35;           // above sea level
};

// When an event can be watched: Jupiter high enough and the sky dark enough.
struct Visibility {
    double minJupiterDeg = 10;     // Jupiter's altitude at least this
    double maxSunDeg = -6;         // the Sun's altitude at most this (civil twilight)
};

// An empty text when the place is usable, else a French message naming the fault.
QString checkSite(const Site& site);
QString checkVisibility(const Visibility& v);

// Julian Day (UT) of a UT instant, and back to the nearest second.
double julianDayUt(const QDateTime& ut);
QDateTime utFromJulianDay(double jdUt);

struct EquatorialPlace {
    double raDeg = 0, decDeg = 0;
};

// A place referred to the mean equator and equinox of J2000 (as libnova's
// VSOP87 places are) brought to the true equator and equinox of the date,
// annual aberration added. jde: Julian Ephemeris Day.
EquatorialPlace apparentPlace(EquatorialPlace j2000, double jde);
// The Sun's apparent geocentric place at a Julian Ephemeris Day.
EquatorialPlace sunApparentPlace(double jde);
// Geocentric altitude in degrees of an apparent place at a UT Julian Day
// (apparent sidereal time), without refraction.
double altitudeOfPlaceDeg(EquatorialPlace apparent, double jdUt, const Site& site);

// Apparent (light-time, precession and nutation to the date, annual
// aberration) topocentric altitude in degrees, without refraction. TT is UT
// plus the precise theory's ΔT.
double jupiterAltitudeDeg(const QDateTime& ut, const Site& site);

// The observer's geocentric distance factors (WGS84 ellipsoid): rho sin phi'
// and rho cos phi', in Earth equatorial radii (Meeus ch. 11).
struct GeocentricFactors {
    double rhoSinPhi = 0, rhoCosPhi = 0;
};
GeocentricFactors geocentricFactors(const Site& site);
// The observer's position from the Earth's centre at a UT Julian Day, km,
// referred to the J2000 mean equator and equinox (the frame of VSOP87 and
// L1.2): the place turned by the apparent sidereal time, then precessed.
Vec3 siteGeocentricJ2000Km(const Site& site, double jdUt);
double sunAltitudeDeg(const QDateTime& ut, const Site& site);

} // namespace zeno
