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

// A kept whole number (a choice's index): the same rules.
int whole(const QSettings& s, const char* key, int fallback, int min, int max, const QString& name, QStringList& notes)
{
    const QVariant v = s.value(QLatin1String(key));
    if (!v.isValid())
        return fallback;
    bool ok = v.typeId() != QMetaType::QStringList;
    const int x = ok ? v.toInt(&ok) : 0;
    if (!ok || x < min || x > max) {
        notes << name;
        return fallback;
    }
    return x;
}

// A kept yes/no: only the store's own "true" and "false" (or 1 and 0);
// anything else ("peut-etre") is its default, named.
bool yesNo(const QSettings& s, const char* key, bool fallback, const QString& name, QStringList& notes)
{
    const QVariant v = s.value(QLatin1String(key));
    if (!v.isValid())
        return fallback;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString t = v.typeId() == QMetaType::QStringList ? QStringLiteral("?") : v.toString().trimmed().toLower();
    if (t == u"true" || t == u"1")
        return true;
    if (t == u"false" || t == u"0")
        return false;
    notes << name;
    return fallback;
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
    o.visibility.minJupiterDeg = number(*s, "visibilite/jupiter_min", o.visibility.minJupiterDeg,
                                        zeno::kMinJupiterRangeDeg[0], zeno::kMinJupiterRangeDeg[1],
                                        tr("hauteur minimale de Jupiter"), notes);
    o.visibility.maxSunDeg = number(*s, "visibilite/soleil_max", o.visibility.maxSunDeg, zeno::kMaxSunRangeDeg[0],
                                    zeno::kMaxSunRangeDeg[1], tr("hauteur maximale du Soleil"), notes);
    o.visibility.minDropMag = number(*s, "visibilite/chute_min", o.visibility.minDropMag, 0, zeno::kMaxMinDropMag,
                                     tr("chute d'éclat minimale des phénomènes mutuels"), notes);
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
    s->setValue(QStringLiteral("visibilite/chute_min"), o.visibility.minDropMag);
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

PhenomenaChoices readPhenomenaChoices(QStringList* reset)
{
    const auto s = open();
    PhenomenaChoices c;
    QStringList notes;
    c.period = whole(*s, "phenomenes/periode", c.period, 0, 6, tr("période"), notes);
    c.satellite = whole(*s, "phenomenes/satellite", c.satellite, 0, 7, tr("satellite"), notes);
    c.observableOnly = yesNo(*s, "phenomenes/observables", c.observableOnly, tr("observables seulement"), notes);
    c.from = s->value(QStringLiteral("phenomenes/du")).toString();
    c.to = s->value(QStringLiteral("phenomenes/au")).toString();
    c.csvForm = whole(*s, "phenomenes/format", c.csvForm, 0, 1, tr("format CSV"), notes);
    if (reset)
        *reset = notes;
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

bool readL12Corrected(QStringList* reset)
{
    QStringList notes;
    const bool corrected = yesNo(*open(), "theorie/l12_corrigee", true, tr("théorie des satellites"), notes);
    if (reset)
        *reset = notes;
    return corrected;
}

void writeL12Corrected(bool corrected) { open()->setValue(QStringLiteral("theorie/l12_corrigee"), corrected); }

ChartChoices readChartChoices(double defaultScale, double minScale, double maxScale, QStringList* reset)
{
    const auto s = open();
    ChartChoices c;
    QStringList notes;
    c.hour = whole(*s, "graphique/heure", c.hour, 0, 2, tr("heures du graphique"), notes);
    c.paper = whole(*s, "graphique/papier", c.paper, 0, 1, tr("papier"), notes);
    c.scale = number(*s, "graphique/echelle", defaultScale, minScale, maxScale, tr("échelle du graphique"), notes);
    if (reset)
        *reset = notes;
    return c;
}

void writeChartHour(int hour) { open()->setValue(QStringLiteral("graphique/heure"), hour); }
void writeChartPaper(int paper) { open()->setValue(QStringLiteral("graphique/papier"), paper); }
void writeChartScale(double scale) { open()->setValue(QStringLiteral("graphique/echelle"), scale); }

} // namespace settings
