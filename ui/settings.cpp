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

} // namespace settings
