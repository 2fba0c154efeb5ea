#include "night_programme.h"

#include "scene_frame.h"
#include "enregistreur.h"
#include "ephemeride.h"
#include "erreur.h"
#include "passe.h"
#include "regional.h"

#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

constexpr qint64 kSliceSeconds = 86400;       // one day of search between progress reports
constexpr qint64 kGrsStepSeconds = 600;       // System II turns about 6° in 10 minutes

// System II's displayed meridian at a UT instant, from the window's pass.
class SondeSysteme2 {
public:
    SondeSysteme2(const QLocale& locale, Theory theorie) : locale_(locale), calcul_(host_, locale)
    {
        calcul_.setTheorie(theorie);
    }
    double at(const QDateTime& ut)
    {
        calcul_.passe(dateTimeText(ut, locale_), QStringLiteral("0"));
        return reduitMeridien(calcul_.theorie() == Theory::Precise ? calcul_.recordModerne().omega2
                                                                   : calcul_.record().omega2);
    }

private:
    QLocale locale_;
    Enregistreur host_;
    Calcul calcul_;
};

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

void grsInto(std::vector<QDateTime>& out, SondeSysteme2& sonde, const QDateTime& fromUt, const QDateTime& toUt,
             const RedSpot& t)
{
    QDateTime t0 = fromUt;
    double g0 = gap(sonde.at(t0), grsLongitudeDeg(t, t0));
    while (t0 < toUt) {
        QDateTime t1 = std::min(t0.addSecs(kGrsStepSeconds), toUt);
        const double g1 = gap(sonde.at(t1), grsLongitudeDeg(t, t1));
        // An upward crossing of zero, not the wrap from +180 to -180.
        if (g0 < 0 && g1 >= 0 && g1 - g0 < 90) {
            QDateTime lo = t0, hi = t1;
            while (lo.secsTo(hi) > 1) {
                const QDateTime mid = lo.addSecs(lo.secsTo(hi) / 2);
                (gap(sonde.at(mid), grsLongitudeDeg(t, mid)) < 0 ? lo : hi) = mid;
            }
            out.push_back(hi);
        }
        t0 = t1;
        g0 = g1;
    }
}

} // namespace

QString checkRedSpot(const RedSpot& t)
{
    if (!std::isfinite(t.longitudeDeg) || t.longitudeDeg < 0 || t.longitudeDeg >= 360)
        return QStringLiteral("La longitude de la Tache Rouge doit être comprise entre 0° et 360°.");
    if (!t.epoch.isValid() || t.epoch.year() < 100 || t.epoch.year() > 9999)
        return QStringLiteral("L'époque de la Tache Rouge doit être une date entre les années 100 et 9999.");
    if (!std::isfinite(t.driftDegPerMonth) || std::abs(t.driftDegPerMonth) > 30)
        return QStringLiteral("La dérive de la Tache Rouge doit être un nombre de degrés par mois entre -30 et 30.");
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
        return QStringLiteral("La période est illisible.");
    if (!isSupported(fromUt) || !isSupported(toUt))
        return QStringLiteral("La période doit rester entre les années 100 et 9999.");
    if (toUt <= fromUt)
        return QStringLiteral("La période est vide ou inversée : la fin doit suivre le début.");
    return {};
}

std::vector<QDateTime> grsTransits(const QDateTime& fromUt, const QDateTime& toUt, const RedSpot& t,
                                   const QLocale& locale, Theory theorie)
{
    SondeSysteme2 sonde(locale, theorie);
    std::vector<QDateTime> out;
    grsInto(out, sonde, fromUt, toUt, t);
    return out;
}

void placeRow(ProgrammeRow& row, const Site& site, const Visibility& v)
{
    row.jupiterAltDeg = jupiterAltitudeDeg(row.ut, site);
    row.sunAltDeg = sunAltitudeDeg(row.ut, site);
    row.observable = row.jupiterAltDeg >= v.minJupiterDeg && row.sunAltDeg <= v.maxSunDeg;
}

std::vector<ProgrammeRow> buildProgramme(const ProgrammeOptions& o, const QLocale& locale)
{
    const double offsetHours = readNumber(o.offsetText, locale);   // throws 13 first
    const auto civilOf = [&](const QDateTime& ut) { return addHours(ut, -offsetHours); };
    std::vector<ProgrammeRow> rows;
    SondeSysteme2 sonde(locale, o.theorie);
    const double total = std::max<qint64>(1, o.fromUt.secsTo(o.toUt));
    for (QDateTime a = o.fromUt; a < o.toUt;) {
        if (o.cancel && o.cancel->load())
            break;
        const QDateTime b = std::min(a.addSecs(kSliceSeconds), o.toUt);
        if (o.satellites) {
            // The timetable works in civil time; its UT is the pass's own.
            for (const Event& ev : findEvents(civilOf(a), civilOf(b), o.step, o.offsetText, locale,
                                                         o.onlySatellite, o.theorie)) {
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
            grsInto(transits, sonde, a, b, *o.grs);
            for (const QDateTime& ut : transits) {
                ProgrammeRow r;
                r.ut = ut;
                r.civil = civilOf(ut);
                r.phenomenon = QStringLiteral("Tache Rouge");
                r.change = QStringLiteral("passage");
                rows.push_back(std::move(r));
            }
        }
        a = b;
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
