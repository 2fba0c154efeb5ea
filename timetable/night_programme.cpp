#include "night_programme.h"

#include "regional.h"
#include "scene_frame.h"

#include <QCoreApplication>
#include <algorithm>
#include <future>
#include <memory>
#include <thread>
#include <cmath>

namespace zeno {

namespace {

constexpr qint64 kSliceSeconds = 86400;       // one day of search, one thread's share
constexpr unsigned kMaxThreads = 8;
constexpr qint64 kGrsStepSeconds = 600;       // System II turns about 6° in 10 minutes
constexpr qint64 kHorizonWindowSeconds = 20 * 60;   // libnova's rise and set are this close

// Meridian minus spot, in -180..180: crosses zero upwards at a transit.
double gap(double meridianDeg, double spotDeg)
{
    double d = std::fmod(meridianDeg - spotDeg, 360.0);
    if (d >= 180)
        d -= 360;
    else if (d < -180)
        d += 360;
    return d;
}

void grsInto(std::vector<QDateTime>& out, PassProbe& probe, const QDateTime& fromUt, const QDateTime& toUt,
             const RedSpot& t)
{
    const auto gapAt = [&](search::Seconds s) { return gap(probe.systemII(s), grsLongitudeDeg(t, utOf(s))); };
    search::scan(
        secondsOf(fromUt), secondsOf(toUt), gapAt, [](search::Seconds s) { return s + kGrsStepSeconds; },
        [&](search::Seconds t0, double g0, search::Seconds t1, double g1) {
            // An upward crossing of zero, not the wrap from +180 to -180.
            if (g0 < 0 && g1 >= 0 && g1 - g0 < 90)
                out.push_back(utOf(search::bisect(t0, t1, [&](search::Seconds mid) { return !(gapAt(mid) < 0); })));
        });
}

// libnova's rise and set use its J2000 solar place, a minute or two off
// today: the crossing of the standard horizon by the apparent Sun, to the second.
QDateTime refineHorizon(const QDateTime& estimate, const Site& site)
{
    const auto below = [&](search::Seconds s) { return sunAltitudeDeg(utOf(s), site) < kStandardHorizonDeg; };
    const search::Seconds lo = secondsOf(estimate) - kHorizonWindowSeconds;
    const search::Seconds hi = secondsOf(estimate) + kHorizonWindowSeconds;
    const bool belowAtLo = below(lo);
    if (belowAtLo == below(hi))
        return estimate;   // grazing Sun near the poles: keep libnova's instant
    return utOf(search::bisect(lo, hi, [&](search::Seconds mid) { return below(mid) != belowAtLo; }));
}

} // namespace

Night comingNight(const QDateTime& nowUt, const Site& site)
{
    // libnova gives the rise and set of one day: gather those of the days
    // around, then take the first set and the first rise after it.
    const double now = julianDayUt(nowUt);
    const bool dark = sunAltitudeDeg(nowUt, site) < kStandardHorizonDeg;
    const SunRiseSet days = sunRisesAndSets(nowUt, site, 1, 3);
    Night n;
    double begin = now;
    if (!dark) {
        const auto s = std::upper_bound(days.setsJd.begin(), days.setsJd.end(), now);
        begin = s == days.setsJd.end() ? -1 : *s;
    }
    const auto r = begin < 0 ? days.risesJd.end() : std::upper_bound(days.risesJd.begin(), days.risesJd.end(), begin);
    if (begin < 0 || r == days.risesJd.end() || *r - now > 2.0) {
        n.polar = true;   // midnight sun or polar night: the next 24 hours
        n.startUt = nowUt;
        n.endUt = nowUt.addSecs(86400);
        return n;
    }
    n.startUt = dark ? nowUt : refineHorizon(utFromJulianDay(begin), site);
    n.endUt = refineHorizon(utFromJulianDay(*r), site);
    return n;
}

QString checkRedSpot(const RedSpot& t)
{
    if (!std::isfinite(t.longitudeDeg) || t.longitudeDeg < 0 || t.longitudeDeg >= 360)
        return QCoreApplication::translate("Programme", "La longitude de la Tache Rouge doit être comprise entre 0° et 360°.");
    if (!t.epoch.isValid() || t.epoch.year() < 100 || t.epoch.year() > 9999)
        return QCoreApplication::translate("Programme", "L'époque de la Tache Rouge doit être une date entre les années 100 et 9999.");
    if (!std::isfinite(t.driftDegPerMonth) || std::abs(t.driftDegPerMonth) > 30)
        return QCoreApplication::translate("Programme", "La dérive de la Tache Rouge doit être un nombre de degrés par mois entre -30 et 30.");
    return {};
}

double grsLongitudeDeg(const RedSpot& t, const QDateTime& ut)
{
    const QDateTime epoch(t.epoch, QTime(0, 0), Qt::UTC);
    const double months = epoch.secsTo(ut) / 86400.0 / kDaysPerMonth;
    const double l = std::fmod(t.longitudeDeg + t.driftDegPerMonth * months, 360.0);
    return l < 0 ? l + 360 : l;
}

QString checkRange(const QDateTime& fromUt, const QDateTime& toUt)
{
    if (!fromUt.isValid() || !toUt.isValid())
        return QCoreApplication::translate("Programme", "La période est illisible.");
    if (!isSupported(fromUt) || !isSupported(toUt))
        return QCoreApplication::translate("Programme", "La période doit rester entre les années 100 et 9999.");
    if (toUt <= fromUt)
        return QCoreApplication::translate("Programme", "La période est vide ou inversée : la fin doit suivre le début.");
    return {};
}

std::vector<QDateTime> grsTransits(const QDateTime& fromUt, const QDateTime& toUt, const RedSpot& t, Theory theorie)
{
    PassProbe probe(theorie);
    std::vector<QDateTime> out;
    grsInto(out, probe, fromUt, toUt, t);
    return out;
}

void placeRow(ProgrammeRow& row, const Site& site, const Visibility& v)
{
    row.jupiterAltDeg = jupiterAltitudeDeg(row.ut, site);
    row.sunAltDeg = sunAltitudeDeg(row.ut, site);
    row.observable = row.jupiterAltDeg >= v.minJupiterDeg && row.sunAltDeg <= v.maxSunDeg;
}

namespace {

// One slice of the timetable: the satellites' changes, then the Red Spot's transits.
std::vector<ProgrammeRow> sliceRows(PassProbe& probe, const ProgrammeOptions& o, const QDateTime& a, const QDateTime& b)
{
    std::vector<ProgrammeRow> rows;
    if (o.satellites) {
        for (const Event& ev : findEvents(probe, a, b, o.offsetHours, o.step, o.onlySatellite)) {
            ProgrammeRow r;
            r.ut = ev.ut;
            r.civil = ev.civil;
            r.satellite = satelliteOfCaption(ev.label);
            r.label = ev.label;
            r.phenomenon = phenomenonWord(ev.label);
            r.change = ev.begins ? QStringLiteral("début") : QStringLiteral("fin");
            rows.push_back(std::move(r));
        }
    }
    if (o.grs) {
        std::vector<QDateTime> transits;
        grsInto(transits, probe, a, b, *o.grs);
        for (const QDateTime& ut : transits) {
            ProgrammeRow r;
            r.ut = ut;
            r.civil = addHours(ut, -o.offsetHours);
            r.phenomenon = QStringLiteral("Tache Rouge");
            r.change = QStringLiteral("passage");
            rows.push_back(std::move(r));
        }
    }
    return rows;
}

} // namespace

std::vector<ProgrammeRow> buildProgramme(const ProgrammeOptions& o)
{
    // The slices are searched one per core at a time, each with its own
    // probe, and joined in order.
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    std::vector<std::unique_ptr<PassProbe>> probes;
    for (unsigned k = 0; k < cores; ++k)
        probes.push_back(std::make_unique<PassProbe>(o.theorie));
    std::vector<ProgrammeRow> rows;
    const double total = std::max<qint64>(1, o.fromUt.secsTo(o.toUt));
    for (QDateTime a = o.fromUt; a < o.toUt;) {
        if (o.cancel && o.cancel->load())
            break;
        std::vector<std::pair<QDateTime, QDateTime>> batch;
        for (QDateTime s = a; s < o.toUt && batch.size() < cores;) {
            const QDateTime e = std::min(s.addSecs(kSliceSeconds), o.toUt);
            batch.emplace_back(s, e);
            s = e;
        }
        std::vector<std::future<std::vector<ProgrammeRow>>> others;
        for (std::size_t k = 1; k < batch.size(); ++k)
            others.push_back(std::async(std::launch::async, [&, k] { return sliceRows(*probes[k], o, batch[k].first, batch[k].second); }));
        std::vector<ProgrammeRow> first = sliceRows(*probes[0], o, batch[0].first, batch[0].second);
        rows.insert(rows.end(), first.begin(), first.end());
        for (auto& f : others) {
            std::vector<ProgrammeRow> part = f.get();   // rethrows a slice's error
            rows.insert(rows.end(), part.begin(), part.end());
        }
        a = batch.back().second;
        if (o.progress)
            o.progress(o.fromUt.secsTo(a) / total);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ProgrammeRow& x, const ProgrammeRow& y) {
        if (x.ut != y.ut)
            return x.ut < y.ut;
        return (x.satellite < 0 ? 4 : x.satellite) < (y.satellite < 0 ? 4 : y.satellite);
    });
    if (o.site)
        for (ProgrammeRow& r : rows)
            placeRow(r, *o.site, o.visibility);
    return rows;
}

namespace {

QString csvField(const QString& s)
{
    if (!s.contains(u',') && !s.contains(u'"') && !s.contains(u'\n'))
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

} // namespace

const char* const kPreciseCsvComment = "# théorie précise (L1.2, VSOP87, UAI) ; contacts du centre du satellite";

QString programmeCsv(const std::vector<ProgrammeRow>& rows, const QLocale& locale, bool withSite, Theory theorie)
{
    QString out;
    if (theorie == Theory::Precise)
        out += QString::fromUtf8(kPreciseCsvComment) + u'\n';
    out += QStringLiteral("satellite,phenomene,changement,date,datetu,label");
    if (withSite)
        out += QStringLiteral(",hauteur_jupiter,hauteur_soleil,observable");
    out += u'\n';
    for (const ProgrammeRow& r : rows) {
        QStringList f{r.satellite < 0 ? QString() : QString::fromUtf8(kSatellites[r.satellite].name), r.phenomenon,
                      r.change, dateTimeText(r.civil, locale), dateTimeText(r.ut, locale),
                      r.label ? QString::fromLatin1(captionName(*r.label)) : QString()};
        if (withSite)
            f << QString::number(r.jupiterAltDeg, 'f', 2) << QString::number(r.sunAltDeg, 'f', 2)
              << (r.observable ? QStringLiteral("oui") : QStringLiteral("non"));
        for (QString& s : f)
            s = csvField(s);
        out += f.join(u',') + u'\n';
    }
    return out;
}

} // namespace zeno
