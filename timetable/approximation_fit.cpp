#include "approximation_fit.h"

#include "least_squares.h"

#include "light_curve_fit.h"
#include "modern_theory.h"
#include "observed_curve.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <gsl/gsl_blas.h>
#include <gsl/gsl_cdf.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit_nlinear.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace zeno {

namespace {

constexpr double kUnixEpochJD = 2440587.5;   // 1970-01-01 00:00 UT
constexpr double kSecondsPerDay = 86400;
constexpr int kMaxIterations = 200;
constexpr double kXTolerance = 1e-10;
constexpr double kGTolerance = 1e-12;
constexpr double kCurvatureSignificance = 1e-3;   // F-test: the curvature term kept below this probability
constexpr double kSmallestSquare = 1e-30;         // d² never below: the model's square root stays smooth
enum Parameter { T0, D0, V, C };

// The samples on a normalised time axis: tau in half-spans from the middle,
// so that the four parameters are of comparable size.
struct Samples {
    std::vector<double> tau, d, weight;
    double middle = 0, half = 1;
    std::size_t parameters = 3;
};

// d(tau) and its derivatives in (t0, d0, v, c), all normalised.
struct Model {
    double value, dT0, dD0, dV, dC;
};

Model model(double tau, const double* x, std::size_t parameters)
{
    const double s = tau - x[T0];
    const double c = parameters > 3 ? x[C] : 0;
    const double q = std::max(kSmallestSquare, x[D0] * x[D0] + x[V] * x[V] * s * s + c * s * s * s);
    const double d = std::sqrt(q);
    return {d, -(2 * x[V] * x[V] * s + 3 * c * s * s) / (2 * d), x[D0] / d, x[V] * s * s / d, s * s * s / (2 * d)};
}

void load(const gsl_vector* v, double* x, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k)
        x[k] = gsl_vector_get(v, k);
}

int residuals(const gsl_vector* v, void* params, gsl_vector* f)
{
    const auto& s = *static_cast<const Samples*>(params);
    double x[4] = {};
    load(v, x, s.parameters);
    for (std::size_t i = 0; i < s.tau.size(); ++i)
        gsl_vector_set(f, i, (model(s.tau[i], x, s.parameters).value - s.d[i]) * s.weight[i]);
    return GSL_SUCCESS;
}

int jacobian(const gsl_vector* v, void* params, gsl_matrix* J)
{
    const auto& s = *static_cast<const Samples*>(params);
    double x[4] = {};
    load(v, x, s.parameters);
    for (std::size_t i = 0; i < s.tau.size(); ++i) {
        const Model m = model(s.tau[i], x, s.parameters);
        const double w = s.weight[i];
        const double row[4] = {m.dT0, m.dD0, m.dV, m.dC};
        for (std::size_t k = 0; k < s.parameters; ++k)
            gsl_matrix_set(J, i, k, row[k] * w);
    }
    return GSL_SUCCESS;
}

struct Solution {
    int status = GSL_FAILURE;
    int iterations = 0;
    double x[4] = {}, sigma[4] = {};
    double chi2 = 0;
};

Solution solve(const Samples& s, const double* start)
{
    Solution out;
    const std::size_t n = s.tau.size(), p = s.parameters;
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residuals;
    fdf.df = jacobian;
    fdf.n = n;
    fdf.p = p;
    fdf.params = const_cast<Samples*>(&s);
    const LeastSquaresRun run = fitLeastSquares(fdf, start, {kMaxIterations, kXTolerance, kGTolerance, 0});
    if (!run.started)
        return out;
    out.status = run.status;
    out.iterations = run.iterations;
    std::copy(run.x.begin(), run.x.end(), out.x);
    out.chi2 = run.chi2;
    const double scale = out.chi2 / std::max(1.0, double(n) - double(p));
    for (std::size_t k = 0; k < p; ++k) {
        const double c = run.covariance[k];
        out.sigma[k] = c > 0 ? std::sqrt(c * scale) : std::nan("");
    }
    return out;
}

// The start: a parabola fitted to d² (linear least squares) gives t0, v and d0.
bool parabolaStart(const Samples& s, double* x)
{
    double m[3][4] = {};
    for (std::size_t i = 0; i < s.tau.size(); ++i) {
        const double w2 = s.weight[i] * s.weight[i], t = s.tau[i], y = s.d[i] * s.d[i];
        const double b[3] = {1, t, t * t};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                m[r][c] += w2 * b[r] * b[c];
            m[r][3] += w2 * b[r] * y;
        }
    }
    for (int k = 0; k < 3; ++k) {   // Gauss-Jordan, partial pivoting
        int pivot = k;
        for (int r = k + 1; r < 3; ++r)
            if (std::abs(m[r][k]) > std::abs(m[pivot][k]))
                pivot = r;
        std::swap(m[k], m[pivot]);
        if (m[k][k] == 0)
            return false;
        for (int r = 0; r < 3; ++r)
            if (r != k) {
                const double f = m[r][k] / m[k][k];
                for (int c = k; c < 4; ++c)
                    m[r][c] -= f * m[k][c];
            }
    }
    const double A = m[0][3] / m[0][0], B = m[1][3] / m[1][1], Cq = m[2][3] / m[2][2];
    if (!(Cq > 0))
        return false;
    x[T0] = -B / (2 * Cq);
    x[V] = std::sqrt(Cq);
    x[D0] = std::sqrt(std::max(A - B * B / (4 * Cq), 1e-6 * Cq));
    x[C] = 0;
    return std::isfinite(x[T0]) && std::isfinite(x[D0]);
}

} // namespace

std::vector<TrackSample> trackFromOffsets(const std::vector<SkyOffset>& offsets, double sigma)
{
    std::vector<TrackSample> out;
    out.reserve(offsets.size());
    for (const SkyOffset& o : offsets)
        if (std::isfinite(o.ut) && std::isfinite(o.dx) && std::isfinite(o.dy))
            out.push_back({o.ut, o.distance(), sigma});
    std::stable_sort(out.begin(), out.end(), [](const TrackSample& a, const TrackSample& b) { return a.ut < b.ut; });
    return out;
}

ApproximationFit fitApproximation(const std::vector<TrackSample>& all, Curvature curvature)
{
    ApproximationFit fit;
    std::vector<TrackSample> pts;
    for (const TrackSample& p : all)
        if (std::isfinite(p.ut) && std::isfinite(p.distance) && p.distance >= 0)
            pts.push_back(p);
    std::stable_sort(pts.begin(), pts.end(), [](const TrackSample& a, const TrackSample& b) { return a.ut < b.ut; });
    const std::size_t minimum = curvature == Curvature::Always ? kApproxFitMinimumPoints + 1 : kApproxFitMinimumPoints;
    if (pts.size() < minimum) {
        fit.error = QCoreApplication::translate("ApproximationFit", "trop peu de points : %1, il en faut au moins %2").arg(pts.size()).arg(minimum);
        return fit;
    }
    if (pts.back().ut - pts.front().ut <= 0) {
        fit.error = QCoreApplication::translate("ApproximationFit", "tous les points sont au même instant : il n'y a pas de trajet à ajuster");
        return fit;
    }
    Samples s;
    fit.firstUt = pts.front().ut;
    fit.lastUt = pts.back().ut;
    s.middle = (fit.firstUt + fit.lastUt) / 2;
    s.half = (fit.lastUt - fit.firstUt) / 2;
    fit.weighted = std::all_of(pts.begin(), pts.end(), [](const TrackSample& p) { return p.sigma > 0; });
    for (const TrackSample& p : pts) {
        s.tau.push_back((p.ut - s.middle) / s.half);
        s.d.push_back(p.distance);
        s.weight.push_back(fit.weighted ? 1 / p.sigma : 1);
    }
    fit.points = int(pts.size());
    const auto [closest, farthest] = std::minmax_element(s.d.begin(), s.d.end());
    if (*closest == *farthest) {
        fit.error = QCoreApplication::translate("ApproximationFit", "toutes les distances sont égales (%1) : il n'y a pas de rapprochement à ajuster").arg(*closest);
        return fit;
    }
    double x0[4] = {};
    const auto outsideText = [&] {
        return QCoreApplication::translate("ApproximationFit", "aucun minimum de la distance dans les points (du %1 au %2 TU) : la piste doit couvrir "
                  "l'instant central, avec des points de part et d'autre")
            .arg(utTextTenths(fit.firstUt), utTextTenths(fit.lastUt));
    };
    if (!parabolaStart(s, x0) || x0[T0] <= -1 || x0[T0] >= 1) {
        fit.error = outsideText();
        return fit;
    }
    gsl_set_error_handler_off();   // failures come back as status codes, never abort()
    Solution best = solve(s, x0);
    if (curvature != Curvature::Never && pts.size() > minimum) {
        Samples bent = s;
        bent.parameters = 4;
        Solution withCurvature = solve(bent, best.x);
        const double dof = double(pts.size()) - 4;
        const double F = (best.chi2 - withCurvature.chi2) / (withCurvature.chi2 / dof);
        const bool significant = withCurvature.chi2 > 0 ? gsl_cdf_fdist_Q(F, 1, dof) < kCurvatureSignificance : F > 0;
        if (withCurvature.status == GSL_SUCCESS && (curvature == Curvature::Always || significant)) {
            best = withCurvature;
            fit.curvature = true;
        }
    }
    const std::size_t p = fit.curvature ? 4 : 3;
    fit.iterations = best.iterations;
    fit.centralUt = s.middle + best.x[T0] * s.half;
    fit.centralSigmaS = best.sigma[T0] * s.half;
    fit.distance = std::abs(best.x[D0]);
    fit.distanceSigma = best.sigma[D0];
    fit.speed = std::abs(best.x[V]) / s.half;
    fit.speedSigma = best.sigma[V] / s.half;
    fit.curvatureTerm = fit.curvature ? best.x[C] / (s.half * s.half * s.half) : 0;
    fit.curvatureSigma = fit.curvature ? best.sigma[C] / (s.half * s.half * s.half) : 0;
    fit.reducedChi2 = best.chi2 / (double(pts.size()) - double(p));
    double sum = 0;
    for (const TrackSample& q : pts) {
        const double r = fittedDistance(fit, q.ut) - q.distance;
        sum += r * r;
    }
    fit.rmsResidual = std::sqrt(sum / double(pts.size()));

    const int before = int(std::count_if(pts.begin(), pts.end(), [&](const TrackSample& q) { return q.ut < fit.centralUt; }));
    const int after = fit.points - before;
    const QString reached = QCoreApplication::translate("ApproximationFit", "atteint après %1 itérations : instant central %2 TU, distance minimale %3")
                                .arg(fit.iterations)
                                .arg(utTextTenths(fit.centralUt))
                                .arg(fit.distance, 0, 'g', 4);
    if (best.status != GSL_SUCCESS)
        fit.failure = QCoreApplication::translate("ApproximationFit", "l'ajustement n'a pas convergé (%1) ; %2").arg(QString::fromUtf8(gsl_strerror(best.status)), reached);
    else if (!std::isfinite(fit.centralUt) || !std::isfinite(fit.centralSigmaS) || !std::isfinite(fit.reducedChi2))
        fit.failure = QCoreApplication::translate("ApproximationFit", "l'ajustement n'a pas donné de valeurs utilisables ; %1").arg(reached);
    else if (fit.centralUt <= fit.firstUt || fit.centralUt >= fit.lastUt)
        fit.failure = outsideText();
    else if (before < kApproxFitSidePoints || after < kApproxFitSidePoints)
        fit.failure = QCoreApplication::translate("ApproximationFit", "trop peu de points d'un côté de l'instant central (%1 avant, %2 après ; il en faut %3 "
                         "de chaque côté) ; %4")
                          .arg(before)
                          .arg(after)
                          .arg(kApproxFitSidePoints)
                          .arg(reached);
    fit.converged = fit.failure.isEmpty();
    return fit;
}

double fittedDistance(const ApproximationFit& fit, double utSeconds)
{
    const double s = utSeconds - fit.centralUt;
    return std::sqrt(std::max(0.0, fit.distance * fit.distance + fit.speed * fit.speed * s * s + fit.curvatureTerm * s * s * s));
}

ApproximationOC approximationOC(const Approximation& predicted, const ApproximationFit& fit, TrackUnit unit)
{
    ApproximationOC oc;
    oc.centralS = fit.centralUt - predicted.centralUt;
    oc.centralSigmaS = fit.centralSigmaS;
    oc.alongMas = oc.centralS * predicted.speedMasS;
    if (unit == TrackUnit::Arcsec)
        oc.distanceArcsec = fit.distance - predicted.distanceArcsec;
    return oc;
}

ObservedTrack readObservedTrack(const QString& text, const TrackColumns& chosen)
{
    ObservedTrack t;
    // The time column, the separator and the header as the light curves' reader finds them.
    CurveColumns probe;
    probe.time = chosen.time;
    probe.flux = chosen.time.value_or(0) == 0 ? 1 : 0;
    probe.sigma = -1;
    probe.magnitudes = false;
    probe.anySign = true;
    const ObservedCurve head = readObservedCurve(text, probe);
    if (head.columnNames.size() < 2) {
        t.error = head.columnNames.isEmpty() ? head.error
                                             : QCoreApplication::translate("ApproximationFit", "le fichier n'a qu'une colonne : il faut un temps et Δx, Δy ou la distance");
        return t;
    }
    t.columnNames = head.columnNames;
    t.timeColumn = head.timeColumn;
    const int n = int(t.columnNames.size());
    const auto named = [&](std::initializer_list<const char*> words, bool exact) {
        for (int i = 0; i < n; ++i) {
            if (i == t.timeColumn || !head.hasHeader)
                continue;
            // The name without blanks, brackets and a unit at its end: "dx (px)", "Δy_arcsec" -> "dx", "Δy".
            QString name = t.columnNames[i].toLower();
            static const QRegularExpression noise(QStringLiteral("[\\s_()\\[\\]\"″]"));
            static const QRegularExpression unit(QStringLiteral("(pixels|pixel|pix|px|arcsec|mas|as)$"));
            name.remove(noise);
            if (name.size() > 1)
                name.remove(unit);
            for (const char* w : words)
                if (exact ? name == QString::fromUtf8(w) : name.contains(QString::fromUtf8(w)))
                    return i;
        }
        return -1;
    };
    t.dxColumn = chosen.dx.value_or(named({"dx", "Δx", "deltax", "x"}, true));
    t.dyColumn = chosen.dy.value_or(named({"dy", "Δy", "deltay", "y"}, true));
    t.distanceColumn = chosen.distance.value_or(named({"dist", "sep", "rho"}, false));
    if (t.distanceColumn < 0 && !chosen.distance)
        t.distanceColumn = named({"d"}, true);
    t.sigmaColumn = chosen.sigma.value_or(named({"sigma", "err", "incert", "σ", "unc"}, false));
    const bool positions = chosen.distance ? false : (t.dxColumn >= 0 && t.dyColumn >= 0) || (!head.hasHeader && n >= 3 && !chosen.distance);
    if (!head.hasHeader && !chosen.dx && !chosen.distance) {   // no header: time, then Δx and Δy, or the distance
        const int other = t.timeColumn == 0 ? 1 : 0;
        if (n >= 3) {
            t.dxColumn = other;
            t.dyColumn = other + 1 == t.timeColumn ? other + 2 : other + 1;
        } else {
            t.distanceColumn = other;
        }
    }
    if (positions)
        t.distanceColumn = -1;
    else if (t.distanceColumn < 0) {
        t.error = QCoreApplication::translate("ApproximationFit", "ni Δx et Δy ni distance parmi les colonnes (%1) : nommez-les dx, dy ou distance, ou "
                     "choisissez-les")
                      .arg(t.columnNames.join(QStringLiteral(", ")));
        return t;
    }
    const bool pixelsNamed = std::any_of(t.columnNames.begin(), t.columnNames.end(), [](const QString& c) {
        return c.contains(QLatin1String("px"), Qt::CaseInsensitive) || c.contains(QLatin1String("pix"), Qt::CaseInsensitive);
    });
    t.unit = chosen.unit.value_or(pixelsNamed ? TrackUnit::Pixel : TrackUnit::Arcsec);
    // A column named in mas ("dx_mas", "sep (mas)") is turned into arcsec; a
    // sigma without a unit of its own is in its values' unit.
    const auto namesMas = [&](int col) {
        if (col < 0 || col >= n || !head.hasHeader)
            return false;
        static const QRegularExpression mas(QStringLiteral("[\\s_(\\[]mas[)\\]]?\\s*$|^mas$"));
        return mas.match(t.columnNames[col].trimmed().toLower()).hasMatch();
    };
    const bool valuesMas = t.unit == TrackUnit::Arcsec && namesMas(positions ? t.dxColumn : t.distanceColumn);
    const double valueScale = valuesMas ? 1e-3 : 1;
    static const QRegularExpression anyUnit(QStringLiteral("(arcsec|mas|px|pix)"));
    const bool sigmaNamed = t.sigmaColumn >= 0 && t.sigmaColumn < n && head.hasHeader &&
                            anyUnit.match(t.columnNames[t.sigmaColumn].toLower()).hasMatch();
    const double sigmaScale = sigmaNamed ? (namesMas(t.sigmaColumn) ? 1e-3 : 1) : valueScale;

    // Each value column read as the light curves' flux, any sign; rows joined by their time.
    const auto column = [&](int col, ObservedCurve& out) {
        CurveColumns c;
        c.time = t.timeColumn;
        c.flux = col;
        c.sigma = t.sigmaColumn;
        c.magnitudes = false;
        c.anySign = true;
        out = readObservedCurve(text, c);
        return out.error;
    };
    ObservedCurve a, b;
    QString fault = column(positions ? t.dxColumn : t.distanceColumn, a);
    if (fault.isEmpty() && positions)
        fault = column(t.dyColumn, b);
    if (!fault.isEmpty()) {
        t.error = fault;
        return t;
    }
    t.rows = a.rows;
    t.badRows = std::max(a.badRows, b.badRows);
    t.badRowsText = badRowsText(a.badRows >= b.badRows ? a : b);
    if (positions) {
        std::multimap<double, const ObservedPoint*> ys;
        for (const ObservedPoint& p : b.points)
            ys.emplace(p.ut, &p);
        for (const ObservedPoint& p : a.points)
            if (const auto y = ys.find(p.ut); y != ys.end()) {
                const double dx = p.flux * valueScale, dy = y->second->flux * valueScale;
                t.offsets.push_back({p.ut, dx, dy});
                t.samples.push_back({p.ut, std::hypot(dx, dy), p.sigma * sigmaScale});
                ys.erase(y);
            }
    } else {
        for (const ObservedPoint& p : a.points) {
            if (p.flux < 0) {
                ++t.badRows;
                continue;
            }
            t.samples.push_back({p.ut, p.flux * valueScale, p.sigma * sigmaScale});
        }
    }
    if (t.samples.empty())
        t.error = QCoreApplication::translate("ApproximationFit", "aucune ligne lisible dans la piste");
    return t;
}

ObservedTrack loadObservedTrack(const QString& path, const TrackColumns& columns)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ObservedTrack t;
        t.error = file.exists() ? QCoreApplication::translate("ApproximationFit", "impossible de lire le fichier « %1 » : %2").arg(path, file.errorString())
                                : QCoreApplication::translate("ApproximationFit", "le fichier « %1 » n'existe pas").arg(path);
        return t;
    }
    constexpr qint64 kLargestFile = 64 << 20;   // bytes: no track is larger
    if (file.size() > kLargestFile) {
        ObservedTrack t;
        t.error = QCoreApplication::translate("ApproximationFit", "le fichier « %1 » est trop grand pour une piste").arg(path);
        return t;
    }
    return readObservedTrack(QString::fromUtf8(file.readAll()), columns);
}

QString approximationReport(const Approximation& pr, const ObservedTrack& track, const ApproximationFit& fit,
                            const QString& fileName)
{
    const auto num = [](double v, int decimals) { return std::isfinite(v) ? QString::number(v, 'f', decimals) : QCoreApplication::translate("ApproximationFit", "indéterminé"); };
    const auto signedNum = [&](double v, int decimals) { return (v >= 0 ? QStringLiteral("+") : QString()) + num(v, decimals); };
    const QString unit = track.unit == TrackUnit::Arcsec ? QStringLiteral("\"") : QStringLiteral(" px");
    QString out;
    const auto line = [&out](const QString& key, const QString& value) { out += QStringLiteral("# %1 : %2\n").arg(key, value); };
    out += QCoreApplication::translate("ApproximationFit", "# Zenolune : réduction d'une approximation mutuelle\n");
    line(QCoreApplication::translate("ApproximationFit", "Approximation"), pr.code());
    line(QCoreApplication::translate("ApproximationFit", "Prévision"), QCoreApplication::translate("ApproximationFit", "théorie précise (%7, VSOP87), %1, instant central %2 TU, distance %3\" (%4 km), "
                             "vitesse relative %5 mas/s, angle %6°")
                              .arg(pr.site ? QCoreApplication::translate("ApproximationFit", "topocentrique") : QCoreApplication::translate("ApproximationFit", "géocentrique"), utTextTenths(pr.centralUt),
                                   num(pr.distanceArcsec, 3), num(pr.distanceKm, 0), num(pr.speedMasS, 2),
                                   num(pr.motionAngleDeg, 1), l12TheoryName()));
    if (pr.site)
        line(QCoreApplication::translate("ApproximationFit", "Lieu d'observation"), QCoreApplication::translate("ApproximationFit", "latitude %1°, longitude %2° (est positive), altitude %3 m")
                                           .arg(num(pr.site->latitudeDeg, 5), num(pr.site->longitudeDeg, 5), num(pr.site->heightM, 0)));
    else
        line(QCoreApplication::translate("ApproximationFit", "Lieu d'observation"), QCoreApplication::translate("ApproximationFit", "non réglé (prévision géocentrique)"));
    line(QCoreApplication::translate("ApproximationFit", "Fichier"), fileName);
    line(QCoreApplication::translate("ApproximationFit", "Colonnes"), track.offsets.empty() ? QCoreApplication::translate("ApproximationFit", "temps %1, distance %2").arg(track.timeColumn + 1).arg(track.distanceColumn + 1)
                                               : QCoreApplication::translate("ApproximationFit", "temps %1, Δx %2, Δy %3").arg(track.timeColumn + 1).arg(track.dxColumn + 1).arg(track.dyColumn + 1));
    line(QCoreApplication::translate("ApproximationFit", "Lignes"), QCoreApplication::translate("ApproximationFit", "%1 lues, %2 illisibles, %3 points ajustés").arg(track.rows).arg(track.badRows).arg(fit.points));
    if (!fit.converged) {
        line(QCoreApplication::translate("ApproximationFit", "Ajustement"), fit.error.isEmpty() ? fit.failure : fit.error);
        return out;
    }
    const ApproximationOC oc = approximationOC(pr, fit, track.unit);
    line(QCoreApplication::translate("ApproximationFit", "Instant central observé (TU)"), QCoreApplication::translate("ApproximationFit", "%1 ± %2 s (1 σ)").arg(utTextTenths(fit.centralUt), num(fit.centralSigmaS, 2)));
    line(QCoreApplication::translate("ApproximationFit", "Instant central observé (JD TU)"), QString::number(fit.centralUt / kSecondsPerDay + kUnixEpochJD, 'f', 7));
    line(QCoreApplication::translate("ApproximationFit", "O-C"), QCoreApplication::translate("ApproximationFit", "%1 ± %2 s, soit %3 mas le long du mouvement relatif prévu")
                        .arg(signedNum(oc.centralS, 2), num(oc.centralSigmaS, 2), signedNum(oc.alongMas, 1)));
    line(QCoreApplication::translate("ApproximationFit", "Distance minimale"), QCoreApplication::translate("ApproximationFit", "%1 ± %2%3%4")
                                      .arg(num(fit.distance, 4), num(fit.distanceSigma, 4), unit,
                                           oc.distanceArcsec ? QCoreApplication::translate("ApproximationFit", " (O-C %1\")").arg(signedNum(*oc.distanceArcsec, 4)) : QString()));
    line(QCoreApplication::translate("ApproximationFit", "Vitesse relative"), QCoreApplication::translate("ApproximationFit", "%1 ± %2%3/s").arg(num(fit.speed, 6), num(fit.speedSigma, 6), unit));
    line(QCoreApplication::translate("ApproximationFit", "Courbure"), fit.curvature ? QCoreApplication::translate("ApproximationFit", "terme ajusté : %1 ± %2").arg(fit.curvatureTerm, 0, 'g', 4).arg(fit.curvatureSigma, 0, 'g', 3)
                                       : QCoreApplication::translate("ApproximationFit", "non significative, mouvement uniforme"));
    line(QCoreApplication::translate("ApproximationFit", "χ² réduit"), QCoreApplication::translate("ApproximationFit", "%1 (%2), résidus %3%4 (écart type)")
                              .arg(QString::number(fit.reducedChi2, 'g', 4), fit.weighted ? QCoreApplication::translate("ApproximationFit", "pondéré par les incertitudes du fichier") : QCoreApplication::translate("ApproximationFit", "poids égaux"),
                                   num(fit.rmsResidual, 4), unit));
    line(QCoreApplication::translate("ApproximationFit", "Méthode"), QCoreApplication::translate("ApproximationFit", "d(t)² = d0² + v²(t − t0)²%1 (Morgado et al. 2016) ; moindres carrés non linéaires (GSL, "
                           "Levenberg-Marquardt), %2 itérations ; incertitudes de la covariance multipliée par le χ² réduit")
                            .arg(fit.curvature ? QStringLiteral(" + c(t − t0)³") : QString())
                            .arg(fit.iterations));
    out += QStringLiteral("jd_utc,ut,distance,sigma,model,residual\n");
    for (const TrackSample& p : track.samples) {
        const double m = fittedDistance(fit, p.ut);
        out += QString::number(p.ut / kSecondsPerDay + kUnixEpochJD, 'f', 7) + u',' + utIsoTenths(p.ut) + u','
             + QString::number(p.distance, 'f', 5) + u',' + QString::number(p.sigma, 'f', 5) + u','
             + QString::number(m, 'f', 5) + u',' + QString::number(p.distance - m, 'f', 5) + u'\n';
    }
    return out;
}

} // namespace zeno
