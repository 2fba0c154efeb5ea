#include "settings.h"

#include <QCoreApplication>
#include <QDate>

#include <cmath>

namespace settings {

namespace {
QString iniPath_;
}

void setFile(const QString& iniPath) { iniPath_ = iniPath; }

std::unique_ptr<QSettings> open()
{
    if (!iniPath_.isEmpty())
        return std::make_unique<QSettings>(iniPath_, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Zenolune"), QStringLiteral("Zenolune"));
}

namespace {

// One kept number: its default when absent; when unreadable (a word, or
// "45,76", which the store reads as a list) or out of [min, max], its default
// too, and its name in the notes.
double number(const QSettings& s, const char* key, double fallback, double min, double max, const QString& name,
              QStringList& notes)
{
    const QVariant v = s.value(QLatin1String(key));
    if (!v.isValid())
        return fallback;
    bool ok = v.typeId() != QMetaType::QStringList;
    const double x = ok ? v.toDouble(&ok) : 0;
    if (!ok || !std::isfinite(x) || x < min || x > max) {
        notes << name;
        return fallback;
    }
    return x;
}

QString tr(const char* text) { return QCoreApplication::translate("settings", text); }

} // namespace

Observer readObserver(QStringList* reset)
{
    const auto s = open();
    Observer o;
    QStringList notes;
    o.site.latitudeDeg = number(*s, "lieu/latitude", o.site.latitudeDeg, -90, 90, tr("latitude"), notes);
    o.site.longitudeDeg = number(*s, "lieu/longitude", o.site.longitudeDeg, -180, 180, tr("longitude"), notes);
    o.site.heightM = number(*s, "lieu/hauteur", o.site.heightM, -500, 10000, tr("altitude du lieu"), notes);
    // A place partly unreadable is not the user's place: all of it back to the default.
    if (!notes.isEmpty())
        o.site = zeno::Site{};
    o.siteSet = s->contains(QStringLiteral("lieu/latitude")) && notes.isEmpty();
    o.visibility.minJupiterDeg = number(*s, "visibilite/jupiter_min", o.visibility.minJupiterDeg, -90, 90,
                                        tr("hauteur minimale de Jupiter"), notes);
    o.visibility.maxSunDeg = number(*s, "visibilite/soleil_max", o.visibility.maxSunDeg, -90, 90,
                                    tr("hauteur maximale du Soleil"), notes);
    o.redSpot.longitudeDeg = number(*s, "tache_rouge/longitude", o.redSpot.longitudeDeg, 0, 360,
                                    tr("longitude de la Tache Rouge"), notes);
    o.redSpot.driftDegPerMonth = number(*s, "tache_rouge/derive", o.redSpot.driftDegPerMonth, -30, 30,
                                        tr("dérive de la Tache Rouge"), notes);
    if (const QVariant v = s->value(QStringLiteral("tache_rouge/epoque")); v.isValid()) {
        const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
        if (d.isValid() && d.year() >= 100 && d.year() <= 9999)
            o.redSpot.epoch = d;
        else
            notes << tr("époque de la Tache Rouge");
    }
    o.approxMaxDistanceArcsec = number(*s, "approximations/distance_max", o.approxMaxDistanceArcsec, zeno::kApproxMaxDistanceLimits[0],
                                       zeno::kApproxMaxDistanceLimits[1], tr("distance maximale des approximations"), notes);
    o.approxMinLimbArcsec = number(*s, "approximations/bord_min", o.approxMinLimbArcsec, zeno::kApproxMinLimbLimits[0],
                                   zeno::kApproxMinLimbLimits[1], tr("écart minimal au bord de Jupiter"), notes);
    o.approxStationaryMasS = number(*s, "approximations/vitesse_stationnaire", o.approxStationaryMasS, zeno::kApproxStationaryLimits[0],
                                    zeno::kApproxStationaryLimits[1], tr("vitesse des passages quasi stationnaires"), notes);
    if (const QVariant v = s->value(QStringLiteral("lieu/fuseau")); v.isValid()) {
        const QTimeZone z(v.toString().toUtf8());
        if (z.isValid())
            o.timeZone = z;
        else
            notes << tr("fuseau horaire");
    }
    if (reset)
        *reset = notes;
    return o;
}

void writeObserver(const Observer& o)
{
    const auto s = open();
    if (o.siteSet) {
        s->setValue(QStringLiteral("lieu/latitude"), o.site.latitudeDeg);
        s->setValue(QStringLiteral("lieu/longitude"), o.site.longitudeDeg);
        s->setValue(QStringLiteral("lieu/hauteur"), o.site.heightM);
        s->setValue(QStringLiteral("lieu/fuseau"), QString::fromUtf8(o.timeZone.id()));
    }
    s->setValue(QStringLiteral("visibilite/jupiter_min"), o.visibility.minJupiterDeg);
    s->setValue(QStringLiteral("visibilite/soleil_max"), o.visibility.maxSunDeg);
    s->setValue(QStringLiteral("tache_rouge/longitude"), o.redSpot.longitudeDeg);
    s->setValue(QStringLiteral("tache_rouge/epoque"), o.redSpot.epoch.toString(Qt::ISODate));
    s->setValue(QStringLiteral("tache_rouge/derive"), o.redSpot.driftDegPerMonth);
    s->setValue(QStringLiteral("approximations/distance_max"), o.approxMaxDistanceArcsec);
    s->setValue(QStringLiteral("approximations/bord_min"), o.approxMinLimbArcsec);
    s->setValue(QStringLiteral("approximations/vitesse_stationnaire"), o.approxStationaryMasS);
}

zeno::ApproximationOptions Observer::approximationOptions() const
{
    zeno::ApproximationOptions a;
    a.maxDistanceArcsec = approxMaxDistanceArcsec;
    a.minLimbArcsec = approxMinLimbArcsec;
    a.stationaryMasS = approxStationaryMasS;
    a.site = site;
    a.visibility = visibility;
    return a;
}

PhenomenaChoices readPhenomenaChoices()
{
    const auto s = open();
    PhenomenaChoices c;
    c.period = qBound(0, s->value(QStringLiteral("phenomenes/periode"), 0).toInt(), 6);
    c.satellite = qBound(0, s->value(QStringLiteral("phenomenes/satellite"), 0).toInt(), 7);
    c.observableOnly = s->value(QStringLiteral("phenomenes/observables"), false).toBool();
    c.from = s->value(QStringLiteral("phenomenes/du")).toString();
    c.to = s->value(QStringLiteral("phenomenes/au")).toString();
    c.csvForm = qBound(0, s->value(QStringLiteral("phenomenes/format"), 0).toInt(), 1);
    return c;
}

void writePhenomenaChoices(const PhenomenaChoices& c)
{
    const auto s = open();
    s->setValue(QStringLiteral("phenomenes/periode"), c.period);
    s->setValue(QStringLiteral("phenomenes/satellite"), c.satellite);
    s->setValue(QStringLiteral("phenomenes/observables"), c.observableOnly);
    s->setValue(QStringLiteral("phenomenes/du"), c.from);
    s->setValue(QStringLiteral("phenomenes/au"), c.to);
    s->setValue(QStringLiteral("phenomenes/format"), c.csvForm);
}

ChartChoices readChartChoices(double defaultScale)
{
    const auto s = open();
    ChartChoices c;
    c.hour = qBound(0, s->value(QStringLiteral("graphique/heure"), 2).toInt(), 2);
    c.paper = qBound(0, s->value(QStringLiteral("graphique/papier"), 0).toInt(), 1);
    c.scale = s->value(QStringLiteral("graphique/echelle"), defaultScale).toDouble();
    return c;
}

void writeChartHour(int hour) { open()->setValue(QStringLiteral("graphique/heure"), hour); }
void writeChartPaper(int paper) { open()->setValue(QStringLiteral("graphique/papier"), paper); }
void writeChartScale(double scale) { open()->setValue(QStringLiteral("graphique/echelle"), scale); }

} // namespace settings
