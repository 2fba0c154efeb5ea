#include "month_chart.h"

#include "erreur.h"
#include "approximations.h"
#include "mutual_events.h"
#include "night.h"
#include "regional.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDate>
#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

// The pass without a window: the drawing and the labels go nowhere.
class SansFenetre : public Hote {
public:
    int flip(Flip) override { return 0; }
    void clearScene(Scene) override {}
    void drawDisc(Scene, float, float, float, Rgb) override {}
    void setCaption(Caption, const QString&) override {}
};

QDateTime fromSeconds(UtSeconds s) { return QDateTime::fromSecsSinceEpoch(s, Qt::UTC); }

PhaseKind kindOf(Caption label)
{
    switch ((static_cast<int>(label) - kFirstPhenomenonCaption) % 4) {
    case 0: return PhaseKind::Eclipse;
    case 1: return PhaseKind::Shadow;
    case 2: return PhaseKind::Occultation;
    default: return PhaseKind::Transit;
    }
}


} // namespace

double MonthChart::xAt(int satellite, UtSeconds t) const
{
    if (x.empty())
        return 0;
    const double k = double(t - start) / double(step);
    const auto last = qsizetype(x.size()) - 1;
    const qsizetype i = std::clamp<qsizetype>(qsizetype(std::floor(k)), 0, std::max<qsizetype>(0, last - 1));
    if (last == 0)
        return x[0][satellite];
    const double f = std::clamp(k - double(i), 0.0, 1.0);
    return x[i][satellite] + f * (x[i + 1][satellite] - x[i][satellite]);
}

unsigned MonthChart::phasesAt(int satellite, UtSeconds t) const
{
    unsigned bits = 0;
    for (const PhaseInterval& p : phases)
        if (p.satellite == satellite && p.from <= t && t < p.to)
            bits |= 1u << static_cast<int>(p.kind);
    return bits;
}

UtSeconds MonthChart::axisOf(UtSeconds ut) const
{
    if (localAxis())
        return ut + options.zone.offsetFromUtc(fromSeconds(ut));
    return options.civilAxis ? ut - std::llround(offsetHours * 3600) : ut;
}

UtSeconds MonthChart::utOf(UtSeconds axis) const
{
    if (localAxis()) {
        // A wall-clock time skipped by a change to summer time is taken after the change.
        const QDateTime wall = fromSeconds(axis);
        return QDateTime(wall.date(), wall.time(), options.zone).toSecsSinceEpoch();
    }
    return options.civilAxis ? axis + std::llround(offsetHours * 3600) : axis;
}

int MonthChart::axisHour(UtSeconds ut) const
{
    return int((axisOf(ut) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay / 3600);
}

QString checkMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return QCoreApplication::translate("Dates", "Le mois doit être compris entre 1 et 12.");
    if (year < 100 || year > 9999)
        return QCoreApplication::translate("Dates", "L'année du graphique doit être comprise entre 100 et 9999.");
    return {};
}

std::vector<std::array<float, 4>> computeTracks(UtSeconds start, UtSeconds end, UtSeconds step, Theory theorie,
                                                const QLocale& locale)
{
    SansFenetre host;
    Calcul calcul(host, locale);
    calcul.setTheorie(theorie);
    std::vector<std::array<float, 4>> x;
    x.reserve(std::size_t((end - start) / step + 2));
    const UtSeconds last = lastSupportedInstant().toSecsSinceEpoch();
    for (UtSeconds t = start;; t += step) {
        calcul.passe(Instant{fromSeconds(std::min(t, last)), 0});
        if (theorie == Theory::Precise) {
            const ModernEphemeris& e = calcul.recordModerne();
            x.push_back({float(e.X1), float(e.X2), float(e.X3), float(e.X4)});
        } else {
            const Ephemeride& e = calcul.record();
            x.push_back({float(e.X1), float(e.X2), float(e.X3), float(e.X4)});
        }
        if (t >= end)
            break;
    }
    return x;
}

std::vector<PhaseInterval> phaseIntervals(const std::vector<ProgrammeRow>& rows, UtSeconds start, UtSeconds end)
{
    std::vector<PhaseInterval> out;
    std::array<std::optional<UtSeconds>, 16> open{};   // by label, the start of the one under way
    std::array<bool, 16> seen{};
    for (const ProgrammeRow& r : rows) {
        if (!r.label)
            continue;
        const int i = static_cast<int>(*r.label) - kFirstPhenomenonCaption;
        const UtSeconds t = r.ut.toSecsSinceEpoch();
        if (r.change == rowWord(RowWord::Begin)) {
            open[i] = t;
        } else {
            // An end seen first: the phenomenon was under way at the start.
            const UtSeconds from = open[i] ? *open[i] : (seen[i] ? t : start);
            out.push_back({satelliteOfCaption(*r.label), kindOf(*r.label), from, t});
            open[i].reset();
        }
        seen[i] = true;
    }
    for (int i = 0; i < 16; ++i)
        if (open[i]) {
            const auto label = static_cast<Caption>(kFirstPhenomenonCaption + i);
            out.push_back({satelliteOfCaption(label), kindOf(label), *open[i], end});
        }
    std::sort(out.begin(), out.end(), [](const PhaseInterval& a, const PhaseInterval& b) { return a.from < b.from; });
    return out;
}

std::vector<NightInterval> nightsBetween(UtSeconds start, UtSeconds end, const Site& site)
{
    std::vector<NightInterval> out;
    UtSeconds t = start;
    while (t < end) {
        const Night n = comingNight(fromSeconds(t), site);
        if (n.kind == NightKind::MidnightSun) {
            t += kSecondsPerDay;   // no night within the next 24 h
            continue;
        }
        const UtSeconds from = n.startUt.toSecsSinceEpoch(), to = n.endUt.toSecsSinceEpoch();
        if (from >= end)
            break;
        out.push_back({from, to});
        // After a sunrise, the next sunset; after 24 h of polar night, on from there.
        t = std::max(to, t + 1);
    }
    return out;
}

namespace {

MutualMark markOf(const MutualEvent& e) { return {e.occulter, e.target, e.type == MutualType::Eclipse, e.start, e.end}; }

} // namespace

std::vector<ApproximationMark> approximationMarks(UtSeconds start, UtSeconds end, const std::optional<Site>& site)
{
    ApproximationOptions o;
    o.site = site;
    std::vector<ApproximationMark> out;
    for (const Approximation& a : findApproximations(start, end, o))
        out.push_back({a.first, a.second, std::llround(a.centralUt), a.distanceArcsec});
    return out;
}

std::vector<MutualMark> mutualMarks(UtSeconds start, UtSeconds end)
{
    std::vector<MutualMark> out;
    for (const MutualEvent& e : findMutualEvents(start, end))
        out.push_back(markOf(e));
    return out;
}

MonthChart computeMonthChart(const MonthChartOptions& o, const QLocale& locale)
{
    MonthChart c;
    c.options = o;
    const QDate first(o.year, o.month, 1);
    const UtSeconds firstS = QDateTime(first, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    const UtSeconds nextS = QDateTime(first.addMonths(1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    // The supported years bound the month's instants, in UT and in civil time.
    if (c.localAxis())   // the zone's offset at the month's start (UT - local)
        c.offsetHours = -o.zone.offsetFromUtc(fromSeconds(c.utOf(firstS))) / 3600.0;
    else
        c.offsetHours = readNumber(o.offsetText, locale);   // throws 13 first
    const UtSeconds offsetS = std::llround(c.offsetHours * 3600);
    const UtSeconds lo = firstSupportedInstant().toSecsSinceEpoch() + std::max<UtSeconds>(0, offsetS);
    const UtSeconds hi = lastSupportedInstant().toSecsSinceEpoch() + std::min<UtSeconds>(0, offsetS);
    c.start = std::clamp(c.utOf(firstS), lo, hi);
    c.end = std::clamp(c.utOf(nextS), lo, hi);
    if (c.end <= c.start)
        throw ErreurExecution(ErreurExecution::ArgumentIncorrect);
    c.step = kTrackStepSeconds;
    c.x = computeTracks(c.start, c.end, c.step, o.theorie, locale);

    ProgrammeOptions p;
    p.fromUt = fromSeconds(c.start);
    p.toUt = fromSeconds(c.end);
    p.offsetHours = c.offsetHours;
    p.grs = o.grs;
    p.site = o.site;
    p.visibility = o.visibility;
    p.theorie = o.theorie;
    c.rows = buildProgramme(p);
    // The mutual events the chart marks are rows of its table too.
    if (o.theorie == Theory::Precise) {
        const std::vector<MutualEvent> events = findMutualEvents(c.start, c.end);
        for (const MutualEvent& e : events)
            c.mutual.push_back(markOf(e));
        addMutualRows(c.rows, events, c.offsetHours, o.site, o.visibility);
    }
    if (c.localAxis())
        for (ProgrammeRow& r : c.rows)
            r.civil = fromSeconds(c.axisOf(r.ut.toSecsSinceEpoch()));
    c.phases = phaseIntervals(c.rows, c.start, c.end);
    for (const ProgrammeRow& r : c.rows)
        if (r.satellite < 0)
            c.grs.push_back(r.ut.toSecsSinceEpoch());
    if (o.site)
        c.nights = nightsBetween(c.start - kSecondsPerDay / 2, c.end, *o.site);
    if (o.theorie == Theory::Precise)
        c.approximations = approximationMarks(c.start, c.end, o.site);
    return c;
}

QString monthTitle(int year, int month)
{
    static const char* const kMois[12] = {
        QT_TRANSLATE_NOOP("Graphique", "janvier"),   QT_TRANSLATE_NOOP("Graphique", "février"),
        QT_TRANSLATE_NOOP("Graphique", "mars"),      QT_TRANSLATE_NOOP("Graphique", "avril"),
        QT_TRANSLATE_NOOP("Graphique", "mai"),       QT_TRANSLATE_NOOP("Graphique", "juin"),
        QT_TRANSLATE_NOOP("Graphique", "juillet"),   QT_TRANSLATE_NOOP("Graphique", "août"),
        QT_TRANSLATE_NOOP("Graphique", "septembre"), QT_TRANSLATE_NOOP("Graphique", "octobre"),
        QT_TRANSLATE_NOOP("Graphique", "novembre"),  QT_TRANSLATE_NOOP("Graphique", "décembre")};
    if (month < 1 || month > 12)
        return QString::number(year);
    return QCoreApplication::translate("Graphique", kMois[month - 1]) + u' ' + QString::number(year);
}

QString weekdayShort(int dayOfWeek)
{
    static const char* const kJours[7] = {
        QT_TRANSLATE_NOOP("Graphique", "lun."), QT_TRANSLATE_NOOP("Graphique", "mar."),
        QT_TRANSLATE_NOOP("Graphique", "mer."), QT_TRANSLATE_NOOP("Graphique", "jeu."),
        QT_TRANSLATE_NOOP("Graphique", "ven."), QT_TRANSLATE_NOOP("Graphique", "sam."),
        QT_TRANSLATE_NOOP("Graphique", "dim.")};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QCoreApplication::translate("Graphique", kJours[dayOfWeek - 1]);
}

} // namespace zeno
