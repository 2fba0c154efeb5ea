#include "settings.h"

#include <QDate>

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

Observer readObserver()
{
    const auto s = open();
    Observer o;
    zeno::Site site;
    site.latitudeDeg = s->value(QStringLiteral("lieu/latitude"), site.latitudeDeg).toDouble();
    site.longitudeDeg = s->value(QStringLiteral("lieu/longitude"), site.longitudeDeg).toDouble();
    site.heightM = s->value(QStringLiteral("lieu/hauteur"), site.heightM).toDouble();
    // A store edited by hand must not bring an impossible place back.
    if (s->contains(QStringLiteral("lieu/latitude")) && zeno::checkSite(site).isEmpty()) {
        o.site = site;
        o.siteSet = true;
    }
    zeno::Visibility v;
    v.minJupiterDeg = s->value(QStringLiteral("visibilite/jupiter_min"), v.minJupiterDeg).toDouble();
    v.maxSunDeg = s->value(QStringLiteral("visibilite/soleil_max"), v.maxSunDeg).toDouble();
    if (zeno::checkVisibility(v).isEmpty())
        o.visibility = v;
    zeno::RedSpot t;
    t.longitudeDeg = s->value(QStringLiteral("tache_rouge/longitude"), t.longitudeDeg).toDouble();
    t.epoch = QDate::fromString(s->value(QStringLiteral("tache_rouge/epoque"), t.epoch.toString(Qt::ISODate)).toString(),
                                Qt::ISODate);
    t.driftDegPerMonth = s->value(QStringLiteral("tache_rouge/derive"), t.driftDegPerMonth).toDouble();
    if (zeno::checkRedSpot(t).isEmpty())
        o.redSpot = t;
    return o;
}

void writeObserver(const Observer& o)
{
    const auto s = open();
    if (o.siteSet) {
        s->setValue(QStringLiteral("lieu/latitude"), o.site.latitudeDeg);
        s->setValue(QStringLiteral("lieu/longitude"), o.site.longitudeDeg);
        s->setValue(QStringLiteral("lieu/hauteur"), o.site.heightM);
    }
    s->setValue(QStringLiteral("visibilite/jupiter_min"), o.visibility.minJupiterDeg);
    s->setValue(QStringLiteral("visibilite/soleil_max"), o.visibility.maxSunDeg);
    s->setValue(QStringLiteral("tache_rouge/longitude"), o.redSpot.longitudeDeg);
    s->setValue(QStringLiteral("tache_rouge/epoque"), o.redSpot.epoch.toString(Qt::ISODate));
    s->setValue(QStringLiteral("tache_rouge/derive"), o.redSpot.driftDegPerMonth);
}

PhenomenaChoices readPhenomenaChoices()
{
    const auto s = open();
    PhenomenaChoices c;
    c.period = qBound(0, s->value(QStringLiteral("phenomenes/periode"), 0).toInt(), 5);
    c.satellite = qBound(0, s->value(QStringLiteral("phenomenes/satellite"), 0).toInt(), 6);
    c.observableOnly = s->value(QStringLiteral("phenomenes/observables"), false).toBool();
    c.from = s->value(QStringLiteral("phenomenes/du")).toString();
    c.to = s->value(QStringLiteral("phenomenes/au")).toString();
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
}

ChartChoices readChartChoices(double defaultScale)
{
    const auto s = open();
    ChartChoices c;
    c.hour = qBound(0, s->value(QStringLiteral("graphique/heure"), 0).toInt(), 1);
    c.paper = qBound(0, s->value(QStringLiteral("graphique/papier"), 0).toInt(), 1);
    c.scale = s->value(QStringLiteral("graphique/echelle"), defaultScale).toDouble();
    return c;
}

void writeChartHour(int hour) { open()->setValue(QStringLiteral("graphique/heure"), hour); }
void writeChartPaper(int paper) { open()->setValue(QStringLiteral("graphique/papier"), paper); }
void writeChartScale(double scale) { open()->setValue(QStringLiteral("graphique/echelle"), scale); }

} // namespace settings
