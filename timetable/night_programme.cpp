#include "night_programme.h"

#include "modern_theory.h"
#include "regional.h"
#include "scene_frame.h"
#include "vocabulary.h"

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
// System II turns 36° an hour: a step of an hour brackets one transit at a
// time and never mistakes the wrap from +180° to -180° for one.
constexpr qint64 kGrsStepSeconds = 3600;

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

} // namespace

QString checkRedSpot(const RedSpot& t)
{
    // 360° is 0°: the message's bounds are both accepted.
    if (!std::isfinite(t.longitudeDeg) || t.longitudeDeg < 0 || t.longitudeDeg > 360)
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
    row.unseen = (row.hidden ? kHidden : 0u) | (row.jupiterAltDeg < v.minJupiterDeg ? kJupiterLow : 0u)
               | (row.sunAltDeg > v.maxSunDeg ? kDaylight : 0u)
               | (!row.hidden && row.magnitudeDrop >= 0 && row.magnitudeDrop < v.minDropMag ? kFaint : 0u);
    row.observable = row.unseen == 0;
}

QStringList notSeenCodes(unsigned unseen)
{
    static const char* const kCodes[] = {"hidden", "jupiter_low", "daylight", "faint"};
    QStringList out;
    for (unsigned k = 0; k < 4; ++k)
        if (unseen & (1u << k))
            out << QString::fromLatin1(kCodes[k]);
    return out;
}

QString notSeenText(const ProgrammeRow& r, const Visibility& v)
{
    const auto tr = [](const char* s) { return QCoreApplication::translate("Programme", s); };
    QStringList out;
    if (r.unseen & kHidden)
        out << tr("caché par Jupiter (derrière son disque ou dans son ombre)");
    if (r.unseen & kJupiterLow)
        out << tr("Jupiter à %1°, sous les %2° demandés").arg(r.jupiterAltDeg, 0, 'f', 1).arg(v.minJupiterDeg);
    if (r.unseen & kDaylight)
        out << tr("Soleil à %1°, au-dessus des %2° permis").arg(r.sunAltDeg, 0, 'f', 1).arg(v.maxSunDeg);
    if (r.unseen & kFaint)
        out << tr("chute d'éclat de %1 mag, sous les %2 mag demandés").arg(r.magnitudeDrop, 0, 'f', 3).arg(v.minDropMag);
    return out.join(u'\n');
}

QString kindRowWord(MutualKind kind)
{
    switch (kind) {
    case MutualKind::Total: return rowWord(RowWord::Total);
    case MutualKind::Annular: return rowWord(RowWord::Annular);
    case MutualKind::Partial: return rowWord(RowWord::Partial);
    case MutualKind::Penumbral: return rowWord(RowWord::Penumbral);
    }
    return rowWord(RowWord::Partial);
}

void addMutualRows(std::vector<ProgrammeRow>& rows, const std::vector<MutualEvent>& events, double offsetHours,
                   const std::optional<Site>& site, const Visibility& visibility)
{
    for (std::size_t i = 0; i < events.size(); ++i) {
        const MutualEvent& ev = events[i];
        ProgrammeRow r;
        r.ut = QDateTime::fromSecsSinceEpoch(ev.maximum, Qt::UTC);
        r.civil = addHours(r.ut, -offsetHours);
        r.satellite = ev.target;
        r.phenomenon = ev.code();
        r.change = kindRowWord(ev.kind);
        r.mutual = int(i);
        r.hidden = ev.hiddenAtMaximum();
        r.magnitudeDrop = ev.magnitudeDrop;
        if (site)
            placeRow(r, *site, visibility);
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.ut < b.ut; });
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
            r.change = rowWord(ev.begins ? RowWord::Begin : RowWord::End);
            r.hidden = ev.hidden;
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
            r.phenomenon = rowWord(RowWord::RedSpot);
            r.change = rowWord(RowWord::RedSpotTransit);
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
        std::vector<ProgrammeRow> done = sliceRows(*probes[0], o, batch[0].first, batch[0].second);
        for (auto& f : others) {
            std::vector<ProgrammeRow> part = f.get();   // rethrows a slice's error
            done.insert(done.end(), part.begin(), part.end());
        }
        // A batch's rows all precede the next batch's: each is finished and
        // handed on at once, so that a long range keeps no more than a batch.
        std::stable_sort(done.begin(), done.end(), [](const ProgrammeRow& x, const ProgrammeRow& y) {
            if (x.ut != y.ut)
                return x.ut < y.ut;
            return (x.satellite < 0 ? 4 : x.satellite) < (y.satellite < 0 ? 4 : y.satellite);
        });
        if (o.site)
            for (ProgrammeRow& r : done)
                placeRow(r, *o.site, o.visibility);
        if (o.onRows)
            o.onRows(done);
        else
            rows.insert(rows.end(), std::make_move_iterator(done.begin()), std::make_move_iterator(done.end()));
        a = batch.back().second;
        if (o.progress)
            o.progress(o.fromUt.secsTo(a) / total);
    }
    return rows;
}

QString csvField(const QString& s, QChar separator)
{
    if (!s.contains(separator) && !s.contains(u'"') && !s.contains(u'\n'))
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString preciseCsvComment()
{
    return QStringLiteral("# théorie précise (%1, VSOP87, UAI) ; contacts du centre du satellite").arg(l12TheoryNameFrench());
}

QString csvHeader(bool withSite, Theory theorie)
{
    QString out;
    if (theorie == Theory::Precise)
        out += preciseCsvComment() + u'\n';
    out += QStringLiteral("satellite,phenomene,changement,date,datetu,label,cache");
    if (withSite)
        out += QStringLiteral(",hauteur_jupiter,hauteur_soleil,observable,pourquoi");
    return out + u'\n';
}

QString csvRow(const ProgrammeRow& r, const QLocale& locale, bool withSite)
{
    const auto yesNo = [](bool b) { return b ? QStringLiteral("oui") : QStringLiteral("non"); };
    QStringList f{r.satellite < 0 ? QString() : QString::fromUtf8(kSatellites[r.satellite].name), r.phenomenon,
                  r.change, dateTimeText(r.civil, locale), dateTimeText(r.ut, locale),
                  r.label ? QString::fromLatin1(captionName(*r.label)) : QString(), yesNo(r.hidden)};
    if (withSite)
        f << QString::number(r.jupiterAltDeg, 'f', 2) << QString::number(r.sunAltDeg, 'f', 2) << yesNo(r.observable)
          << notSeenCodes(r.unseen).join(u' ');
    for (QString& s : f)
        s = csvField(s);
    return f.join(u',') + u'\n';
}

QString programmeCsv(const std::vector<ProgrammeRow>& rows, const QLocale& locale, bool withSite, Theory theorie)
{
    QString out = csvHeader(withSite, theorie);
    for (const ProgrammeRow& r : rows)
        out += csvRow(r, locale, withSite);
    return out;
}

} // namespace zeno
