#include "model.h"

#include "deltat.h"
#include "modern_theory.h"
#include "vec3.h"

#include <QCoreApplication>

#include <gsl/gsl_multifit.h>

#include <algorithm>
#include <cmath>

namespace zeno::fit {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcsecPerRad = 180 * 3600 / kPi;
constexpr double kLightKmS = 299792.458;
constexpr double kSecondsPerDay = 86400;

double leapSeconds(double jdUtc)
{
    // TAI - UTC from 2006 (the catalogues start in 2009).
    if (jdUtc >= 2457754.5)
        return 37;   // 2017 January 1
    if (jdUtc >= 2457204.5)
        return 36;   // 2015 July 1
    if (jdUtc >= 2456109.5)
        return 35;   // 2012 July 1
    if (jdUtc >= 2454832.5)
        return 34;   // 2009 January 1
    return 33;
}

// Tangent-plane offset of direction b from direction a, radians, x toward
// increasing right ascension, y toward the north.
SkyOffset tangent(const Vec3& a, const Vec3& b)
{
    const Vec3 ua = unit(a), ub = unit(b);
    const Vec3 ex = unit(cross(Vec3{0, 0, 1}, ua));
    const Vec3 ey = cross(ua, ex);
    const double d = dot(ub, ua);
    return {dot(ub, ex) / d, dot(ub, ey) / d};
}

} // namespace

double utForUtc(double jdUtc)
{
    const double jdTT = jdUtc + (leapSeconds(jdUtc) + 32.184) / kSecondsPerDay;
    double ut = jdTT - deltaTModerne(decimalYear(jdTT)) / kSecondsPerDay;
    for (int i = 0; i < 3; ++i)
        ut = jdTT - deltaTModerne(decimalYear(ut)) / kSecondsPerDay;
    return ut;
}

SkyOffset modelOffset(const Observation& o, double jdUtc)
{
    const unsigned bits = (1u << o.occulter) | (1u << o.target);
    const MutualSnapshot s = mutualSnapshot(utForUtc(jdUtc), bits, &o.site);
    SkyOffset r;
    if (o.type == MutualType::Occultation) {
        r = tangent(s.geocentric[o.target], s.geocentric[o.occulter]);
    } else {
        // From the Sun: the eclipser when the sunlight reaching the target
        // passed it (as eclipseGeometry), both as seen from the Sun's centre.
        const Vec3& Ht = s.heliocentric[o.target];
        const double lateS = (norm(s.geocentric[o.occulter]) - norm(s.geocentric[o.target])) / kLightKmS
                           - (norm(Ht) - norm(s.heliocentric[o.occulter])) / kLightKmS;
        const Vec3 He = s.heliocentric[o.occulter] + lateS * s.velocity[o.occulter];
        // The angle seen from the Sun: so the catalogues' computed positions
        // are met to 0.2 mas (jg0035, whose O-C are on L1.2's parent theory).
        r = tangent(Ht, He);
    }
    r.x *= kArcsecPerRad;
    r.y *= kArcsecPerRad;
    return r;
}

int residualCount(const Observation& o) { return o.positionAngleOnly ? 1 : 2; }

void residuals(const Observation& o, double out[2])
{
    const SkyOffset c = modelOffset(o, o.jdUtc);
    if (!o.positionAngleOnly) {
        out[0] = o.x - c.x;
        out[1] = o.y - c.y;
        return;
    }
    // The path at right angles to the observed direction of the offset.
    const double a = o.positionAngleDeg * kPi / 180;
    out[0] = -(c.x * std::cos(a) - c.y * std::sin(a));
}

double midTimeOminusC(const Observation& o, double* speedMasS)
{
    constexpr double kStepDays = 30 / kSecondsPerDay;
    double t = o.jdUtc, speed = 0;
    for (int i = 0; i < 4; ++i) {
        const SkyOffset a = modelOffset(o, t - kStepDays), b = modelOffset(o, t + kStepDays), m = modelOffset(o, t);
        const double vx = (b.x - a.x) / (2 * kStepDays), vy = (b.y - a.y) / (2 * kStepDays);   // arcsec/day
        const double v2 = vx * vx + vy * vy;
        if (!(v2 > 0))
            break;
        const double dt = -(m.x * vx + m.y * vy) / v2;
        t += std::clamp(dt, -0.05, 0.05);
        speed = std::sqrt(v2) * 1000 / kSecondsPerDay;
        if (std::abs(dt) * kSecondsPerDay < 1e-3)
            break;
    }
    if (speedMasS)
        *speedMasS = speed;
    return (o.jdUtc - t) * kSecondsPerDay;
}

namespace {

QString tr(const char* text) { return QCoreApplication::translate("fit_correction", text); }

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

struct Rows {
    std::vector<double> r;       // normalised residuals
    std::vector<int> owner;      // observation index of each row
};

Rows normalisedResiduals(const std::vector<Observation>& obs, const std::vector<char>& keep, const FitOptions& o)
{
    Rows rows;
    for (std::size_t i = 0; i < obs.size(); ++i) {
        if (!keep[i])
            continue;
        double r[2];
        residuals(obs[i], r);
        const double s0 = obs[i].positionAngleOnly ? obs[i].sigmaAlong : obs[i].sigmaX;
        const double s1 = obs[i].sigmaY;
        for (int k = 0; k < residualCount(obs[i]); ++k) {
            const double s = k == 0 ? s0 : s1;
            rows.r.push_back(r[k] / std::sqrt(s * s + o.floorArcsec * o.floorArcsec));
            rows.owner.push_back(int(i));
        }
    }
    return rows;
}

double rmsMas(const std::vector<Observation>& obs, const std::vector<char>& keep)
{
    double sum = 0;
    int n = 0;
    for (std::size_t i = 0; i < obs.size(); ++i) {
        if (!keep[i])
            continue;
        double r[2];
        residuals(obs[i], r);
        for (int k = 0; k < residualCount(obs[i]); ++k, ++n)
            sum += r[k] * r[k];
    }
    return n ? 1000 * std::sqrt(sum / n) : 0;
}

// One linearised weighted step around `c`; false when the normal matrix is singular.
bool step(const std::vector<Observation>& obs, const std::vector<char>& keep, const FitOptions& o, CorrectionL12& c,
          double cov[kCorrectionParameters][kCorrectionParameters], double& chi2PerDof, double& worstRatio)
{
    constexpr int P = kCorrectionParameters;
    constexpr double kDelta = 1.0;   // µrad, µrad/year: the partials' step
    setTrialCorrection(&c);
    const Rows base = normalisedResiduals(obs, keep, o);
    const std::size_t n = base.r.size();
    if (n <= std::size_t(P))
        return false;
    gsl_matrix* J = gsl_matrix_alloc(n, P);
    gsl_vector* y = gsl_vector_alloc(n);
    for (std::size_t i = 0; i < n; ++i)
        gsl_vector_set(y, i, base.r[i]);
    for (int j = 0; j < P; ++j) {
        CorrectionL12 plus = c, minus = c;
        plus.p[j] += kDelta;
        minus.p[j] -= kDelta;
        setTrialCorrection(&plus);
        const Rows rp = normalisedResiduals(obs, keep, o);
        setTrialCorrection(&minus);
        const Rows rm = normalisedResiduals(obs, keep, o);
        // Residuals fall as the model rises: the model's partial is minus theirs.
        for (std::size_t i = 0; i < n; ++i)
            gsl_matrix_set(J, i, j, -(rp.r[i] - rm.r[i]) / (2 * kDelta));
    }
    setTrialCorrection(&c);
    gsl_vector* x = gsl_vector_alloc(P);
    gsl_matrix* C = gsl_matrix_alloc(P, P);
    gsl_multifit_linear_workspace* w = gsl_multifit_linear_alloc(n, P);
    double chi2 = 0;
    std::size_t rank = 0;
    const int status = gsl_multifit_linear_tsvd(J, y, 1e-12, x, C, &chi2, &rank, w);
    bool ok = status == 0 && rank == std::size_t(P);
    chi2PerDof = chi2 / double(n - P);
    worstRatio = 0;
    for (int j = 0; ok && j < P; ++j) {
        for (int k = 0; k < P; ++k)
            cov[j][k] = gsl_matrix_get(C, j, k) * chi2PerDof;
        c.p[j] += gsl_vector_get(x, j);
        // Against the formal error, or a thousandth of a µrad when the data are exact.
        worstRatio = std::max(worstRatio, std::abs(gsl_vector_get(x, j)) / std::max(std::sqrt(cov[j][j]), 1.0));
    }
    gsl_multifit_linear_free(w);
    gsl_matrix_free(C);
    gsl_vector_free(x);
    gsl_vector_free(y);
    gsl_matrix_free(J);
    return ok;
}

} // namespace

FitResult fitCorrection(const std::vector<Observation>& obs, const FitOptions& options)
{
    FitResult out;
    const bool wasCorrected = l12Corrected();
    setL12Corrected(true);
    std::vector<char> keep(obs.size(), 1);
    CorrectionL12 c;
    setTrialCorrection(&c);
    out.rmsBeforeMas = rmsMas(obs, keep);
    bool stable = false;
    for (int round = 0; round < options.maxIterations && !stable; ++round) {
        bool stepConverged = false;
        for (int it = 0; it < options.maxIterations; ++it) {
            double ratio = 0;
            if (!step(obs, keep, options, c, out.covariance, out.chi2PerDof, ratio)) {
                out.message = tr("système singulier : trop peu d'observations pour les huit constantes");
                break;
            }
            if (ratio < 1e-3) {
                stepConverged = true;
                break;
            }
        }
        if (!stepConverged) {
            if (out.message.isEmpty())
                out.message = tr("les itérations ne convergent pas");
            break;
        }
        // Set aside what lies beyond the threshold, from all the observations anew.
        std::vector<char> all(obs.size(), 1);
        const Rows rows = normalisedResiduals(obs, all, options);
        std::vector<double> absolute;
        for (double r : rows.r)
            absolute.push_back(std::abs(r));
        // Never tighter than three of the stated sigmas.
        const double robust = std::max(1.0, 1.4826 * median(absolute));
        // Once set aside, an observation stays aside: the set can only
        // grow, so the rounds end.
        std::vector<char> next = keep;
        for (std::size_t i = 0; i < rows.r.size(); ++i)
            if (std::abs(rows.r[i]) > options.rejectFactor * robust)
                next[std::size_t(rows.owner[i])] = 0;
        stable = next == keep;
        keep = next;
        out.converged = stable;
    }
    if (!out.converged && out.message.isEmpty())
        out.message = tr("le tri des observations aberrantes ne se stabilise pas");
    out.correction = c;
    out.used = int(std::count(keep.begin(), keep.end(), 1));
    out.rejected = int(obs.size()) - out.used;
    out.rmsAfterMas = rmsMas(obs, keep);
    setTrialCorrection(nullptr);
    setL12Corrected(wasCorrected);
    return out;
}

} // namespace zeno::fit
