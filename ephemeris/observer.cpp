#include "observer.h"

#include "avx_state.h"
#include "deltat.h"
#include "modern_theory.h"
#include "nova_lock.h"

#include <QCoreApplication>
#include <libnova/aberration.h>
#include <libnova/dynamical_time.h>
#include <libnova/earth.h>
#include <libnova/jupiter.h>
#include <libnova/nutation.h>
#include <libnova/parallax.h>
#include <libnova/precession.h>
#include <libnova/sidereal_time.h>
#include <libnova/solar.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace zeno {

namespace {

constexpr double kJ2000 = 2451545.0;            // JD of the equinox libnova's VSOP87 places refer to
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kEarthEquatorialKm = 6378.137;               // WGS84 a
constexpr double kEarthPolarRatio = 1 - 1 / 298.257223563;   // WGS84 b/a
constexpr double kObliquityJ2000Deg = 23.4392911;   // mean obliquity of the ecliptic at J2000 (IAU 1976)
const QDateTime kJdEpoch(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC);   // JD 2451545.0

// Altitude of an apparent geocentric place at distance `au`, seen from the site.
double altitude(ln_equ_posn j2000, double jde, double distanceAu, double jdUt, const Site& site)
{
    const EquatorialPlace app = apparentPlace({j2000.ra, j2000.dec}, jde);
    ln_equ_posn place{app.raDeg, app.decDeg};
    ln_lnlat_posn observer{site.longitudeDeg, site.latitudeDeg};
    ln_equ_posn shift{};
    ln_get_parallax(&place, distanceAu, &observer, site.heightM, jdUt, &shift);
    return altitudeOfPlaceDeg({place.ra + shift.ra, place.dec + shift.dec}, jdUt, site);
}

// Julian Ephemeris Day of a UT Julian Day, with the precise theory's ΔT
// (libnova's own extrapolates to more than two minutes today).
double jde(double jdUt) { return jdUt + deltaTModerne(decimalYear(jdUt)) / kSecondsPerDay; }

// The Sun's geometric place referred to the J2000 equator and equinox.
// libnova's solar equatorial coordinates already carry nutation and
// aberration, and turn J2000 longitudes with the obliquity of the date: take
// its geometric ecliptic place (J2000, FK5) and the J2000 obliquity instead,
// so that apparentPlace adds precession, nutation and aberration once.
void sunPlaceJ2000(double jde, ln_equ_posn* out)
{
    ln_helio_posn geo{};
    ln_get_solar_geom_coords(jde, &geo);
    const double l = geo.L * kDegToRad, b = geo.B * kDegToRad, e = kObliquityJ2000Deg * kDegToRad;
    const double ra = std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l)) / kDegToRad;
    out->ra = ra < 0 ? ra + 360 : ra;   // Meeus (13.3), (13.4)
    out->dec = std::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) / kDegToRad;
}

// libnova keeps its last nutation for any date within 0.1 day of it, so that
// a place would depend on what was asked before: computed afresh here (and
// reused by the sidereal time that follows), a crossing found by bisection
// stays where it was found.
void freshNutation(double jde, ln_nutation* n)
{
    ln_nutation elsewhere{};
    ln_get_nutation(jde + 1, &elsewhere);
    ln_get_nutation(jde, n);
}

} // namespace

// libnova's planet places (and sunPlaceJ2000) are geometric (light-time corrected for
// planets) and referred to the mean equinox of J2000.
EquatorialPlace apparentPlace(EquatorialPlace j2000, double jde)
{
    ln_equ_posn from{j2000.raDeg, j2000.decDeg}, mean{};
    ln_get_equ_prec2(&from, kJ2000, jde, &mean);
    ln_nutation n{};
    freshNutation(jde, &n);
    const double a = mean.ra * kDegToRad, d = mean.dec * kDegToRad, e = n.ecliptic * kDegToRad;
    // Meeus (23.1), nutation in right ascension and declination.
    mean.ra += (std::cos(e) + std::sin(e) * std::sin(a) * std::tan(d)) * n.longitude
               - std::cos(a) * std::tan(d) * n.obliquity;
    mean.dec += std::sin(e) * std::cos(a) * n.longitude + std::sin(a) * n.obliquity;
    ln_equ_posn out{};
    ln_get_equ_aber(&mean, jde, &out);
    return {out.ra, out.dec};
}

EquatorialPlace sunApparentPlace(double jde)
{
    const std::lock_guard lock(libnovaMutex());
    ln_equ_posn p{};
    sunPlaceJ2000(jde, &p);
    return apparentPlace({p.ra, p.dec}, jde);
}

double altitudeOfPlaceDeg(EquatorialPlace place, double jdUt, const Site& site)
{
    const double lastDeg = ln_get_apparent_sidereal_time(jdUt) * 15.0 + site.longitudeDeg;
    const double h = (lastDeg - place.raDeg) * kDegToRad, phi = site.latitudeDeg * kDegToRad;
    const double delta = place.decDeg * kDegToRad;
    const double s = std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kDegToRad;
}

QString checkSite(const Site& s)
{
    if (!std::isfinite(s.latitudeDeg) || s.latitudeDeg < -90 || s.latitudeDeg > 90)
        return QCoreApplication::translate("Observateur", "La latitude doit être comprise entre -90° et 90° (nord positif).");
    if (!std::isfinite(s.longitudeDeg) || s.longitudeDeg < -180 || s.longitudeDeg > 180)
        return QCoreApplication::translate("Observateur", "La longitude doit être comprise entre -180° et 180° (est positif).");
    if (!std::isfinite(s.heightM) || s.heightM < -500 || s.heightM > 10000)
        return QCoreApplication::translate("Observateur", "L'altitude du lieu doit être comprise entre -500 m et 10 000 m.");
    return {};
}

QString checkVisibility(const Visibility& v)
{
    if (!std::isfinite(v.minJupiterDeg) || v.minJupiterDeg < -90 || v.minJupiterDeg > 90)
        return QCoreApplication::translate("Observateur", "La hauteur minimale de Jupiter doit être comprise entre -90° et 90°.");
    if (!std::isfinite(v.maxSunDeg) || v.maxSunDeg < -90 || v.maxSunDeg > 90)
        return QCoreApplication::translate("Observateur", "La hauteur maximale du Soleil doit être comprise entre -90° et 90°.");
    return {};
}

double julianDayUt(const QDateTime& ut) { return kJ2000 + kJdEpoch.secsTo(ut) / kSecondsPerDay; }

QDateTime utFromJulianDay(double jdUt)
{
    return kJdEpoch.addSecs(static_cast<qint64>(std::llround((jdUt - kJ2000) * kSecondsPerDay)));
}

// Altitude of a body given by libnova's J2000 place and distance at the JDE.
template <class Place, class Distance>
double bodyAltitudeDeg(const QDateTime& ut, const Site& site, Place placeJ2000, Distance distanceAu)
{
    clearUpperAvxState();   // after the window's painting, libnova would run ten times slower
    const std::lock_guard lock(libnovaMutex());
    const double jd = julianDayUt(ut), t = jde(jd);
    ln_equ_posn p{};
    placeJ2000(t, &p);
    return altitude(p, t, distanceAu(t), jd, site);
}

GeocentricFactors geocentricFactors(const Site& site)
{
    const double phi = site.latitudeDeg * kDegToRad;
    const double u = std::atan(kEarthPolarRatio * std::tan(phi));
    const double h = site.heightM / 1000 / kEarthEquatorialKm;
    return {kEarthPolarRatio * std::sin(u) + h * std::sin(phi), std::cos(u) + h * std::cos(phi)};
}

Vec3 siteGeocentricJ2000Km(const Site& site, double jdUt)
{
    const GeocentricFactors f = geocentricFactors(site);
    const std::lock_guard lock(libnovaMutex());
    ln_nutation n{};
    freshNutation(jde(jdUt), &n);   // the sidereal time below reuses it
    // The place as a direction of the true equator of date, brought back to J2000.
    ln_equ_posn ofDate{ln_get_apparent_sidereal_time(jdUt) * 15.0 + site.longitudeDeg,
                       std::atan2(f.rhoSinPhi, f.rhoCosPhi) / kDegToRad};
    ln_equ_posn j2000{};
    ln_get_equ_prec2(&ofDate, jde(jdUt), kJ2000, &j2000);
    const double r = kEarthEquatorialKm * std::hypot(f.rhoSinPhi, f.rhoCosPhi);
    const double a = j2000.ra * kDegToRad, d = j2000.dec * kDegToRad;
    return {r * std::cos(d) * std::cos(a), r * std::cos(d) * std::sin(a), r * std::sin(d)};
}

double jupiterAltitudeDeg(const QDateTime& ut, const Site& site)
{
    return bodyAltitudeDeg(ut, site, ln_get_jupiter_equ_coords, ln_get_jupiter_earth_dist);
}

double sunAltitudeDeg(const QDateTime& ut, const Site& site)
{
    return bodyAltitudeDeg(ut, site, sunPlaceJ2000, ln_get_earth_solar_dist);
}

} // namespace zeno
