#include "modern_theory.h"

#include "deltat.h"
#include "l12_correction.h"
#include "nova_lock.h"
#include "vec3.h"

#include <QCoreApplication>
#include <libnova/earth.h>
#include <libnova/jupiter.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace zeno {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180;
constexpr double kArcsecToRad = kDegToRad / 3600;
constexpr double kJ2000 = 2451545.0;              // JD of J2000.0 (TT)
constexpr double kDaysPerCentury = 36525;
constexpr double kLightAUPerDay = 173.1446326846693;   // c in AU/day
constexpr double kAUKm = 149597870.7;
constexpr double kRadiusAU = kJupiterEquatorialKm / kAUKm;
constexpr double kNodeStep = 0.5;                 // days between the planets' interpolation nodes
constexpr double kVelocityStep = 0.01;            // days, half-width of Jupiter's velocity difference

// libnova's heliocentric VSOP87 coordinates are referred to the ecliptic and
// equinox of J2000 (checked against Meeus' worked examples 25.b and 32.a:
// they exceed the of-date longitudes there by the precession since 1992):
// one rotation by the J2000 mean obliquity (IAU 1980) reaches the J2000 equator.
constexpr double kObliquityJ2000 = 84381.448 * kArcsecToRad;

Vec3 rectangular(const ln_helio_posn& p)
{
    const double L = p.L * kDegToRad, B = p.B * kDegToRad;
    return {p.R * std::cos(B) * std::cos(L), p.R * std::cos(B) * std::sin(L), p.R * std::sin(B)};
}

struct Planetes {
    Vec3 earth, jupiter;   // heliocentric, AU, J2000 mean equator
};

Planetes planetesExact(double jdTT)
{
    ln_helio_posn e{}, j{};
    {
        const std::lock_guard lock(libnovaMutex());
        ln_get_earth_helio_coords(jdTT, &e);
        ln_get_jupiter_helio_coords(jdTT, &j);
    }
    const Mat3 m = rot1(-kObliquityJ2000);
    return {times(m, rectangular(e)), times(m, rectangular(j))};
}

// VSOP87 costs tens of microseconds per planet: the vectors are evaluated at
// nodes every half day and interpolated (cubic Lagrange over four nodes;
// error below 100 m for the Earth, far less for Jupiter).
class CachePlanetes {
public:
    Planetes at(double jdTT)
    {
        const double x = jdTT / kNodeStep;
        const double n0 = std::floor(x);
        const double f = x - n0;
        const double w[4] = {-f * (f - 1) * (f - 2) / 6, (f + 1) * (f - 1) * (f - 2) / 2,
                             -(f + 1) * f * (f - 2) / 2, (f + 1) * f * (f - 1) / 6};
        Planetes p{};
        for (int k = 0; k < 4; ++k) {
            const Planetes& node = nodeAt(n0 - 1 + k);
            p.earth = p.earth + w[k] * node.earth;
            p.jupiter = p.jupiter + w[k] * node.jupiter;
        }
        return p;
    }

private:
    static constexpr int kSlots = 64;
    struct Slot { double index = std::nan(""); Planetes value{}; };

    const Planetes& nodeAt(double index)
    {
        const auto key = static_cast<std::int64_t>(index);
        Slot& s = slots_[static_cast<std::size_t>(((key % kSlots) + kSlots) % kSlots)];
        if (!(s.index == index)) {
            s.value = planetesExact(index * kNodeStep);
            s.index = index;
        }
        return s.value;
    }

    std::array<Slot, kSlots> slots_{};
};

Planetes planetes(double jdTT)
{
    thread_local CachePlanetes cache;
    if (!std::isfinite(jdTT))
        return planetesExact(jdTT);
    return cache.at(jdTT);
}

} // namespace

Vec3 jupiterPoleJ2000(double jdTT)
{
    const double T = (jdTT - kJ2000) / kDaysPerCentury;
    const double Ja = (99.360714 + 4850.4046 * T) * kDegToRad;
    const double Jb = (175.895369 + 1191.9605 * T) * kDegToRad;
    const double Jc = (300.323162 + 262.5475 * T) * kDegToRad;
    const double Jd = (114.012305 + 6070.2476 * T) * kDegToRad;
    const double Je = (49.511251 + 64.3000 * T) * kDegToRad;
    const double alpha = 268.056595 - 0.006499 * T + 0.000117 * std::sin(Ja) + 0.000938 * std::sin(Jb)
                       + 0.001432 * std::sin(Jc) + 0.000030 * std::sin(Jd) + 0.002150 * std::sin(Je);
    const double delta = 64.495303 + 0.002413 * T + 0.000050 * std::cos(Ja) + 0.000404 * std::cos(Jb)
                       + 0.000617 * std::cos(Jc) - 0.000013 * std::cos(Jd) + 0.000926 * std::cos(Je);
    const double a = alpha * kDegToRad, d = delta * kDegToRad;
    return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

namespace {

double reduce360(double deg) { return deg - 360 * std::floor(deg / 360); }
double asinDeg(double x) { return std::asin(std::fmax(-1.0, std::fmin(1.0, x))) / kDegToRad; }

void store(double out[3], const Vec3& v)
{
    for (int i = 0; i < 3; ++i)
        out[i] = v[i];
}

} // namespace

PlanetPositions planetPositions(double jdTT, bool interpolated)
{
    const Planetes p = interpolated ? planetes(jdTT) : planetesExact(jdTT);
    PlanetPositions out{};
    store(out.earth, p.earth);
    store(out.jupiter, p.jupiter);
    return out;
}

double decimalYear(double jd) { return 2000 + (jd - 2451544.5) / 365.2425; }

bool withinFittedYears(double jdUT)
{
    const double year = decimalYear(jdUT);
    return year >= kModernFirstYear && year <= kModernLastYear;
}

QString fittedYearsText() { return QStringLiteral("%1-%2").arg(kModernFirstYear).arg(kModernLastYear); }

namespace {
const char* l12TheorySource(bool corrected)
{
    return corrected ? QT_TRANSLATE_NOOP("Theorie", "L1.2 corrigée par les observations 2009–2021")
                     : QT_TRANSLATE_NOOP("Theorie", "L1.2 telle que publiée");
}
} // namespace

QString l12TheoryName(bool corrected) { return QCoreApplication::translate("Theorie", l12TheorySource(corrected)); }
QString l12TheoryName() { return l12TheoryName(l12Corrected()); }
QString l12TheoryNameFrench() { return QString::fromUtf8(l12TheorySource(l12Corrected())); }

ModernEphemeris computeModern(double jdUT)
{
    ModernEphemeris e;
    e.JD = jdUT;
    e.horsValidite = !withinFittedYears(jdUT);
    e.DeltaT = deltaTModerne(decimalYear(jdUT));
    e.JDE = jdUT + e.DeltaT / 86400;

    // Jupiter when the light we receive now left it.
    const Vec3 earth = planetes(e.JDE).earth;
    double tau = 0;
    Vec3 jupiter{}, G{};
    for (int i = 0; i < 4; ++i) {
        jupiter = planetes(e.JDE - tau).jupiter;
        G = jupiter - earth;
        tau = norm(G) / kLightAUPerDay;
    }
    const double t = e.JDE - tau;
    e.lightTime = tau;
    e.Delta = norm(G);
    e.r = norm(jupiter);
    const Vec3 velocity = (1 / (2 * kVelocityStep))
                       * (planetes(t + kVelocityStep).jupiter - planetes(t - kVelocityStep).jupiter);

    // Sky frame: z along the line of sight, y toward the projected pole, x = y cross z (east).
    const Vec3 w = unit(G);
    const Vec3 pole = jupiterPoleJ2000(t);
    const Vec3 north = unit(pole - dot(pole, w) * w);
    const Vec3 east = cross(north, w);
    auto sky = [&](const Vec3& v) { return Vec3{dot(v, east), dot(v, north), dot(v, w)}; };

    // The Sun from Jupiter, aberrated by Jupiter's motion: the direction the shadow leaves along.
    const Vec3 sun = unit(-1.0 * unit(jupiter) + (1 / kLightAUPerDay) * velocity);
    e.De = asinDeg(-dot(pole, w));
    e.Ds = asinDeg(dot(pole, sun));
    store(e.pole, sky(pole));
    store(e.soleil, sky(sun));

    double* X[4] = {&e.X1, &e.X2, &e.X3, &e.X4};
    double* Y[4] = {&e.Y1, &e.Y2, &e.Y3, &e.Y4};
    double* Z[4] = {&e.Z1, &e.Z2, &e.Z3, &e.Z4};
    for (int s = 0; s < 4; ++s) {
        const EtatL12 st = etatPrecis(s, t);
        const Vec3 s0{st.position[0], st.position[1], st.position[2]};
        const Vec3 v{st.velocity[0], st.velocity[1], st.velocity[2]};
        // Its own light-time: earlier by its depth behind Jupiter's centre.
        const double delay = dot(s0, w) / kLightAUPerDay;
        const Vec3 seen = s0 - delay * v;
        const Vec3 S = G - delay * velocity + seen;   // geocentric satellite
        const Vec3 d = S - G;
        const double scale = e.Delta / dot(S, w) / kRadiusAU;   // tangent plane, radii at Jupiter's distance
        *X[s] = dot(d, east) * scale;
        *Y[s] = dot(d, north) * scale;
        *Z[s] = dot(d, w) / kRadiusAU;
        store(e.eclipse[s], (1 / kRadiusAU) * sky(seen));
        // The shadow we see on the disk left the satellite earlier by its height over Jupiter toward the Sun.
        const double shadowDelay = dot(s0, sun) / kLightAUPerDay;
        store(e.ombre[s], (1 / kRadiusAU) * sky(s0 - shadowDelay * v));
    }

    // Central meridians: west longitude of the sub-Earth point, rotation at time t.
    const Vec3 node = unit(cross(Vec3{0, 0, 1}, pole));
    const Vec3 toEarth = -1.0 * w;
    const double subEarth = std::atan2(dot(toEarth, cross(pole, node)), dot(toEarth, node)) / kDegToRad;
    const double days = t - kJ2000;
    e.omega1 = reduce360(67.1 + 877.900 * days - subEarth);
    e.omega2 = reduce360(43.3 + 870.270 * days - subEarth);
    e.omega3 = reduce360(284.95 + 870.5360000 * days - subEarth);
    return e;
}

} // namespace zeno
