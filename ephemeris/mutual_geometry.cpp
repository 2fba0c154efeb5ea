#include "mutual_geometry.h"

#include "deltat.h"
#include "l12_correction.h"
#include "modern_theory.h"

#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAUKm = 149597870.7;
constexpr double kSecondsPerDay = 86400;
constexpr double kLightAUPerDay = 173.1446326846693;   // c in AU/day
constexpr double kLightKmS = 299792.458;              // c in km/s
constexpr double kVelocityStep = 0.01;                // days, half-width of Jupiter's velocity difference

Vec3 load(const double v[3]) { return {v[0], v[1], v[2]}; }

// Unit vectors of a plane at right angles to `axis`, oriented as the sky:
// x toward the east, y toward the projected north (y = axis x x).
void planeAxes(const MutualSnapshot& s, const Vec3& axis, Vec3& ex, Vec3& ey)
{
    ex = unit(s.east - dot(s.east, axis) * axis);
    ey = cross(axis, ex);
}

// The half-angle of the segment of a circle of radius rho (centred on the
// shadow's axis) that lies inside the target's disc of radius R, c apart.
double insideAngle(double rho, double R, double c)
{
    if (rho <= R - c)
        return kPi;
    if (rho >= R + c || rho <= c - R || c <= 0)
        return 0;
    const double cosine = (rho * rho + c * c - R * R) / (2 * rho * c);
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

// Gauss-Legendre nodes and weights on [-1, 1].
constexpr int kNodes = 20;
struct Legendre {
    double x[kNodes], w[kNodes];
    Legendre()
    {
        for (int i = 0; i < kNodes; ++i) {
            double z = std::cos(kPi * (i + 0.75) / (kNodes + 0.5)), dp = 1;
            for (int it = 0; it < 100; ++it) {
                double p0 = 1, p1 = z;
                for (int k = 2; k <= kNodes; ++k) {
                    const double p2 = ((2 * k - 1) * z * p1 - (k - 1) * p0) / k;
                    p0 = p1;
                    p1 = p2;
                }
                dp = kNodes * (z * p1 - p0) / (z * z - 1);
                const double dz = p1 / dp;
                z -= dz;
                if (std::abs(dz) < 1e-15)
                    break;
            }
            x[i] = z;
            w[i] = 2 / ((1 - z * z) * dp * dp);
        }
    }
};

// Integral over [a, b] of f, with rho = a + (b - a)(1 - cos t)/2 so that the
// square-root ends of the penumbra's and the disc's edges become smooth.
template <class F> double integrate(double a, double b, F&& f)
{
    static const Legendre gl;
    double sum = 0;
    for (int i = 0; i < kNodes; ++i) {
        const double t = kPi / 2 * (gl.x[i] + 1);
        const double rho = a + (b - a) * (1 - std::cos(t)) / 2;
        sum += gl.w[i] * f(rho) * (b - a) / 2 * std::sin(t);
    }
    return sum * kPi / 2;
}

} // namespace

MutualSnapshot mutualSnapshot(double jdUt, unsigned satellites, const Site* site)
{
    MutualSnapshot s;
    s.jdUt = jdUt;
    s.jdTT = jdUt + deltaTModerne(decimalYear(jdUt)) / kSecondsPerDay;
    // The observer, heliocentric AU: the Earth's centre, or the place on it.
    Vec3 earth = load(planetPositions(s.jdTT, true).earth);
    if (site)
        earth = earth + (1 / kAUKm) * siteGeocentricJ2000Km(*site, jdUt);

    // Jupiter when the light we receive now left it.
    double tau = 0;
    Vec3 jupiter{}, G{};
    for (int i = 0; i < 4; ++i) {
        jupiter = load(planetPositions(s.jdTT - tau, true).jupiter);
        G = jupiter - earth;
        tau = norm(G) / kLightAUPerDay;
    }
    const double t = s.jdTT - tau;
    const Vec3 jupiterVelocity = (1 / (2 * kVelocityStep))
                               * (load(planetPositions(t + kVelocityStep, true).jupiter)
                                  - load(planetPositions(t - kVelocityStep, true).jupiter));

    s.toward = unit(G);
    const auto p = jupiterPoleJ2000(t);
    const Vec3 pole{p[0], p[1], p[2]};
    s.north = unit(pole - dot(pole, s.toward) * s.toward);
    s.east = cross(s.north, s.toward);

    for (int k = 0; k < 4; ++k) {
        if (!(satellites & (1u << k)))
            continue;
        const EtatL12 st = etatPrecis(k, t);
        const Vec3 s0 = load(st.position), v = load(st.velocity);
        // Its own light-time: earlier by its depth behind Jupiter's centre.
        const double delay = dot(s0, s.toward) / kLightAUPerDay;
        const Vec3 helio = jupiter - delay * jupiterVelocity + s0 - delay * v;
        s.heliocentric[k] = kAUKm * helio;
        s.geocentric[k] = kAUKm * (helio - earth);
        s.velocity[k] = (kAUKm / kSecondsPerDay) * (jupiterVelocity + v);
    }
    return s;
}

double PairGeometry::contactKm() const
{
    return targetRadiusKm + (type == MutualType::Occultation ? occulterRadiusKm : penumbraRadiusKm);
}

namespace {

// The pair in the plane at right angles to `axis` through the target:
// `offset` is the occulting disc's (or the shadow axis') centre minus the target's.
PairGeometry inTargetPlane(const MutualSnapshot& s, MutualType type, int occulter, int target, const Vec3& axis,
                           const Vec3& offset)
{
    PairGeometry g;
    g.type = type;
    g.occulter = occulter;
    g.target = target;
    Vec3 ex, ey;
    planeAxes(s, axis, ex, ey);
    g.dx = dot(offset, ex);
    g.dy = dot(offset, ey);
    g.separationKm = std::hypot(g.dx, g.dy);
    g.targetRadiusKm = kSatelliteRadiusKm[target];
    return g;
}

} // namespace

PairGeometry occultationGeometry(const MutualSnapshot& s, int occulter, int target)
{
    const Vec3& Po = s.geocentric[occulter];
    const Vec3& Pt = s.geocentric[target];
    const double dOcc = norm(Po), dTarget = norm(Pt);
    const Vec3 uo = (1 / dOcc) * Po, ut = (1 / dTarget) * Pt;
    // Where the line of sight through the occulter's centre crosses the target's plane.
    const Vec3 offset = dTarget * ((1 / dot(uo, ut)) * uo - ut);
    PairGeometry g = inTargetPlane(s, MutualType::Occultation, occulter, target, ut, offset);
    g.occulterRadiusKm = kSatelliteRadiusKm[occulter] * dTarget / dOcc;
    g.rolesHold = dOcc < dTarget;
    return g;
}

PairGeometry eclipseGeometry(const MutualSnapshot& s, int eclipser, int target)
{
    const Vec3& Ht = s.heliocentric[target];
    // The eclipser when the sunlight that reaches the target (at the instant
    // we see it) passed it: the snapshot holds it when its own light left
    // toward the Earth, earlier by the difference of the two light-times.
    const double lateS = (norm(s.geocentric[eclipser]) - norm(s.geocentric[target])) / kLightKmS
                       - (norm(Ht) - norm(s.heliocentric[eclipser])) / kLightKmS;
    const Vec3 He = s.heliocentric[eclipser] + lateS * s.velocity[eclipser];
    const double rE = norm(He);
    const Vec3 axis = (1 / rE) * He;   // from the Sun's centre through the eclipser's
    const double along = dot(Ht, axis);
    const double behind = along - rE;   // the target's distance behind the eclipser along the axis, km
    PairGeometry g = inTargetPlane(s, MutualType::Eclipse, eclipser, target, axis, along * axis - Ht);
    const double R = kSatelliteRadiusKm[eclipser];
    g.umbraRadiusKm = R - behind * (kSunRadiusKm - R) / rE;
    g.penumbraRadiusKm = R + behind * (kSunRadiusKm + R) / rE;
    g.occulterRadiusKm = (g.umbraRadiusKm + g.penumbraRadiusKm) / 2;
    g.rolesHold = behind > 0;
    return g;
}

double discOverlapArea(double a, double b, double c)
{
    if (a <= 0 || b <= 0 || c >= a + b)
        return 0;
    if (c <= std::abs(a - b)) {
        const double r = std::min(a, b);
        return kPi * r * r;
    }
    const double ca = std::clamp((c * c + a * a - b * b) / (2 * c * a), -1.0, 1.0);
    const double cb = std::clamp((c * c + b * b - a * a) / (2 * c * b), -1.0, 1.0);
    const double k = (-c + a + b) * (c + a - b) * (c - a + b) * (c + a + b);
    return a * a * std::acos(ca) + b * b * std::acos(cb) - std::sqrt(std::max(0.0, k)) / 2;
}

double occultationLightLost(double targetKm, double occulterKm, double separationKm)
{
    return std::clamp(discOverlapArea(targetKm, occulterKm, separationKm) / (kPi * targetKm * targetKm), 0.0, 1.0);
}

// Seen from a point rho from the shadow's axis, the Sun's disc and the
// eclipser's are, scaled to the target's plane, discs of radii
// (penumbra - umbra)/2 and (penumbra + umbra)/2, rho apart: the point loses
// the covered part of the Sun. Summed over the target's disc ring by ring.
double eclipseLightLost(double targetKm, double umbraKm, double penumbraKm, double separationKm)
{
    const double R = targetKm, c = separationKm;
    if (penumbraKm <= 0 || umbraKm >= penumbraKm || c >= penumbraKm + R)
        return 0;
    const double sun = (penumbraKm - umbraKm) / 2, body = (penumbraKm + umbraKm) / 2;
    const double inner = std::abs(umbraKm);
    const double innerDarkness = umbraKm >= 0 ? 1 : body * body / (sun * sun);
    double lost = innerDarkness * discOverlapArea(inner, R, c);
    const auto ring = [&](double rho) {
        return discOverlapArea(sun, body, rho) / (kPi * sun * sun) * 2 * rho * insideAngle(rho, R, c);
    };
    // The penumbra's ring from `inner` to its edge, cut where the target's outline crosses.
    const double lo = std::max(inner, c - R), hi = std::min(penumbraKm, c + R);
    double cuts[3] = {lo, std::clamp(std::abs(R - c), lo, hi), hi};
    for (int k = 0; k < 2; ++k)
        if (cuts[k + 1] > cuts[k])
            lost += integrate(cuts[k], cuts[k + 1], ring);
    return std::clamp(lost / (kPi * R * R), 0.0, 1.0);
}

double lightLost(const PairGeometry& g)
{
    if (!g.rolesHold)
        return 0;
    if (g.type == MutualType::Occultation)
        return occultationLightLost(g.targetRadiusKm, g.occulterRadiusKm, g.separationKm);
    return eclipseLightLost(g.targetRadiusKm, g.umbraRadiusKm, g.penumbraRadiusKm, g.separationKm);
}

double targetWeight(int occulter, int target)
{
    const auto light = [](int k) { return kSatelliteAlbedoV[k] * kSatelliteRadiusKm[k] * kSatelliteRadiusKm[k]; };
    return light(target) / (light(occulter) + light(target));
}

} // namespace zeno
