#include "mutual_events.h"

#include "phenomena_geometry.h"
#include "l12_correction.h"
#include "modern_theory.h"
#include "regional.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180;
constexpr double kUnixEpochJD = 2440587.5;   // 1970-01-01 00:00 UT
constexpr double kSecondsPerDay = 86400;
// Mean orbital speeds, km/s: the bound on how fast two satellites' separation changes.
constexpr double kOrbitalSpeedKmS[4] = {17.33, 13.74, 10.88, 8.20};
constexpr double kFinestStepS = 60;          // the scan's smallest step
constexpr double kLongestStepS = 6 * 3600;   // and its largest
constexpr double kScanMarginS = 4 * 3600;    // the scan starts and ends this far beyond the range
constexpr double kMaximumToleranceS = 0.01;  // Brent's tolerance on the maximum
constexpr double kSpeedStepS = 5;            // half-width of the difference giving the relative speed
constexpr double kCurveMarginFraction = 0.25;
constexpr double kCurveMarginMinS = 120;
constexpr double kSeenFromBracketS = 600;    // the least bracket searched for the maximum seen from a place

struct Pair { int a, b; };
constexpr Pair kPairs[6] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
constexpr MutualType kTypes[2] = {MutualType::Occultation, MutualType::Eclipse};

// Bound on |d(separation - contact)/dt|, km/s, for a pair: their relative
// speed with a margin for the projection's and the penumbra's slow changes.
double speedBound(const Pair& p) { return 1.05 * (kOrbitalSpeedKmS[p.a] + kOrbitalSpeedKmS[p.b]) + 0.5; }

PairGeometry geometryOf(const MutualSnapshot& s, MutualType type, int occulter, int target)
{
    return type == MutualType::Occultation ? occultationGeometry(s, occulter, target)
                                           : eclipseGeometry(s, occulter, target);
}

// The pair with the roles the depths give: the farther one is the target.
PairGeometry pairGeometry(const MutualSnapshot& s, MutualType type, const Pair& p)
{
    const PairGeometry g = geometryOf(s, type, p.a, p.b);
    return g.rolesHold ? g : geometryOf(s, type, p.b, p.a);
}

PairGeometry geometryAt(double utSeconds, MutualType type, int occulter, int target, const Site* site = nullptr)
{
    const MutualSnapshot s = mutualSnapshot(julianDayOfSeconds(utSeconds), (1u << occulter) | (1u << target), site);
    return geometryOf(s, type, occulter, target);
}

// Separation minus contact radius: negative while the outlines overlap.
double overlapMargin(double utSeconds, MutualType type, int occulter, int target, const Site* site)
{
    const PairGeometry g = geometryAt(utSeconds, type, occulter, target, site);
    return g.rolesHold ? g.separationKm - g.contactKm() : 1e9;
}

// A contact to the second: starting inside (margin < 0) at `inside`, steps
// outward by safe amounts until outside, bisects to the second, then places
// the crossing between the two seconds by linear interpolation.
double contact(double inside, int direction, MutualType type, int occulter, int target, double bound, const Site* site)
{
    const auto margin = [&](double t) { return overlapMargin(t, type, occulter, target, site); };
    double t = inside, m = margin(t);
    double out = t;
    for (int i = 0; i < 10000; ++i) {
        out = t + direction * std::max(30.0, -m / bound);
        const double mOut = margin(out);
        if (mOut > 0)
            break;
        t = out;
        m = mOut;
    }
    search::Seconds first;   // the first second of the changed state going forward
    if (direction < 0) {
        const auto lo = static_cast<search::Seconds>(std::floor(out));
        const auto hi = static_cast<search::Seconds>(std::ceil(t));
        first = search::bisect(lo, hi, [&](search::Seconds s) { return margin(double(s)) <= 0; });
    } else {
        const auto lo = static_cast<search::Seconds>(std::floor(t));
        const auto hi = static_cast<search::Seconds>(std::ceil(out));
        first = search::bisect(lo, hi, [&](search::Seconds s) { return margin(double(s)) > 0; });
    }
    const double m0 = margin(double(first - 1)), m1 = margin(double(first));
    const double f = m0 != m1 ? m0 / (m0 - m1) : 1;
    return double(first - 1) + std::clamp(f, 0.0, 1.0);
}

MutualKind kindOf(const PairGeometry& g)
{
    const double R = g.targetRadiusKm, c = g.separationKm;
    if (g.type == MutualType::Occultation) {
        const double r = g.occulterRadiusKm;
        if (r >= R && c + R <= r)
            return MutualKind::Total;
        if (r < R && c + r <= R)
            return MutualKind::Annular;
        return MutualKind::Partial;
    }
    const double u = g.umbraRadiusKm;
    if (u > 0 && c + R <= u)
        return MutualKind::Total;
    if (c + std::abs(u) <= R)
        return MutualKind::Annular;
    if (c < std::abs(u) + R)
        return MutualKind::Partial;
    return MutualKind::Penumbral;
}

double relativeSpeed(double utSeconds, MutualType type, int occulter, int target, const Site* site)
{
    const PairGeometry a = geometryAt(utSeconds - kSpeedStepS, type, occulter, target, site);
    const PairGeometry b = geometryAt(utSeconds + kSpeedStepS, type, occulter, target, site);
    return std::hypot(b.dx - a.dx, b.dy - a.dy) / (2 * kSpeedStepS);
}

// Whether Jupiter takes a satellite's light away at an instant: behind its
// disc or in its shadow (the lines through the centre, as the timetable's).
bool hiddenByJupiter(const PrecisePhenomena& p, int k) { return p.eclipse[k] || p.occulte[k]; }

struct Hidden {
    bool occulter = false, target = false;
};

Hidden hiddenAt(double utSeconds, int occulter, int target)
{
    const PrecisePhenomena p = precisePhenomena(computeModern(julianDayOfSeconds(utSeconds)));
    return {hiddenByJupiter(p, occulter), hiddenByJupiter(p, target)};
}

// The pair's light as a photometer records it (1: both satellites wholly
// seen), and what it would record then without the event.
struct PairLight {
    double recorded = 1, unblocked = 1;
};

PairLight pairLight(const PairGeometry& g, Hidden h)
{
    const double wt = h.target ? 0 : targetWeight(g.occulter, g.target);
    const double wo = h.occulter ? 0 : 1 - targetWeight(g.occulter, g.target);
    return {wo + wt * (1 - lightLost(g)), wo + wt};
}

// Jupiter's shadow, disc and limb for the target at the maximum.
void jupiterFlags(MutualEvent& ev)
{
    const ModernEphemeris e = computeModern(julianDayOfSeconds(ev.maximumExact));
    const PrecisePhenomena p = precisePhenomena(e);
    const int k = ev.target;
    ev.targetInJupiterShadow = p.eclipse[k];
    ev.targetBehindJupiter = p.occulte[k];
    ev.targetInFrontOfJupiter = p.passage[k];
    ev.occulterHidden = hiddenByJupiter(p, ev.occulter);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    // The disc's outline is an ellipse of semi-axes 1 and q (the projected polar radius).
    const double flattened = kJupiterPolarKm / kJupiterEquatorialKm, sinDe = std::sin(e.De * kDegToRad);
    const double q = std::sqrt(flattened * flattened * (1 - sinDe * sinDe) + sinDe * sinDe);
    ev.limbDistance = std::hypot(X[k], Y[k] / q) - 1;
}

// One close approach of a pair, bracketed by [a, b]: the event when the
// outlines meet, with every field filled.
std::optional<MutualEvent> refine(double a, double b, MutualType type, int occulter, int target, double bound,
                                  const Site* site = nullptr)
{
    const search::Minimum least = search::minimize(
        [&](double t) { return geometryAt(t, type, occulter, target, site).separationKm; }, a, b, kMaximumToleranceS);
    const PairGeometry g = geometryAt(least.t, type, occulter, target, site);
    if (!g.rolesHold || g.separationKm >= g.contactKm())
        return std::nullopt;
    MutualEvent ev;
    ev.occulter = occulter;
    ev.target = target;
    ev.type = type;
    ev.kind = kindOf(g);
    ev.maximumExact = least.t;
    ev.maximum = std::llround(least.t);
    const double start = contact(least.t, -1, type, occulter, target, bound, site);
    const double end = contact(least.t, +1, type, occulter, target, bound, site);
    ev.start = std::llround(start);
    ev.end = std::llround(end);
    ev.durationS = std::round(end - start);
    ev.impactKm = g.separationKm;
    ev.atMaximum = g;
    ev.relativeSpeedKmS = relativeSpeed(least.t, type, occulter, target, site);
    if (site)
        ev.site = *site;
    jupiterFlags(ev);
    // What the photometer records: nothing of a satellite Jupiter hides.
    const PairLight light = pairLight(g, {ev.occulterHidden, ev.hiddenAtMaximum()});
    ev.targetLightLost = ev.hiddenAtMaximum() ? 0 : lightLost(g);
    ev.magnitudeDrop = light.recorded < light.unblocked ? -2.5 * std::log10(light.recorded / light.unblocked) : 0;
    ev.maxUtSigmaS = maximumSigmaS(ev);
    return ev;
}

struct Sample {
    double t = 0, margin = 0;
    int occulter = 0, target = 0;
};

} // namespace

double julianDayOfSeconds(double utSeconds) { return kUnixEpochJD + utSeconds / kSecondsPerDay; }

double maximumSigmaS(const MutualEvent& event)
{
    if (!l12Corrected())
        return std::nan("");
    const FittedCorrectionL12& fit = fittedCorrectionL12();
    const double t = event.maximumExact;
    const MutualSnapshot s = mutualSnapshot(julianDayOfSeconds(t), (1u << event.occulter) | (1u << event.target));
    // The plane of the geometry: at right angles to the line of sight to the
    // target (occultation) or to the Sun-eclipser line (eclipse).
    const Vec3 axis = unit(event.type == MutualType::Occultation ? s.geocentric[event.target]
                                                                 : s.heliocentric[event.occulter]);
    const Vec3 ex = unit(s.east - dot(s.east, axis) * axis), ey = cross(axis, ex);
    const PairGeometry a = geometryAt(t - kSpeedStepS, event.type, event.occulter, event.target);
    const PairGeometry b = geometryAt(t + kSpeedStepS, event.type, event.occulter, event.target);
    const double vx = (b.dx - a.dx) / (2 * kSpeedStepS), vy = (b.dy - a.dy) / (2 * kSpeedStepS);   // km/s
    const double v2 = vx * vx + vy * vy;
    if (!(v2 > 0))
        return std::nan("");
    const double* u = correctionAxis();
    const Vec3 pole{u[0], u[1], u[2]};
    constexpr double kLightKmS = 299792.458, kAUKm = 149597870.7;
    // The maximum moves by -(dd . v)/|v|^2 as the offset d of the pair moves by dd.
    double g[kCorrectionParameters] = {};
    for (const int k : {event.occulter, event.target}) {
        const double jd = s.jdTT - norm(s.geocentric[k]) / kLightKmS / 86400;
        const EtatL12 st = etatPrecis(k, jd);
        const Vec3 turn = (1e-6 * kAUKm) * cross(pole, Vec3{st.position[0], st.position[1], st.position[2]});   // km per µrad
        const double sign = k == event.occulter ? 1 : -1;
        const double dt = -sign * (dot(turn, ex) * vx + dot(turn, ey) * vy) / v2;
        g[2 * k] = dt;
        g[2 * k + 1] = dt * (jd - fit.correction.epochJdTT) / 365.25;
    }
    double var = 0;
    for (int i = 0; i < kCorrectionParameters; ++i)
        for (int j = 0; j < kCorrectionParameters; ++j)
            var += g[i] * fit.covariance[i][j] * g[j];
    // The formal sigma is well below what the validation shows: the theory's
    // own error along the path, measured on a left-out season, is added, in
    // time at this event's speed (a slow event's instant is the less sure).
    const double modelS = fit.modelErrorKm / std::sqrt(v2);
    return std::sqrt(std::max(0.0, var) + modelS * modelS);
}

QString sigmaText(double sigmaS)
{
    if (!std::isfinite(sigmaS))
        return {};
    return QStringLiteral("± %1 s").arg(std::max(1.0, std::ceil(sigmaS)), 0, 'f', 0);
}

QString mutualUtText(double utSeconds, const QLocale& locale)
{
    return dateTimeText(QDateTime::fromSecsSinceEpoch(std::llround(utSeconds), Qt::UTC), locale, TimeShown::Always);
}

QString lightCurveCsv(const MutualEvent& event, const std::vector<LightPoint>& curve)
{
    const QLocale locale = programLocale();
    QString out = QStringLiteral("# %1 %2 %3, maximum %4 TU, chute %5 mag ; flux du couple, 1 hors du phénomène\n"
                                 "ut,t_s,flux\n")
                      .arg(event.code(), QString::fromLatin1(event.typeName()), QString::fromLatin1(event.kindName()),
                           mutualUtText(event.maximumExact, locale), QString::number(event.magnitudeDrop, 'f', 3));
    for (const LightPoint& p : curve) {
        const auto ms = static_cast<qint64>(std::llround(p.ut * 1000));
        out += dateTimeText(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC), locale, TimeShown::Milliseconds);
        out += u',' + QString::number(p.ut - event.maximumExact, 'f', 3) + u',' + QString::number(p.flux, 'f', 6)
             + u'\n';
    }
    return out;
}

QString MutualEvent::code() const
{
    return QStringLiteral("%1%2%3").arg(occulter + 1).arg(QChar(type == MutualType::Eclipse ? u'E' : u'O')).arg(target + 1);
}

const char* MutualEvent::typeName() const { return type == MutualType::Eclipse ? "eclipse" : "occultation"; }

const char* MutualEvent::kindName() const
{
    switch (kind) {
    case MutualKind::Total: return "total";
    case MutualKind::Annular: return "annular";
    case MutualKind::Partial: return "partial";
    case MutualKind::Penumbral: return "penumbral";
    }
    return "partial";
}

// A scan of the six pairs in both kinds together, each step as long as the
// slowest-closing margin allows (margin / speed bound: no approach can slip
// between two samples), at least a minute. Where a margin has a sampled
// minimum that the bound says might reach below zero, Brent's method finds
// the least separation between the neighbouring samples.
std::vector<MutualEvent> findMutualEvents(search::Seconds fromUt, search::Seconds toUt,
                                          const std::function<void(double)>& progress,
                                          const std::atomic<bool>* cancel)
{
    std::vector<MutualEvent> events;
    const double first = double(fromUt) - kScanMarginS, last = double(toUt) + kScanMarginS;
    Sample history[6][2][3];   // per pair and type: the last three samples
    int count = 0;
    double reported = first;
    for (double t = first; t <= last;) {
        if (cancel && cancel->load())
            break;
        const MutualSnapshot snap = mutualSnapshot(julianDayOfSeconds(t));
        double step = kLongestStepS;
        for (int p = 0; p < 6; ++p)
            for (int y = 0; y < 2; ++y) {
                const PairGeometry g = pairGeometry(snap, kTypes[y], kPairs[p]);
                const double bound = speedBound(kPairs[p]);
                Sample* h = history[p][y];
                h[0] = h[1];
                h[1] = h[2];
                h[2] = {t, g.separationKm - g.contactKm(), g.occulter, g.target};
                step = std::min(step, std::max(kFinestStepS, h[2].margin / bound));
                if (count < 2 || h[1].margin > h[0].margin || h[1].margin > h[2].margin)
                    continue;
                const double reach = bound * std::max(h[1].t - h[0].t, h[2].t - h[1].t);
                if (h[1].margin >= reach)
                    continue;
                const auto ev = refine(h[0].t, h[2].t, kTypes[y], h[1].occulter, h[1].target, bound);
                if (!ev || ev->maximumExact < double(fromUt) || ev->maximumExact > double(toUt))
                    continue;
                const bool seen = std::any_of(events.begin(), events.end(), [&](const MutualEvent& e) {
                    return e.code() == ev->code() && std::abs(e.maximumExact - ev->maximumExact) < kFinestStepS;
                });
                if (!seen)
                    events.push_back(*ev);
            }
        ++count;
        t += step;
        if (progress && t - reported > (last - first) / 100) {
            reported = t;
            progress(std::min(1.0, (t - first) / (last - first)));
        }
    }
    std::sort(events.begin(), events.end(),
              [](const MutualEvent& a, const MutualEvent& b) { return a.maximumExact < b.maximumExact; });
    if (progress)
        progress(1);
    return events;
}

search::Seconds jupiterEquinoxNear(search::Seconds ut)
{
    constexpr search::Seconds kScanStep = 30 * 86400;          // the Sun's declination changes by 0.2° a month at most
    constexpr search::Seconds kScanHalfWidth = 1300 * 86400;   // past half the 5.93-year interval
    const auto north = [](search::Seconds t) { return computeModern(julianDayOfSeconds(double(t))).Ds >= 0; };
    search::Seconds best = ut;
    bool found = false;
    for (search::Seconds t = ut - kScanHalfWidth; t < ut + kScanHalfWidth; t += kScanStep) {
        const bool before = north(t);
        if (north(t + kScanStep) == before)
            continue;
        const search::Seconds crossing = search::bisect(t, t + kScanStep, [&](search::Seconds s) { return north(s) != before; });
        if (!found || std::abs(crossing - ut) < std::abs(best - ut))
            best = crossing;
        found = true;
    }
    return best;
}

MutualSeason mutualSeasonNear(search::Seconds ut)
{
    constexpr search::Seconds kHalfSeason = 487 * 86400;   // 16 months
    MutualSeason s;
    s.equinox = jupiterEquinoxNear(ut);
    s.from = s.equinox - kHalfSeason;
    s.to = s.equinox + kHalfSeason;
    return s;
}

std::optional<MutualCode> parseMutualCode(const QString& code)
{
    const QString c = code.trimmed().toUpper();
    if (c.size() != 3 || c[0] < u'1' || c[0] > u'4' || c[2] < u'1' || c[2] > u'4' || c[0] == c[2]
        || (c[1] != u'E' && c[1] != u'O'))
        return std::nullopt;
    MutualCode m;
    m.occulter = c[0].unicode() - u'1';
    m.target = c[2].unicode() - u'1';
    m.type = c[1] == u'E' ? MutualType::Eclipse : MutualType::Occultation;
    return m;
}

std::optional<MutualEvent> findMutualEvent(const MutualCode& code, search::Seconds ut, search::Seconds withinS)
{
    std::optional<MutualEvent> best;
    for (const MutualEvent& ev : findMutualEvents(ut - withinS, ut + withinS))
        if (ev.occulter == code.occulter && ev.target == code.target && ev.type == code.type
            && (!best || std::abs(ev.maximumExact - double(ut)) < std::abs(best->maximumExact - double(ut))))
            best = ev;
    return best;
}

PairGeometry mutualDiscsAt(const MutualEvent& event, double utSeconds)
{
    return geometryAt(utSeconds, event.type, event.occulter, event.target, event.site ? &*event.site : nullptr);
}

std::optional<MutualEvent> seenFrom(const MutualEvent& event, const Site& site)
{
    // Parallax moves the maximum by seconds: a bracket of the event's half-duration, ten minutes at least, holds it.
    const double half = std::max(kSeenFromBracketS, event.durationS / 2);
    const Pair pair{std::min(event.occulter, event.target), std::max(event.occulter, event.target)};
    return refine(event.maximumExact - half, event.maximumExact + half, event.type, event.occulter, event.target,
                  speedBound(pair), &site);
}

std::vector<LightPoint> lightCurve(const MutualEvent& event, int samples)
{
    samples = std::max(samples, 2);
    const double margin = std::max(kCurveMarginMinS, kCurveMarginFraction * double(event.end - event.start));
    const double a = double(event.start) - margin, b = double(event.end) + margin;
    std::vector<LightPoint> curve;
    curve.reserve(std::size_t(samples) + 1);
    for (int i = 0; i < samples; ++i) {
        const double t = a + (b - a) * i / (samples - 1);
        curve.push_back({t, pairLight(mutualDiscsAt(event, t), hiddenAt(t, event.occulter, event.target)).recorded});
    }
    const LightPoint deepest{event.maximumExact,
                             pairLight(event.atMaximum, {event.occulterHidden, event.hiddenAtMaximum()}).recorded};
    curve.insert(std::lower_bound(curve.begin(), curve.end(), deepest,
                                  [](const LightPoint& x, const LightPoint& y) { return x.ut < y.ut; }),
                 deepest);
    return curve;
}

EventShape eventShape(const MutualEvent& event)
{
    const PairGeometry& g = event.atMaximum;
    EventShape s;
    s.type = event.type;
    s.tMax = event.maximumExact;
    s.impactKm = g.separationKm;
    s.relativeSpeedKmS = event.relativeSpeedKmS;
    s.targetRadiusKm = g.targetRadiusKm;
    s.occulterRadiusKm = g.occulterRadiusKm;
    s.umbraRadiusKm = g.umbraRadiusKm;
    s.penumbraRadiusKm = g.penumbraRadiusKm;
    // The share of the light then recorded: none of a hidden target, all of
    // it when the occulter is the hidden one.
    s.targetWeight = event.hiddenAtMaximum() ? 0 : event.occulterHidden ? 1 : targetWeight(event.occulter, event.target);
    return s;
}

double shapeFlux(const EventShape& s, double tSecondsFromMax)
{
    const double c = std::hypot(s.impactKm, s.relativeSpeedKmS * tSecondsFromMax);
    const double lost = s.type == MutualType::Occultation
                            ? occultationLightLost(s.targetRadiusKm, s.occulterRadiusKm, c)
                            : eclipseLightLost(s.targetRadiusKm, s.umbraRadiusKm, s.penumbraRadiusKm, c);
    return 1 - s.targetWeight * lost;
}

} // namespace zeno
