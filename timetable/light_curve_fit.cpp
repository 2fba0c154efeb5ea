#include "light_curve_fit.h"

#include "least_squares.h"
#include "modern_theory.h"

#include "regional.h"
#include "scene_frame.h"

#include <QCoreApplication>
#include <QDateTime>

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit_nlinear.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zeno {

namespace {

constexpr double kSecondsPerHour = 3600;
constexpr double kUnixEpochJD = 2440587.5;     // 1970-01-01 00:00 UT
constexpr double kSecondsPerDay = 86400;
constexpr double kWindowMarginMinS = 1800;     // the points taken: the event, and at least this on each side
constexpr int kDuringMinimum = 3;              // points needed between the first and last contacts
constexpr int kTableNodes = 4096;              // the flux table's nodes over the contact radius
constexpr int kGridSteps = 120;                // the starting shift's grid over +-duration
constexpr int kMaxIterations = 200;
constexpr double kXTolerance = 1e-9;           // relative step that ends the fit
constexpr double kGTolerance = 1e-10;          // scaled gradient that ends it
constexpr double kFTolerance = 0;
constexpr double kCentralKm = 1;               // an impact below this has no direction of its own
constexpr double kSignificantDepth = 3;        // a depth below this many sigmas is no detection
constexpr double kTrackStepS = 10;             // the track's samples: far finer than the motion's curvature
constexpr std::size_t kParameters = 4;         // shift s, offset across km, scale, slope per hour
constexpr double kSigmaFloor = 0.2;            // uncertainties floored at this fraction of their median
constexpr double kClipSigmas = 5;              // residuals beyond this many robust sigmas are clipped
constexpr int kClipRounds = 5;                 // fits, clipping between them, at most
constexpr double kMadToSigma = 1.4826;         // a Gaussian's sigma from its median absolute deviation
constexpr double kDepthWarnRatio = 3;          // observed/predicted depth beyond 1/3..3: said
constexpr double kDepthFailRatio = 10;         // beyond 1/10..10: not this event
constexpr double kLargestShare = 0.5;          // of the information on the shift held by one point
constexpr double kInvertedSigmas = 3;          // a brightening this significant where the event dims: inverted
enum Parameter { Shift, Offset, Scale, Slope };


// The shape's flux against the separation c (km), tabulated: the fit calls
// it hundreds of thousands of times and the eclipse's integral is slow.
class FluxTable {
public:
    explicit FluxTable(const EventShape& shape)
        : span_(1.001 * (shape.targetRadiusKm + (shape.type == MutualType::Occultation ? shape.occulterRadiusKm
                                                                                         : shape.penumbraRadiusKm))),
          step_(span_ / kTableNodes), flux_(kTableNodes + 2)
    {
        EventShape central = shape;
        central.impactKm = 0;
        for (int i = 0; i < kTableNodes + 2; ++i)
            flux_[std::size_t(i)] = shapeFlux(central, i * step_ / shape.relativeSpeedKmS);
    }
    // The flux at separation c and its derivative in c (per km).
    double at(double c, double& slope) const
    {
        const double x = c / step_;
        if (x >= kTableNodes) {
            slope = 0;
            return 1;
        }
        const auto i = std::size_t(x);
        slope = (flux_[i + 1] - flux_[i]) / step_;
        return flux_[i] + (x - double(i)) * (flux_[i + 1] - flux_[i]);
    }

private:
    double span_, step_;
    std::vector<double> flux_;
};

// The occulting disc's (or the shadow axis') centre relative to the
// target's, km in the target's plane, sampled along the predicted event:
// the true, slightly curved and uneven motion, not a straight line.
class Track {
public:
    Track(const MutualEvent& ev, double fromUt, double toUt)
        : t0_(fromUt), count_(std::max(2, int(std::ceil((toUt - fromUt) / kTrackStepS)) + 1))
    {
        x_.reserve(std::size_t(count_));
        y_.reserve(std::size_t(count_));
        for (int i = 0; i < count_; ++i) {
            const PairGeometry g = mutualDiscsAt(ev, t0_ + i * kTrackStepS);
            x_.push_back(g.dx);
            y_.push_back(g.dy);
        }
    }
    // Position (km) and velocity (km/s) at UT t; straight on beyond the samples.
    void at(double t, double& px, double& py, double& vx, double& vy) const
    {
        const double u = (t - t0_) / kTrackStepS;
        const auto i = std::size_t(std::clamp(std::floor(u), 0.0, double(count_ - 2)));
        vx = (x_[i + 1] - x_[i]) / kTrackStepS;
        vy = (y_[i + 1] - y_[i]) / kTrackStepS;
        const double f = (u - double(i)) * kTrackStepS;
        px = x_[i] + f * vx;
        py = y_[i] + f * vy;
    }

private:
    double t0_;
    int count_;
    std::vector<double> x_, y_;
};

struct Points {
    std::vector<double> tau;      // seconds from the predicted maximum
    std::vector<double> flux;
    std::vector<double> weight;   // 1 / sigma
    const FluxTable* table = nullptr;
    const Track* track = nullptr;
    double tMax = 0;              // UT seconds, the predicted maximum
    double ex = 0, ey = 0;        // unit vector of the impact at the maximum: the offset's direction
};

struct Model {
    double value, dShift, dOffset, dScale, dSlope;
};

// The predicted track shifted in time and moved across by x[Offset] along
// the impact's direction.
Model model(const Points& d, std::size_t i, const double* x)
{
    const double tau = d.tau[i];
    double px, py, vx, vy;
    d.track->at(d.tMax + tau - x[Shift], px, py, vx, vy);
    const double qx = px + x[Offset] * d.ex, qy = py + x[Offset] * d.ey, c = std::hypot(qx, qy);
    double slope = 0;
    const double F = d.table->at(c, slope);
    const double base = x[Scale] + x[Slope] * tau / kSecondsPerHour;
    const double dc = base * slope;
    return {base * F, c > 0 ? -dc * (qx * vx + qy * vy) / c : 0, c > 0 ? dc * (qx * d.ex + qy * d.ey) / c : 0, F,
            F * tau / kSecondsPerHour};
}

int residuals(const gsl_vector* x, void* params, gsl_vector* f)
{
    const auto& d = *static_cast<const Points*>(params);
    const double p[kParameters] = {gsl_vector_get(x, 0), gsl_vector_get(x, 1), gsl_vector_get(x, 2), gsl_vector_get(x, 3)};
    for (std::size_t i = 0; i < d.tau.size(); ++i)
        gsl_vector_set(f, i, (model(d, i, p).value - d.flux[i]) * d.weight[i]);
    return GSL_SUCCESS;
}

int jacobian(const gsl_vector* x, void* params, gsl_matrix* J)
{
    const auto& d = *static_cast<const Points*>(params);
    const double p[kParameters] = {gsl_vector_get(x, 0), gsl_vector_get(x, 1), gsl_vector_get(x, 2), gsl_vector_get(x, 3)};
    for (std::size_t i = 0; i < d.tau.size(); ++i) {
        const Model m = model(d, i, p);
        const double w = d.weight[i];
        gsl_matrix_set(J, i, Shift, m.dShift * w);
        gsl_matrix_set(J, i, Offset, m.dOffset * w);
        gsl_matrix_set(J, i, Scale, m.dScale * w);
        gsl_matrix_set(J, i, Slope, m.dSlope * w);
    }
    return GSL_SUCCESS;
}

// The best scale and slope for a fixed shape (weighted linear least squares)
// and the chi-square they leave.
double linearChi2(const Points& d, double* x)
{
    double a11 = 0, a12 = 0, a22 = 0, b1 = 0, b2 = 0;
    std::vector<double> F(d.tau.size());
    const double unit[kParameters] = {x[Shift], x[Offset], 1, 0};
    for (std::size_t i = 0; i < d.tau.size(); ++i) {
        F[i] = model(d, i, unit).value;
        const double w2 = d.weight[i] * d.weight[i], h = d.tau[i] / kSecondsPerHour;
        a11 += w2 * F[i] * F[i];
        a12 += w2 * F[i] * F[i] * h;
        a22 += w2 * F[i] * F[i] * h * h;
        b1 += w2 * F[i] * d.flux[i];
        b2 += w2 * F[i] * h * d.flux[i];
    }
    const double det = a11 * a22 - a12 * a12;
    x[Scale] = det != 0 ? (b1 * a22 - b2 * a12) / det : b1 / a11;
    x[Slope] = det != 0 ? (a11 * b2 - a12 * b1) / det : 0;
    double chi2 = 0;
    for (std::size_t i = 0; i < d.tau.size(); ++i) {
        const double r = (x[Scale] + x[Slope] * d.tau[i] / kSecondsPerHour) * F[i] - d.flux[i];
        chi2 += r * r * d.weight[i] * d.weight[i];
    }
    return chi2;
}

QString fault(const MutualEvent& ev, const CurveFit& fit, const std::vector<ObservedPoint>& all, int used, int during,
              const QLocale& locale)
{
    const QString window = QCoreApplication::translate("LightCurveFit", "du %1 au %2 TU").arg(mutualUtText(fit.windowStart, locale), mutualUtText(fit.windowEnd, locale));
    if (used == 0)
        return QCoreApplication::translate("LightCurveFit", "les instants du fichier (du %1 au %2 TU) sont hors de la fenêtre du phénomène %3 (%4) : "
                  "vérifiez le phénomène choisi et la colonne des temps")
            .arg(mutualUtText(all.front().ut, locale), mutualUtText(all.back().ut, locale), ev.code(), window);
    if (used < kFitMinimumPoints)
        return QCoreApplication::translate("LightCurveFit", "trop peu de points : %1 dans la fenêtre du phénomène (%2), il en faut au moins %3")
            .arg(used)
            .arg(window)
            .arg(kFitMinimumPoints);
    if (during < kDuringMinimum)
        return QCoreApplication::translate("LightCurveFit", "trop peu de points pendant le phénomène (du %1 au %2 TU) : %3, il en faut au moins %4")
            .arg(mutualUtText(double(ev.start), locale), mutualUtText(double(ev.end), locale))
            .arg(during)
            .arg(kDuringMinimum);
    return {};
}

// The event's shape at a fixed shift on a free linear baseline, its depth
// free in sign: flux = a + b h - A (1 - F). A and its sigma (scaled by the
// residuals); a negative A is a brightening where the event should dim the pair.
void dipAmplitude(const Points& d, double shiftS, double& amplitude, double& sigma)
{
    const std::size_t n = d.tau.size();
    std::vector<double> dip(n);
    double m[3][3] = {}, v[3] = {};
    const double at[kParameters] = {shiftS, 0, 1, 0};
    for (std::size_t i = 0; i < n; ++i) {
        dip[i] = 1 - model(d, i, at).value;
        const double w2 = d.weight[i] * d.weight[i];
        const double g[3] = {1, d.tau[i] / kSecondsPerHour, -dip[i]};
        for (int r = 0; r < 3; ++r) {
            v[r] += w2 * g[r] * d.flux[i];
            for (int k = 0; k < 3; ++k)
                m[r][k] += w2 * g[r] * g[k];
        }
    }
    const auto det3 = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0])
             + a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    amplitude = sigma = 0;
    const double det = det3(m);
    if (!(std::abs(det) > 0) || n <= 3)
        return;
    double u[3];
    for (int k = 0; k < 3; ++k) {   // Cramer's rule
        double c[3][3];
        std::copy(&m[0][0], &m[0][0] + 9, &c[0][0]);
        for (int r = 0; r < 3; ++r)
            c[r][k] = v[r];
        u[k] = det3(c) / det;
    }
    double chi2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = (u[0] + u[1] * d.tau[i] / kSecondsPerHour - u[2] * dip[i] - d.flux[i]) * d.weight[i];
        chi2 += r * r;
    }
    const double corner = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;   // (M^-1)[2][2]
    amplitude = u[2];
    sigma = corner > 0 ? std::sqrt(corner * chi2 / double(n - 3)) : 0;
}

// Fits from x (changed to the result); false when GSL cannot even start.
struct Run {
    int status = GSL_SUCCESS, iterations = 0;
    double chi2 = 0;
    double sigma[kParameters] = {};   // unscaled: sqrt of the covariance's diagonal
    double largestShare = 0;          // of the information on the shift, one point's
};

bool runFit(Points& d, double* x, Run& run)
{
    const std::size_t n = d.tau.size();
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residuals;
    fdf.df = jacobian;
    fdf.n = n;
    fdf.p = kParameters;
    fdf.params = &d;
    double total = 0, largest = 0;
    const LeastSquaresRun r = fitLeastSquares(fdf, x, {kMaxIterations, kXTolerance, kGTolerance, kFTolerance},
                                              [&](const gsl_matrix* J) {
                                                  for (std::size_t i = 0; i < n; ++i) {
                                                      const double j = gsl_matrix_get(J, i, Shift);
                                                      total += j * j;
                                                      largest = std::max(largest, j * j);
                                                  }
                                              });
    if (!r.started)
        return false;
    run.status = r.status;
    run.iterations = r.iterations;
    run.chi2 = r.chi2;
    for (std::size_t k = 0; k < kParameters; ++k) {
        x[k] = r.x[k];
        run.sigma[k] = r.covariance[k] > 0 ? std::sqrt(r.covariance[k]) : std::nan("");
    }
    run.largestShare = total > 0 ? largest / total : 1;
    return true;
}

// Drops the points whose residual lies beyond kClipSigmas robust sigmas; how many.
int clip(Points& d, const double* x)
{
    const std::size_t n = d.tau.size();
    std::vector<double> z(n), a(n);
    for (std::size_t i = 0; i < n; ++i)
        z[i] = (d.flux[i] - model(d, i, x).value) * d.weight[i];
    a = z;
    std::nth_element(a.begin(), a.begin() + std::ptrdiff_t(n / 2), a.end());
    const double median = a[n / 2];
    for (std::size_t i = 0; i < n; ++i)
        a[i] = std::abs(z[i] - median);
    std::nth_element(a.begin(), a.begin() + std::ptrdiff_t(n / 2), a.end());
    const double limit = kClipSigmas * kMadToSigma * a[n / 2];
    if (!(limit > 0))
        return 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (std::abs(z[i] - median) <= limit) {
            d.tau[kept] = d.tau[i];
            d.flux[kept] = d.flux[i];
            d.weight[kept] = d.weight[i];
            ++kept;
        }
    const int dropped = int(n - kept);
    d.tau.resize(kept);
    d.flux.resize(kept);
    d.weight.resize(kept);
    return dropped;
}

} // namespace

CurveFit fitLightCurve(const MutualEvent& event, const std::vector<ObservedPoint>& all, const QLocale& locale)
{
    CurveFit fit;
    fit.predicted = eventShape(event);
    const double margin = std::max(kWindowMarginMinS, event.durationS);
    fit.windowStart = double(event.start) - margin;
    fit.windowEnd = double(event.end) + margin;
    if (all.empty()) {
        fit.error = QCoreApplication::translate("LightCurveFit", "aucun point à ajuster");
        return fit;
    }
    if (fit.predicted.relativeSpeedKmS <= 0) {
        fit.error = QCoreApplication::translate("LightCurveFit", "le phénomène %1 n'a pas de mouvement relatif connu").arg(event.code());
        return fit;
    }

    Points d;
    int during = 0;
    bool weighted = true;
    std::vector<double> sigmas;
    for (const ObservedPoint& p : all) {
        if (p.ut < fit.windowStart || p.ut > fit.windowEnd) {
            ++fit.outsideWindow;
            continue;
        }
        d.tau.push_back(p.ut - fit.predicted.tMax);
        d.flux.push_back(p.flux);
        d.weight.push_back(1);
        sigmas.push_back(p.sigma);
        weighted = weighted && p.sigma > 0;
        during += p.ut >= double(event.start) && p.ut <= double(event.end);
    }
    const int n = int(d.tau.size());
    if (const QString f = fault(event, fit, all, n, during, locale); !f.isEmpty()) {
        fit.error = f;
        return fit;
    }
    if (weighted) {
        // No point may weigh more than a few ordinary ones: uncertainties floored at a fraction of their median.
        std::vector<double> sorted = sigmas;
        std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2), sorted.end());
        const double floor = kSigmaFloor * sorted[sorted.size() / 2];
        for (std::size_t i = 0; i < sigmas.size(); ++i) {
            fit.floored += sigmas[i] < floor;
            d.weight[i] = 1 / std::max(sigmas[i], floor);
        }
    }
    const auto [lo, hi] = std::minmax_element(d.flux.begin(), d.flux.end());
    if (*lo == *hi) {
        fit.error = QCoreApplication::translate("LightCurveFit", "tous les flux sont égaux (%1) : il n'y a pas de courbe de lumière à ajuster").arg(*lo);
        return fit;
    }
    fit.weighted = weighted;
    const double firstUt = fit.predicted.tMax + *std::min_element(d.tau.begin(), d.tau.end());
    const double lastUt = fit.predicted.tMax + *std::max_element(d.tau.begin(), d.tau.end());

    const FluxTable table(fit.predicted);
    const double reach = std::max(event.durationS, 60.0);   // the starting grid's shifts: +-reach
    const Track track(event, fit.windowStart - reach - margin, fit.windowEnd + reach + margin);
    d.table = &table;
    d.track = &track;
    d.tMax = fit.predicted.tMax;
    fit.event = event;
    fit.offsetX = event.atMaximum.dx;
    fit.offsetY = event.atMaximum.dy;
    const double b = std::hypot(fit.offsetX, fit.offsetY);
    if (b > kCentralKm) {
        d.ex = fit.offsetX / b;
        d.ey = fit.offsetY / b;
    } else {   // a central event: across the motion
        double px, py, vx, vy;
        track.at(d.tMax, px, py, vx, vy);
        const double v = std::hypot(vx, vy);
        d.ex = -vy / v;
        d.ey = vx / v;
    }
    fit.offsetX = d.ex;
    fit.offsetY = d.ey;

    // Start from the shift of least chi-square on a grid, scale and slope
    // solved for; on the same grid, the event's most significant signature
    // in the points, whichever its sign.
    double x[kParameters] = {0, 0, 1, 0};
    double best = linearChi2(d, x);
    double strongest = 0, strongestSigma = 0, strongestShift = 0;
    for (int k = 0; k <= kGridSteps; ++k) {
        double g[kParameters] = {-reach + 2 * reach * k / kGridSteps, 0, 1, 0};
        const double chi2 = linearChi2(d, g);
        if (chi2 < best) {
            best = chi2;
            std::copy(g, g + kParameters, x);
        }
        double a = 0, s = 0;
        dipAmplitude(d, g[Shift], a, s);
        if (s > 0 && std::abs(a) / s > std::abs(strongest) / std::max(strongestSigma, 1e-300)) {
            strongest = a;
            strongestSigma = s;
            strongestShift = g[Shift];
        }
    }

    gsl_set_error_handler_off();   // failures come back as status codes, never abort()
    Run run;
    for (int round = 0; round < kClipRounds; ++round) {
        if (!runFit(d, x, run)) {
            fit.error = QCoreApplication::translate("LightCurveFit", "mémoire insuffisante pour l'ajustement");
            return fit;
        }
        if (run.status != GSL_SUCCESS || int(d.tau.size()) <= kFitMinimumPoints)
            break;
        const int dropped = clip(d, x);
        fit.clipped += dropped;
        if (dropped == 0)
            break;
    }
    fit.points = int(d.tau.size());
    fit.iterations = run.iterations;
    const double dof = double(fit.points) - double(kParameters);
    fit.reducedChi2 = run.chi2 / dof;
    const double s = std::sqrt(fit.reducedChi2);

    fit.shiftS = x[Shift];
    fit.offsetKm = x[Offset];
    fit.impactKm = std::abs(b + fit.offsetKm);
    fit.scale = x[Scale];
    fit.slopePerHour = x[Slope];
    fit.shiftSigmaS = run.sigma[Shift] * s;
    fit.impactSigmaKm = run.sigma[Offset] * s;
    fit.scaleSigma = run.sigma[Scale] * s;
    fit.slopeSigma = run.sigma[Slope] * s;
    fit.observedMaxUt = fit.predicted.tMax + fit.shiftS;
    double dFdc = 0;
    fit.depth = 1 - table.at(fit.impactKm, dFdc);
    fit.depthSigma = std::isfinite(fit.impactSigmaKm) ? std::abs(dFdc) * fit.impactSigmaKm : std::nan("");
    fit.magnitudeDrop = fit.depth < 1 ? -2.5 * std::log10(1 - fit.depth) : std::nan("");
    fit.predictedDepth = 1 - std::pow(10.0, -0.4 * event.magnitudeDrop);
    double sum = 0;
    for (std::size_t i = 0; i < d.tau.size(); ++i) {
        const double r = (model(d, i, x).value - d.flux[i]) / (fit.scale + fit.slopePerHour * d.tau[i] / kSecondsPerHour);
        sum += r * r;
    }
    fit.rmsResidual = std::sqrt(sum / fit.points);
    // The points on each side of the fitted minimum, inside the fitted event.
    int before = 0, after = 0;
    for (const double tau : d.tau) {
        const double t = fit.predicted.tMax + tau;
        before += t >= double(event.start) + fit.shiftS && t < fit.observedMaxUt;
        after += t > fit.observedMaxUt && t <= double(event.end) + fit.shiftS;
    }

    const bool finite = std::isfinite(fit.shiftS) && std::isfinite(fit.shiftSigmaS) && std::isfinite(fit.reducedChi2)
                     && std::isfinite(fit.scale) && fit.scale > 0;
    const QString reached = QCoreApplication::translate("LightCurveFit", "atteint après %1 itérations : décalage %2 s, paramètre d'impact %3 km, χ² réduit %4")
                                .arg(fit.iterations)
                                .arg(fit.shiftS, 0, 'f', 1)
                                .arg(fit.impactKm, 0, 'f', 0)
                                .arg(fit.reducedChi2, 0, 'g', 4);
    const double depthRatio = fit.depth / fit.predictedDepth;
    if (strongest < 0 && -strongest > kInvertedSigmas * strongestSigma)
        fit.failure = QCoreApplication::translate("LightCurveFit", "la courbe s'éclaircit là où le phénomène l'assombrit (au décalage %1 s, %2 σ) : "
                         "données inversées ? des flux lus comme des magnitudes, ou l'inverse (case « Magnitudes », --magnitudes)")
                          .arg(strongestShift, 0, 'f', 0)
                          .arg(-strongest / strongestSigma, 0, 'f', 1);
    else if (run.status != GSL_SUCCESS)
        fit.failure = QCoreApplication::translate("LightCurveFit", "l'ajustement n'a pas convergé (%1) ; %2").arg(QString::fromUtf8(gsl_strerror(run.status)), reached);
    else if (!finite)
        fit.failure = QCoreApplication::translate("LightCurveFit", "l'ajustement n'a pas donné de valeurs utilisables ; %1").arg(reached);
    else if (fit.depth <= 0)
        fit.failure = QCoreApplication::translate("LightCurveFit", "l'ajustement ne trouve plus de baisse d'éclat : le phénomène n'est pas dans les points ; %1")
                          .arg(reached);
    else if (fit.depth < kSignificantDepth * fit.depthSigma)
        fit.failure = QCoreApplication::translate("LightCurveFit", "l'ajustement ne trouve pas de baisse d'éclat significative (profondeur %1 ± %2) : "
                         "le phénomène n'est pas dans les points ; %3")
                          .arg(fit.depth, 0, 'f', 4)
                          .arg(fit.depthSigma, 0, 'f', 4)
                          .arg(reached);
    else if (std::abs(fit.shiftS) > reach + margin)
        fit.failure = QCoreApplication::translate("LightCurveFit", "l'ajustement place le minimum hors de la fenêtre du phénomène ; %1").arg(reached);
    else if (fit.observedMaxUt < firstUt || fit.observedMaxUt > lastUt || before == 0 || after == 0 || before + after < kDuringMinimum)
        fit.failure = QCoreApplication::translate("LightCurveFit", "le minimum ajusté (%1 TU) n'est pas entouré de points : %2 avant et %3 après lui pendant le phénomène "
                         "ajusté ; %4")
                          .arg(utTextTenths(fit.observedMaxUt, locale))
                          .arg(before)
                          .arg(after)
                          .arg(reached);
    else if (depthRatio < 1 / kDepthFailRatio || depthRatio > kDepthFailRatio)
        fit.failure = QCoreApplication::translate("LightCurveFit", "la profondeur ajustée (%1) vaut %2 fois la prévue (%3) : ce n'est pas ce phénomène ; %4")
                          .arg(fit.depth, 0, 'f', 4)
                          .arg(depthRatio, 0, 'g', 2)
                          .arg(fit.predictedDepth, 0, 'f', 4)
                          .arg(reached);
    else if (run.largestShare > kLargestShare)
        fit.failure = QCoreApplication::translate("LightCurveFit", "un seul point porte %1 % du poids sur l'instant du minimum : vérifiez ses incertitudes ; %2")
                          .arg(100 * run.largestShare, 0, 'f', 0)
                          .arg(reached);
    fit.converged = fit.failure.isEmpty();
    if (fit.converged && (depthRatio < 1 / kDepthWarnRatio || depthRatio > kDepthWarnRatio))
        fit.warnings << QCoreApplication::translate("LightCurveFit", "profondeur observée %1 fois la prévue : lumière parasite (Jupiter) ou comparaison dans l'ouverture ? "
                           "l'instant du minimum reste sûr, le paramètre d'impact non")
                            .arg(depthRatio, 0, 'g', 2);
    if (fit.clipped > 0)
        fit.warnings << QCoreApplication::translate("LightCurveFit", "%n point(s) écarté(s) à plus de 5 σ du modèle", nullptr, fit.clipped);
    if (fit.floored > 0)
        fit.warnings << QCoreApplication::translate("LightCurveFit", "%n incertitude(s) relevée(s) à 0,2 fois la médiane", nullptr, fit.floored);
    return fit;
}

std::optional<MutualEvent> mutualEventDuring(const std::vector<ObservedPoint>& points)
{
    if (points.empty())
        return std::nullopt;
    const auto [first, last] = std::minmax_element(points.begin(), points.end(),
                                                   [](const ObservedPoint& a, const ObservedPoint& b) { return a.ut < b.ut; });
    std::optional<MutualEvent> deepest;
    const auto from = static_cast<search::Seconds>(std::floor(first->ut)), to = static_cast<search::Seconds>(std::ceil(last->ut));
    for (const MutualEvent& ev : findMutualEvents(from, to))
        if (!deepest || ev.magnitudeDrop > deepest->magnitudeDrop)
            deepest = ev;
    return deepest;
}

namespace {

// The pair's flux on the fitted baseline, the discs `offsetKm` across the
// predicted track and `shiftS` later.
double fluxOnBaseline(const CurveFit& fit, double utSeconds, double shiftS, double offsetKm)
{
    const PairGeometry g = mutualDiscsAt(fit.event, utSeconds - shiftS);
    EventShape central = fit.predicted;
    central.impactKm = 0;
    const double c = std::hypot(g.dx + offsetKm * fit.offsetX, g.dy + offsetKm * fit.offsetY);
    const double tau = utSeconds - fit.predicted.tMax;
    return (fit.scale + fit.slopePerHour * tau / kSecondsPerHour) * shapeFlux(central, c / central.relativeSpeedKmS);
}

} // namespace

double fittedFlux(const CurveFit& fit, double utSeconds)
{
    return fluxOnBaseline(fit, utSeconds, fit.shiftS, fit.offsetKm);
}

double predictedOnBaseline(const CurveFit& fit, double utSeconds)
{
    return fluxOnBaseline(fit, utSeconds, 0, 0);
}

QString utTextTenths(double utSeconds, const QLocale& locale)
{
    const auto tenths = std::llround(utSeconds * 10);
    return dateTimeText(QDateTime::fromMSecsSinceEpoch(tenths * 100, Qt::UTC), locale, TimeShown::Tenths);
}

QString reductionReport(const MutualEvent& ev, const ObservedCurve& curve, const CurveFit& fit,
                        const QString& fileName, const Site* site, const QLocale& locale)
{
    const auto num = [](double v, int decimals) {
        return std::isfinite(v) ? QString::number(v, 'f', decimals) : QCoreApplication::translate("LightCurveFit", "indéterminé");
    };
    const auto signedNum = [&](double v, int decimals) { return (v >= 0 ? QStringLiteral("+") : QString()) + num(v, decimals); };
    QString out;
    const auto line = [&out](const QString& key, const QString& value) { out += QStringLiteral("# %1 : %2\n").arg(key, value); };
    out += QCoreApplication::translate("LightCurveFit", "# Zenolune : réduction d'une courbe de lumière de phénomène mutuel\n");
    const auto name = [](int s) { return satelliteDisplayName(s); };
    line(QCoreApplication::translate("LightCurveFit", "Phénomène"), QStringLiteral("%1 (%2, %3) : %4").arg(ev.code(), QString::fromLatin1(ev.typeName()),
                                                                 QString::fromLatin1(ev.kindName()),
                                                                 (ev.type == MutualType::Eclipse ? QCoreApplication::translate("LightCurveFit", "%1 éclipse %2")
                                                                                                 : QCoreApplication::translate("LightCurveFit", "%1 occulte %2"))
                                                                     .arg(name(ev.occulter), name(ev.target))));
    line(QCoreApplication::translate("LightCurveFit", "Prévision"), QCoreApplication::translate("LightCurveFit", "théorie précise (%7, VSOP87), %6, début %1, maximum %2, fin %3 TU, chute %4 mag, impact %5 km")
                              .arg(mutualUtText(double(ev.start), locale), utTextTenths(ev.maximumExact, locale),
                                   mutualUtText(double(ev.end), locale), num(ev.magnitudeDrop, 3), num(ev.impactKm, 0),
                                   ev.site ? QCoreApplication::translate("LightCurveFit", "topocentrique (vue du lieu d'observation, parallaxe et temps de lumière de chaque corps)")
                                           : QCoreApplication::translate("LightCurveFit", "géocentrique (lieu d'observation non réglé)"),
                                   l12TheoryName()));
    if (site)
        line(QCoreApplication::translate("LightCurveFit", "Lieu d'observation"), QCoreApplication::translate("LightCurveFit", "latitude %1°, longitude %2° (est positive), altitude %3 m")
                                           .arg(num(site->latitudeDeg, 5), num(site->longitudeDeg, 5),
                                                num(site->heightM, 0)));
    else
        line(QCoreApplication::translate("LightCurveFit", "Lieu d'observation"), QCoreApplication::translate("LightCurveFit", "non réglé"));
    line(QCoreApplication::translate("LightCurveFit", "Fichier"), fileName);
    line(QCoreApplication::translate("LightCurveFit", "Colonnes"), QCoreApplication::translate("LightCurveFit", "temps %1, flux %2%3%4")
                             .arg(curve.timeColumn + 1)
                             .arg(curve.fluxColumn + 1)
                             .arg(curve.magnitudes ? QCoreApplication::translate("LightCurveFit", " (magnitudes)") : QString())
                             .arg(curve.sigmaColumn >= 0 ? QCoreApplication::translate("LightCurveFit", ", incertitude %1").arg(curve.sigmaColumn + 1) : QString()));
    line(QCoreApplication::translate("LightCurveFit", "Lecture"), readingText(curve));
    line(QCoreApplication::translate("LightCurveFit", "Lignes"), QCoreApplication::translate("LightCurveFit", "%1 lues, %2 illisibles, %3 hors de la fenêtre, %4 écartées à plus de 5 σ, %5 points ajustés")
                           .arg(curve.rows)
                           .arg(curve.badRows)
                           .arg(fit.outsideWindow)
                           .arg(fit.clipped)
                           .arg(fit.points));
    if (!fit.converged) {
        line(QCoreApplication::translate("LightCurveFit", "Ajustement"), fit.error.isEmpty() ? fit.failure : fit.error);
        return out;
    }
    line(QCoreApplication::translate("LightCurveFit", "Maximum observé (TU)"), QCoreApplication::translate("LightCurveFit", "%1 ± %2 s (1 σ)").arg(utTextTenths(fit.observedMaxUt, locale), num(fit.shiftSigmaS, 1)));
    line(QCoreApplication::translate("LightCurveFit", "Maximum observé (JD TU)"), QString::number(fit.observedMaxUt / kSecondsPerDay + kUnixEpochJD, 'f', 6));
    line(QCoreApplication::translate("LightCurveFit", "O-C"), QCoreApplication::translate("LightCurveFit", "%1 ± %2 s").arg(signedNum(fit.shiftS, 1), num(fit.shiftSigmaS, 1)));
    line(QCoreApplication::translate("LightCurveFit", "Profondeur observée"), QCoreApplication::translate("LightCurveFit", "%1 ± %2 de la lumière du couple (%3 mag)")
                                        .arg(num(fit.depth, 4), num(fit.depthSigma, 4), num(fit.magnitudeDrop, 3)));
    line(QCoreApplication::translate("LightCurveFit", "Paramètre d'impact"), QCoreApplication::translate("LightCurveFit", "%1 ± %2 km (prévu %3 km)")
                                       .arg(num(fit.impactKm, 0), num(fit.impactSigmaKm, 0), num(ev.impactKm, 0)));
    line(QCoreApplication::translate("LightCurveFit", "Ligne de base"), QCoreApplication::translate("LightCurveFit", "flux %1 ± %2 au maximum prévu, pente %3 ± %4 par heure")
                                  .arg(num(fit.scale, 5), num(fit.scaleSigma, 5), num(fit.slopePerHour, 5),
                                       num(fit.slopeSigma, 5)));
    line(QCoreApplication::translate("LightCurveFit", "χ² réduit"), QCoreApplication::translate("LightCurveFit", "%1 (%2), résidus %3 (écart type relatif)")
                              .arg(num(fit.reducedChi2, 3),
                                   fit.weighted ? QCoreApplication::translate("LightCurveFit", "pondéré par les incertitudes du fichier") : QCoreApplication::translate("LightCurveFit", "poids égaux"),
                                   num(fit.rmsResidual, 5)));
    line(QCoreApplication::translate("LightCurveFit", "Méthode"), QCoreApplication::translate("LightCurveFit", "moindres carrés non linéaires (GSL, Levenberg-Marquardt), %1 itérations ; décalage, "
                           "impact, échelle du flux et pente de la ligne de base libres ; incertitudes de la "
                           "covariance multipliée par le χ² réduit")
                            .arg(fit.iterations));
    line(QCoreApplication::translate("LightCurveFit", "Contrôles"), fit.warnings.isEmpty() ? QCoreApplication::translate("LightCurveFit", "baisse du signe prévu, minimum entouré de points, profondeur proche de la prévue, aucun point dominant")
                                                                                           : fit.warnings.join(QStringLiteral(" ; ")));
    out += QStringLiteral("jd_utc,ut,flux,sigma,model,residual\n");
    for (const ObservedPoint& p : curve.points) {
        if (p.ut < fit.windowStart || p.ut > fit.windowEnd)
            continue;
        const double m = fittedFlux(fit, p.ut);
        out += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                   .arg(QString::number(p.ut / kSecondsPerDay + kUnixEpochJD, 'f', 7),
                        QDateTime::fromMSecsSinceEpoch(std::llround(p.ut * 1000), Qt::UTC)
                            .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")),
                        QString::number(p.flux, 'g', 8), QString::number(p.sigma, 'g', 4),
                        QString::number(m, 'g', 8), QString::number(p.flux - m, 'g', 5));
    }
    return out;
}

} // namespace zeno
