// The observer's place and what can be seen from it: apparent altitudes of
// Jupiter and the Sun and the Sun's rise and set, through libnova (VSOP87).
// Instants are UT, held as zone-less QDateTime in Qt::UTC.
#pragma once

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
// Geocentric altitude in degrees of an apparent place at a UT Julian Day
// (apparent sidereal time), without refraction.
double altitudeOfPlaceDeg(EquatorialPlace apparent, double jdUt, const Site& site);

// Apparent (light-time, precession and nutation to the date, annual
// aberration) topocentric altitude in degrees, without refraction.
double jupiterAltitudeDeg(const QDateTime& ut, const Site& site);
double sunAltitudeDeg(const QDateTime& ut, const Site& site);

// The Sun's upper limb on the horizon, with refraction.
constexpr double kStandardHorizonDeg = -0.8333;

// libnova's sunsets and sunrises (upper limb at the standard horizon) of the
// days around a UT instant, from daysBefore days before to daysAfter after,
// each list in time order, as UT Julian Days. A day without both is left out.
struct SunRiseSet {
    std::vector<double> setsJd, risesJd;
};
SunRiseSet sunRisesAndSets(const QDateTime& ut, const Site& site, int daysBefore, int daysAfter);

} // namespace zeno
