#include "phenomena_geometry.h"

#include "vec3.h"

#include <cmath>

namespace zeno {

namespace {

// Stretch along the pole that turns the spheroid into the unit sphere.
constexpr double kPolarStretch = kJupiterEquatorialKm / kJupiterPolarKm - 1;

Vec3 load(const double v[3]) { return {v[0], v[1], v[2]}; }
Vec3 toSphere(const Vec3& v, const Vec3& pole) { return kPolarStretch * dot(v, pole) * pole + v; }

// Where the half-line origin + t dir (t > 0) first meets the globe, in the
// units of dir; -1 when it misses. The origin lies outside the globe.
double meetsGlobe(const Vec3& origin, const Vec3& dir, const Vec3& pole)
{
    const Vec3 o = toSphere(origin, pole), d = toSphere(dir, pole);
    const double a = dot(d, d), b = dot(o, d), c = dot(o, o) - 1;
    const double disc = b * b - a * c;
    if (disc < 0)
        return -1;
    const double t = (-b - std::sqrt(disc)) / a;
    return t > 0 ? t : -1;
}

} // namespace

PrecisePhenomena precisePhenomena(const ModernEphemeris& e)
{
    PrecisePhenomena p;
    const Vec3 pole = load(e.pole), sun = load(e.soleil);
    const Vec3 antiSun{-sun[0], -sun[1], -sun[2]};
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4}, Z[4] = {e.Z1, e.Z2, e.Z3, e.Z4};
    for (int i = 0; i < 4; ++i) {
        p.eclipse[i] = meetsGlobe(load(e.eclipse[i]), sun, pole) > 0;
        const Vec3 seen{X[i], Y[i], Z[i]};
        p.occulte[i] = meetsGlobe(seen, Vec3{0, 0, -1}, pole) > 0;
        p.passage[i] = meetsGlobe(seen, Vec3{0, 0, 1}, pole) > 0;
        const Vec3 caster = load(e.ombre[i]);
        const double t = meetsGlobe(caster, antiSun, pole);
        if (t > 0) {
            const Vec3 spot = t * antiSun + caster;
            // Visible when the outward normal there faces the Earth (negative depth).
            const Vec3 normal = kPolarStretch * (kPolarStretch + 2) * dot(spot, pole) * pole + spot;
            p.ombre[i] = normal[2] < 0;
            p.ombreX[i] = spot[0];
            p.ombreY[i] = spot[1];
        }
    }
    return p;
}

bool inFrontOfLitDisk(const ModernEphemeris& e, int i)
{
    const Vec3 pole = load(e.pole);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4}, Z[4] = {e.Z1, e.Z2, e.Z3, e.Z4};
    const Vec3 seen{X[i], Y[i], Z[i]};
    const Vec3 back{0, 0, 1};
    const double t = meetsGlobe(seen, back, pole);
    if (!(t > 0))
        return false;
    const Vec3 spot = t * back + seen;
    const Vec3 normal = kPolarStretch * (kPolarStretch + 2) * dot(spot, pole) * pole + spot;
    return dot(normal, load(e.soleil)) > 0;
}

} // namespace zeno
