#include "observer.h"

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
#include <vector>

namespace zeno {

namespace {

constexpr double kJ2000 = 2451545.0;            // JD of the equinox libnova's VSOP87 places refer to
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kSecondsPerDay = 86400.0;
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

double jde(double jdUt) { return jdUt + ln_get_dynamical_time_diff(jdUt) / kSecondsPerDay; }

} // namespace

// libnova's planet and solar places are geometric (light-time corrected for
// planets) and referred to the mean equinox of J2000.
EquatorialPlace apparentPlace(EquatorialPlace j2000, double jde)
{
    ln_equ_posn from{j2000.raDeg, j2000.decDeg}, mean{};
    ln_get_equ_prec2(&from, kJ2000, jde, &mean);
    ln_nutation n{};
    ln_get_nutation(jde, &n);
    const double a = mean.ra * kDegToRad, d = mean.dec * kDegToRad, e = n.ecliptic * kDegToRad;
    // Meeus (23.1), nutation in right ascension and declination.
    mean.ra += (std::cos(e) + std::sin(e) * std::sin(a) * std::tan(d)) * n.longitude
               - std::cos(a) * std::tan(d) * n.obliquity;
    mean.dec += std::sin(e) * std::cos(a) * n.longitude + std::sin(a) * n.obliquity;
    ln_equ_posn out{};
    ln_get_equ_aber(&mean, jde, &out);
    return {out.ra, out.dec};
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
    const std::lock_guard lock(libnovaMutex());
    const double jd = julianDayUt(ut), t = jde(jd);
    ln_equ_posn p{};
    placeJ2000(t, &p);
    return altitude(p, t, distanceAu(t), jd, site);
}

double jupiterAltitudeDeg(const QDateTime& ut, const Site& site)
{
    return bodyAltitudeDeg(ut, site, ln_get_jupiter_equ_coords, ln_get_jupiter_earth_dist);
}

double sunAltitudeDeg(const QDateTime& ut, const Site& site)
{
    return bodyAltitudeDeg(ut, site, ln_get_solar_equ_coords, ln_get_earth_solar_dist);
}

SunRiseSet sunRisesAndSets(const QDateTime& ut, const Site& site, int daysBefore, int daysAfter)
{
    ln_lnlat_posn observer{site.longitudeDeg, site.latitudeDeg};
    const double jd = julianDayUt(ut);
    SunRiseSet out;
    const std::lock_guard lock(libnovaMutex());
    for (int day = -daysBefore; day <= daysAfter; ++day) {
        ln_rst_time rst{};
        if (ln_get_solar_rst_horizon(jd + day, &observer, kStandardHorizonDeg, &rst) == 0) {
            out.setsJd.push_back(rst.set);
            out.risesJd.push_back(rst.rise);
        }
    }
    std::sort(out.setsJd.begin(), out.setsJd.end());
    std::sort(out.risesJd.begin(), out.risesJd.end());
    return out;
}

} // namespace zeno
