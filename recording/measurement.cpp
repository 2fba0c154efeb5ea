#include "measurement.h"

#include "light_curve_fit.h"
#include "modern_theory.h"
#include "safe_write.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

extern "C" {
#include <sep.h>   // a C header without its own extern "C"
}

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

namespace zeno {

namespace {

using Point = std::complex<double>;   // pixels: x real, y imaginary

constexpr double kPredictionStepS = 10;      // predicted places tabulated this often
constexpr int kPredictionMaxRows = 4000;
constexpr double kDetectSigma = 5;           // SEP's threshold, background noise units
constexpr int kDetectMinArea = 5;            // pixels
constexpr double kDeblendContrast = 1e-6;  // of the blend's light: a satellite in Jupiter's glare stands apart
constexpr int kMaxCandidates = 12;           // brightest sources tried as satellites
constexpr double kJupiterFluxRatio = 10;     // Jupiter outshines any satellite by far more
constexpr double kOnDiscRadii = 1.3;         // satellites nearer Jupiter's centre are not sought
constexpr double kMatchFraction = 0.25;      // of a Jupiter radius: a source this near a predicted place matches
constexpr double kMatchMinPx = 3;
constexpr double kLostSigma = 5;             // an aperture's flux below this many noise units: lost
constexpr double kRecentreMarginPx = 3;       // the most a source moves between two frames kept
constexpr int kCentroidPasses = 20;          // an approximation's centroid iterated at most this often
constexpr double kCentroidConvergedPx = 1e-4;
constexpr int kProgressEvery = 64;           // frames between progress reports
constexpr int kSubpixel = 5;                 // SEP's sub-pixel sampling of aperture edges

const char* satelliteName(int k)
{
    static const char* names[4] = {QT_TRANSLATE_NOOP("Recording", "Io"), QT_TRANSLATE_NOOP("Recording", "Europe"),
                                   QT_TRANSLATE_NOOP("Recording", "Ganymède"), QT_TRANSLATE_NOOP("Recording", "Callisto")};
    return names[k];
}

// Each satellite's light as seen (albedo × radius²), for sharing a blended pair.
double brightness(int k) { return kSatelliteAlbedoV[k] * kSatelliteRadiusKm[k] * kSatelliteRadiusKm[k]; }

struct Source {
    Point p;
    double flux = 0, sigmaPx = 0;
    int npix = 0;
};

// The four satellites' predicted offsets from Jupiter (equatorial radii, x
// east, y north) through the recording, and the event's light lost.
class Prediction {
public:
    // `ev` null: no light lost (an approximation).
    Prediction(const MutualEvent* ev, double from, double to)
    {
        const double span = std::max(0.0, to - from);
        const double fine = ev ? std::max(1.0, ev->durationS / 100) : kPredictionStepS;
        step_ = std::max({std::min(kPredictionStepS, fine), span / kPredictionMaxRows, 1e-3});
        t0_ = from;
        const int n = int(std::ceil(span / step_)) + 2;
        for (int i = 0; i < n; ++i) {
            const double t = from + i * step_;
            const ModernEphemeris m = computeModern(julianDayOfSeconds(t));
            rows_.push_back({Point(m.X1, m.Y1), Point(m.X2, m.Y2), Point(m.X3, m.Y3), Point(m.X4, m.Y4)});
            loss_.push_back(ev ? lightLost(mutualDiscsAt(*ev, t)) : 0);
        }
    }
    Point at(int k, double t) const
    {
        const auto [i, f] = where(t);
        return rows_[i][k] * (1 - f) + rows_[i + 1][k] * f;
    }
    double lossAt(double t) const
    {
        const auto [i, f] = where(t);
        return loss_[i] * (1 - f) + loss_[i + 1] * f;
    }

private:
    std::pair<size_t, double> where(double t) const
    {
        const double u = std::clamp((t - t0_) / step_, 0.0, double(rows_.size() - 1) - 1e-9);
        const size_t i = std::min(size_t(u), rows_.size() - 2);
        return {i, u - double(i)};
    }
    double t0_ = 0, step_ = 1;
    std::vector<std::array<Point, 4>> rows_;
    std::vector<double> loss_;
};

// The similarity from the predicted offsets to the image: p = t + z · F(q),
// F the mirror (complex conjugate) when flipped.
struct Transform {
    Point t, z;
    bool flip = false;
    Point apply(Point q) const { return t + z * (flip ? std::conj(q) : q); }
    Point vector(Point dq) const { return z * (flip ? std::conj(dq) : dq); }
};

struct SepImage {
    sep_image im{};
    SepImage(const float* data, int w, int h)
    {
        im.data = data;
        im.dtype = SEP_TFLOAT;
        im.w = w;
        im.h = h;
        im.noise_type = SEP_NOISE_NONE;
    }
};

// A pixel's noise from the differences of neighbours (robust: Jupiter's
// glare, smooth, does not count, where SEP's meshes would take it for noise).
double pixelNoise(const Frame& f)
{
    std::vector<float> d;
    d.reserve(f.pixels.size() / 2);
    for (int y = 0; y < f.height; y += 2)
        for (int x = 0; x + 1 < f.width; x += 2)
            d.push_back(std::abs(f.at(x + 1, y) - f.at(x, y)));
    if (d.empty())
        return 0;
    std::nth_element(d.begin(), d.begin() + std::ptrdiff_t(d.size() / 2), d.end());
    return 1.4826 * d[d.size() / 2] / std::sqrt(2.0);   // median absolute difference to Gaussian sigma
}

// The median of each 1-pixel ring around Jupiter's centre (the satellites,
// a few pixels of a ring, do not move it), per frame of `frames` added.
std::vector<float> radialProfile(const Frame& f, Point centre, int frames)
{
    const double far = std::hypot(std::max(centre.real(), f.width - centre.real()), std::max(centre.imag(), f.height - centre.imag()));
    std::vector<std::vector<float>> rings(size_t(far) + 2);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            rings[size_t(std::abs(Point(x, y) - centre))].push_back(f.at(x, y) / float(frames));
    std::vector<float> profile(rings.size(), 0);
    for (size_t i = 0; i < rings.size(); ++i)
        if (!rings[i].empty()) {
            auto mid = rings[i].begin() + std::ptrdiff_t(rings[i].size() / 2);
            std::nth_element(rings[i].begin(), mid, rings[i].end());
            profile[i] = *mid;
        } else if (i > 0) {
            profile[i] = profile[i - 1];
        }
    // The sky far out stays in: the annuli take it.
    const float sky = profile.back();
    for (float& v : profile)
        v -= sky;
    return profile;
}

// The middle of the pixels above half the brightest: Jupiter's disc, where
// the blend of its glare has its centroid pulled by the frame's edges.
Point discCentre(const Frame& f)
{
    const float half = 0.5f * *std::max_element(f.pixels.begin(), f.pixels.end());
    Point sum;
    double n = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            if (f.at(x, y) > half) {
                sum += Point(x, y);
                n += 1;
            }
    return n > 0 ? sum / n : Point(f.width / 2.0, f.height / 2.0);
}

// Background noise of a frame and its sources, background removed (SEP).
// `deblend`: SEP's contrast; 1 keeps every blend whole.
bool extractSources(const Frame& frame, std::vector<Source>& sources, double& noise, QString& error,
                    double deblend = kDeblendContrast)
{
    std::vector<float> data = frame.pixels;
    SepImage img(data.data(), frame.width, frame.height);
    const int mesh = std::clamp(std::min(frame.width, frame.height) / 8, 8, 64);
    sep_bkg* bkg = nullptr;
    if (sep_background(&img.im, mesh, mesh, 3, 3, 0.0, &bkg) != 0) {
        error = QCoreApplication::translate("Recording", "fond de ciel impossible à estimer");
        return false;
    }
    sep_bkg_subarray(bkg, data.data(), SEP_TFLOAT);
    sep_bkg_free(bkg);
    noise = pixelNoise(frame);
    const auto [lo, hi] = std::minmax_element(data.begin(), data.end());
    const double threshold = std::max(kDetectSigma * noise, 1e-4 * double(*hi - *lo));
    if (!(threshold > 0)) {
        sources.clear();
        return true;
    }
    static const float kernel[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    sep_set_extract_pixstack(std::max<size_t>(300000, size_t(frame.width) * size_t(frame.height)));
    sep_catalog* cat = nullptr;
    if (sep_extract(&img.im, float(threshold), SEP_THRESH_ABS, kDetectMinArea, kernel, 3, 3, SEP_FILTER_CONV, 64,
                    deblend, 1, 1.0, &cat) != 0) {
        error = QCoreApplication::translate("Recording", "extraction des sources impossible (trop de sources ou image vide)");
        return false;
    }
    sources.clear();
    for (int i = 0; i < cat->nobj; ++i)
        if (std::isfinite(cat->x[i]) && std::isfinite(cat->y[i]) && cat->flux[i] > 0)
            sources.push_back({Point(cat->x[i], cat->y[i]), cat->flux[i], std::sqrt(std::max(0.0, double(cat->a[i]) * cat->b[i])), cat->npix[i]});
    sep_catalog_free(cat);
    std::sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) { return a.flux > b.flux; });
    return true;
}

struct Match {
    int matched = 0, missing = 0;
    double sumSq = 0;
    bool betterThan(const Match& o) const
    {
        const int a = matched - missing, b = o.matched - o.missing;
        return a != b ? a > b : sumSq < o.sumSq;
    }
};

// How well a transform puts the visible satellites on the sources.
Match score(const Transform& T, const std::array<Point, 4>& q, const bool visible[4], const std::vector<Point>& candidates,
            int w, int h)
{
    Match m;
    const double tol = std::max(kMatchMinPx, kMatchFraction * std::abs(T.z));
    for (int k = 0; k < 4; ++k) {
        if (!visible[k])
            continue;
        const Point p = T.apply(q[k]);
        if (p.real() < 0 || p.imag() < 0 || p.real() > w - 1 || p.imag() > h - 1)
            continue;
        double best = 1e300;
        for (const Point& c : candidates)
            best = std::min(best, std::norm(c - p));
        if (best <= tol * tol) {
            ++m.matched;
            m.sumSq += best / std::norm(T.z);
        } else {
            ++m.missing;
        }
    }
    return m;
}

// Least squares similarity through the matched places (Procrustes).
Transform refine(const Transform& T, const std::vector<std::pair<Point, Point>>& pairs)
{
    if (pairs.size() < 2)
        return T;
    Point qm, pm;
    for (const auto& [q, p] : pairs) {
        qm += T.flip ? std::conj(q) : q;
        pm += p;
    }
    qm /= double(pairs.size());
    pm /= double(pairs.size());
    Point num;
    double den = 0;
    for (const auto& [q, p] : pairs) {
        const Point fq = (T.flip ? std::conj(q) : q) - qm;
        num += (p - pm) * std::conj(fq);
        den += std::norm(fq);
    }
    if (!(den > 0))
        return T;
    Transform r = T;
    r.z = num / den;
    r.t = pm - r.z * qm;
    return r;
}

struct Context {
    Context(RecordingReader& r, const MeasureOptions& o) : reader(r), options(o) {}
    RecordingReader& reader;
    const MeasureOptions& options;
    CurveMeasurement m;
    double t0 = 0, tEnd = 0;
    std::unique_ptr<Prediction> prediction;
    Transform transform;
    double noise = 0;         // one frame's background noise
    double sigmaPx = 1.5;     // the satellites' image size
    std::vector<float> glare; // Jupiter's light by distance from its centre (1-pixel rings), one frame's
};

QString timeText(double ut) { return mutualUtText(ut); }

bool prepare(Context& c)
{
    const RecordingInfo& info = c.reader.info();
    const auto t0 = c.reader.frameTime(0), tEnd = c.reader.frameTime(info.frames - 1);
    if (!t0 || !tEnd) {
        c.m.error = QCoreApplication::translate("Recording", "l'enregistrement ne donne pas l'heure de ses images : donnez l'heure TU de la première image "
                       "(--start AAAA-MM-JJTHH:MM:SS) et la cadence (--fps images par seconde)");
        return false;
    }
    c.t0 = *t0;
    c.tEnd = *tEnd;
    if (const auto& pair = c.options.approximation) {
        if (pair->first < 0 || pair->second > 3 || pair->first >= pair->second) {
            c.m.error = QCoreApplication::translate("Recording", "couple de satellites invalide : deux numéros différents de 1 à 4");
            return false;
        }
        c.m.approximation = true;
        c.m.first = pair->first;
        c.m.second = pair->second;
        c.prediction = std::make_unique<Prediction>(nullptr, std::min(c.t0, c.tEnd), std::max(c.t0, c.tEnd));
        return true;
    }
    if (c.options.event) {
        c.m.event = *c.options.event;
    } else {
        const auto ev = mutualEventDuring({ObservedPoint{c.t0, 1, 0}, ObservedPoint{c.tEnd, 1, 0}});
        if (!ev) {
            c.m.error = QCoreApplication::translate("Recording", "aucun phénomène mutuel n'a son maximum entre %1 et %2 TU (les heures de l'enregistrement) : "
                           "donnez-le (--event CODE,DATE)").arg(timeText(c.t0), timeText(c.tEnd));
            return false;
        }
        c.m.event = *ev;
    }
    c.m.first = c.m.event.occulter;
    c.m.second = c.m.event.target;
    c.prediction = std::make_unique<Prediction>(&c.m.event, std::min(c.t0, c.tEnd), std::max(c.t0, c.tEnd));
    return true;
}

bool identify(Context& c)
{
    const RecordingInfo& info = c.reader.info();
    const int n = std::clamp(c.options.identifyFrames, 1, info.frames);
    Frame sum, frame;
    for (int i = 0; i < n; ++i) {
        if (!c.reader.readFrame(i, frame)) {
            c.m.error = c.reader.error();
            return false;
        }
        if (i == 0)
            sum = frame;
        else
            for (size_t k = 0; k < frame.pixels.size(); ++k)
                sum.pixels[k] += frame.pixels[k];
    }
    std::vector<Source> single, sources;
    double summedNoise = 0;
    if (!extractSources(frame, single, c.noise, c.m.error) || !extractSources(sum, sources, summedNoise, c.m.error))
        return false;
    c.noise = std::max(c.noise, 1e-6);
    Identification& id = c.m.identification;
    id.sources = int(sources.size());
    if (sources.empty()) {
        c.m.error = QCoreApplication::translate("Recording", "aucune source trouvée sur les premières images : ni Jupiter ni satellite");
        return false;
    }
    // Jupiter: by far the brightest. A large disc's noise splits it into
    // pieces: then it is sought again as one blend with its glare.
    Point jupiterAt = sources[0].p;
    if (sources.size() == 1 || sources[0].flux > kJupiterFluxRatio * sources[1].flux) {
        id.jupiterFound = true;
    } else {
        std::vector<Source> whole;
        double unused = 0;
        QString ignored;   // without it the pieces are tried as they are
        if (extractSources(sum, whole, unused, ignored, 1.0) && !whole.empty()
            && (whole.size() == 1 || whole[0].flux > kJupiterFluxRatio * whole[1].flux) && whole[0].npix > 4 * sources[0].npix) {
            id.jupiterFound = true;
            jupiterAt = discCentre(sum);
        }
    }
    id.jupiterX = jupiterAt.real();
    id.jupiterY = jupiterAt.imag();
    std::vector<Source> satellites(sources.begin() + (id.jupiterFound ? 1 : 0), sources.end());
    if (id.jupiterFound) {
        // Found again with Jupiter's disc and glare taken off: their slopes
        // would widen the satellites and hide the nearest ones.
        c.glare = radialProfile(sum, jupiterAt, n);
        Frame clean = sum;
        for (int y = 0; y < clean.height; ++y)
            for (int x = 0; x < clean.width; ++x) {
                const size_t r = std::min(size_t(std::abs(Point(x, y) - jupiterAt)), c.glare.size() - 1);
                clean.pixels[size_t(y) * size_t(clean.width) + size_t(x)] -= float(n) * c.glare[r];
            }
        if (!extractSources(clean, satellites, summedNoise, c.m.error))
            return false;
        // The disc's edge leaves rings of residuals: nothing is sought there.
        size_t disc = 0;
        while (disc + 1 < c.glare.size() && c.glare[disc] > 0.5f * c.glare[0])
            ++disc;
        const double clear = kOnDiscRadii * double(disc) + 2;
        satellites.erase(std::remove_if(satellites.begin(), satellites.end(),
                                        [&](const Source& s) { return std::abs(s.p - jupiterAt) < clear; }),
                         satellites.end());
    }
    // Spurious sources of the glare are left in: they match no predicted place.
    if (int(satellites.size()) > kMaxCandidates)
        satellites.resize(size_t(kMaxCandidates));
    std::vector<Point> candidates;
    for (const Source& s : satellites)
        candidates.push_back(s.p);

    std::array<Point, 4> q;
    bool visible[4];
    int visibleCount = 0;
    for (int k = 0; k < 4; ++k) {
        q[k] = c.prediction->at(k, c.t0);
        visible[k] = std::abs(q[k]) > kOnDiscRadii;
        visibleCount += visible[k];
    }
    const int needed = id.jupiterFound ? 2 : 3;
    if (int(candidates.size()) < std::min(needed, visibleCount) || candidates.size() < 2) {
        c.m.error = candidates.empty()
            ? QCoreApplication::translate("Recording", "aucun satellite trouvé sur les premières images (%1 source(s), dont Jupiter : %2)")
                  .arg(sources.size()).arg(id.jupiterFound ? QCoreApplication::translate("Recording", "oui") : QCoreApplication::translate("Recording", "non"))
            : QCoreApplication::translate("Recording", "un seul satellite trouvé sur les premières images : il en faut au moins deux, avec Jupiter, "
                 "pour les nommer et trois pour la paire et la comparaison");
        return false;
    }

    // Every hypothesis pinned by two correspondences, both mirrors.
    Transform best;
    Match bestMatch{0, 1 << 20, 0};
    bool any = false;
    const Point jupiter(id.jupiterX, id.jupiterY);
    for (const bool flip : {false, true})
        for (int a = 0; a < 4; ++a) {
            if (!visible[a])
                continue;
            for (size_t ca = 0; ca < candidates.size(); ++ca) {
                auto tryTransform = [&](Transform T) {
                    if (std::abs(T.z) < 1)   // under a pixel per Jupiter radius: no disc, no satellites apart
                        return;
                    const Match m = score(T, q, visible, candidates, info.width, info.height);
                    if (!any || m.betterThan(bestMatch)) {
                        best = T;
                        bestMatch = m;
                        any = true;
                    }
                };
                if (id.jupiterFound) {
                    Transform T;
                    T.flip = flip;
                    T.t = jupiter;
                    T.z = (candidates[ca] - jupiter) / (flip ? std::conj(q[a]) : q[a]);
                    tryTransform(T);
                    continue;
                }
                for (int b = 0; b < 4; ++b) {
                    if (b == a || !visible[b])
                        continue;
                    for (size_t cb = 0; cb < candidates.size(); ++cb) {
                        if (cb == ca)
                            continue;
                        Transform T;
                        T.flip = flip;
                        const Point dq = flip ? std::conj(q[a] - q[b]) : q[a] - q[b];
                        T.z = (candidates[ca] - candidates[cb]) / dq;
                        T.t = candidates[ca] - T.z * (flip ? std::conj(q[a]) : q[a]);
                        tryTransform(T);
                    }
                }
            }
        }
    if (!any || bestMatch.matched < 2) {
        c.m.error = QCoreApplication::translate("Recording", "les sources trouvées (%1) ne correspondent pas à la configuration prévue des satellites à %2 TU : "
                       "vérifiez l'heure de l'enregistrement").arg(sources.size()).arg(timeText(c.t0));
        return false;
    }
    // Refined through every match (and Jupiter's centre).
    const double tol = std::max(kMatchMinPx, kMatchFraction * std::abs(best.z));
    std::vector<std::pair<Point, Point>> pairs;
    if (id.jupiterFound)
        pairs.push_back({Point(0, 0), jupiter});
    int nearest[4] = {-1, -1, -1, -1};
    for (int k = 0; k < 4; ++k) {
        if (!visible[k])
            continue;
        const Point p = best.apply(q[k]);
        double d = 1e300;
        for (size_t i = 0; i < candidates.size(); ++i)
            if (std::norm(candidates[i] - p) < d) {
                d = std::norm(candidates[i] - p);
                nearest[k] = int(i);
            }
        if (d > tol * tol)
            nearest[k] = -1;
    }
    // A blend of two satellites stands for their light-weighted middle.
    for (int k = 0; k < 4; ++k) {
        if (nearest[k] < 0)
            continue;
        Point qk;
        double wsum = 0;
        for (int j = 0; j < 4; ++j)
            if (nearest[j] == nearest[k]) {
                qk += brightness(j) * q[j];
                wsum += brightness(j);
            }
        pairs.push_back({qk / wsum, candidates[size_t(nearest[k])]});
    }
    c.transform = refine(best, pairs);
    double ss = 0;
    for (const auto& [qq, p] : pairs)
        ss += std::norm(c.transform.apply(qq) - p);
    id.rmsPx = std::sqrt(ss / double(pairs.size()));
    id.pixelsPerJupiterRadius = std::abs(c.transform.z);
    id.rotationDeg = std::arg(c.transform.z) * 180 / M_PI;
    id.flipped = c.transform.flip;
    if (!id.jupiterFound) {
        const Point j = c.transform.apply(Point(0, 0));
        id.jupiterX = j.real();
        id.jupiterY = j.imag();
    }
    std::vector<double> sizes;
    for (int k = 0; k < 4; ++k) {
        id.found[k] = nearest[k] >= 0;
        if (id.found[k]) {
            const Point p = c.transform.apply(q[k]);
            id.x[k] = p.real();
            id.y[k] = p.imag();
            sizes.push_back(satellites[size_t(nearest[k])].sigmaPx);
        }
    }
    std::nth_element(sizes.begin(), sizes.begin() + std::ptrdiff_t(sizes.size() / 2), sizes.end());
    c.sigmaPx = std::clamp(sizes[sizes.size() / 2], 0.7, 8.0);

    const MutualEvent& ev = c.m.event;
    const int first = c.m.first, second = c.m.second;
    const QString code = c.m.approximation ? QStringLiteral("%1A%2").arg(first + 1).arg(second + 1) : ev.code();
    for (const int k : {first, second})
        if (!id.found[k]) {
            const char* text = c.m.approximation
                ? QT_TRANSLATE_NOOP("Recording", "%1, de l'approximation %2, n'est pas trouvé sur les premières images (hors du champ, "
                                                 "derrière Jupiter ou trop faible)")
                : QT_TRANSLATE_NOOP("Recording", "%1, du phénomène %2, n'est pas trouvé sur les premières images (hors du champ, "
                                                 "derrière Jupiter ou trop faible)");
            c.m.error = QCoreApplication::translate("Recording", text).arg(QCoreApplication::translate("Recording", satelliteName(k)), code);
            return false;
        }
    if (c.m.approximation) {
        // Each followed on its own centroid: one source for both cannot be measured.
        if (nearest[first] == nearest[second]) {
            c.m.error = QCoreApplication::translate("Recording", "%1 et %2 ne font qu'une source sur les premières images : trop proches "
                           "pour mesurer leurs centres à cette échelle").arg(QCoreApplication::translate("Recording", satelliteName(first)),
                                                                             QCoreApplication::translate("Recording", satelliteName(second)));
            return false;
        }
        return true;
    }
    int comparison = c.options.comparison;
    if (comparison < 0) {
        double bestFlux = -1;
        for (int k = 0; k < 4; ++k)
            if (k != ev.occulter && k != ev.target && id.found[k] && nearest[k] != nearest[ev.occulter]
                && nearest[k] != nearest[ev.target] && satellites[size_t(nearest[k])].flux > bestFlux) {
                bestFlux = satellites[size_t(nearest[k])].flux;
                comparison = k;
            }
    }
    if (comparison < 0 || comparison > 3 || comparison == ev.occulter || comparison == ev.target || !id.found[comparison]) {
        c.m.error = comparison < 0
            ? QCoreApplication::translate("Recording", "aucun troisième satellite trouvé pour servir de comparaison au phénomène %1").arg(ev.code())
            : QCoreApplication::translate("Recording", "le satellite de comparaison %1 n'est pas trouvé, ou appartient au phénomène").arg(
                  comparison >= 0 && comparison < 4 ? QCoreApplication::translate("Recording", satelliteName(comparison)) : QString::number(comparison + 1));
        return false;
    }
    c.m.comparison = comparison;
    return true;
}

// An aperture's sizes.
struct Group {
    ApertureRole role = ApertureRole::Pair;
    double radius = 0, inner = 0, outer = 0;
};

// A frame's region around a centre, clipped; false when the annulus leaves the frame.
bool regionAround(Point c, double reach, int w, int h, QRect& r)
{
    const int x0 = int(std::floor(c.real() - reach)), y0 = int(std::floor(c.imag() - reach));
    const int x1 = int(std::ceil(c.real() + reach)), y1 = int(std::ceil(c.imag() + reach));
    if (x0 < 0 || y0 < 0 || x1 >= w || y1 >= h)
        return false;
    r = QRect(QPoint(x0, y0), QPoint(x1, y1));
    return true;
}

struct Photometry {
    double flux = 0, area = 0;
    double background = 0;   // per pixel, the annulus' mean
    bool truncated = false;  // the aperture or its annulus leaves the region
};

Photometry aperture(const std::vector<float>& data, const QRect& r, Point centre, double radius, double inner, double outer)
{
    SepImage img(data.data(), r.width(), r.height());
    const double x = centre.real() - r.left(), y = centre.imag() - r.top();
    double sum = 0, err = 0, area = 0, annSum = 0, annArea = 0;
    short flag = 0;
    short annFlag = 0;
    sep_sum_circle(&img.im, x, y, radius, 0, kSubpixel, 0, &sum, &err, &area, &flag);
    sep_sum_circann(&img.im, x, y, inner, outer, 0, kSubpixel, 0, &annSum, &err, &annArea, &annFlag);
    Photometry p;
    p.truncated = ((flag | annFlag) & SEP_APER_TRUNC) != 0;
    p.area = area;
    p.background = annArea > 0 ? annSum / annArea : 0;
    p.flux = sum - p.background * area;
    return p;
}

// The brightest pixel within `radius` of a centre.
double rawPeak(const std::vector<float>& data, const QRect& r, Point centre, double radius)
{
    const double x = centre.real() - r.left(), y = centre.imag() - r.top();
    const int r2 = int(std::ceil(radius));
    double peak = 0;
    for (int yy = std::max(0, int(y) - r2); yy <= std::min(r.height() - 1, int(y) + r2); ++yy)
        for (int xx = std::max(0, int(x) - r2); xx <= std::min(r.width() - 1, int(x) + r2); ++xx)
            if ((xx - x) * (xx - x) + (yy - y) * (yy - y) <= radius * radius)
                peak = std::max(peak, double(data[size_t(yy) * size_t(r.width()) + size_t(xx)]));
    return peak;
}

// The light-weighted centre of what stands above the local background
// within `radius`, the background a plane fitted to the annulus (Jupiter's
// glare slopes across a satellite: a flat level would pull it inward).
// `other`, when given: a neighbour's place (frame coordinates) whose light
// is kept out, the pixels nearer to it than to `around` left aside.
// `windowSigma` > 0: weighted by a Gaussian of that width and stepped twice
// the weighted offset (SExtractor's windowed position, free of the pixel
// grid's pull), iterated by the caller.
std::optional<Point> centroid(const std::vector<float>& data, const QRect& r, Point around, double radius, double inner,
                              double outer, double noise, const std::optional<Point>& other = std::nullopt,
                              double windowSigma = 0)
{
    const double cx = around.real() - r.left(), cy = around.imag() - r.top();
    const auto theirs = [&](double dx, double dy) {
        if (!other)
            return false;
        const Point q = Point(cx + dx + r.left(), cy + dy + r.top());
        return std::norm(q - *other) < std::max(std::norm(q - around), radius * radius);
    };
    auto at = [&](int x, int y) { return double(data[size_t(y) * size_t(r.width()) + size_t(x)]); };
    // Normal equations of v = p0 + p1 dx + p2 dy over the annulus.
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0, sv = 0, svx = 0, svy = 0;
    const int reach = int(std::ceil(outer));
    const int x0 = std::max(0, int(cx) - reach), x1 = std::min(r.width() - 1, int(cx) + reach);
    const int y0 = std::max(0, int(cy) - reach), y1 = std::min(r.height() - 1, int(cy) + reach);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
            if (d2 < inner * inner || d2 > outer * outer || theirs(dx, dy))
                continue;
            const double v = at(x, y);
            n += 1; sx += dx; sy += dy; sxx += dx * dx; syy += dy * dy; sxy += dx * dy;
            sv += v; svx += v * dx; svy += v * dy;
        }
    if (n < 3)
        return std::nullopt;
    // Solved by Cramer's rule: three unknowns.
    const double m[3][3] = {{n, sx, sy}, {sx, sxx, sxy}, {sy, sxy, syy}};
    auto det3 = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0])
             + a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double det = det3(m);
    if (!(std::abs(det) > 0))
        return std::nullopt;
    const double rhs[3] = {sv, svx, svy};
    double p[3];
    for (int k = 0; k < 3; ++k) {
        double mk[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                mk[i][j] = j == k ? rhs[i] : m[i][j];
        p[k] = det3(mk) / det;
    }
    double wx = 0, wy = 0, w = 0;
    const int rr = int(std::ceil(radius));
    for (int y = std::max(0, int(cy) - rr); y <= std::min(r.height() - 1, int(cy) + rr); ++y)
        for (int x = std::max(0, int(cx) - rr); x <= std::min(r.width() - 1, int(cx) + rr); ++x) {
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > radius * radius || theirs(dx, dy))
                continue;
            const double above = at(x, y) - (p[0] + p[1] * dx + p[2] * dy);
            const double v = windowSigma > 0 ? above * std::exp(-(dx * dx + dy * dy) / (2 * windowSigma * windowSigma))
                                             : above - 2 * noise;
            if (v > 0 || windowSigma > 0) {
                wx += v * dx;
                wy += v * dy;
                w += v;
            }
        }
    if (!(w > 0))
        return std::nullopt;
    return around + (windowSigma > 0 ? 2.0 : 1.0) * Point(wx / w, wy / w);
}

} // namespace

CurveMeasurement identifySatellites(RecordingReader& reader, const MeasureOptions& options)
{
    Context c(reader, options);
    if (reader.info().frames <= 0)
        c.m.error = QCoreApplication::translate("Recording", "l'enregistrement ne contient aucune image");
    else if (prepare(c))
        identify(c);
    return c.m;
}

CurveMeasurement measureRecording(RecordingReader& reader, const MeasureOptions& options, const MeasureProgress& progress,
                                  const std::atomic<bool>* cancel)
{
    Context c(reader, options);
    const RecordingInfo& info = reader.info();
    if (info.frames <= 0) {
        c.m.error = QCoreApplication::translate("Recording", "l'enregistrement ne contient aucune image");
        return c.m;
    }
    if (!prepare(c) || !identify(c))
        return c.m;
    const MutualEvent& ev = c.m.event;
    const Identification& id = c.m.identification;
    const bool approximation = c.m.approximation;
    const int a = c.m.first, b = c.m.second, k = approximation ? a : c.m.comparison;
    const double saturation = options.saturation > 0 ? options.saturation : info.saturation;

    const double radius = options.apertureRadiusPx > 0 ? options.apertureRadiusPx : std::max(2.5, 3 * c.sigmaPx);
    auto withAnnulus = [&](Group g) {
        g.inner = g.radius + 2;
        g.outer = g.inner + std::max(3.0, radius);
        return g;
    };
    const Group comparison = withAnnulus({ApertureRole::Comparison, radius});
    // The pair: apart through the whole recording (each in its own aperture,
    // the annuli clear of the other), else one aperture over both.
    double minSep = 1e300, maxSep = 0;
    const int samples = 16;
    for (int j = 0; j <= samples + 1; ++j) {
        const double t = j <= samples ? c.t0 + (c.tEnd - c.t0) * j / samples : ev.maximumExact;
        if ((t - c.t0) * (t - c.tEnd) > 0 || (approximation && j > samples))
            continue;
        const double sep = std::abs(c.transform.vector(c.prediction->at(b, t) - c.prediction->at(a, t)));
        minSep = std::min(minSep, sep);
        maxSep = std::max(maxSep, sep);
    }
    const bool apart = approximation || minSep > radius + comparison.outer + 1;
    const Group pair = withAnnulus({ApertureRole::Pair, apart ? radius : radius + maxSep / 2});

    // Places: the predicted ones through the fitted transform, moved with
    // the field as the comparison's centroid shows it (the telescope's
    // drift). A satellite dimmed by the event cannot pull its aperture.
    auto predicted = [&](int s, double t) { return c.transform.apply(c.prediction->at(s, t)); };
    Point drift = Point(id.x[k], id.y[k]) - predicted(k, c.t0);
    const Point jupiter0(id.jupiterX, id.jupiterY);
    const Point drift0 = drift;
    const double noiseLimit = kLostSigma * c.noise;
    std::vector<float> data;
    c.m.frames.reserve(size_t(info.frames));
    for (int i = 0; i < info.frames; ++i) {
        if ((cancel && cancel->load()) || (progress && i % kProgressEvery == 0 && !progress(i, info.frames))) {
            c.m.cancelled = true;
            break;
        }
        ++c.m.framesRead;
        const auto t = reader.frameTime(i);
        if (!t) {
            ++c.m.droppedUnreadable;
            continue;
        }
        bool lost = false, saturated = false, unreadable = false;
        // Measures at `expected` (recentred on the light when asked; lost
        // when the light is not there), the flux required above the noise.
        auto follow = [&](Point expected, const Group& g, Point& found, Photometry& phot, bool recentre,
                          const std::optional<Point>& other = std::nullopt) {
            QRect r;
            if (!regionAround(expected, g.outer + kRecentreMarginPx, info.width, info.height, r)) {
                lost = true;
                return;
            }
            if (!reader.readRegion(i, r, data)) {
                unreadable = true;
                return;
            }
            // Saturation on the pixels as recorded, before the glare is taken off.
            if (saturation > 0 && rawPeak(data, r, expected, g.radius + 1) >= saturation)
                saturated = true;
            // Jupiter's glare taken off, Jupiter moved with the field.
            if (!c.glare.empty()) {
                const Point j = jupiter0 + (drift - drift0);
                for (int y = 0; y < r.height(); ++y)
                    for (int x = 0; x < r.width(); ++x) {
                        const double d = std::abs(Point(x + r.left(), y + r.top()) - j);
                        const size_t k0 = std::min(size_t(d), c.glare.size() - 2);
                        const double f = std::min(1.0, d - double(k0));
                        data[size_t(y) * size_t(r.width()) + size_t(x)] -= float(c.glare[k0] * (1 - f) + c.glare[k0 + 1] * f);
                    }
            }
            Point p = expected;
            // An approximation's centres to convergence: a window off the
            // light pulls its centroid toward the window's middle.
            const int passes = approximation ? kCentroidPasses : 2;
            for (int pass = 0; recentre && pass < passes; ++pass) {
                const auto cen = centroid(data, r, p, g.radius, g.inner, g.outer, c.noise, other, approximation ? c.sigmaPx : 0);
                if (!cen || std::abs(*cen - expected) > kRecentreMarginPx) {
                    lost = true;
                    return;
                }
                const double moved = std::abs(*cen - p);
                p = *cen;
                if (moved < kCentroidConvergedPx)
                    break;
            }
            found = p;
            phot = aperture(data, r, p, g.radius, g.inner, g.outer);
            if (phot.truncated || phot.flux < noiseLimit * std::sqrt(std::max(phot.area, 1.0)))
                lost = true;
        };

        if (approximation) {
            // Both on their own centroids; the field's drift from their mean.
            Point at[2];
            Photometry phot[2];
            const int who[2] = {a, b};
            // Each kept clear of the other's predicted place, then of its centre as found.
            for (int round = 0; round < 2; ++round) {
                const Point other[2] = {round ? at[1] : predicted(b, *t) + drift, round ? at[0] : predicted(a, *t) + drift};
                for (int j = 0; j < 2; ++j)
                    follow(predicted(who[j], *t) + drift, pair, at[j], phot[j], true, other[j]);
            }
            if (unreadable || lost || saturated) {
                ++(unreadable ? c.m.droppedUnreadable : lost ? c.m.droppedLost : c.m.droppedSaturated);
                continue;
            }
            drift = 0.5 * (at[0] - predicted(a, *t) + at[1] - predicted(b, *t));
            FrameMeasurement fm;
            fm.frame = i;
            fm.ut = *t;
            fm.pairFlux = phot[0].flux + phot[1].flux;
            for (int j = 0; j < 2; ++j) {
                fm.apertures.push_back({ApertureRole::Pair, at[j].real(), at[j].imag(), pair.radius, pair.inner, pair.outer});
                fm.satelliteX[who[j]] = at[j].real();
                fm.satelliteY[who[j]] = at[j].imag();
                fm.followed[who[j]] = true;
            }
            c.m.frames.push_back(std::move(fm));
            continue;
        }
        Photometry compPhot, occPhot, targetPhot;
        Point compAt;
        follow(predicted(k, *t) + drift, comparison, compAt, compPhot, true);
        const Point fieldDrift = lost ? drift : compAt - predicted(k, *t);
        const Point pa = predicted(a, *t) + fieldDrift, pb = predicted(b, *t) + fieldDrift;
        Point unused;   // the pair's places are the predicted ones
        if (apart) {
            follow(pa, pair, unused, occPhot, false);
            // The target may vanish in the shadow: its flux may be nought.
            const bool before = lost;
            follow(pb, pair, unused, targetPhot, false);
            lost = before || (lost && targetPhot.truncated);
        } else {
            follow(0.5 * (pa + pb), pair, unused, occPhot, false);
        }
        if (unreadable) {
            ++c.m.droppedUnreadable;
            continue;
        }
        if (lost) {
            ++c.m.droppedLost;
            continue;
        }
        if (saturated) {
            ++c.m.droppedSaturated;
            continue;
        }
        drift = fieldDrift;
        FrameMeasurement fm;
        fm.frame = i;
        fm.ut = *t;
        fm.comparisonFlux = compPhot.flux;
        fm.pairFlux = occPhot.flux + (apart ? targetPhot.flux : 0);
        fm.relativeFlux = fm.pairFlux / fm.comparisonFlux;
        auto add = [&](ApertureRole role, Point p, const Group& g) {
            fm.apertures.push_back({role, p.real(), p.imag(), g.radius, g.inner, g.outer});
        };
        if (apart) {
            add(ApertureRole::Pair, pa, pair);
            add(ApertureRole::Pair, pb, pair);
        } else {
            add(ApertureRole::Pair, 0.5 * (pa + pb), pair);
        }
        add(ApertureRole::Comparison, compAt, comparison);
        const Point places[3] = {pa, pb, compAt};
        const int who[3] = {a, b, k};
        for (int j = 0; j < 3; ++j) {
            fm.satelliteX[who[j]] = places[j].real();
            fm.satelliteY[who[j]] = places[j].imag();
            fm.followed[who[j]] = true;
        }
        c.m.frames.push_back(std::move(fm));
    }
    if (progress && !c.m.cancelled)
        progress(info.frames, info.frames);
    if (c.m.frames.empty() && !c.m.cancelled)
        c.m.error = QCoreApplication::translate("Recording", "aucune image mesurée : %1").arg(droppedFramesText(c.m));
    return c.m;
}

std::vector<ObservedPoint> measuredPoints(const CurveMeasurement& m)
{
    std::vector<ObservedPoint> points;
    points.reserve(m.frames.size());
    for (const FrameMeasurement& f : m.frames)
        points.push_back({f.ut, f.relativeFlux, 0});
    std::sort(points.begin(), points.end(), [](const ObservedPoint& x, const ObservedPoint& y) { return x.ut < y.ut; });
    return points;
}

QString droppedFramesText(const CurveMeasurement& m)
{
    if (m.dropped() == 0)
        return {};
    auto counted = [](const char* text, int n) { return QCoreApplication::translate("Recording", text, nullptr, n); };
    QStringList parts;
    if (m.droppedLost)
        parts << counted(QT_TRANSLATE_N_NOOP("Recording", "%n perdue(s) (satellite introuvable)"), m.droppedLost);
    if (m.droppedSaturated)
        parts << counted(QT_TRANSLATE_N_NOOP("Recording", "%n saturée(s)"), m.droppedSaturated);
    if (m.droppedUnreadable)
        parts << counted(QT_TRANSLATE_N_NOOP("Recording", "%n illisible(s) ou sans heure"), m.droppedUnreadable);
    return QCoreApplication::translate("Recording", "%1 sur %2 : %3")
        .arg(counted(QT_TRANSLATE_N_NOOP("Recording", "%n image(s) écartée(s)"), m.dropped()))
        .arg(m.framesRead)
        .arg(parts.join(QStringLiteral(", ")));
}

namespace {

QString number(double v, int decimals) { return QString::number(v, 'f', decimals); }

} // namespace

QString measuredCurveCsv(const CurveMeasurement& m, const QString& recordingName)
{
    QString out;
    const MutualEvent& ev = m.event;
    out += QStringLiteral("# %1 %2 TU, %3\n").arg(ev.code(), mutualUtText(ev.maximumExact), QFileInfo(recordingName).fileName());
    out += QStringLiteral("# comparison %1; %2 frames read, %3 kept, %4 lost, %5 saturated, %6 unreadable\n")
               .arg(m.comparison + 1).arg(m.framesRead).arg(m.frames.size()).arg(m.droppedLost).arg(m.droppedSaturated)
               .arg(m.droppedUnreadable);
    out += QStringLiteral("frame,ut,relative_flux,pair_adu,comparison_adu,pair_x,pair_y,comparison_x,comparison_y\n");
    for (const FrameMeasurement& f : m.frames) {
        const QString ut = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(f.ut * 1000)), Qt::UTC).toString(Qt::ISODateWithMs);
        const Aperture& p = f.apertures.front();
        const Aperture& c = f.apertures.back();
        out += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9\n")
                   .arg(f.frame).arg(ut, QString::number(f.relativeFlux, 'g', 10), QString::number(f.pairFlux, 'g', 10),
                                     QString::number(f.comparisonFlux, 'g', 10), number(p.x, 2), number(p.y, 2))
                   .arg(number(c.x, 2), number(c.y, 2));
    }
    return out;
}

namespace {

constexpr double kAUKm = 149597870.7;
constexpr double kArcsecPerRad = 180 * 3600 / M_PI;

// The naming fixes the scale beyond the pair itself: Jupiter and two
// satellites, or three satellites (two places alone fit any similarity).
bool scaleFixed(const Identification& id)
{
    return int(id.jupiterFound) + int(std::count(std::begin(id.found), std::end(id.found), true)) >= 3;
}

} // namespace

ObservedTrack measuredTrack(const CurveMeasurement& m)
{
    ObservedTrack t;
    if (!m.approximation || m.first < 0 || m.second < 0) {
        t.error = QCoreApplication::translate("Recording", "la mesure n'est pas celle d'une approximation mutuelle");
        return t;
    }
    const Identification& id = m.identification;
    const bool arcsec = scaleFixed(id) && id.pixelsPerJupiterRadius > 0 && !m.frames.empty();
    t.unit = arcsec ? TrackUnit::Arcsec : TrackUnit::Pixel;
    // Pixels to Jupiter radii (the similarity's inverse), then to arcsec at Jupiter's distance.
    const Point z = std::polar(id.pixelsPerJupiterRadius, id.rotationDeg * M_PI / 180);
    double arcsecPerRadius = 1;
    if (arcsec) {
        const double middle = 0.5 * (m.frames.front().ut + m.frames.back().ut);
        arcsecPerRadius = kJupiterEquatorialKm / (computeModern(julianDayOfSeconds(middle)).Delta * kAUKm) * kArcsecPerRad;
    }
    for (const FrameMeasurement& f : m.frames) {
        const Point dp(f.satelliteX[m.second] - f.satelliteX[m.first], f.satelliteY[m.second] - f.satelliteY[m.first]);
        Point d = dp;
        if (arcsec) {
            d = dp / z;
            d = (id.flipped ? std::conj(d) : d) * arcsecPerRadius;
        }
        t.offsets.push_back({f.ut, d.real(), d.imag()});
    }
    t.samples = trackFromOffsets(t.offsets);
    t.columnNames = {QStringLiteral("frame"), QStringLiteral("ut"), QStringLiteral("dx"), QStringLiteral("dy")};
    t.timeColumn = 1;
    t.dxColumn = 2;
    t.dyColumn = 3;
    t.rows = m.framesRead;
    t.badRows = m.dropped();
    t.badRowsText = droppedFramesText(m);
    return t;
}

QString measuredTrackCsv(const CurveMeasurement& m, const QString& recordingName)
{
    const ObservedTrack t = measuredTrack(m);
    const bool px = t.unit == TrackUnit::Pixel;
    QString out = QStringLiteral("# %1A%2, %3\n").arg(m.first + 1).arg(m.second + 1).arg(QFileInfo(recordingName).fileName());
    out += QStringLiteral("# %1 frames read, %2 kept, %3 lost, %4 saturated, %5 unreadable; the second minus the first, %6\n")
               .arg(m.framesRead).arg(m.frames.size()).arg(m.droppedLost).arg(m.droppedSaturated).arg(m.droppedUnreadable)
               .arg(px ? QStringLiteral("pixels") : QStringLiteral("arcsec east and along Jupiter's north"));
    out += px ? QStringLiteral("frame,ut,dx_px,dy_px\n") : QStringLiteral("frame,ut,dx,dy\n");
    for (size_t i = 0; i < t.offsets.size() && i < m.frames.size(); ++i) {
        const SkyOffset& o = t.offsets[i];
        const QString ut = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(o.ut * 1000)), Qt::UTC).toString(Qt::ISODateWithMs);
        out += QStringLiteral("%1,%2,%3,%4\n").arg(m.frames[i].frame).arg(ut, number(o.dx, px ? 3 : 4), number(o.dy, px ? 3 : 4));
    }
    return out;
}

bool writeMeasuredCurve(const QString& path, const CurveMeasurement& m, const QString& recordingName, QString* error)
{
    const QString e = writeWhole(path, measuredCurveCsv(m, recordingName).toUtf8());
    if (error)
        *error = e;
    return e.isEmpty();
}

} // namespace zeno
