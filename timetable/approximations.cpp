#include "approximations.h"

#include "modern_theory.h"
#include "phenomena_geometry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <future>
#include <thread>

namespace zeno {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180;
constexpr double kArcsecPerRad = 180 * 3600 / kPi;
constexpr double kAUKm = 149597870.7;
// Mean orbital speeds, km/s: with a margin, the bound on how fast two satellites' apparent distance changes.
constexpr double kOrbitalSpeedKmS[4] = {17.33, 13.74, 10.88, 8.20};
constexpr double kSpeedMargin = 1.15;
constexpr double kFinestStepS = 900;          // the scan's step while a pair is within the threshold
constexpr double kLongestStepS = 4 * 3600;    // and its largest
constexpr double kScanMarginS = 3 * 3600;
// The scan is geocentric: the parallax moves the two satellites apart by far less than this.
constexpr double kParallaxMarginArcsec = 0.05;     // the scan starts and ends this far beyond the range
constexpr double kCentralToleranceS = 0.01;   // Brent's tolerance on the central instant
constexpr double kSpeedStepS = 5;             // half-width of the difference giving the relative speed
constexpr double kSameMinimumS = 120;         // two minima of one pair closer than this are one
constexpr double kMutualMarginS = 600;        // a mutual event this near the central instant is "at the same time"
constexpr search::Seconds kMinPartSeconds = 20 * 86400;   // worth a thread of its own
constexpr unsigned kMaxParts = 8;

struct Pair { int a, b; };
constexpr Pair kPairs[6] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};

// A satellite's place on the sky from Jupiter's direction (gnomonic, radians): x east, y north.
void skyOf(const MutualSnapshot& s, int k, double& x, double& y)
{
    const Vec3& p = s.geocentric[k];
    const double z = dot(p, s.toward);
    x = dot(p, s.east) / z;
    y = dot(p, s.north) / z;
}

SkyOffset offsetIn(const MutualSnapshot& s, int a, int b)
{
    double xa, ya, xb, yb;
    skyOf(s, a, xa, ya);
    skyOf(s, b, xb, yb);
    return {0, (xb - xa) * kArcsecPerRad, (yb - ya) * kArcsecPerRad};
}

MutualSnapshot snapshotAt(double ut, unsigned bits, const std::optional<Site>& site)
{
    return mutualSnapshot(julianDayOfSeconds(ut), bits, site ? &*site : nullptr);
}

SkyOffset offsetAt(double ut, int a, int b, const std::optional<Site>& site)
{
    SkyOffset o = offsetIn(snapshotAt(ut, (1u << a) | (1u << b), site), a, b);
    o.ut = ut;
    return o;
}

// The bound on |d distance / dt|, arcsec/s, at the pair's distance.
double speedBoundArcsecS(const MutualSnapshot& s, const Pair& p)
{
    const double km = std::min(norm(s.geocentric[p.a]), norm(s.geocentric[p.b]));
    return kSpeedMargin * (kOrbitalSpeedKmS[p.a] + kOrbitalSpeedKmS[p.b]) / km * kArcsecPerRad;
}

// Jupiter's disc, shadow and limb for both satellites at the central instant.
void jupiterFlags(Approximation& ap)
{
    const ModernEphemeris e = computeModern(julianDayOfSeconds(ap.centralUt));
    const PrecisePhenomena p = precisePhenomena(e);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    // The disc's outline is an ellipse of semi-axes 1 and q (the projected polar radius).
    const double flattened = kJupiterPolarKm / kJupiterEquatorialKm, sinDe = std::sin(e.De * kDegToRad);
    const double q = std::sqrt(flattened * flattened * (1 - sinDe * sinDe) + sinDe * sinDe);
    const double radiusArcsec = std::atan(kJupiterEquatorialKm / (e.Delta * kAUKm)) * kArcsecPerRad;
    const int sat[2] = {ap.first, ap.second};
    for (int i = 0; i < 2; ++i) {
        const int k = sat[i];
        ap.behindJupiter[i] = p.occulte[k];
        ap.inJupiterShadow[i] = p.eclipse[k];
        ap.inFrontOfJupiter[i] = p.passage[k];
        // Along the ray from the centre: the outline's point is at 1/r of the way.
        const double r = std::hypot(X[k], Y[k] / q);
        ap.limbArcsec[i] = (std::hypot(X[k], Y[k]) * (1 - 1 / r)) * radiusArcsec;
    }
}

// The pair's least distance bracketed by [lo, hi], with every field but the mutual event's.
std::optional<Approximation> refine(double lo, double hi, const Pair& p, const ApproximationOptions& o)
{
    // The square of the distance: a parabola for a uniform motion, where Brent's parabolic steps go straight.
    const search::Minimum least = search::minimize(
        [&](double t) {
            const SkyOffset d = offsetAt(t, p.a, p.b, o.site);
            return d.dx * d.dx + d.dy * d.dy;
        },
        lo, hi, kCentralToleranceS);
    if (std::sqrt(least.value) > o.maxDistanceArcsec || least.t <= lo + kCentralToleranceS || least.t >= hi - kCentralToleranceS)
        return std::nullopt;   // above the threshold, or at an end: no local minimum
    Approximation ap;
    ap.first = p.a;
    ap.second = p.b;
    ap.centralUt = least.t;
    const MutualSnapshot s = snapshotAt(least.t, (1u << p.a) | (1u << p.b), o.site);
    const SkyOffset at = offsetIn(s, p.a, p.b);
    ap.dxArcsec = at.dx;
    ap.dyArcsec = at.dy;
    ap.distanceArcsec = at.distance();
    ap.distanceKm = ap.distanceArcsec / kArcsecPerRad * (norm(s.geocentric[p.a]) + norm(s.geocentric[p.b])) / 2;
    const SkyOffset before = offsetAt(least.t - kSpeedStepS, p.a, p.b, o.site);
    const SkyOffset after = offsetAt(least.t + kSpeedStepS, p.a, p.b, o.site);
    const double vx = (after.dx - before.dx) / (2 * kSpeedStepS), vy = (after.dy - before.dy) / (2 * kSpeedStepS);
    ap.speedMasS = std::hypot(vx, vy) * 1000;
    ap.motionAngleDeg = std::fmod(std::atan2(vx, vy) / kDegToRad + 360, 360);
    ap.stationary = ap.speedMasS < o.stationaryMasS;
    ap.site = o.site;
    jupiterFlags(ap);
    bool clear = ap.clearOfJupiter(0) && ap.clearOfJupiter(1) && ap.limbArcsec[0] >= o.minLimbArcsec
              && ap.limbArcsec[1] >= o.minLimbArcsec;
    if (ap.site) {
        const QDateTime ut = QDateTime::fromSecsSinceEpoch(std::llround(least.t), Qt::UTC);
        ap.jupiterAltDeg = jupiterAltitudeDeg(ut, *o.site);
        ap.sunAltDeg = sunAltitudeDeg(ut, *o.site);
        clear = clear && ap.jupiterAltDeg >= o.visibility.minJupiterDeg && ap.sunAltDeg <= o.visibility.maxSunDeg;
    }
    ap.observable = clear;
    return ap;
}

// One part of the range: a geocentric scan of the six pairs together, each step as
// long as the nearest pair's distance above the threshold allows (distance
// less threshold over the speed bound: no pass can slip between two
// samples), and the finest step while a pair is within it. A sampled
// minimum within reach of the threshold is refined by Brent's method, from
// the place when one is given.
std::vector<Approximation> searchPart(double first, double last, const ApproximationOptions& o,
                                      const std::function<void(double)>& progress, const std::atomic<bool>* cancel)
{
    std::vector<Approximation> found;
    struct Sample { double t = 0, d = 0; };
    Sample history[6][3];
    const double reach = o.maxDistanceArcsec + (o.site ? kParallaxMarginArcsec : 0);
    int count = 0;
    double reported = first;
    for (double t = first; t <= last;) {
        if (cancel && cancel->load())
            break;
        const MutualSnapshot snap = snapshotAt(t, 0xF, std::nullopt);
        double step = kLongestStepS;
        for (int k = 0; k < 6; ++k) {
            const Pair& p = kPairs[k];
            const double bound = speedBoundArcsecS(snap, p);
            Sample* h = history[k];
            h[0] = h[1];
            h[1] = h[2];
            h[2] = {t, offsetIn(snap, p.a, p.b).distance()};
            step = std::min(step, std::max(kFinestStepS, (h[2].d - reach) / bound));
            if (count < 2 || h[1].d > h[0].d || h[1].d > h[2].d)
                continue;
            if (h[1].d - reach >= bound * std::max(h[1].t - h[0].t, h[2].t - h[1].t))
                continue;
            const auto ap = refine(h[0].t, h[2].t, p, o);
            if (!ap)
                continue;
            const bool seen = std::any_of(found.begin(), found.end(), [&](const Approximation& e) {
                return e.first == ap->first && e.second == ap->second && std::abs(e.centralUt - ap->centralUt) < kSameMinimumS;
            });
            if (!seen)
                found.push_back(*ap);
        }
        ++count;
        t += step;
        if (progress && t - reported > (last - first) / 100) {
            reported = t;
            progress(std::min(1.0, (t - first) / (last - first)));
        }
    }
    return found;
}

} // namespace

double SkyOffset::distance() const { return std::hypot(dx, dy); }

QString Approximation::code() const { return QStringLiteral("%1A%2").arg(first + 1).arg(second + 1); }

QString checkApproximationOptions(const ApproximationOptions& o)
{
    const auto outside = [](double v, const double (&r)[2]) { return !std::isfinite(v) || v < r[0] || v > r[1]; };
    const QLocale fr(QLocale::French);
    if (outside(o.maxDistanceArcsec, kApproxMaxDistanceLimits))
        return QCoreApplication::translate("Approximations", "La distance maximale des approximations doit être comprise entre %1″ et %2″.")
            .arg(fr.toString(kApproxMaxDistanceLimits[0]), fr.toString(kApproxMaxDistanceLimits[1]));
    if (outside(o.minLimbArcsec, kApproxMinLimbLimits))
        return QCoreApplication::translate("Approximations", "L'écart minimal au bord de Jupiter doit être compris entre %1″ et %2″.")
            .arg(fr.toString(kApproxMinLimbLimits[0]), fr.toString(kApproxMinLimbLimits[1]));
    if (outside(o.stationaryMasS, kApproxStationaryLimits))
        return QCoreApplication::translate("Approximations", "La vitesse relative des passages quasi stationnaires doit être comprise entre %1 et %2 mas/s.")
            .arg(fr.toString(kApproxStationaryLimits[0]), fr.toString(kApproxStationaryLimits[1]));
    if (o.site)
        if (QString f = checkSite(*o.site); !f.isEmpty())
            return f;
    return checkVisibility(o.visibility);
}

// A long range is cut into one part per core, each scanned with a margin
// on both sides so that a pass at a border is whole in one of them; the
// parts' approximations, joined and rid of doubles, are the whole search's.
std::vector<Approximation> findApproximations(search::Seconds fromUt, search::Seconds toUt,
                                              const ApproximationOptions& o,
                                              const std::function<void(double)>& progress,
                                              const std::atomic<bool>* cancel)
{
    const search::Seconds span = std::max<search::Seconds>(0, toUt - fromUt);
    const unsigned cores = o.threads > 0 ? o.threads : std::clamp(std::thread::hardware_concurrency(), 1u, kMaxParts);
    const search::Seconds parts = std::clamp<search::Seconds>(span / kMinPartSeconds, 1, cores);
    std::vector<std::future<std::vector<Approximation>>> futures;
    for (search::Seconds k = 0; k < parts; ++k) {
        const double a = double(fromUt + span * k / parts) - kScanMarginS;
        const double b = double(fromUt + span * (k + 1) / parts) + kScanMarginS;
        // The first part reports the progress: the parts are of one length.
        const std::function<void(double)> report = k == 0 ? progress : std::function<void(double)>{};
        futures.push_back(std::async(parts > 1 ? std::launch::async : std::launch::deferred,
                                     [=, &o] { return searchPart(a, b, o, report, cancel); }));
    }
    std::vector<Approximation> all;
    for (auto& f : futures)
        for (Approximation& ap : f.get())
            if (ap.centralUt >= double(fromUt) && ap.centralUt <= double(toUt)
                && std::none_of(all.begin(), all.end(), [&](const Approximation& e) {
                       return e.first == ap.first && e.second == ap.second
                           && std::abs(e.centralUt - ap.centralUt) < kSameMinimumS;
                   }))
                all.push_back(std::move(ap));
    std::sort(all.begin(), all.end(), [](const Approximation& x, const Approximation& y) { return x.centralUt < y.centralUt; });
    // The mutual events of the same pair in progress at the central instant.
    if (!all.empty() && !(cancel && cancel->load())) {
        const auto margin = search::Seconds(kMutualMarginS);
        const std::vector<MutualEvent> events =
            findMutualEvents(fromUt - margin, toUt + margin, {}, cancel);
        for (Approximation& ap : all)
            for (const MutualEvent& ev : events) {
                const bool samePair = std::min(ev.occulter, ev.target) == ap.first && std::max(ev.occulter, ev.target) == ap.second;
                if (samePair && ap.centralUt >= double(ev.start) - kMutualMarginS && ap.centralUt <= double(ev.end) + kMutualMarginS)
                    ap.mutualEvent = ev.code();
            }
    }
    if (progress)
        progress(1);
    return all;
}

std::optional<std::pair<int, int>> parseApproximationCode(const QString& code)
{
    const QString c = code.trimmed().toUpper();
    if (c.size() != 3 || c[1] != u'A' || c[0] < u'1' || c[0] > u'4' || c[2] < u'1' || c[2] > u'4' || c[0] == c[2])
        return std::nullopt;
    const int a = c[0].unicode() - u'1', b = c[2].unicode() - u'1';
    return std::pair{std::min(a, b), std::max(a, b)};
}

std::optional<Approximation> findApproximation(int first, int second, search::Seconds ut,
                                               const ApproximationOptions& options, search::Seconds withinS)
{
    std::optional<Approximation> best;
    for (const Approximation& ap : findApproximations(ut - withinS, ut + withinS, options))
        if (ap.first == std::min(first, second) && ap.second == std::max(first, second)
            && (!best || std::abs(ap.centralUt - double(ut)) < std::abs(best->centralUt - double(ut))))
            best = ap;
    return best;
}

SkyOffset approximationOffsetAt(const Approximation& a, double utSeconds)
{
    return offsetAt(utSeconds, a.first, a.second, a.site);
}

SkyPair approximationPairAt(const Approximation& a, double utSeconds)
{
    const MutualSnapshot s = snapshotAt(utSeconds, (1u << a.first) | (1u << a.second), a.site);
    SkyPair p;
    p.ut = utSeconds;
    const int sat[2] = {a.first, a.second};
    for (int i = 0; i < 2; ++i) {
        skyOf(s, sat[i], p.x[i], p.y[i]);
        p.x[i] *= kArcsecPerRad;
        p.y[i] *= kArcsecPerRad;
    }
    return p;
}

std::vector<SkyOffset> approximationTrack(const Approximation& a, double halfWidthS, int samples)
{
    samples = std::max(samples, 2);
    std::vector<SkyOffset> track;
    track.reserve(std::size_t(samples));
    for (int i = 0; i < samples; ++i)
        track.push_back(approximationOffsetAt(a, a.centralUt - halfWidthS + 2 * halfWidthS * i / (samples - 1)));
    return track;
}

double approximationHalfWidthS(const Approximation& a)
{
    const double speed = std::max(a.speedMasS, 0.1) / 1000;   // arcsec/s
    return std::clamp(3 * std::max(a.distanceArcsec, 1.0) / speed, 600.0, 3 * 3600.0);
}

QString utIsoTenths(double utSeconds)
{
    const auto tenths = static_cast<qint64>(std::llround(utSeconds * 10));
    const qint64 seconds = tenths >= 0 ? tenths / 10 : (tenths - 9) / 10;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
         + u'.' + QString::number(tenths - seconds * 10);
}

QString approximationsCsv(const std::vector<Approximation>& list)
{
    QString out = QStringLiteral("code,instant_central_tu,distance_arcsec,distance_km,vitesse_mas_s,angle_deg,"
                                 "bord1_arcsec,bord2_arcsec,phenomene_mutuel,centre,hauteur_jupiter,hauteur_soleil,"
                                 "quasi_stationnaire,observable\n");
    const auto n = [](double v, int d) { return QString::number(v, 'f', d); };
    for (const Approximation& a : list) {
        out += a.code() + u',' + utIsoTenths(a.centralUt) + u',' + n(a.distanceArcsec, 3) + u',' + n(a.distanceKm, 0) + u',' + n(a.speedMasS, 2) + u','
             + n(a.motionAngleDeg, 1) + u',' + n(a.limbArcsec[0], 1) + u',' + n(a.limbArcsec[1], 1) + u','
             + a.mutualEvent + u',' + (a.site ? QStringLiteral("topocentrique") : QStringLiteral("géocentrique"))
             + u',' + (a.site ? n(a.jupiterAltDeg, 1) : QString()) + u','
             + (a.site ? n(a.sunAltDeg, 1) : QString()) + u',' + (a.stationary ? u'1' : u'0') + u','
             + (a.observable ? u'1' : u'0') + u'\n';
    }
    return out;
}

} // namespace zeno
