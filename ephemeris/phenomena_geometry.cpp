#include "phenomena_geometry.h"

#include <cmath>

namespace zeno {

namespace {

// Stretch along the pole that turns the spheroid into the unit sphere.
constexpr double kPolarStretch = kJupiterEquatorialKm / kJupiterPolarKm - 1;

struct V3 { double x, y, z; };
V3 load(const double v[3]) { return {v[0], v[1], v[2]}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 axpy(double k, V3 a, V3 b) { return {k * a.x + b.x, k * a.y + b.y, k * a.z + b.z}; }
V3 toSphere(V3 v, V3 pole) { return axpy(kPolarStretch * dot(v, pole), pole, v); }

// Where the half-line origin + t dir (t > 0) first meets the globe, in the
// units of dir; -1 when it misses. The origin lies outside the globe.
double meetsGlobe(V3 origin, V3 dir, V3 pole)
{
    const V3 o = toSphere(origin, pole), d = toSphere(dir, pole);
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
    const V3 pole = load(e.pole), sun = load(e.soleil);
    const V3 antiSun{-sun.x, -sun.y, -sun.z};
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4}, Z[4] = {e.Z1, e.Z2, e.Z3, e.Z4};
    for (int i = 0; i < 4; ++i) {
        p.eclipse[i] = meetsGlobe(load(e.eclipse[i]), sun, pole) > 0;
        const V3 seen{X[i], Y[i], Z[i]};
        p.occulte[i] = meetsGlobe(seen, V3{0, 0, -1}, pole) > 0;
        p.passage[i] = meetsGlobe(seen, V3{0, 0, 1}, pole) > 0;
        const V3 caster = load(e.ombre[i]);
        const double t = meetsGlobe(caster, antiSun, pole);
        if (t > 0) {
            const V3 spot = axpy(t, antiSun, caster);
            // Visible when the outward normal there faces the Earth (negative depth).
            const V3 normal = axpy(kPolarStretch * (kPolarStretch + 2) * dot(spot, pole), pole, spot);
            p.ombre[i] = normal.z < 0;
            p.ombreX[i] = spot.x;
            p.ombreY[i] = spot.y;
        }
    }
    return p;
}

bool inFrontOfLitDisk(const ModernEphemeris& e, int i)
{
    const V3 pole = load(e.pole);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4}, Z[4] = {e.Z1, e.Z2, e.Z3, e.Z4};
    const V3 seen{X[i], Y[i], Z[i]};
    const V3 back{0, 0, 1};
    const double t = meetsGlobe(seen, back, pole);
    if (!(t > 0))
        return false;
    const V3 spot = axpy(t, back, seen);
    const V3 normal = axpy(kPolarStretch * (kPolarStretch + 2) * dot(spot, pole), pole, spot);
    return dot(normal, load(e.soleil)) > 0;
}

} // namespace zeno
