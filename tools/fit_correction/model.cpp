#include "model.h"

#include "deltat.h"
#include "modern_theory.h"
#include "vec3.h"

#include <QCoreApplication>

#include <gsl/gsl_multifit.h>

#include <algorithm>
#include <array>
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

Track modelTrack(const Observation& o)
{
    constexpr double kStepS = 30;
    const SkyOffset a = modelOffset(o, o.jdUtc - kStepS / kSecondsPerDay);
    const SkyOffset b = modelOffset(o, o.jdUtc + kStepS / kSecondsPerDay);
    const double vx = (b.x - a.x) / (2 * kStepS), vy = (b.y - a.y) / (2 * kStepS);   // arcsec/s
    Track t;
    t.speedArcsecS = std::hypot(vx, vy);
    if (!(t.speedArcsecS > 0))
        return t;
    t.ux = vx / t.speedArcsecS;
    t.uy = vy / t.speedArcsecS;
    const MutualSnapshot s = mutualSnapshot(utForUtc(o.jdUtc), (1u << o.occulter) | (1u << o.target), &o.site);
    const PairGeometry g = o.type == MutualType::Occultation ? occultationGeometry(s, o.occulter, o.target)
                                                              : eclipseGeometry(s, o.occulter, o.target);
    // At the least separation: the along-track part of the offset taken out.
    const SkyOffset m = modelOffset(o, o.jdUtc);
    const double along = m.x * t.ux + m.y * t.uy, offset = std::hypot(m.x, m.y);
    const double least = g.separationKm * std::sqrt(std::max(0.0, offset * offset - along * along)) / std::max(offset, 1e-12);
    t.grazing = least / g.contactKm();
    const Vec3& target = o.type == MutualType::Occultation ? s.geocentric[o.target] : s.heliocentric[o.target];
    t.kmPerArcsec = norm(target) / kArcsecPerRad;
    return t;
}

double timeResidualS(const Observation& o, const Track& t)
{
    const SkyOffset c = modelOffset(o, o.jdUtc);
    const double observedAlong = o.positionAngleOnly ? 0 : o.x * t.ux + o.y * t.uy;
    return -(observedAlong - (c.x * t.ux + c.y * t.uy)) / t.speedArcsecS;
}

double midTimeOminusC(const Observation& o, double* speedMasS)
{
    const Track t = modelTrack(o);
    if (speedMasS)
        *speedMasS = 1000 * t.speedArcsecS;
    return timeResidualS(o, t);
}

double timeSigmaS(const Observation& o, const Track& t)
{
    const double along = o.positionAngleOnly ? o.sigmaAlong : std::hypot(o.sigmaX * t.ux, o.sigmaY * t.uy);
    return along / t.speedArcsecS;
}

bool timesWell(const Observation& o, const Track& t)
{
    return !o.doubtful && !(1 - o.minimumFlux < kMinimumDrop) && t.speedArcsecS > 0 && t.grazing < kGrazing;
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

// The observations' mid-time residuals over their sigmas (with the floor).
std::vector<double> normalisedResiduals(const std::vector<Observation>& obs, const std::vector<Track>& tracks,
                                        const std::vector<char>& keep, const FitOptions& o)
{
    std::vector<double> r;
    for (std::size_t i = 0; i < obs.size(); ++i) {
        if (!keep[i])
            continue;
        const double s = timeSigmaS(obs[i], tracks[i]);
        r.push_back(timeResidualS(obs[i], tracks[i]) / std::sqrt(s * s + o.floorS * o.floorS));
    }
    return r;
}

double rmsNormalised(const std::vector<Observation>& obs, const std::vector<Track>& tracks,
                     const std::vector<char>& keep, const FitOptions& o)
{
    double sum = 0;
    const std::vector<double> r = normalisedResiduals(obs, tracks, keep, o);
    for (double x : r)
        sum += x * x;
    return r.empty() ? 0 : std::sqrt(sum / r.size());
}

// The directions in the constants' space that the fit moves along.
std::vector<std::array<double, kCorrectionParameters>> directions(FitOptions::Rates rates)
{
    std::vector<std::array<double, kCorrectionParameters>> d;
    const auto unit = [](std::initializer_list<std::pair<int, double>> parts) {
        std::array<double, kCorrectionParameters> v{};
        for (const auto& [j, x] : parts)
            v[std::size_t(j)] = x;
        return v;
    };
    for (int k = 0; k < 4; ++k)
        d.push_back(unit({{2 * k, 1}}));
    if (rates == FitOptions::Rates::Free)
        for (int k = 0; k < 4; ++k)
            d.push_back(unit({{2 * k + 1, 1}}));
    if (rates == FitOptions::Rates::Laplace) {
        // Ganymède's rate follows: δn3 = (3 δn2 - δn1) / 2.
        d.push_back(unit({{1, 1}, {5, -0.5}}));
        d.push_back(unit({{3, 1}, {5, 1.5}}));
        d.push_back(unit({{7, 1}}));
    }
    return d;
}

// One linearised weighted step around `c` along the fitted directions;
// false when the normal matrix is singular.
bool step(const std::vector<Observation>& obs, const std::vector<Track>& tracks, const std::vector<char>& keep,
          const FitOptions& o, CorrectionL12& c, double cov[kCorrectionParameters][kCorrectionParameters],
          double& chi2PerDof, double& worstRatio)
{
    const auto free = directions(o.rates);
    const std::size_t P = free.size();
    const auto move = [&](CorrectionL12 v, std::size_t j, double by) {
        for (int k = 0; k < kCorrectionParameters; ++k)
            v.p[k] += by * free[j][std::size_t(k)];
        return v;
    };
    constexpr double kDelta = 1.0;   // µrad, µrad/year: the partials' step
    setTrialCorrection(&c);
    const std::vector<double> base = normalisedResiduals(obs, tracks, keep, o);
    const std::size_t n = base.size();
    if (n <= P)
        return false;
    gsl_matrix* J = gsl_matrix_alloc(n, P);
    gsl_vector* y = gsl_vector_alloc(n);
    for (std::size_t i = 0; i < n; ++i)
        gsl_vector_set(y, i, base[i]);
    for (std::size_t j = 0; j < P; ++j) {
        const CorrectionL12 plus = move(c, j, kDelta), minus = move(c, j, -kDelta);
        setTrialCorrection(&plus);
        const std::vector<double> rp = normalisedResiduals(obs, tracks, keep, o);
        setTrialCorrection(&minus);
        const std::vector<double> rm = normalisedResiduals(obs, tracks, keep, o);
        // Residuals fall as the model rises: the model's partial is minus theirs.
        for (std::size_t i = 0; i < n; ++i)
            gsl_matrix_set(J, i, j, -(rp[i] - rm[i]) / (2 * kDelta));
    }
    setTrialCorrection(&c);
    gsl_vector* x = gsl_vector_alloc(P);
    gsl_matrix* C = gsl_matrix_alloc(P, P);
    gsl_multifit_linear_workspace* w = gsl_multifit_linear_alloc(n, P);
    double chi2 = 0;
    std::size_t rank = 0;
    const int status = gsl_multifit_linear_tsvd(J, y, 1e-12, x, C, &chi2, &rank, w);
    const bool ok = status == 0 && rank == P;
    chi2PerDof = chi2 / double(n - P);
    worstRatio = 0;
    // The constants' covariance: D C D^T over the directions D.
    for (int a = 0; a < kCorrectionParameters; ++a)
        for (int b = 0; b < kCorrectionParameters; ++b) {
            double sum = 0;
            for (std::size_t j = 0; ok && j < P; ++j)
                for (std::size_t k = 0; k < P; ++k)
                    sum += free[j][std::size_t(a)] * gsl_matrix_get(C, j, k) * free[k][std::size_t(b)];
            cov[a][b] = sum * chi2PerDof;
        }
    for (std::size_t j = 0; ok && j < P; ++j) {
        c = move(c, j, gsl_vector_get(x, j));
        // Against the formal error, or a thousandth of a µrad when the data are exact.
        worstRatio = std::max(worstRatio, std::abs(gsl_vector_get(x, j)) /
                                              std::max(std::sqrt(gsl_matrix_get(C, j, j) * chi2PerDof), 1.0));
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
    CorrectionL12 c;
    setTrialCorrection(&c);
    // The path's direction and speed: a correction of tens of µrad turns
    // them by far less than the residuals they weigh.
    std::vector<Track> tracks;
    std::vector<char> eligible;
    for (const Observation& o : obs) {
        tracks.push_back(modelTrack(o));
        eligible.push_back(tracks.back().speedArcsecS > 0 && (!options.wellTimedOnly || timesWell(o, tracks.back())));
    }
    std::vector<char> keep = eligible;
    out.rmsBefore = rmsNormalised(obs, tracks, keep, options);
    bool stable = false;
    for (int round = 0; round < options.maxIterations && !stable; ++round) {
        bool stepConverged = false;
        for (int it = 0; it < options.maxIterations; ++it) {
            double ratio = 0;
            if (!step(obs, tracks, keep, options, c, out.covariance, out.chi2PerDof, ratio)) {
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
        // Set aside what lies beyond the threshold, from all the eligible observations anew.
        const std::vector<double> rows = normalisedResiduals(obs, tracks, eligible, options);
        std::vector<double> absolute;
        for (double r : rows)
            absolute.push_back(std::abs(r));
        // Never tighter than three of the stated sigmas.
        const double robust = std::max(1.0, 1.4826 * median(absolute));
        // Once set aside, an observation stays aside: the set can only
        // grow, so the rounds end.
        std::vector<char> next = keep;
        for (std::size_t i = 0, row = 0; i < obs.size(); ++i)
            if (eligible[i] && std::abs(rows[row++]) > options.rejectFactor * robust)
                next[i] = 0;
        stable = next == keep;
        keep = next;
        out.converged = stable;
    }
    if (!out.converged && out.message.isEmpty())
        out.message = tr("le tri des observations aberrantes ne se stabilise pas");
    out.correction = c;
    out.used = int(std::count(keep.begin(), keep.end(), 1));
    out.rejected = int(std::count(eligible.begin(), eligible.end(), 1)) - out.used;
    out.notTiming = int(obs.size()) - out.used - out.rejected;
    out.rmsAfter = rmsNormalised(obs, tracks, keep, options);
    setTrialCorrection(nullptr);
    setL12Corrected(wasCorrected);
    return out;
}

} // namespace zeno::fit
